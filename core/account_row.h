#pragma once
// One account's row (users) and what hangs on it, written under the account's
// key: the key its edit window and its delete take, so that a write that
// depends on the account (a message to it, its rights and scope, its
// password) and the account's delete end one after the other. The checks run
// under the key, against the account as the database holds it now. The
// functions throw DbError (run them in Db::guard).
//
//     bool gone = false;
//     exclusive_save(AccountRow::keys(id) + {...}, {}, [&] {
//         gone = !AccountRow::exists(id);
//         if (!gone) ...write what hangs on the account...;
//     });

#include "core/lock_keys.h"

#include <QList>
#include <QString>

namespace AccountRow {

// The keys of one account's row: the accounts' key shared and the row's.
QList<LockKey> keys(qint64 id);
// Whether the account is still there (inside the command, under keys()).
bool exists(qint64 id);
// The keys of an account's delete: the accounts' key exclusively, so that a
// write for any number of accounts needs only the accounts' key shared.
QList<LockKey> deleteKeys(qint64 id);
// Deletes the account; false when it was already gone. Its rights and scope
// rows stay in their tables.
bool remove(qint64 id);

// The stored password is written only after a check of it, so that a
// password set by another workstation in the meantime (the user's own change,
// an administrator's reset) is never undone.

// After a sign-in whose typed password matched verified (the stored text it
// was checked against): a new hash of typed replaces verified where it needs
// one, and only while the account still holds verified. The account's
// program version is recorded with it. False when the account is gone.
bool afterLogin(qint64 id, const QString& verified, const QString& typed, const QString& version);

enum class Change { Done, WrongPair, ChangedElsewhere, Gone };
// The password change: hashed (the new password's hash) is written only while
// the stored password still matches old, as the database holds it now.
// WrongPair: it did not match when the change began; ChangedElsewhere:
// another workstation changed it while the change was checked.
Change change(qint64 id, const QString& old, const QString& hashed);

} // namespace AccountRow
