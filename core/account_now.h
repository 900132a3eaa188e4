#pragma once
// The signed-in account as the database holds it at the moment of a write.
// The account kept at the sign-in (core/session.h) decides what the windows
// show; what is written follows the account's row (users) as stored now: a
// write of a clerk whose account another workstation has deleted or made
// inactive since, and a command reserved for a level by an account no longer
// of that level, are refused with words that say why, and write nothing.
//
// Every write checks it in one place, exclusive() below, through which
// exclusive_save and page_write (core/exclusive_save.h) run: keys() taken
// with the write's own, check() under them before the body. An account's delete and an edit of its row take the
// same key exclusively (core/lock_keys.h), so that the check and the write
// never interleave with them. The writes before a sign-in (the sign-in
// itself, the installer's first account) have no account to check.
//
// A command reserved for a level says so for the time of its write:
//
//     AccountNow::ForLevels admin;            // the administrator's alone
//     exclusive_save({Keys::persons()}, QString(), [&] { ... });

#include "platform/db/sql.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace AccountNow {

// The key the check runs under: the rights key shared, which every write of
// a page holds already; none while nobody is signed in.
QList<LockKey> keys();

// Inside a write's transaction, under keys(): throws DbError, its words told
// (CoreText::OwnUserGone, UserInactive, OwnLevelChanged), when the signed-in
// account is no longer there, no longer active, or no longer of a level the
// command in progress is reserved for. Nothing while nobody is signed in.
void check();

// Whether the signed-in account's level as stored now is the administrator's,
// for a write whose rows depend on it (an administrator approves every
// request). Throws DbError.
bool adminNow();

// Throws the refusal of a level changed since the sign-in: a command the
// sign-in's level let begin that the level stored now does not allow.
[[noreturn]] void levelChanged();

// While one lives, the writes of this thread are a command reserved for
// these levels (the administrator's, unless named), checked by check().
class ForLevels {
public:
    explicit ForLevels(const QStringList& levels = {QStringLiteral("admin")});
    ~ForLevels();
    ForLevels(const ForLevels&) = delete;
    ForLevels& operator=(const ForLevels&) = delete;
};

// Sql::exclusive with the check: keys() taken with keys, check() run under
// them before body. Throws DbError (the refusal's words told).
void exclusive(const QList<LockKey>& keys, const std::function<void()>& body, Sql::Where where = Sql::Where::current());

// For a command that writes nothing in the database but is a write all the
// same (a backup's file): check() in a transaction of its own, under keys().
// Refused: its words were said; Unread: the database did not answer (nothing
// said: the command meets that failure itself and says it in its own words).
enum class Standing { Allowed, Refused, Unread };
Standing standingNow();

} // namespace AccountNow
