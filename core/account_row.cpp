#include "account_row.h"

#include "core/password_hash.h"
#include "platform/db/sql.h"

namespace AccountRow {

namespace {

const QString Users = QStringLiteral("users");

// The stored password of the account; nothing when it is gone.
std::optional<QString> storedNow(qint64 id)
{
    const QVariantMap row = Sql::row(QStringLiteral("select ps from users where id=?"), {id});
    if (row.isEmpty())
        return std::nullopt;
    return row.value(QStringLiteral("ps")).toString();
}

} // namespace

QList<LockKey> keys(qint64 id) { return {Keys::accounts(true), Keys::record(Users, id)}; }

QList<LockKey> deleteKeys(qint64 id) { return Keys::deleteKeys(Users, id); }

QList<LockKey> editKeys(qint64 id) { return deleteKeys(id); }

bool remove(qint64 id)
{
    bool removed = false;
    Sql::exclusive(deleteKeys(id), [&] {
        removed = Sql::exec(QStringLiteral("delete from users where id=?"), {id}).numRowsAffected() > 0;
    });
    return removed;
}

bool afterLogin(qint64 id, const QString& verified, const QString& typed, const QString& version)
{
    // Hashed before the keys are taken: the hash is slow and needs no row.
    const QString hashed = PasswordHash::needsRehash(verified, typed) ? PasswordHash::hash(typed) : QString();
    bool found = false;
    Sql::exclusive(keys(id), [&] {
        found = Sql::update(Users, {{QStringLiteral("ver"), version}}, QStringLiteral("id=?"), {id}) > 0;
        if (found && !hashed.isEmpty())
            Sql::update(Users, {{QStringLiteral("ps"), hashed}}, QStringLiteral("id=? and ps=?"), {id, verified});
    });
    return found;
}

Change change(qint64 id, const QString& old, const QString& hashed)
{
    // The slow hash is checked before the keys are taken, against the stored
    // text as read then; under the keys the text must still be the one
    // checked. A sign-in elsewhere that gave the same password a new hash is
    // checked again, outside the keys; any other change is another's.
    constexpr int Tries = 3;
    for (int tried = 0; tried < Tries; ++tried) {
        const std::optional<QString> verified = storedNow(id);
        if (!verified)
            return Change::Gone;
        if (!PasswordHash::verify(*verified, old))
            return tried == 0 ? Change::WrongPair : Change::ChangedElsewhere;
        Change result = Change::Done;
        bool moved = false;
        Sql::exclusive(keys(id), [&] {
            const std::optional<QString> stored = storedNow(id);
            if (!stored)
                result = Change::Gone;
            else if (*stored != *verified)
                moved = true;
            else
                Sql::update(Users, {{QStringLiteral("ps"), hashed}}, QStringLiteral("id=?"), {id});
        });
        if (!moved)
            return result;
    }
    return Change::ChangedElsewhere;
}

} // namespace AccountRow
