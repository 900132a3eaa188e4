#include "lock_keys.h"

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
