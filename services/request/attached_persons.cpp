#include "attached_persons.h"

#include "core/exclusive_save.h"
#include "core/entry.h"
#include "core/list_window.h"
#include "core/texts.h"
#include "platform/ui/msg.h"
#include "services/texts.h"

#include <QLabel>
#include <QWidget>

namespace {

const QString FName = QStringLiteral("fname");
const QString LName = QStringLiteral("lname");

} // namespace

AttachedPersons::AttachedPersons(AttachedDescription desc, QTableView* grid, QLabel* countLabel, QWidget* window)
    : QObject(window), m_desc(std::move(desc)), m_countLabel(countLabel)
{
    m_entry = new Entry(m_desc.table, window);
    ListDescription list;
    list.from = m_desc.table + QStringLiteral(" where id<>-1");
    list.orderBy = QStringLiteral("id");
    list.grid = m_desc.grid;
    m_list = new ListWindow(list, grid, nullptr, this);
    m_list->setScope([this] { return Condition{QStringLiteral(" and ") + m_desc.parent + QStringLiteral("=?"), {m_request}}; });
}

void AttachedPersons::bind(const QList<QPair<QWidget*, QString>>& boxes)
{
    m_entry->bind(boxes);
    if (!m_first && !boxes.isEmpty())
        m_first = boxes.first().first;
}

void AttachedPersons::openFor(const QVariant& requestId)
{
    m_request = requestId;
    m_entry->openNew();
    refresh();
    if (m_first)
        m_first->setFocus();
}

void AttachedPersons::refresh()
{
    m_list->search();
    Db::guard([&] {
        m_count = Sql::scalar(QStringLiteral("select count(*) from ") + m_desc.table + QStringLiteral(" where ") +
                                  m_desc.parent + QStringLiteral("=?"),
                              {m_request})
                      .toInt();
    });
    if (m_countLabel)
        m_countLabel->setText(QString::number(m_count));
    emit changed();
}

bool AttachedPersons::has(const QString& fname, const QString& lname) const
{
    return Sql::exists(QStringLiteral("select id from ") + m_desc.table + QStringLiteral(" where ") + m_desc.parent +
                           QStringLiteral("=? and fname=? and lname=?"),
                       {m_request, fname, lname});
}

std::optional<int> AttachedPersons::addAll(const QList<Row>& persons)
{
    int added = 0;
    bool gone = false;
    const qint64 request = m_request.toLongLong();
    // The check and the insert as one, under the request's own key (its
    // delete's, core/lock_keys.h): a second workstation adding the same person
    // to the same request waits, then finds the row; an approval or a delete
    // of the request waits, or is waited for.
    const Keys::Belonging& owner = Keys::belonging(m_desc.table, m_desc.parent);
    const bool done = exclusive_save(AddPerson.right, Keys::ownerKeys(owner, request) + QList<LockKey>{Keys::table(m_desc.table, true)},
                                     QString(), [&] {
        added = 0;
        gone = !Keys::ownerThere(owner, request);
        if (gone)
            return;
        for (Row person : persons) {
            fit_to_columns(person, m_desc.table);
            if (has(column_value(person, FName).toString(), column_value(person, LName).toString()))
                continue;
            Row values{{m_desc.parent, m_request}};
            values += person;
            Sql::insert(m_desc.table, values);
            ++added;
        }
    });
    if (!done)
        return std::nullopt;
    if (gone) {
        Msg::info(owner.gone);
        return std::nullopt;
    }
    refresh();
    return added;
}

void AttachedPersons::add()
{
    if (!m_request.isValid())
        return;
    std::optional<Row> person = m_entry->values();
    if (!person)
        return;
    for (auto& [column, value] : *person)
        if (m_desc.numbers.contains(column))
            value = value.toString().trimmed().isEmpty() ? QVariant() : QVariant(value.toString().toLongLong());
    const std::optional<int> added = addAll({*person});
    if (!added)
        return;
    if (*added == 0) {
        Msg::info(ServiceText::PersonDuplicate);
        return;
    }
    if (m_first)
        m_first->setFocus();
}

void AttachedPersons::deleteBack()
{
    const QVariantMap person = m_list->currentRow();
    if (person.isEmpty())
        return;
    m_entry->fill(person);
    if (!delete_record(m_desc.table, person.value(QStringLiteral("id")).toLongLong(), {}, DeletePerson.right)) {
        refresh();
        return;
    }
    Msg::info(CoreText::RowDeleted);
    if (m_first)
        m_first->setFocus();
    refresh();
}

QList<QVariantMap> AttachedPersons::rowsOf(const QString& table, const QString& parent, const QVariant& requestId)
{
    return Sql::rows(QStringLiteral("select * from ") + table + QStringLiteral(" where ") + parent +
                         QStringLiteral("=? order by id"),
                     {requestId});
}
