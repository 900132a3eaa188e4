#include "lock_keys.h"

#include "core/texts.h"

#include <algorithm>

namespace Keys {

namespace {

// Tables first, in the order of the header; records after every table.
enum Order { Rights = 5, Persons = 10, Accounts = 20, Hierarchies = 40, Dependants = 50, OtherTables = 100,
             Records = 1000 };

LockKey key(const QString& name, int order, bool shared, QStringList tables = {})
{
    if (tables.isEmpty())
        tables = {name.toLower()};
    return {name, order, shared, tables};
}

} // namespace

LockKey persons(bool shared) { return key(QStringLiteral("personel"), Persons, shared); }
LockKey accounts(bool shared) { return key(QStringLiteral("users"), Accounts, shared); }
LockKey rights(bool shared) { return key(QStringLiteral("dastrasi"), Rights, shared); }
// Both hierarchies' tables are written under one key.
LockKey hierarchies(bool shared)
{
    return key(QStringLiteral("marateb_k"), Hierarchies, shared,
               {QStringLiteral("marateb_k"), QStringLiteral("marateb_v"), QStringLiteral("marateb")});
}
LockKey dependants(bool shared) { return key(QStringLiteral("takafol"), Dependants, shared); }

LockKey table(const QString& name, bool shared)
{
    // The tables with a place of their own keep it, however they are named.
    for (const LockKey& own : {persons(shared), accounts(shared), rights(shared), hierarchies(shared), dependants(shared)})
        if (own.name == name)
            return own;
    if (name == QLatin1String("marateb_v") || name == QLatin1String("marateb"))
        return hierarchies(shared);
    return key(name, OtherTables, shared);
}

LockKey record(const QString& table, qint64 id)
{
    return key(table + QLatin1Char(':') + QString::number(id), Records, false, {table.toLower()});
}

LockKey rowsOf(const QString& table, qint64 owner)
{
    // Not a record's form ("table:id"): the rows of owner 5 are not row 5.
    return key(table + QStringLiteral("/owner:") + QString::number(owner), Records, false, {table.toLower()});
}

// ---- Rows that belong to another ----

namespace {

// The deletes of owner rows. A person's delete holds the persons whole (it
// checks and carries the national code); an account's holds the accounts and
// the account's row, and the rights key whole, under which every write checks
// the signed-in account; a request's or a suite's, its table shared and its row.
QList<LockKey> personDelete(qint64) { return {persons()}; }
QList<LockKey> accountDelete(qint64 id) { return {rights(), accounts(), record(QStringLiteral("users"), id)}; }
std::function<QList<LockKey>(qint64)> rowDelete(const QString& owner)
{
    return [owner](qint64 id) { return QList<LockKey>{table(owner, true), record(owner, id)}; };
}

} // namespace

const QList<Belonging>& belongings()
{
    using namespace CoreText;
    const auto pair = [](const char* child, const char* column, const char* owner,
                         std::function<QList<LockKey>(qint64)> deleteKeys, const QString& gone) {
        return Belonging{QLatin1String(child), QLatin1String(column), QLatin1String(owner), std::move(deleteKeys), gone};
    };
    static const QList<Belonging> all{
        // A person's electronic file and dependants, which go with the person.
        pair("personel_pic", "personel_id", "personel", personDelete, PersonGone),
        pair("takafol", "personel_id", "personel", personDelete, PersonGone),
        // A person's requests, which stay when the person goes: a new one needs the person.
        pair("khabghah", "personel_id", "personel", personDelete, PersonGone),
        pair("vam", "personel_id", "personel", personDelete, PersonGone),
        pair("paziraei", "personel_id", "personel", personDelete, PersonGone),
        pair("ticket", "personel_id", "personel", personDelete, PersonGone),
        pair("hazine", "personel_id", "personel", personDelete, PersonGone),
        pair("zemanat", "personel_id", "personel", personDelete, PersonGone),
        pair("taeidat", "personel_id", "personel", personDelete, PersonGone),
        pair("kargozini", "personel_id", "personel", personDelete, PersonGone),
        // A guesthouse stay's companions, a hospitality order's guests, a ticket's travellers.
        pair("hamrahan", "khabghah_id", "khabghah", rowDelete(QStringLiteral("khabghah")), RequestGone),
        pair("paziraei_nafarat", "paziraei_id", "paziraei", rowDelete(QStringLiteral("paziraei")), RequestGone),
        pair("ticket_nafarat", "ticket_id", "ticket", rowDelete(QStringLiteral("ticket")), RequestGone),
        // A guesthouse suite's photographs and its statuses by day.
        pair("khabgahha_pic", "khabgahha_id", "khabgahha", rowDelete(QStringLiteral("khabgahha")), SuiteGone),
        pair("khabgahha_rezerv", "khabgahha_id", "khabgahha", rowDelete(QStringLiteral("khabgahha")), SuiteGone),
        // An account's rights and scope, and the messages it sends and receives.
        pair("dastrasi", "prs_id", "users", accountDelete, UserGone),
        pair("dastrasi2", "user_id", "users", accountDelete, UserGone),
        pair("payamha", "send_prs_id", "users", accountDelete, UserGone),
        pair("payamha", "rec_prs_id", "users", accountDelete, UserGone),
    };
    return all;
}

const Belonging* belongingOf(const QString& child, const QString& column)
{
    for (const Belonging& pair : belongings())
        if (pair.child == child && pair.column == column)
            return &pair;
    return nullptr;
}

const Belonging& belonging(const QString& child, const QString& column)
{
    const Belonging* pair = belongingOf(child, column);
    Q_ASSERT_X(pair, "Keys::belonging", "a pair not named in belongings()");
    return pair ? *pair : belongings().first();
}

QList<LockKey> deleteKeys(const QString& owner, qint64 ownerId)
{
    for (const Belonging& pair : belongings())
        if (pair.owner == owner)
            return pair.deleteKeys(ownerId);
    return {table(owner, true), record(owner, ownerId)};
}

QList<LockKey> ownerKeys(const Belonging& pair, qint64 ownerId)
{
    const QList<LockKey> deleting = pair.deleteKeys(ownerId);
    // A delete that holds a table whole excludes the writers that hold it
    // shared (a message to many accounts takes one key, not one a recipient);
    // one that holds the table shared excludes those that hold the owner's row.
    const bool whole = std::any_of(deleting.begin(), deleting.end(),
                                   [](const LockKey& k) { return k.order < Records && !k.shared; });
    QList<LockKey> keys;
    for (LockKey key : deleting) {
        if (key.order < Records)
            key.shared = true;
        else if (whole)
            continue;
        keys << key;
    }
    return keys;
}

bool ownerThere(const Belonging& pair, const QVariant& ownerId)
{
    bool number = false;
    const qint64 id = ownerId.toString().trimmed().toLongLong(&number);
    // The table's name is the program's own; the id is bound.
    return number && id > 0 && Sql::exists(QStringLiteral("select id from %1 where id=?").arg(pair.owner), {id});
}

// ---- Writes without a key ----

namespace {

// The tables whose writes need no key, each with why.
const char* const KeylessTables[][2] = {
    {"log", "a log row is only ever appended, never checked, changed or deleted by a command"},
};

} // namespace

Unkeyed::Unkeyed(Why why) : m_scope(whyText(why)) {}

const char* Unkeyed::whyText(Why why)
{
    switch (why) {
    case Why::Installer:
        return "the installer makes a new database's tables and first rows, before any workstation uses it";
    }
    return "";
}

void guardWrites(Sql::Offence report)
{
    QStringList tables;
    for (const auto& [table, why] : KeylessTables) {
        Q_UNUSED(why);
        tables << QLatin1String(table);
    }
    Sql::setWriteGuard(std::move(report), tables);
}

} // namespace Keys
