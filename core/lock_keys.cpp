#include "lock_keys.h"

namespace Keys {

namespace {

// Tables first, in the order of the header; records after every table.
enum Order { Persons = 10, Accounts = 20, Rights = 30, Hierarchies = 40, Dependants = 50, OtherTables = 100,
             Records = 1000 };

LockKey key(const QString& name, int order, bool shared) { return {name, order, shared}; }

} // namespace

LockKey persons(bool shared) { return key(QStringLiteral("personel"), Persons, shared); }
LockKey accounts(bool shared) { return key(QStringLiteral("users"), Accounts, shared); }
LockKey rights(bool shared) { return key(QStringLiteral("dastrasi"), Rights, shared); }
// Both hierarchies' tables are written under one key.
LockKey hierarchies(bool shared) { return key(QStringLiteral("marateb_k"), Hierarchies, shared); }
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
    return key(table + QLatin1Char(':') + QString::number(id), Records, false);
}

LockKey rowsOf(const QString& table, qint64 owner)
{
    // The same form as a record's key, as earlier versions spelled it.
    return key(table + QLatin1Char(':') + QString::number(owner), Records, false);
}

} // namespace Keys
