#include "exclusive_save.h"

#include "platform/db/sql.h"
#include "platform/ui/msg.h"

namespace {

void lockFrom(const QStringList& keys, qsizetype at, const std::function<void()>& body)
{
    if (at == keys.size()) {
        body();
        return;
    }
    Sql::exclusive(keys.at(at), [&] { lockFrom(keys, at + 1, body); });
}

} // namespace

bool exclusive_save(const QStringList& keys, const QString& duplicateMessage, const std::function<void()>& body)
{
    bool duplicate = false;
    const bool done = Db::guard([&] {
        try {
            if (keys.isEmpty())
                Sql::transaction(body);
            else
                lockFrom(keys, 0, body);
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
