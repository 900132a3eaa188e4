#include "setting_values.h"

#include "core/password_hash.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"

// "The first row" is the oldest one: the server's order of a table is its key's.
QString setting_value(const QString& listName)
{
    return Sql::scalar(QStringLiteral("select cmt from setting where component=? order by id"), {listName}).toString();
}

QString setting_ost_value(const QString& province, const QString& listName)
{
    return Sql::scalar(QStringLiteral("select cmt from setting_ost where ostan=? and component=? order by id"),
                       {province, listName})
        .toString();
}

bool is_password_list(const QString& listName)
{
    return listName == CoreText::DeletePasswordList || listName == CoreText::LoanManagerPasswordList ||
           listName == CoreText::GuesthouseManagerPasswordList;
}

bool ask_delete_password(const QString& listName)
{
    QString stored;
    if (!Db::guard([&] { stored = setting_value(listName); }))
        return false;
    const std::optional<QString> answer = Msg::password(CoreText::DeletePasswordCaption, listName);
    // With no stored password there is nothing the answer could match: even an
    // empty answer is refused.
    // Passwords are stored hashed; one written before hashing is compared as it stands.
    return answer && !stored.isEmpty() && PasswordHash::verify(stored, *answer);
}
