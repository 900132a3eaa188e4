#include "rights.h"

#include "core/lock_keys.h"
#include "core/texts.h"
#include "platform/db/sql.h"

const RightsPage rights_pages[22] = {
    {"personel", "personel"},     {"setting_ost", "setting_ost"}, {"log", "log"},
    {"takafol", "takafol"},       {"vam", "vam"},                 {"paziraei", "paziraei"},
    {"kargozini", "kargozini"},   {"taeidat", "taeidat"},         {"zemanat", "zemanat"},
    {"ticket", "ticket"},         {"abadiha", "abadiha"},         {"bime", "bime"},
    {"marateb", "marateb"},       {"hazine", "hazine"},           {"mostanadat", "mostanadat"},
    {"khabghah", "khabghah"},     {"khabghahha", "khabghahha"},   {"e_pers", "e_pers"},
    {"setting", "set"},           {"phone", "phone"},             {"zamaem", "zamaem"},
    {"karbaran", "karbaran"},
};

namespace {

// The two templates, each page's rights as darj, virayesh, hazf, namayesh.
// Pages not listed get no right.
struct TemplateRow {
    const char* page;
    const char* employee;
    const char* office;
};

const TemplateRow template_rows[] = {
    {"personel", "0001", "1111"},   {"setting_ost", "0000", "1111"}, {"takafol", "0001", "1111"},
    {"e_pers", "1111", "1111"},     {"khabghah", "1011", "1111"},    {"khabghahha", "0001", "1111"},
    {"ticket", "1011", "1111"},     {"bime", "0000", "1111"},        {"phone", "0001", "0001"},
    {"zamaem", "0001", "0000"},     {"hazine", "1011", "1111"},      {"mostanadat", "0001", "0001"},
    {"vam", "1011", "1111"},        {"paziraei", "1011", "1111"},    {"kargozini", "1011", "1011"},
    {"zemanat", "1011", "1111"},    {"taeidat", "1011", "1111"},
};

PageRights from_bits(const char* bits)
{
    return {bits[0] == '1', bits[1] == '1', bits[2] == '1', bits[3] == '1'};
}

} // namespace

RightsSet rights_template(const QString& level, const QString& group)
{
    const bool employee = group == CoreText::UserGroupEmployee &&
                          (level == QLatin1String("ostan") || level == QLatin1String("single"));
    const bool office = group == CoreText::UserGroupOffice && level == QLatin1String("ostan");
    RightsSet rights;
    if (!employee && !office)
        return rights;
    for (const TemplateRow& row : template_rows)
        rights.insert(QString::fromLatin1(row.page), from_bits(employee ? row.employee : row.office));
    return rights;
}

RightsSet load_rights(qint64 userId)
{
    RightsSet rights;
    const auto rows = Sql::rows(QStringLiteral("select page_name, darj, virayesh, hazf, namayesh from dastrasi "
                                               "where prs_id=? order by id"),
                                {userId});
    for (const QVariantMap& row : rows) {
        rights.insert(row.value(QStringLiteral("page_name")).toString(),
                      {row.value(QStringLiteral("darj")).toBool(), row.value(QStringLiteral("virayesh")).toBool(),
                       row.value(QStringLiteral("hazf")).toBool(), row.value(QStringLiteral("namayesh")).toBool()});
    }
    return rights;
}

void save_rights(qint64 userId, const RightsSet& rights, bool keepKarbaran)
{
    // A replace: two workstations saving one user's rights end with one whole set.
    // The rights key, as the person insert that gives an account its first
    // rights takes it: a page is written once.
    Sql::exclusive(Keys::rights(), [&] {
        for (const RightsPage& page : rights_pages) {
            const QString name = QString::fromLatin1(page.page_name);
            if (keepKarbaran && name == QLatin1String("karbaran"))
                continue;
            const PageRights r = rights.value(name);
            Sql::exec(QStringLiteral("delete from dastrasi where prs_id=? and page_name=?"), {userId, name});
            Sql::insert(QStringLiteral("dastrasi"), {{QStringLiteral("prs_id"), userId},
                                                     {QStringLiteral("page_name"), name},
                                                     {QStringLiteral("darj"), int(r.darj)},
                                                     {QStringLiteral("virayesh"), int(r.virayesh)},
                                                     {QStringLiteral("hazf"), int(r.hazf)},
                                                     {QStringLiteral("namayesh"), int(r.namayesh)}});
        }
    });
}

QStringList load_scope(qint64 userId)
{
    QStringList entries;
    for (const QVariantMap& row : Sql::rows(QStringLiteral("select cmt from dastrasi2 where user_id=?"), {userId}))
        entries << row.value(QStringLiteral("cmt")).toString();
    return entries;
}

QList<LockKey> scope_keys(qint64 userId)
{
    return {Keys::table(QStringLiteral("dastrasi2"), true), Keys::rowsOf(QStringLiteral("dastrasi2"), userId)};
}

void save_scope(qint64 userId, const QStringList& entries)
{
    // A replace: two workstations saving one user's scope end with one whole list.
    Sql::exclusive(scope_keys(userId), [&] {
        Sql::exec(QStringLiteral("delete from dastrasi2 where user_id=?"), {userId});
        for (const QString& entry : entries)
            Sql::insert(QStringLiteral("dastrasi2"),
                        {{QStringLiteral("user_id"), userId}, {QStringLiteral("cmt"), entry}});
    });
}

namespace {

QString column(ScopeColumns columns, const char* name)
{
    return columns == ScopeColumns::Qualified ? QStringLiteral("personel.") + QLatin1String(name)
                                              : QString::fromLatin1(name);
}

// The user's id as a number for the scope list's user_id; an id that is not a
// number matches no scope row.
qint64 user_id(const CurrentUser& user)
{
    bool ok = false;
    const qint64 id = user.prs_id.toLongLong(&ok);
    return ok ? id : -1;
}

} // namespace

ScopeClause scope_by_level(const CurrentUser& user, ScopeColumns columns)
{
    if (user.level == QLatin1String("admin"))
        return {};
    if (user.level == QLatin1String("single"))
        return {QStringLiteral(" and ") + column(columns, "nation") + QStringLiteral("=?"), {user.karbar}};
    return {QStringLiteral(" and ") + column(columns, "shahrestan") +
                QStringLiteral(" in ( select cmt from dastrasi2 where user_id=?)"),
            {user_id(user)}};
}

ScopeClause scope_by_level(ScopeColumns columns) { return scope_by_level(Session::user(), columns); }

ScopeClause insurance_scope_by_level(const CurrentUser& user)
{
    if (user.level == QLatin1String("single"))
        return {QStringLiteral(" and nation=?"), {user.karbar}};
    if (user.level == QLatin1String("multi"))
        return {QStringLiteral(" and company in ( select cmt from dastrasi2 where user_id=?)"), {user_id(user)}};
    return {};
}

ScopeClause insurance_scope_by_level() { return insurance_scope_by_level(Session::user()); }
