#include "exclusive_save.h"

#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"

bool exclusive_save(const QList<LockKey>& keys, const QString& duplicateMessage, const std::function<void()>& body)
{
    bool duplicate = false;
    const bool done = Db::guard([&] {
        try {
            Sql::exclusive(keys, body);
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

bool exclusive_save(PageWrite write, const QList<LockKey>& keys, const QString& duplicateMessage,
                    const std::function<void()>& body)
{
    // Outside a page there is no right to check, and no key for it.
    if (page_in_use().isEmpty())
        return exclusive_save(keys, duplicateMessage, body);
    bool refused = false;
    if (!exclusive_save(with_rights_key(keys), duplicateMessage, [&] {
            refused = !may_write_now(write);
            if (!refused)
                body();
        }))
        return false;
    if (refused)
        Msg::info(CoreText::NoPageAccess);
    return !refused;
}

QList<LockKey> with_rights_key(const QList<LockKey>& keys)
{
    if (page_in_use().isEmpty())
        return keys;
    return keys + QList<LockKey>{Keys::rights(true)};
}
