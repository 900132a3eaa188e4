#include "request_entry.h"

#include "core/session.h"
#include "core/setting_values.h"
#include "platform/ui/form.h"
#include "services/request/request_sql.h"
#include "services/request/texts.h"

#include <QPushButton>


RequestEntry::RequestEntry(RequestDesc desc, Entry* entry, Form* window, QPushButton* ins_btn,
                           QPushButton* edit_btn)
    : QObject(window), m_desc(std::move(desc)), m_entry(entry), m_window(window), m_edit(edit_btn)
{
    m_entry->modeButtons(ins_btn, edit_btn);
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
    RequestSql::Outcome outcome = RequestSql::Outcome::Done;
    if (!approve_request(m_desc, m_entry->id(), *fields, approval.stamp, approval.showEdited, m_entry->stored(),
                         &outcome)) {
        if (outcome == RequestSql::Outcome::Changed)
            m_entry->showChangedElsewhere();
        return false;
    }
    m_entry->keepStored();
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
