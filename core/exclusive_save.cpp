#include "exclusive_save.h"

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
