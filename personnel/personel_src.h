#pragma once
// The personnel list: people searched by filters within the user's row scope,
// counted, sorted by a clicked title and exported; new, edit and delete of a
// person start here.

#include "core/page_rights.h"
#include "personnel/insurance.h"
#include "platform/ui/form.h"

// Deletes the person with the person's own account, dependants and
// electronic file, in one transaction under the keys of a person's delete;
// the person's requests stay. Gone when the person was gone already; NoRight
// when the clerk no longer has the delete right on the page in use (nothing
// deleted, nothing said). Throws DbError.
enum class PersonDelete { Deleted, Gone, NoRight };
PersonDelete delete_person(qint64 id);

class ListWindow;

namespace Ui { class Tpersonel_src; }

class Tpersonel_src : public Form {
    Q_OBJECT
public:
    explicit Tpersonel_src(QWidget* parent = nullptr);
    ~Tpersonel_src() override;

    Ui::Tpersonel_src* ui;

    // The commands and the right that enables each and is checked at its write
    // (the new person's and the edit's saves are personel_ins's).
    static constexpr PageCommand AddPerson{"N1", PageWrite::Add};
    static constexpr PageCommand EditPerson{"N2", PageWrite::Edit};
    static constexpr PageCommand DeletePerson{"N3", PageWrite::Delete};
    static constexpr PageCommand Commands[] = {AddPerson, EditPerson, DeletePerson};
    // The commands by those rights, as the main menu enables them.
    void enableCommands(const PageRights& rights);
    // Before the search of an opening: the filter boxes emptied.
    void prepareForOpening();

    ListWindow* list() const { return m_list; }

public slots:
    void src_btnClick(); // search
    void ostanChange();
    void add_locClick();
    void N19Click();     // remove the chosen service place
    void N1Click();      // new person
    void N2Click();      // edit the current person
    void N3Click();      // delete the current person
    void N5Click();      // export

protected:
    void showEvent(QShowEvent* event) override;

    // The list's filters that are on, as the insurer's list takes them.
    Insurance::ListFilters insurerFilters() const;
    // Every row of the list, in the order shown.
    QList<QVariantMap> listedRows() const;

private:
    void connectFamilyCommands();

    ListWindow* m_list;
};
