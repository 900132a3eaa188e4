#include "schema.h"

#include "core/connect_database.h"
#include "core/lock_keys.h"
#include "core/password_hash.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"

#include <QSet>
#include <QtDebug>
#include <functional>
#include <vector>

namespace {

using T = ColumnType;

struct Column {
    const char* name;
    ColumnType type;
    int size = 0;
    bool serverDefault = false; // Date: the server's today; DateTime: its present moment
};

enum class Key { None, Int, BigInt };

struct Table {
    const char* name;
    Key key;
    std::vector<Column> columns;
    std::vector<const char*> indexed; // besides personel_id, which is always indexed
};

// Request, approval and change dates: Persian text yyyy/mm/dd, stamped with the
// server's day (core/stamp.h).
constexpr int DateText = 10;

// Every table in its column order. takafol is listed with its older columns;
// the installer adds taghir and tak to it as two steps of their own.
const std::vector<Table>& tables()
{
    static const std::vector<Table> all = {
        {"users", Key::Int,
         {{"us", T::Text, 25}, {"ps", T::Text, PasswordHash::MaxLength}, {"ver", T::Text, 25},
          {"lev", T::Text, 15}, {"ostan", T::Text, 100}, {"semat", T::Text, 250}, {"mobile", T::Text, 50},
          {"nam", T::Text, 100}, {"status", T::Text, 40}},
         {"us"}},
        {"setting", Key::Int, {{"component", T::Text, 100}, {"cmt", T::Text, 150}, {"def", T::Text, 5}}, {}},
        {"log", Key::Int,
         {{"karbar", T::Text, 150}, {"ip", T::Text, 20}, {"computer_name", T::Text, 50}, {"saat", T::Text, 30},
          {"tarikh", T::Text, 10}, {"cmt", T::Text, 200}, {"saat_sys", T::DateTime, 0, true}},
         {"saat_sys", "tarikh"}},
        {"payamha", Key::Int,
         {{"send_prs_id", T::Int}, {"rec_prs_id", T::Int}, {"send_dat", T::Text, 10}, {"show_dat", T::Text, 10},
          {"mozo", T::Text, 100}, {"cmt", T::Blob}},
         {}},
        {"dastrasi", Key::Int,
         {{"prs_id", T::Int}, {"page_name", T::Text, 25}, {"darj", T::Bit}, {"virayesh", T::Bit},
          {"hazf", T::Bit}, {"namayesh", T::Bit}},
         {}},
        {"zamaem", Key::BigInt,
         {{"cmt", T::Text, 150}, {"ramz", T::Text, 20}, {"pictype", T::Text, 5}, {"pic", T::Blob}}, {}},
        {"mostanadat", Key::BigInt,
         {{"cmt", T::Text, 150}, {"ramz", T::Text, 20}, {"pictype", T::Text, 5}, {"pic", T::Blob}}, {}},
        {"phone", Key::BigInt, {{"name", T::Text, 100}, {"tel", T::Text, 40}, {"cmt", T::Text, 150}}, {}},
        {"personel_pic", Key::BigInt,
         {{"personel_id", T::BigInt}, {"cmt", T::Text, 100}, {"pictyp", T::Text, 10}, {"pic", T::Blob}}, {}},
        {"khabghah", Key::BigInt,
         {{"personel_id", T::BigInt}, {"ostan", T::Text, 50}, {"city", T::Text, 30}, {"dat1", T::Text, 10},
          {"dat2", T::Text, 10}, {"roz", T::Int}, {"shab", T::Int}, {"ersal_dat", T::Text, DateText},
          {"taeed_dat", T::Text, DateText}, {"taeed2_dat", T::Text, DateText}, {"cmt", T::Text, 150}},
         {}},
        {"hamrahan", Key::BigInt,
         {{"khabghah_id", T::BigInt}, {"fname", T::Text, 20}, {"lname", T::Text, 30}, {"sen", T::Int},
          {"nesbat", T::Text, 40}},
         {}},
        {"serials", Key::None, {{"serial1", T::Int}, {"serial2", T::Int}}, {}},
        {"vam", Key::BigInt,
         {{"personel_id", T::BigInt}, {"typ", T::Text, 50}, {"mablagh", T::Money}, {"aghsat", T::Int},
          {"ersal_dat", T::Text, DateText}, {"taeed_dat", T::Text, DateText}, {"marhale", T::Text, 150},
          {"status", T::Text, 150}, {"cmt", T::Text, 250}, {"bank", T::Text, 150}},
         {}},
        {"paziraei", Key::BigInt,
         {{"personel_id", T::BigInt}, {"onvan", T::Text, 100}, {"loc", T::Text, 100}, {"dat", T::Text, 10},
          {"typ", T::Text, 50}, {"cnt", T::Int}, {"modir_name", T::Text, 80}, {"taeed_name", T::Text, 80},
          {"ersal_dat", T::Text, DateText}, {"modir_dat", T::Text, DateText}, {"taeed_dat", T::Text, DateText}},
         {}},
        {"paziraei_nafarat", Key::BigInt,
         {{"paziraei_id", T::BigInt}, {"fname", T::Text, 20}, {"lname", T::Text, 30}, {"ghaza", T::Text, 50},
          {"noshidani", T::Text, 40}, {"other", T::Text, 150}},
         {}},
        {"ticket", Key::BigInt,
         {{"personel_id", T::BigInt}, {"mabda", T::Text, 100}, {"maghsad", T::Text, 100}, {"dat1", T::Text, 10},
          {"dat2", T::Text, 10}, {"saat1", T::Text, 5}, {"saat2", T::Text, 5}, {"typ", T::Text, 50},
          {"cnt", T::Int}, {"ersal_dat", T::Text, DateText}, {"taeed_dat", T::Text, DateText}},
         {}},
        {"ticket_nafarat", Key::BigInt,
         {{"ticket_id", T::BigInt}, {"fname", T::Text, 20}, {"lname", T::Text, 30}, {"nation", T::Text, 10},
          {"birthday", T::Text, 10}},
         {}},
        {"hazine", Key::BigInt,
         {{"personel_id", T::BigInt}, {"mabda", T::Text, 100}, {"maghsad", T::Text, 100}, {"dat1", T::Text, 10},
          {"dat2", T::Text, 10}, {"saat1", T::Text, 5}, {"saat2", T::Text, 5}, {"masir", T::Text, 150},
          {"mablagh", T::Money}, {"cmt", T::Text, 250}, {"typ", T::Text, 50},
          {"ersal_dat", T::Text, DateText}, {"taeed_dat", T::Text, DateText}},
         {}},
        {"zemanat", Key::BigInt,
         {{"personel_id", T::BigInt}, {"bank", T::Text, 60}, {"shobe", T::Text, 70}, {"aghsat", T::Int},
          {"mablagh", T::Money}, {"cmt", T::Text, 150}, {"ersal_dat", T::Text, DateText},
          {"taeed_dat", T::Text, DateText}},
         {}},
        {"taeidat", Key::BigInt,
         {{"personel_id", T::BigInt}, {"mozo", T::Text, 100}, {"cmt", T::Text, 150},
          {"ersal_dat", T::Text, DateText}, {"taeed_dat", T::Text, DateText}},
         {}},
        {"dastrasi2", Key::None, {{"user_id", T::Int}, {"cmt", T::Text, 150}}, {}},
        {"personel", Key::BigInt,
         {{"ostan", T::Text, 100},    {"shahrestan", T::Text, 100}, {"lname", T::Text, 50},
          {"fname", T::Text, 50},     {"father", T::Text, 50},      {"gender", T::Text, 50},
          {"cmt", T::Text, 150},      {"mali_cod", T::Text, 50},    {"bime_no", T::Text, 50},
          {"nation", T::Text, 10},    {"sodor", T::Text, 50},       {"loc", T::Text, 50},
          {"birthday", T::Text, 50},  {"sh_no", T::Text, 10},       {"pec", T::Text, 50},
          {"mobile", T::Text, 50},    {"hesab_no", T::Text, 50},    {"meli_cart", T::Text, 50},
          {"semat", T::Text, 100},    {"phone", T::Text, 20},       {"khodro", T::Text, 50},
          {"pelak", T::Text, 50},     {"hamkari", T::Text, 50},     {"vahed", T::Text, 150},
          {"bime", T::Text, 50},      {"company", T::Text, 150},    {"ezdevaj", T::Text, 10},
          {"estekhdam", T::Text, 10}, {"taghir", T::Text, DateText}, {"status", T::Text, 100},
          {"hamsar_hesab", T::Text, 100}, {"hamsar_bank", T::Text, 80}, {"cartsaat_no", T::Text, 10}},
         {"nation"}},
        // The server's date is read here as a Gregorian date.
        {"tarikh", Key::None, {{"zaman", T::Date, 0, true}}, {}},
        {"takafol", Key::BigInt,
         {{"personel_id", T::BigInt}, {"lname", T::Text, 50}, {"fname", T::Text, 50}, {"father", T::Text, 50},
          {"gender", T::Text, 50}, {"cmt", T::Text, 150}, {"bime_no", T::Text, 50}, {"nation", T::Text, 10},
          {"sodor", T::Text, 50}, {"nesbat", T::Text, 50}, {"birthday", T::Text, 50}, {"sh_no", T::Text, 10},
          {"mobile", T::Text, 50}, {"bime", T::Text, 50}},
         {}},
        {"marateb_k", Key::None, {{"master", T::Text, 10}, {"slave", T::Text, 10}}, {}},
        {"marateb_v", Key::None, {{"master", T::Text, 10}, {"slave", T::Text, 10}}, {}},
        {"kargozini", Key::BigInt,
         {{"personel_id", T::BigInt}, {"typ", T::Text, 50}, {"roz", T::Int}, {"dat1", T::Text, 10},
          {"dat2", T::Text, 10}, {"exit_saat", T::Text, 5}, {"vorod_saat", T::Text, 5}, {"cmt", T::Text, 150},
          {"modir_name", T::Text, 80}, {"negahbani_name", T::Text, 80}, {"taeed_name", T::Text, 80},
          {"ersal_dat", T::Text, DateText}, {"modir_dat", T::Text, DateText},
          {"negahbani_dat", T::Text, DateText}, {"taeed_dat", T::Text, DateText}},
         {}},
        {"khabgahha", Key::Int,
         {{"ostan", T::Text, 50}, {"shahrestan", T::Text, 30}, {"nam", T::Text, 100}, {"masol", T::Text, 50},
          {"no", T::Text, 50}, {"otagh", T::Int}, {"emkanat", T::Text, 250}, {"cmt", T::Text, 250},
          {"adr", T::Text, 150}, {"tel", T::Text, 50}, {"tabaghe", T::Text, 50}, {"hazine", T::Money},
          {"hesab", T::Text, 80}},
         {}},
        {"khabgahha_rezerv", Key::Int,
         {{"khabgahha_id", T::Int}, {"dat", T::Text, 10}, {"status", T::Text, 50}, {"personel_id", T::BigInt},
          {"cmt", T::Text, 150}},
         {}},
        {"khabgahha_pic", Key::Int,
         {{"khabgahha_id", T::Int}, {"cmt", T::Text, 150}, {"ext", T::Text, 5}, {"pic", T::Blob}}, {}},
        {"new_pic", Key::Int,
         {{"new_id", T::Int}, {"cmt", T::Text, 150}, {"pictyp", T::Text, 5}, {"pic", T::Blob}}, {}},
        {"setting_ost", Key::Int,
         {{"ostan", T::Text, 150}, {"component", T::Text, 150}, {"cmt", T::Text, 150}, {"def", T::Text, 5}}, {}},
        {"abadiha", Key::Int,
         {{"cod", T::Text, 50}, {"ostan", T::Text, 100}, {"city", T::Text, 100}, {"bakhsh", T::Text, 100},
          {"dehestan", T::Text, 100}, {"rosta", T::Text, 100}},
         {}},
        {"bime_temp", Key::None,
         {{"lname", T::Text, 50}, {"fname", T::Text, 50}, {"father", T::Text, 50}, {"gender", T::Text, 50},
          {"bime_no", T::Text, 50}, {"nation", T::Text, 10}, {"sodor", T::Text, 50}, {"birthday", T::Text, 50},
          {"sh_no", T::Text, 10}, {"mobile", T::Text, 50}, {"personel_id", T::BigInt}, {"loc", T::Text, 50},
          {"hamkari", T::Text, 50}, {"company", T::Text, 150}, {"nesbat", T::Text, 50},
          {"mali_cod", T::Text, 50}, {"tak", T::Text, 80}},
         {}},
        {"marateb", Key::None, {{"master", T::Text, 10}, {"slave", T::Text, 10}}, {}},
    };
    return all;
}

// The two newer columns of takafol, which the installer adds after its older ones.
const Column TakafolTaghir{"taghir", T::Text, DateText};
const Column TakafolTak{"tak", T::Text, 80};

// A table's columns as the installer leaves it: takafol with its two newer ones.
std::vector<Column> installedColumns(const Table& t)
{
    std::vector<Column> columns = t.columns;
    if (qstrcmp(t.name, "takafol") == 0)
        columns.insert(columns.end(), {TakafolTaghir, TakafolTak});
    return columns;
}

const Table* findTable(const QString& name)
{
    for (const Table& t : tables())
        if (name == QLatin1String(t.name))
            return &t;
    return nullptr;
}

QString columnText(const Dialect& d, const Column& c)
{
    QString text = QLatin1String(c.name) + QLatin1Char(' ') + d.type(c.type, c.size);
    if (c.serverDefault)
        text += QLatin1Char(' ') + (c.type == T::Date ? d.todayDefault() : d.nowDefault());
    return text;
}

QStringList indexedColumns(const Table& t)
{
    QStringList out;
    for (const char* c : t.indexed)
        out << QLatin1String(c);
    for (const Column& c : t.columns)
        if (qstrcmp(c.name, "personel_id") == 0)
            out << QStringLiteral("personel_id");
    return out;
}

// Indexes on the columns that lists search and join on; they change no result.
void ensureIndexes(const Table& t)
{
    const Dialect& d = Database::current().dialect();
    for (const QString& column : indexedColumns(t)) {
        if (!Sql::columnExists(QLatin1String(t.name), column))
            continue;
        const QString name = QStringLiteral("ix_%1_%2").arg(QLatin1String(t.name), column);
        Sql::exec(d.createIndex(name, QLatin1String(t.name), column));
    }
}

// Creates a table that does not exist yet; true when it was created now.
bool createTable(const QString& name, const std::function<void()>& seed = {})
{
    const Table* t = findTable(name);
    bool created = false;
    Sql::transaction([&] {
        if (!Sql::tableExists(name)) {
            Sql::exec(Schema::createStatement(Database::current().dialect(), name));
            created = true;
            if (seed)
                seed();
        }
        ensureIndexes(*t);
    });
    return created;
}

void addColumnIfMissing(const QString& table, const QString& column, const QString& type)
{
    if (!Sql::columnExists(table, column))
        Sql::exec(Database::current().dialect().addColumn(table, column, type));
}

std::optional<QString> askAdminPassword()
{
    for (;;) {
        const std::optional<QString> first =
            Msg::password(CoreText::AdminPasswordCaption, CoreText::AdminPasswordPrompt);
        if (!first)
            return std::nullopt;
        if (first->isEmpty()) {
            Msg::questionYes(CoreText::EnterPassword);
            continue;
        }
        const std::optional<QString> second =
            Msg::password(CoreText::AdminPasswordCaption, CoreText::AdminPasswordRepeat);
        if (!second)
            return std::nullopt;
        if (*first != *second) {
            Msg::info(CoreText::AdminPasswordMismatch);
            continue;
        }
        return first;
    }
}

struct Step {
    int number;
    QString what;
    std::function<void()> run;
};

} // namespace

namespace Schema {

QStringList tableNames()
{
    QStringList out;
    for (const Table& t : tables())
        out << QLatin1String(t.name);
    return out;
}

int columnWidth(const QString& table, const QString& column)
{
    const Table* t = findTable(table);
    if (!t)
        return 0;
    for (const Column& c : installedColumns(*t))
        if (column == QLatin1String(c.name))
            return c.type == T::Text ? c.size : 0;
    return 0;
}

bool holdsMoney(const QString& column)
{
    for (const Table& t : tables())
        for (const Column& c : t.columns)
            if (c.type == T::Money && column == QLatin1String(c.name))
                return true;
    return false;
}

QString createStatement(const Dialect& d, const QString& table)
{
    const Table* t = findTable(table);
    if (!t)
        return {};
    QStringList cols;
    if (t->key != Key::None)
        cols << d.identityKey(t->key == Key::BigInt);
    for (const Column& c : t->columns)
        cols << columnText(d, c);
    return QStringLiteral("create table %1 (%2)").arg(table, cols.join(QStringLiteral(", ")));
}

bool Contents::own() const
{
    if (empty || missingTables.contains(QStringLiteral("users")))
        return false;
    for (const QString& c : missingColumns)
        if (c.startsWith(QLatin1String("users.")))
            return false;
    return true;
}

bool Contents::complete() const
{
    return !empty && missingTables.isEmpty() && missingColumns.isEmpty() && unknownRequired.isEmpty();
}

QString Contents::faults(const QStringList& skip) const
{
    QStringList out;
    for (const QString& t : missingTables)
        if (!skip.contains(t))
            out << CoreText::MissingTable.arg(t);
    const auto columns = [&](const QStringList& list, const QString& text) {
        for (const QString& c : list) {
            const QString table = c.section(QLatin1Char('.'), 0, 0);
            if (!skip.contains(table))
                out << text.arg(table, c.section(QLatin1Char('.'), 1));
        }
    };
    columns(missingColumns, CoreText::MissingColumn);
    columns(unknownRequired, CoreText::UnknownRequiredColumn);
    return out.join(QStringLiteral("، "));
}

Contents examine()
{
    const Dialect& d = Database::current().dialect();
    Contents found;
    QSet<QString> present;
    for (const QVariantMap& r : Sql::rows(d.tablesQuery()))
        present << r.value(QStringLiteral("name")).toString().toLower();
    found.empty = present.isEmpty();
    for (const Table& t : tables()) {
        const QString table = QLatin1String(t.name);
        if (!present.contains(table)) {
            if (!found.empty)
                found.missingTables << table;
            continue;
        }
        QSet<QString> expected;
        if (t.key != Key::None)
            expected << QStringLiteral("id");
        const std::vector<Column> columns = installedColumns(t);
        for (const Column& c : columns)
            expected << QLatin1String(c.name);
        QSet<QString> has;
        for (const QVariantMap& r : Sql::rows(d.columnsQuery(), {table})) {
            const QString name = r.value(QStringLiteral("name")).toString().toLower();
            has << name;
            if (!expected.contains(name) && r.value(QStringLiteral("required")).toInt() == 1)
                found.unknownRequired << table + QLatin1Char('.') + name;
        }
        for (const Column& c : columns)
            if (!has.contains(QLatin1String(c.name)))
                found.missingColumns << table + QLatin1Char('.') + QLatin1String(c.name);
    }
    return found;
}

Result install(const std::optional<QString>& adminPassword)
{
    Result result;
    const Dialect& d = Database::current().dialect();

    // Another program's database, or the program's without its accounts,
    // is left as it is: nothing is asked and nothing written.
    Contents before;
    try {
        before = examine();
    } catch (const DbError& e) {
        result.failures.append({0, QString(), e.driverText});
        return result;
    }
    if (!before.empty && !before.own()) {
        result.refused = CoreText::NotProgramsDatabase.arg(before.faults());
        return result;
    }
    // A new database is made before anyone uses it; the program's own, in
    // use, has its rows written under the keys their writers take.
    std::optional<Keys::Unkeyed> installing;
    if (before.empty)
        installing.emplace(Keys::Unkeyed::Why::Installer);

    // The password is asked before anything is written, so that a cancelled
    // question leaves the database as it was and the next run asks again.
    QString passwordHash;
    const bool usersMissing = before.empty;
    if (usersMissing) {
        const std::optional<QString> password = adminPassword ? adminPassword : askAdminPassword();
        if (!password) {
            result.cancelled = true;
            return result;
        }
        passwordHash = PasswordHash::hash(*password);
    }

    auto create = [](const char* table) { return [table] { createTable(QLatin1String(table)); }; };

    const std::vector<Step> steps = {
        {1, "users",
         [&] {
             createTable(QStringLiteral("users"), [&] {
                 if (passwordHash.isEmpty())
                     throw DbError(QStringLiteral("the administrator's password could not be hashed"), {});
                 Sql::insert(QStringLiteral("users"),
                             {{"us", "admin"},
                              {"ps", passwordHash},
                              {"ver", "1"},
                              {"lev", "admin"},
                              {"ostan", CoreText::AdminProvince},
                              {"semat", CoreText::AdminSemat},
                              {"mobile", QString()},
                              {"nam", CoreText::AdminName},
                              {"status", CoreText::ActiveStatus}});
             });
         }},
        {2, "users.lev",
         [] {
             Sql::exclusive(Keys::accounts(), [] {
                 Sql::exec(QStringLiteral("update users set lev = ? where lev = ? or lev is null"),
                           {QStringLiteral("single"), QString(QLatin1String(""))});
             });
         }},
        {3, "setting", create("setting")},
        {4, "log", create("log")},
        {5, "payamha", create("payamha")},
        {6, "dastrasi",
         [] {
             Sql::exclusive({Keys::accounts(true), Keys::rights()}, [] {
                 createTable(QStringLiteral("dastrasi"), [] {
                     // The administrator's own id, whatever ids the users table holds.
                     const QVariant admin = Sql::scalar(
                         QStringLiteral("select min(id) from users where us = ?"), {QStringLiteral("admin")});
                     if (admin.isNull())
                         return;
                     Sql::insert(QStringLiteral("dastrasi"), {{"prs_id", admin},
                                                              {"page_name", "karbaran"},
                                                              {"darj", 1},
                                                              {"virayesh", 1},
                                                              {"hazf", 1},
                                                              {"namayesh", 1}});
             });
             });
         }},
        {7, "zamaem", create("zamaem")},
        {8, "mostanadat", create("mostanadat")},
        {9, "phone", create("phone")},
        {10, "personel_pic", create("personel_pic")},
        {11, "khabghah", create("khabghah")},
        {12, "hamrahan", create("hamrahan")},
        {13, "serials", create("serials")},
        {14, "vam", create("vam")},
        {15, "paziraei", create("paziraei")},
        {16, "paziraei_nafarat", create("paziraei_nafarat")},
        {17, "ticket", create("ticket")},
        {18, "ticket_nafarat", create("ticket_nafarat")},
        {19, "hazine", create("hazine")},
        {20, "zemanat", create("zemanat")},
        {21, "taeidat", create("taeidat")},
        {22, "dastrasi2", create("dastrasi2")},
        {23, "personel", create("personel")},
        {24, "tarikh", create("tarikh")},
        // The dependants' table is made here when missing, so that its two
        // newer columns follow the fourteen older ones.
        {25, "takafol.taghir",
         [&] {
             Sql::transaction([&] {
                 createTable(QStringLiteral("takafol"));
                 addColumnIfMissing(QStringLiteral("takafol"), QLatin1String(TakafolTaghir.name),
                                    d.type(TakafolTaghir.type, TakafolTaghir.size));
             });
         }},
        {26, "takafol.tak",
         [&] {
             addColumnIfMissing(QStringLiteral("takafol"), QLatin1String(TakafolTak.name),
                                d.type(TakafolTak.type, TakafolTak.size));
         }},
        {27, "marateb_k", create("marateb_k")},
        {28, "marateb_v", create("marateb_v")},
        {29, "kargozini", create("kargozini")},
        {30, "khabgahha", create("khabgahha")},
        {31, "khabgahha_rezerv", create("khabgahha_rezerv")},
        {32, "khabgahha_pic", create("khabgahha_pic")},
        {33, "new_pic", create("new_pic")},
        {34, "setting_ost", create("setting_ost")},
        // Tables the system reads and writes that a new database needs as well.
        {35, "abadiha", create("abadiha")},
        {36, "bime_temp", create("bime_temp")},
        {37, "marateb", create("marateb")},
    };

    for (const Step& step : steps) {
        try {
            step.run();
        } catch (const DbError& e) {
            result.failures.append({step.number, step.what, e.driverText});
        }
    }
    ensureContainsIndexes();
    ensureSearchIndexes();
    result.notUnique = ensureUniqueIndexes();
    // What is still missing: a column the installer does not add (it would
    // stand after the columns that inserts name by position), another's
    // column that refuses them. A table whose step failed is named by its step.
    try {
        QStringList failed;
        for (const Failure& f : result.failures)
            failed << f.what.section(QLatin1Char('.'), 0, 0);
        result.faults = examine().faults(failed);
    } catch (const DbError& e) {
        result.failures.append({0, QString(), e.driverText});
    }
    return result;
}

QStringList ensureUniqueIndexes()
{
    struct Unique {
        const char* name;
        const char* table;
        const char* columns; // one, or several joined by ", "
        bool skipEmpty;
        const QString& what; // what the columns hold, in the message
    };
    static const Unique uniques[] = {
        {"ux_personel_nation", "personel", "nation", true, CoreText::UniqueNationalCode},
        {"ux_users_us", "users", "us", false, CoreText::UniqueLogin},
        {"ux_dastrasi_page", "dastrasi", "prs_id, page_name", false, CoreText::UniqueRightsPage},
    };
    const Dialect& d = Database::current().dialect();
    QStringList notMade;
    for (const Unique& u : uniques) {
        const QString table = QLatin1String(u.table), columns = QLatin1String(u.columns);
        try {
            Sql::exec(d.createUniqueIndex(QLatin1String(u.name), table, columns, u.skipEmpty));
        } catch (const DbError& e) {
            qWarning().noquote() << "unique index" << u.name << "not made:" << e.driverText;
            // Which values repeat, and in which rows.
            const QStringList names = columns.split(QStringLiteral(", "));
            QStringList repeats;
            try {
                const QString filter = u.skipEmpty ? QStringLiteral(" where %1 <> ''").arg(columns) : QString();
                QStringList same;
                for (const QString& c : names)
                    same << c + QStringLiteral(" = ?");
                for (const QVariantMap& r : Sql::rows(QStringLiteral("select %1 from %2%3 group by %1 having count(*) > 1")
                                                          .arg(columns, table, filter))) {
                    QVariantList values;
                    QStringList texts;
                    for (const QString& c : names) {
                        values << r.value(c);
                        texts << r.value(c).toString();
                    }
                    QStringList ids;
                    for (const QVariantMap& idRow :
                         Sql::rows(QStringLiteral("select id from %1 where %2 order by id")
                                       .arg(table, same.join(QStringLiteral(" and "))),
                                   values))
                        ids << idRow.value(QStringLiteral("id")).toString();
                    repeats << CoreText::RepeatedRows.arg(texts.join(QStringLiteral("، ")), ids.join(QStringLiteral("، ")));
                }
            } catch (const DbError&) {
            }
            notMade << CoreText::NotUnique.arg(u.what, repeats.join(QStringLiteral("؛ ")));
        }
    }
    return notMade;
}

// ---- Indexes of the searches ---------------------------------------------

namespace {

// The columns whose "contains" searches have an index of their own.
enum class Contains {
    // A plain index lists the column's few values (the users of the log),
    // each tested by the search.
    FewValues,
    // A text index of the column.
    TextIndex,
    // The column's distinct texts kept apart, each once, with a text index
    // of their own (Dialect::createContainsTexts), where the backend keeps
    // them; a text index of the column elsewhere.
    KeptTexts,
};
struct ContainsIndex {
    const char* table;
    const char* column;
    Contains kind;
    // The columns a plain index of the column carries after it, so that its
    // list takes what it needs of the rows found from the index alone: the
    // log's users with the log's order (a user's page sorted without reading
    // the rows), the action texts with the users (the rows of the texts found
    // counted; only where the backend keeps the texts apart).
    const char* alongside;
};
// The phone book is searched by name, number or remark as its user types.
constexpr ContainsIndex ContainsIndexes[] = {{"log", "karbar", Contains::FewValues, "saat_sys, id"},
                                             {"log", "cmt", Contains::KeptTexts, "karbar"},
                                             {"phone", "name", Contains::TextIndex, nullptr},
                                             {"phone", "tel", Contains::TextIndex, nullptr},
                                             {"phone", "cmt", Contains::TextIndex, nullptr}};

const ContainsIndex* findContainsIndex(const QString& table, const QString& column)
{
    for (const ContainsIndex& i : ContainsIndexes)
        if (table.compare(QLatin1String(i.table), Qt::CaseInsensitive) == 0 &&
            column.compare(QLatin1String(i.column), Qt::CaseInsensitive) == 0)
            return &i;
    return nullptr;
}

// The name of the table of a column's kept texts, whether the backend keeps them or not.
QString keptTextsName(const ContainsIndex& i)
{
    return QStringLiteral("ix_%1_%2_texts").arg(QLatin1String(i.table), QLatin1String(i.column));
}

} // namespace

QString containsIndexName(const QString& table, const QString& column)
{
    const ContainsIndex* i = findContainsIndex(table, column);
    if (i)
        return QString::fromLatin1(i->kind == Contains::FewValues ? "ix_%1_%2_rows" : "ix_%1_%2_contains")
            .arg(QLatin1String(i->table), QLatin1String(i->column));
    // The kept texts ("k") are searched through their own text index.
    for (const ContainsIndex& kept : ContainsIndexes)
        if (kept.kind == Contains::KeptTexts && column == QLatin1String("k") &&
            table.compare(keptTextsName(kept), Qt::CaseInsensitive) == 0)
            return table + QStringLiteral("_contains");
    return {};
}

bool containsAmongFewValues(const QString& table, const QString& column)
{
    const ContainsIndex* i = findContainsIndex(table, column);
    return i && i->kind == Contains::FewValues;
}

QString containsTextsName(const QString& table, const QString& column)
{
    const ContainsIndex* i = findContainsIndex(table, column);
    if (!i || i->kind != Contains::KeptTexts)
        return {};
    const QString name = keptTextsName(*i);
    if (Database::current().dialect().createContainsTexts(name, table, column).isEmpty())
        return {};
    return name;
}

bool ensureContainsIndexes()
{
    const Dialect& d = Database::current().dialect();
    try {
        for (const ContainsIndex& i : ContainsIndexes) {
            const QString table = QLatin1String(i.table), column = QLatin1String(i.column);
            // Each index is made, or found made, under its table's lock, so
            // that two workstations installing at once make it once; and all
            // of it or none: a table of the index without its triggers would
            // fall behind.
            auto underLock = [&](const QStringList& statements, const QList<LockKey>& more = {}) {
                if (!statements.isEmpty())
                    Sql::exclusive(QList<LockKey>{Keys::table(table)} + more, [&] {
                        for (const QString& sql : statements)
                            Sql::exec(sql);
                    });
            };
            const QString name = containsIndexName(table, column);
            const QString alongside = column + QStringLiteral(", ") + QLatin1String(i.alongside);
            if (i.kind == Contains::FewValues) {
                underLock({d.createIndex(name, table, alongside)});
                // The indexes earlier versions made for the column: its
                // values alone, and a text index, which its server chose even
                // for the list's own test of one user (seconds at millions of
                // rows) and whose triggers on the embedded database wrote
                // every new row into it.
                const QString earlier = QStringLiteral("ix_%1_%2").arg(table, column);
                try {
                    underLock(QStringList{d.dropIndex(earlier, table)} +
                              d.dropContainsIndex(earlier + QStringLiteral("_contains")));
                } catch (const DbError& e) {
                    qWarning().noquote() << "an earlier index of the log's users stays:" << e.driverText;
                }
                continue;
            }
            if (const QString texts = containsTextsName(table, column); !texts.isEmpty()) {
                try {
                    // The index its searches count from with the table of
                    // texts; the text index of the rows themselves, which no
                    // search reads any longer, goes.
                    underLock(QStringList{d.createIndex(texts + QStringLiteral("_rows"), table, alongside)} +
                                  d.createContainsTexts(texts, table, column) + d.dropContainsIndex(name),
                              {Keys::table(texts), Keys::table(containsIndexName(texts, QStringLiteral("k")))});
                    continue;
                } catch (const DbError& e) {
                    qWarning().noquote() << "the texts of" << table << column
                                         << "are searched through the rows' own index:" << e.driverText;
                }
            }
            // A text index kept as a table of its own is filled under its key.
            underLock(d.createContainsIndex(name, table, column), {Keys::table(name)});
        }
    } catch (const DbError& e) {
        qWarning().noquote() << "the lists' contains searches go without their indexes:" << e.driverText;
        return false;
    }
    return true;
}

bool ensureSearchIndexes()
{
    const Dialect& d = Database::current().dialect();
    try {
        // A county user's lists hold the requests of the persons of the user's
        // counties: those persons are found through their county.
        Sql::exec(d.createIndex(QStringLiteral("ix_personel_shahrestan"), QStringLiteral("personel"),
                                QStringLiteral("shahrestan")));
        // Those requests are counted from an index of their owner and id alone,
        // without reading each request's row.
        for (const Table& t : tables()) {
            const QString table = QLatin1String(t.name);
            if (t.key != Key::None && indexedColumns(t).contains(QStringLiteral("personel_id")) &&
                Sql::tableExists(table))
                Sql::exec(d.createIndex(QStringLiteral("ix_%1_owner").arg(table), table, QStringLiteral("personel_id, id")));
        }
        // The log viewer sorts a million rows and more by a clicked title: the
        // short columns are read in Persian order from an index. Not the action
        // text, whose index would copy the longest text of every row; a sort
        // by it reads the whole log.
        if (d.indexesTitleSorts())
            for (const char* column : {"karbar", "ip", "computer_name", "saat", "tarikh"}) {
                const QString c = QLatin1String(column);
                const QString sql =
                    d.createPersianOrderIndex(QStringLiteral("ix_log_%1_order").arg(c), QStringLiteral("log"), c);
                if (!sql.isEmpty())
                    Sql::exec(sql);
            }
        // The phone book lists its entries in Persian order of names: its
        // first rows are read from the index. Made once under the table's
        // lock, however many workstations install at once.
        if (const QString sql = d.createPersianOrderIndex(QStringLiteral("ix_phone_name_order"), QStringLiteral("phone"),
                                                          QStringLiteral("name"));
            !sql.isEmpty())
            Sql::exclusive(Keys::table(QStringLiteral("phone")), [&] { Sql::exec(sql); });
    } catch (const DbError& e) {
        qWarning().noquote() << "the lists' scopes go without their indexes:" << e.driverText;
        return false;
    }
    return true;
}

void report(const Result& result)
{
    if (result.cancelled)
        return;
    if (!result.refused.isEmpty()) {
        Msg::error(result.refused);
        return;
    }
    for (const QString& sentence : result.notUnique)
        Msg::error(sentence);
    if (result.failures.isEmpty() && result.faults.isEmpty()) {
        Msg::info(CoreText::AllSettingsDone);
        return;
    }
    if (!result.failures.isEmpty()) {
        QStringList steps;
        for (const Failure& f : result.failures)
            steps << CoreText::InstallStep.arg(f.step).arg(f.what);
        Msg::error(CoreText::InstallStepsFailed.arg(steps.join(QStringLiteral("، "))));
    }
    if (!result.faults.isEmpty())
        Msg::error(CoreText::DatabaseIncomplete.arg(result.faults));
}

void run()
{
    // An empty embedded database is installed here, with one report.
    if (!connect_database(EmptyDatabase::Leave))
        return;
    report(install());
}

} // namespace Schema
