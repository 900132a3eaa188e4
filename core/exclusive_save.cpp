#include "exclusive_save.h"

#include "core/account_now.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"

namespace {

// Runs run in Db::guard; a value the database refuses as already on file is
// said in the command's own words (duplicateMessage) instead of the general ones.
bool guarded(const QString& duplicateMessage, const std::function<void()>& run)
{
    bool duplicate = false;
    const bool done = Db::guard([&] {
        try {
            run();
        } catch (DbError& e) {
            if (e.kind == DbError::Kind::Duplicate && !e.reported && !duplicateMessage.isEmpty()) {
                duplicate = true;
                e.reported = true; // said below, in the command's own words
            }
            throw;
        }
    });
    if (duplicate)
        Msg::info(duplicateMessage);
    return done;
}

} // namespace

bool exclusive_save(const QList<LockKey>& keys, const QString& duplicateMessage, const std::function<void()>& body)
{
    return guarded(duplicateMessage, [&] { AccountNow::exclusive(keys, body); });
}

bool exclusive_save(PageWrite write, const QList<LockKey>& keys, const QString& duplicateMessage,
                    const std::function<void()>& body)
{
    bool allowed = true;
    if (!guarded(duplicateMessage, [&] { allowed = page_write(write, keys, body); }))
        return false;
    if (!allowed)
        Msg::info(CoreText::NoPageAccess);
    return allowed;
}

bool page_write(PageWrite write, const QList<LockKey>& keys, const std::function<void()>& body)
{
    // Outside a page there is no right to check, and no key for it.
    const bool page = !page_in_use().isEmpty();
    bool allowed = true;
    // First the signed-in account as stored now, under the same key (core/account_now.h).
    AccountNow::exclusive(page ? keys + QList<LockKey>{Keys::rights(true)} : keys, [&] {
        allowed = may_write_now(write);
        if (allowed)
            body();
    });
    return allowed;
}
