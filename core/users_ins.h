#pragma once
// The entry window of user accounts: adds one account or edits the account
// that was opened from the user list. Passwords are stored as salted hashes
// and never shown.

#include "platform/ui/form.h"

#include <QVariantMap>

namespace Ui { class Tusers_ins; }

class Tusers_ins : public Form {
    Q_OBJECT
public:
    explicit Tusers_ins(QWidget* parent = nullptr);
    ~Tusers_ins() override;

    Ui::Tusers_ins* ui;

    // Add mode: empty boxes, status "active".
    void prepareAdd();
    // Edit mode for one account row of the user list (id, us, lev, nam, semat,
    // mobile, ostan, status). The password box stays empty: left empty, the
    // password is kept.
    void prepareEdit(const QVariantMap& row);
    // The id of the account being edited; -1 in add mode.
    qint64 editedId() const { return m_id; }

public slots:
    void ins_btnClick();
    void edit_btnClick();

signals:
    // An account was added or changed; the user list shows it again.
    void saved();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setMode(bool add);

    qint64 m_id = -1;
    QString m_us; // the user name of the account as it was opened
    QVariantMap m_stored; // the columns this window edits, as they were stored when it opened
};
