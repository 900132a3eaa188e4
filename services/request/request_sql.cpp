#include "request_sql.h"

#include "core/account_now.h"
#include "core/entry.h"
#include "core/exclusive_save.h"
#include "core/session.h"
#include "core/setting_values.h"
#include "core/stamp.h"
#include "core/texts.h"
#include "platform/ui/msg.h"
#include "services/request/request_list.h"
#include "services/request/texts.h"

namespace RequestSql {

namespace {

// A person's id as the window holds it; nothing for an empty text, -1 or
// anything else that is no id: then no person was chosen.
std::optional<qint64> chosenId(const QVariant& owner)
{
    bool ok = false;
    const qint64 id = owner.toString().trimmed().toLongLong(&ok);
    if (!ok || id <= 0)
        return std::nullopt;
    return id;
}

// A request belongs to its owner, the person (core/lock_keys.h).
const Keys::Belonging& ownerPair(const RequestDesc& desc)
{
    return Keys::belonging(desc.table, QStringLiteral("personel_id"));
}

// Whether the current user approves the owner of the request in one of the
// hierarchy tables, as they are now; an administrator approves every request.
// The level is the account's as stored now: an administrator demoted since
// the sign-in, who passed the gate as one, is told the level changed.
bool approvesOwner(const RequestDesc& desc, qint64 id, const QStringList& hierarchyTables)
{
    if (AccountNow::adminNow())
        return true;
    for (const QString& table : hierarchyTables)
        if (Sql::exists(QStringLiteral("select %1.id from %1 join personel on personel.id=%1.personel_id "
                                       "join %2 on %2.slave=personel.nation where %1.id=? and %2.master=?")
                            .arg(desc.table, table),
                        {id, Session::user().karbar}))
            return true;
    if (Session::user().isAdmin())
        AccountNow::levelChanged();
    return false;
}

} // namespace

QString pending(const QString& column)
{
    return QStringLiteral("(%1 is null or %1='')").arg(column);
}

bool hasDuplicate(const RequestDesc& desc, const QVariant& owner, const Row& fields)
{
    QString sql = QStringLiteral("select id from %1 where personel_id=?").arg(desc.table);
    QVariantList values{owner};
    for (const QString& key : desc.duplicateKeys) {
        sql += QStringLiteral(" and %1=?").arg(key);
        values << column_value(fields, key);
    }
    if (desc.duplicateOnlyPending)
        sql += QStringLiteral(" and ") + pending(desc.approvalColumn);
    return Sql::exists(sql, values);
}

LockKey requestKey(const RequestDesc& desc, qint64 id)
{
    return Keys::record(desc.table, id);
}

Outcome insert(const RequestDesc& desc, const QVariant& owner, const Row& fields, qint64* id,
               const QStringList& moreStamps)
{
    Outcome outcome = Outcome::Done;
    // The duplicate check and the insert, as one, for every request of the
    // table: a second workstation's same request sees this one. Under the
    // keys of the owner's delete: a person deleted at the same moment is
    // deleted before the check finds the person gone, or after the request is
    // written (a deleted person's requests stay).
    const std::optional<qint64> person = chosenId(owner);
    if (!person)
        return Outcome::NoOwner;
    Sql::exclusive(Keys::ownerKeys(ownerPair(desc), *person) + QList<LockKey>{Keys::table(desc.table)}, [&] {
        if (!Keys::ownerThere(ownerPair(desc), *person)) {
            outcome = Outcome::OwnerGone;
            return;
        }
        if (hasDuplicate(desc, *person, fields)) {
            outcome = Outcome::Duplicate;
            return;
        }
        Row row{{QStringLiteral("personel_id"), *person}};
        row += fields;
        const qint64 newId = Stamp::insert(desc.table, row, QStringList{desc.sentColumn} + moreStamps);
        if (desc.insertDetails)
            desc.insertDetails(newId, *person);
        if (id)
            *id = newId;
    });
    return outcome;
}

Outcome approve(const RequestDesc& desc, qint64 id, const Row& fields, const Stamping& stamp,
                const QVariantMap& expected)
{
    Outcome outcome = Outcome::Done;
    // A manager's approval holds the hierarchies, so that the pair that lets
    // him approve cannot go between the check and the stamp.
    QList<LockKey> keys{Keys::table(desc.table, true), requestKey(desc, id)};
    if (!stamp.approverIn.isEmpty())
        keys += Keys::hierarchies(true);
    Sql::exclusive(keys, [&] {
        if (!stamp.approverIn.isEmpty() && !approvesOwner(desc, id, stamp.approverIn)) {
            outcome = record_now(desc.table, id, {}) == RecordNow::Gone ? Outcome::Gone : Outcome::NotApprover;
            return;
        }
        if (!expected.isEmpty()) {
            switch (record_now(desc.table, id, expected)) {
            case RecordNow::Gone: outcome = Outcome::Gone; return;
            case RecordNow::Changed: outcome = Outcome::Changed; return;
            case RecordNow::Same: break;
            }
        }
        Row values = stamp.saveFields ? fields : Row{};
        if (!stamp.nameColumn.isEmpty())
            values.append({stamp.nameColumn, approverSurname()});
        if (stamp.column.isEmpty() || stamp.clear) {
            if (stamp.clear)
                values.append({stamp.column, QVariant()});
            const int changed = values.isEmpty()
                ? int(Sql::exists(QStringLiteral("select id from %1 where id=?").arg(desc.table), {id}))
                : Sql::update(desc.table, values, QStringLiteral("id=?"), {id});
            if (changed == 0)
                outcome = Outcome::Gone;
        } else if (stamp.onlyWhenEmpty) {
            // The fields always; the date only while the request has none, as
            // the database has it when the statement runs.
            const int changed = values.isEmpty()
                ? int(Sql::exists(QStringLiteral("select id from %1 where id=?").arg(desc.table), {id}))
                : Sql::update(desc.table, values, QStringLiteral("id=?"), {id});
            if (changed == 0) {
                outcome = Outcome::Gone;
                return;
            }
            Stamp::update(desc.table, {stamp.column}, QStringLiteral("id=? and ") + pending(stamp.column), {id});
        } else if (Stamp::update(desc.table, {stamp.column}, QStringLiteral("id=?"), {id}, values) == 0) {
            outcome = Outcome::Gone;
        }
    });
    return outcome;
}

std::optional<bool> isApproved(const RequestDesc& desc, qint64 id)
{
    const QVariantMap row =
        Sql::row(QStringLiteral("select %1 from %2 where id=?").arg(desc.approvalColumn, desc.table), {id});
    if (row.isEmpty())
        return std::nullopt;
    return !row.value(desc.approvalColumn).toString().isEmpty();
}

Outcome remove(const RequestDesc& desc, qint64 id, bool onlyPending)
{
    Outcome outcome = Outcome::Done;
    // The keys of a request's delete, which the writers of its travellers,
    // guests and companions take too (core/lock_keys.h).
    Sql::exclusive(Keys::deleteKeys(desc.table, id), [&] {
        QString condition = QStringLiteral("id=?");
        if (onlyPending)
            condition += QStringLiteral(" and ") + pending(desc.approvalColumn);
        if (Sql::exec(QStringLiteral("delete from %1 where %2").arg(desc.table, condition), {id}).numRowsAffected() > 0)
            return;
        const std::optional<bool> approved = isApproved(desc, id);
        outcome = !approved ? Outcome::Gone : Outcome::Approved;
    });
    return outcome;
}

QString approverSurname()
{
    const QString own = Session::user().personel_id;
    if (own.isEmpty()) {
        // An account without a person record (the administrator) signs with
        // the account's own name, or its user name when it has none.
        const QString name = Sql::scalar(QStringLiteral("select nam from users where id=?"), {Session::user().prs_id})
                                 .toString()
                                 .trimmed();
        return name.isEmpty() ? Session::user().karbar : name;
    }
    return Sql::scalar(QStringLiteral("select lname from personel where id=?"), {own.toLongLong()}).toString();
}

} // namespace RequestSql

using RequestSql::Outcome;

bool insert_request(const RequestDesc& desc, const QVariant& owner, const Row& fields,
                    const QString& noOwnerMessage, qint64* id, const QStringList& moreStamps)
{
    Outcome outcome = Outcome::Done;
    // A refusal of the database's own for a value already on file is told in the feature's words.
    if (!exclusive_save(RequestList::AddRequest.right, {}, desc.duplicateMessage, [&] { outcome = RequestSql::insert(desc, owner, fields, id, moreStamps); }))
        return false;
    switch (outcome) {
    case Outcome::Duplicate:
        Msg::info(desc.duplicateMessage);
        return false;
    case Outcome::NoOwner:
        Msg::info(noOwnerMessage);
        return false;
    case Outcome::OwnerGone:
        Msg::info(RequestSql::ownerPair(desc).gone);
        return false;
    default:
        Msg::info(RequestText::Saved);
        return true;
    }
}

bool delete_request_rules(const RequestDesc& desc, qint64 id)
{
    if (id <= 0)
        return false;
    std::optional<bool> approved;
    if (!Db::guard([&] { approved = RequestSql::isApproved(desc, id); }))
        return false;
    if (!approved) {
        Entry::sayGone();
        return false;
    }
    const bool admin = Session::user().isAdmin();
    if (*approved && !admin) {
        Msg::info(RequestText::ApprovedNoDelete);
        return false;
    }
    if (*approved) {
        if (!ask_delete_password(CoreText::DeletePasswordList))
            return false;
    } else if (admin && !Msg::confirm(RequestText::AdminDeleteQuestion)) {
        return false;
    }
    // A pending request is deleted only while it is still pending: another
    // workstation may have approved it since. An approved one, by the
    // administrator alone, as the level is stored at the write.
    Outcome outcome = Outcome::Done;
    std::optional<AccountNow::ForLevels> adminAlone;
    if (*approved)
        adminAlone.emplace();
    if (!exclusive_save(RequestList::DeleteRequest.right, {}, QString(), [&] { outcome = RequestSql::remove(desc, id, !*approved); }))
        return false;
    switch (outcome) {
    case Outcome::Approved:
        Msg::info(RequestText::ApprovedNoDelete);
        return false;
    case Outcome::Gone:
        Entry::sayGone();
        return false;
    default:
        Msg::info(RequestText::Deleted);
        return true;
    }
}
