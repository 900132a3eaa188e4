#include "account_now.h"

#include "core/lock_keys.h"
#include "core/session.h"
#include "core/texts.h"
#include "platform/ui/msg.h"

namespace AccountNow {

namespace {

// The levels of the commands in progress, the innermost last; the windows'
// own thread's, where their commands run.
QList<QStringList>& reserved()
{
    thread_local QList<QStringList> levels;
    return levels;
}

bool signedIn() { return !Session::user().prs_id.isEmpty(); }

[[noreturn]] void refuse(const QString& words)
{
    DbError refusal(QStringLiteral("the signed-in account refuses the write: ") + words, QStringLiteral("select users"));
    refusal.told = words;
    throw refusal;
}

// The account's row as stored now; empty when it is gone (an id that is no
// number is no account).
QVariantMap storedNow()
{
    bool number = false;
    const qint64 id = Session::user().prs_id.toLongLong(&number);
    if (!number)
        return {};
    return Sql::row(QStringLiteral("select status, lev from users where id=?"), {id});
}

} // namespace

QList<LockKey> keys() { return signedIn() ? QList<LockKey>{Keys::rights(true)} : QList<LockKey>{}; }

void check()
{
    if (!signedIn())
        return;
    const QVariantMap row = storedNow();
    if (row.isEmpty())
        refuse(CoreText::OwnUserGone);
    if (row.value(QStringLiteral("status")).toString() != CoreText::ActiveStatus)
        refuse(CoreText::UserInactive);
    if (!reserved().isEmpty() && !reserved().last().contains(row.value(QStringLiteral("lev")).toString()))
        refuse(CoreText::OwnLevelChanged);
}

bool adminNow()
{
    return signedIn() && storedNow().value(QStringLiteral("lev")).toString() == QLatin1String("admin");
}

void levelChanged() { refuse(CoreText::OwnLevelChanged); }

ForLevels::ForLevels(const QStringList& levels) { reserved().append(levels); }
ForLevels::~ForLevels() { reserved().removeLast(); }

void exclusive(const QList<LockKey>& keys, const std::function<void()>& body, Sql::Where where)
{
    Sql::exclusive(keys + AccountNow::keys(), [&] {
        check();
        body();
    }, where);
}

Standing standingNow()
{
    try {
        exclusive({}, [] {});
        return Standing::Allowed;
    } catch (const DbError& e) {
        if (e.told.isEmpty())
            return Standing::Unread;
        Msg::error(e.told);
        return Standing::Refused;
    }
}

} // namespace AccountNow
