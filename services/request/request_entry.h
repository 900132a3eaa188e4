#pragma once
// The entry window of a request feature, over its boxes bound to the request's
// columns (core/entry.h). Insert mode writes a new request; approve mode is
// opened on one request, whose id it keeps, fills the boxes from that row as
// the database has it and writes that request only, whatever the list shows
// meanwhile. A manager's entry window is the same with the person picker and
// the approve-now box, behind the manager gate.

#include "core/entry.h"
#include "services/request/request.h"

#include <QObject>
#include <QStringList>
#include <functional>

class Form;
class QPushButton;

class RequestEntry : public QObject {
    Q_OBJECT
public:
    // edit_btn may be none (a manager's window only inserts).
    RequestEntry(RequestDesc desc, Entry* entry, Form* window, QPushButton* ins_btn, QPushButton* edit_btn);

    Entry& entry() const { return *m_entry; }
    const RequestDesc& desc() const { return m_desc; }

    // Insert mode: every box emptied, then the feature's presets; only ins_btn
    // shows; the window is shown modally.
    void openNew(const std::function<void()>& presets = {});
    // Approve mode on the request of that id: only edit_btn shows; the window
    // is shown modally. A request deleted meanwhile is said so.
    void openApprove(qint64 id, QPushButton* shown = nullptr);
    // The same without showing the window (the manager's window stays open).
    void prepareNew(const std::function<void()>& presets = {});
    bool prepareApprove(qint64 id, QPushButton* shown = nullptr);
    // Further approval buttons, each an approval of its own (a manager's, a
    // guard's): approve mode shows the one given to it (edit_btn when none),
    // and no other; insert mode shows none of them.
    void addApproveButtons(const QList<QPushButton*>& buttons) { m_approveButtons += buttons; }

    // Columns that take whole numbers (counts, instalments): the number the
    // box holds, 0 when it is empty.
    void setNumbers(const QStringList& columns) { m_numbers = columns; }
    // Values the boxes give differently from their texts, set on the row of
    // values before it is written (after setNumbers's).
    void setAdjust(std::function<void(Row& values)> adjust) { m_adjust = std::move(adjust); }
    // The boxes' values as they will be written; nothing when a box refuses
    // (its message was shown).
    std::optional<Row> values() const;

    // ins_btn: a new request of owner (the current user's person for
    // insertForUser) with the boxes' values; moreStamps are stamped with the
    // send date (an approve-now). True when written; the boxes keep their texts.
    bool insert(const QVariant& owner, const QString& noOwnerMessage, const QStringList& moreStamps = {});
    bool insertForUser();

    // edit_btn: the approval of the request the window was opened on.
    struct Approval {
        Stamping stamp;
        bool showEdited = false;  // "ويرايش شد" after the commit
        bool closeWindow = false; // the window closes after the approval
    };
    bool approve(const Approval& approval);

signals:
    // A request was written: the list shows its rows again.
    void changed();

private:
    RequestDesc m_desc;
    Entry* m_entry;
    Form* m_window;
    QStringList m_numbers;
    std::function<void(Row&)> m_adjust;
    QPushButton* m_edit;
    QList<QPushButton*> m_approveButtons;
    // The window was opened for a confirmation behind its own gate (a
    // manager's, a guard's), not for the page's edit.
    bool m_gated = false;
};

// The manager gate: asks the password stored in the settings list of that
// name; when it matches, prepare readies the manager's window, the entry
// window closes and the manager's window is shown modally. A wrong password
// does nothing and says nothing.
bool manager_gate(const QString& passwordList, Form* entryWindow, Form* managerWindow,
                  const std::function<void()>& prepare);
