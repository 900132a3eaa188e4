#pragma once
// One account's row (users): its delete, the sign-in's record and the
// password change, under the account's key, against the account as the
// database holds it now. What hangs on an account (its rights, scope and
// messages) is written under the keys of its delete, named with the other
// rows that belong to another in core/lock_keys.h (Keys::belongings). The
// functions throw DbError (run them in Db::guard).

#include "core/lock_keys.h"

#include <QList>
#include <QString>

namespace AccountRow {

// The keys of one account's row: the accounts' key shared and the row's.
QList<LockKey> keys(qint64 id);
// The keys of an account's delete: the accounts' key exclusively, so that a
// write for any number of accounts needs only the accounts' key shared.
QList<LockKey> deleteKeys(qint64 id);
// The keys of an edit of the account's row (its name, level, status): those
// of its delete, the rights key whole among them, under which every write
// checks the signed-in account (core/account_now.h).
QList<LockKey> editKeys(qint64 id);
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
