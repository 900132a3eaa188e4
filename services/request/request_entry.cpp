#include "request_entry.h"

#include "core/session.h"
#include "core/setting_values.h"
#include "platform/ui/form.h"
#include "platform/ui/msg.h"
#include "services/request/request_list.h"
#include "services/request/request_sql.h"
#include "services/request/texts.h"

#include <QPushButton>


RequestEntry::RequestEntry(RequestDesc desc, Entry* entry, Form* window, QPushButton* ins_btn,
                           QPushButton* edit_btn)
    : QObject(window), m_desc(std::move(desc)), m_entry(entry), m_window(window), m_edit(edit_btn)
{
    m_entry->modeButtons(ins_btn, edit_btn);
    m_entry->commands(RequestList::AddRequest, RequestList::ApproveRequest);
}

void RequestEntry::prepareNew(const std::function<void()>& presets)
{
    m_entry->openNew();
    for (QPushButton* b : std::as_const(m_approveButtons))
        b->setVisible(false);
    if (presets)
        presets();
}

void RequestEntry::openNew(const std::function<void()>& presets)
{
    prepareNew(presets);
    m_window->showModal();
}

bool RequestEntry::prepareApprove(qint64 id, QPushButton* shown)
{
    QVariantMap row;
    if (!Db::guard([&] { row = stored_record(m_desc.table, id); }))
        return false;
    if (row.isEmpty()) {
        Entry::sayGone();
        return false;
    }
    m_entry->openEdit(row);
    m_gated = shown && shown != m_edit;
    if (shown && shown != m_edit && m_edit)
        m_edit->setVisible(false);
    for (QPushButton* b : std::as_const(m_approveButtons))
        b->setVisible(b == shown);
    return true;
}

void RequestEntry::openApprove(qint64 id, QPushButton* shown)
{
    if (prepareApprove(id, shown))
        m_window->showModal();
}

std::optional<Row> RequestEntry::values() const
{
    std::optional<Row> values = m_entry->values();
    if (!values)
        return values;
    for (auto& [column, value] : *values)
        if (m_numbers.contains(column))
            value = value.toString().toLongLong();
    if (m_adjust)
        m_adjust(*values);
    return values;
}

bool RequestEntry::insert(const QVariant& owner, const QString& noOwnerMessage, const QStringList& moreStamps)
{
    const std::optional<Row> fields = values();
    if (!fields)
        return false;
    if (!insert_request(m_desc, owner, *fields, noOwnerMessage, nullptr, moreStamps))
        return false;
    emit changed();
    return true;
}

bool RequestEntry::insertForUser()
{
    return insert(Session::user().personel_id, RequestText::NoPersonRecord);
}

bool RequestEntry::approve(const Approval& approval)
{
    if (!m_entry->isEdit())
        return false;
    const std::optional<Row> fields = values();
    if (!fields)
        return false;
    // The record's check, the approval and the row the window keeps after it,
    // as one command under the request's keys (and the hierarchies' for a
    // manager's approval, taken first as the one order has it).
    const QList<LockKey> keys =
        approval.stamp.approverIn.isEmpty() ? QList<LockKey>{} : QList<LockKey>{Keys::hierarchies(true)};
    RequestSql::Outcome outcome = RequestSql::Outcome::Done;
    const Entry::Saved saved = m_entry->saveEdit(
        keys, QString(), [&] { outcome = RequestSql::approve(m_desc, m_entry->id(), *fields, approval.stamp); },
        m_gated ? Entry::Allowed::ByOwnGate : Entry::Allowed::ByPageRight);
    if (saved != Entry::Saved::Done)
        return false;
    if (outcome == RequestSql::Outcome::NotApprover) {
        Msg::info(RequestText::NotManager);
        return false;
    }
    if (approval.showEdited)
        Msg::info(RequestText::Edited);
    emit changed();
    if (approval.closeWindow)
        m_window->close();
    return true;
}

bool manager_gate(const QString& passwordList, Form* entryWindow, Form* managerWindow,
                  const std::function<void()>& prepare)
{
    if (!ask_delete_password(passwordList))
        return false;
    if (prepare)
        prepare();
    entryWindow->close();
    managerWindow->showModal();
    return true;
}
