#pragma once
// The users window: the list of user accounts with its search, add, edit,
// delete and export, and beside it the editor of one account's page rights and
// county scope.

#include "core/lock_keys.h"
#include "core/page_rights.h"
#include "core/rights.h"
#include "platform/ui/form.h"

#include <functional>


class ListWindow;
class QCheckBox;
class QModelIndex;

namespace Ui { class Tusers; }

class Tusers : public Form {
    Q_OBJECT
public:
    explicit Tusers(QWidget* parent = nullptr);
    ~Tusers() override;

    Ui::Tusers* ui;

    // The commands of the users page and the right that enables each and is
    // checked at its write (the account's own save, users_ins, names the add
    // and edit). The scope save is enabled whenever the window is open.
    static constexpr PageCommand AddAccount{"N5", PageWrite::Add};
    static constexpr PageCommand EditAccount{"N6", PageWrite::Edit};
    static constexpr PageCommand DeleteAccount{"N7", PageWrite::Delete};
    static constexpr PageCommand SaveRights{"ins_btn2", PageWrite::Add};
    static constexpr PageCommand SaveScope{"SpeedButton1", PageWrite::Open};
    static constexpr PageCommand Commands[] = {AddAccount, EditAccount, DeleteAccount, SaveRights, SaveScope};

    // What the main menu does before showing the window: enables the commands
    // by the current user's rights on the users page, empties the filter, template and
    // scope boxes and the count, forgets the account loaded into the editor,
    // and lists every account.
    void prepareForOpening(bool darj, bool virayesh, bool hazf);

    // The user list: its search, its rows and its current row.
    ListWindow* list() const { return m_list; }

    // The account whose rights and scope the editor shows; -1 when none.
    qint64 loadedUserId() const { return m_loadedId; }

    // The check box of one right of a page: 0 darj, 1 virayesh, 2 hazf, 3 namayesh.
    QCheckBox* rightBox(const RightsPage& page, int right) const;

public slots:
    void src_btnClick();
    // Runs the list's last statement again.
    void refreshList();

    void N5Click(); // new account
    void N6Click(); // edit the current account
    void N7Click(); // delete the current account
    void N8Click(); // export the list
    void N9Click(); // close

    // Loads the rights and scope of the clicked account into the editor.
    void DBGrid1CellClick(const QModelIndex& index);
    void ins_btn2Click();     // save rights
    void SpeedButton1Click(); // save scope

    void levChange();
    void semat2Change();
    void ostanChange();
    void SpeedButton2Click(); // every county of the province into the scope list
    void SpeedButton3Click(); // the county box into the scope list
    void N3Click();           // remove the selected scope entry
    void N1Click();           // empty the scope list

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setRights(const RightsSet& rights);
    RightsSet rightsFromBoxes() const;
    void forgetLoadedUser();
    // Runs save (the command's write) of the loaded account's rows of table (its column naming the
    // account) under keys and the keys of the account's delete, while the
    // account is still there; an account deleted meanwhile is said so and forgotten.
    bool saveForLoadedUser(const PageCommand& command, const QString& table, const QString& column, const QList<LockKey>& keys,
                           const std::function<void()>& save);

    ListWindow* m_list = nullptr;
    qint64 m_loadedId = -1;
    QString m_loadedUs;
};
