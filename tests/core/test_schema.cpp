// The schema installer: every table in its column order, the seeds, the level
// repair, the two columns of takafol, safe to run again, failures reported.

#include "core/password_hash.h"
#include "core/list_window.h"
#include "core/schema.h"
#include "core/lock_keys.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/second_workstation.h"
#include "tests/support/test_db.h"

#include <QSqlRecord>
#include <QtTest>

namespace {

// Column order is binding: inserts give their values by position.
const QList<QPair<QString, QString>> kTables = {
    {"users", "id us ps ver lev ostan semat mobile nam status"},
    {"setting", "id component cmt def"},
    {"log", "id karbar ip computer_name saat tarikh cmt saat_sys"},
    {"payamha", "id send_prs_id rec_prs_id send_dat show_dat mozo cmt"},
    {"dastrasi", "id prs_id page_name darj virayesh hazf namayesh"},
    {"zamaem", "id cmt ramz pictype pic"},
    {"mostanadat", "id cmt ramz pictype pic"},
    {"phone", "id name tel cmt"},
    {"personel_pic", "id personel_id cmt pictyp pic"},
    {"khabghah", "id personel_id ostan city dat1 dat2 roz shab ersal_dat taeed_dat taeed2_dat cmt"},
    {"hamrahan", "id khabghah_id fname lname sen nesbat"},
    {"serials", "serial1 serial2"},
    {"vam", "id personel_id typ mablagh aghsat ersal_dat taeed_dat marhale status cmt bank"},
    {"paziraei", "id personel_id onvan loc dat typ cnt modir_name taeed_name ersal_dat modir_dat taeed_dat"},
    {"paziraei_nafarat", "id paziraei_id fname lname ghaza noshidani other"},
    {"ticket", "id personel_id mabda maghsad dat1 dat2 saat1 saat2 typ cnt ersal_dat taeed_dat"},
    {"ticket_nafarat", "id ticket_id fname lname nation birthday"},
    {"hazine", "id personel_id mabda maghsad dat1 dat2 saat1 saat2 masir mablagh cmt typ ersal_dat taeed_dat"},
    {"zemanat", "id personel_id bank shobe aghsat mablagh cmt ersal_dat taeed_dat"},
    {"taeidat", "id personel_id mozo cmt ersal_dat taeed_dat"},
    {"dastrasi2", "user_id cmt"},
    {"personel", "id ostan shahrestan lname fname father gender cmt mali_cod bime_no nation sodor loc birthday "
                 "sh_no pec mobile hesab_no meli_cart semat phone khodro pelak hamkari vahed bime company ezdevaj "
                 "estekhdam taghir status hamsar_hesab hamsar_bank cartsaat_no"},
    {"tarikh", "zaman"},
    {"takafol", "id personel_id lname fname father gender cmt bime_no nation sodor nesbat birthday sh_no mobile "
                "bime taghir tak"},
    {"marateb_k", "master slave"},
    {"marateb_v", "master slave"},
    {"kargozini", "id personel_id typ roz dat1 dat2 exit_saat vorod_saat cmt modir_name negahbani_name "
                  "taeed_name ersal_dat modir_dat negahbani_dat taeed_dat"},
    {"khabgahha", "id ostan shahrestan nam masol no otagh emkanat cmt adr tel tabaghe hazine hesab"},
    {"khabgahha_rezerv", "id khabgahha_id dat status personel_id cmt"},
    {"khabgahha_pic", "id khabgahha_id cmt ext pic"},
    {"new_pic", "id new_id cmt pictyp pic"},
    {"setting_ost", "id ostan component cmt def"},
    {"abadiha", "id cod ostan city bakhsh dehestan rosta"},
    {"bime_temp", "lname fname father gender bime_no nation sodor birthday sh_no mobile personel_id loc hamkari "
                  "company nesbat mali_cod tak"},
    {"marateb", "master slave"},
};

QString columnsOf(const QString& table)
{
    const QSqlRecord rec = Sql::exec(QStringLiteral("select * from %1 where 1 = 0").arg(table)).record();
    QStringList names;
    for (int i = 0; i < rec.count(); ++i)
        names << rec.fieldName(i).toLower();
    return names.join(QLatin1Char(' '));
}

int count(const QString& table)
{
    return Sql::scalar(QStringLiteral("select count(*) from %1").arg(table)).toInt();
}

bool indexExists(const QString& name)
{
    const QString sql = Database::current().backend() == Backend::SQLite
                            ? QStringLiteral("select count(*) from sqlite_master where type = 'index' and name = ?")
                            : QStringLiteral("select count(*) from pg_indexes where indexname = ?");
    return Sql::scalar(sql, {name}).toInt() == 1;
}

int passwordQuestions(const MsgRecorder& msgs)
{
    int n = 0;
    for (const Msg::Request& r : msgs.requests)
        n += r.kind == Msg::Kind::Password;
    return n;
}

} // namespace

class TestSchema : public QObject {
    Q_OBJECT
    TestDb m_db;

private slots:
    void init() { TUVEK_OPEN_TEST_DB(m_db, TestDb::Empty); }
    void cleanup() { m_db.reset(); }

    void emptyDatabaseGetsEveryTableAndTheSeeds()
    {
        MsgRecorder msgs;
        msgs.answerInput(QStringLiteral("first ادمين"));
        msgs.answerInput(QStringLiteral("first ادمين"));
        const Schema::Result result = Schema::install();
        QVERIFY2(result.ok(), qPrintable(result.failures.isEmpty() ? QString() : result.failures.first().error));
        QCOMPARE(passwordQuestions(msgs), 2);
        Schema::report(result);
        QCOMPARE(msgs.texts(), QStringList{CoreText::AllSettingsDone});

        QStringList expected;
        for (const auto& [table, columns] : kTables) {
            QCOMPARE(columnsOf(table), columns);
            expected << table;
        }
        QCOMPARE(Schema::tableNames().size(), expected.size());

        QCOMPARE(count("users"), 1);
        const QVariantMap admin = Sql::row(QStringLiteral("select * from users"));
        QCOMPARE(admin.value("us").toString(), QStringLiteral("admin"));
        QCOMPARE(admin.value("lev").toString(), QStringLiteral("admin"));
        QCOMPARE(admin.value("ver").toString(), QStringLiteral("1"));
        QCOMPARE(admin.value("status").toString(), CoreText::ActiveStatus);
        QCOMPARE(admin.value("semat").toString(), CoreText::AdminSemat);
        // Stored hashed, never as typed.
        const QString ps = admin.value("ps").toString();
        QVERIFY(PasswordHash::isHash(ps));
        QVERIFY(PasswordHash::verify(ps, QStringLiteral("first ادمين")));
        QVERIFY(!PasswordHash::verify(ps, QStringLiteral("first")));

        QCOMPARE(count("dastrasi"), 1);
        const QVariantMap right = Sql::row(QStringLiteral("select * from dastrasi"));
        QCOMPARE(right.value("prs_id").toLongLong(), admin.value("id").toLongLong());
        QCOMPARE(right.value("page_name").toString(), QStringLiteral("karbaran"));
        for (const char* flag : {"darj", "virayesh", "hazf", "namayesh"})
            QCOMPARE(right.value(flag).toInt(), 1);

        for (const char* index : {"ix_users_us", "ix_personel_nation", "ix_log_saat_sys", "ix_log_tarikh", "ix_vam_personel_id",
                                  "ix_takafol_personel_id", "ix_bime_temp_personel_id",
                                  "ix_khabgahha_rezerv_personel_id"})
            QVERIFY2(indexExists(QLatin1String(index)), index);

        // The log's server timestamp fills itself; the server-date table reads the server's day.
        Sql::exec(QStringLiteral("insert into log (karbar) values (?)"), {QStringLiteral("admin")});
        QVERIFY(!Sql::scalar(QStringLiteral("select saat_sys from log")).isNull());
        Sql::exec(QStringLiteral("insert into tarikh default values"));
        QCOMPARE(Sql::scalar(QStringLiteral("select zaman from tarikh")).toDate(), Sql::serverDate());
    }

    void secondRunAddsNothingAndRepairsLevels()
    {
        QVERIFY(Schema::install(TestDb::AdminPassword).ok());
        const QVariantList levels = {QStringLiteral(""), QVariant(), QStringLiteral("ostan")};
        for (const QVariant& lev : levels)
            Sql::insert(QStringLiteral("users"), {{"us", QStringLiteral("u%1").arg(count("users"))}, {"lev", lev}});

        MsgRecorder msgs;
        const Schema::Result again = Schema::install();
        QVERIFY(again.ok());
        QCOMPARE(passwordQuestions(msgs), 0);
        QCOMPARE(count("users"), 4);
        QCOMPARE(count("dastrasi"), 1);
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from users where lev = ?"), {QStringLiteral("single")})
                     .toInt(),
                 2);
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from users where lev = ?"), {QStringLiteral("ostan")})
                     .toInt(),
                 1);
        QCOMPARE(columnsOf("takafol"), kTables.at(23).second);
        Schema::report(again);
        QCOMPARE(msgs.texts(), QStringList{CoreText::AllSettingsDone});
    }

    // A national code and a login are unique in the database itself; an older
    // database whose rows already repeat one is told which rows, and the
    // installer goes on without that index until they are mended.
    void uniqueIndexesOnAFreshAndAnUpgradedDatabase()
    {
        QVERIFY(Schema::install(TestDb::AdminPassword).ok());
        const auto person = [](const char* nation) {
            return [=] { Sql::insert(QStringLiteral("personel"), {{"nation", nation}}); };
        };
        person("0012345678")();
        person("")();
        person("")(); // any number of persons without a code
        QVERIFY_THROWS_EXCEPTION(DbError, person("0012345678")());
        QVERIFY_THROWS_EXCEPTION(DbError, Sql::insert(QStringLiteral("users"), {{"us", "admin"}}));

        // An older database: no index, and a code that repeats.
        Sql::exec(QStringLiteral("drop index ux_personel_nation"));
        person("0012345678")();
        MsgRecorder msgs;
        const Schema::Result upgraded = Schema::install();
        QVERIFY(upgraded.ok());
        QCOMPARE(upgraded.notUnique.size(), 1);
        QVERIFY(upgraded.notUnique.first().contains(QStringLiteral("«0012345678» در رديف هاي 1، ")));
        Schema::report(upgraded);
        QCOMPARE(msgs.texts().first(), upgraded.notUnique.first());
        Sql::exec(QStringLiteral("delete from personel where id = (select max(id) from personel)"));
        QVERIFY(Schema::install().notUnique.isEmpty());
        QVERIFY_THROWS_EXCEPTION(DbError, person("0012345678")());

        // An account's page holds one rights row; repeats of two columns are named too.
        const auto right = [] { Sql::insert(QStringLiteral("dastrasi"), {{"prs_id", 7}, {"page_name", "vam"}}); };
        right();
        QVERIFY_THROWS_EXCEPTION(DbError, right());
        Sql::exec(QStringLiteral("drop index ux_dastrasi_page"));
        right();
        const QStringList repeated = Schema::install().notUnique;
        QCOMPARE(repeated.size(), 1);
        QVERIFY(repeated.first().contains(CoreText::UniqueRightsPage) && repeated.first().contains(QStringLiteral("«7، vam»")));
    }

    // The log's "contains" search of the action text gets a trigram index on
    // the server (the users, few, a plain one), and a server that refuses it
    // leaves the installer and the searches working.
    void containsIndexesWhereTheServerAllows()
    {
        QVERIFY(Schema::install(TestDb::AdminPassword).ok());
        Sql::insert(QStringLiteral("log"), {{"karbar", "0001000017"}, {"cmt", "حذف درخواست ژاله"}});
        // The text index of the users an earlier version made goes.
        const Dialect& d = Database::current().dialect();
        const QString earlier = QStringLiteral("ix_log_karbar_contains");
        for (const QString& sql : d.createContainsIndex(earlier, QStringLiteral("log"), QStringLiteral("karbar")))
            Sql::exec(sql);
        const QString objects = Database::current().backend() == Backend::PostgreSQL
                                    ? QStringLiteral("select count(*) from pg_class where relname like ?")
                                    : QStringLiteral("select count(*) from sqlite_master where name like ?");
        QVERIFY(Sql::scalar(objects, {earlier + QLatin1Char('%')}).toInt() > 0);
        QVERIFY(Schema::ensureContainsIndexes());
        QCOMPARE(Sql::scalar(objects, {earlier + QLatin1Char('%')}).toInt(), 0);
        if (Database::current().backend() == Backend::PostgreSQL) {
            // The server keeps the action texts apart, each once, with a text
            // index of their own; the rows' own text index of an earlier
            // version goes, and the texts written before are read in.
            auto count = [](const QString& sql) { return Sql::scalar(sql).toInt(); };
            auto dropTexts = [] {
                Sql::exec(QStringLiteral("drop function ix_log_cmt_texts_add() cascade"));
                Sql::exec(QStringLiteral("drop table ix_log_cmt_texts"));
            };
            const QString rowsTextIndex = QStringLiteral(
                "select count(*) from pg_indexes where tablename = 'log' and indexdef like '%gin_trgm_ops%'");
            dropTexts();
            for (const QString& sql : d.createContainsIndex(QStringLiteral("ix_log_cmt_contains"), QStringLiteral("log"),
                                                            QStringLiteral("cmt")))
                Sql::exec(sql);
            Sql::insert(QStringLiteral("log"), {{"karbar", "0001000018"}, {"cmt", "حذف درخواست ژاله"}});
            Sql::insert(QStringLiteral("log"), {{"karbar", "0001000018"}, {"cmt", "ثبت کارت"}});
            QVERIFY(Schema::ensureContainsIndexes());
            QCOMPARE(count(rowsTextIndex), 0);
            QCOMPARE(count(QStringLiteral("select count(*) from ix_log_cmt_texts")), 2);
            Sql::insert(QStringLiteral("log"), {{"karbar", "0001000018"}, {"cmt", "ثبت کارت ژاله"}});
            QCOMPARE(count(QStringLiteral("select count(*) from ix_log_cmt_texts")), 3);
            // A login given the log alone, before the texts were kept apart,
            // still writes it and searches it without them.
            Sql::exec(QStringLiteral("create role tuvek_clerk"));
            Sql::exec(QStringLiteral("grant select, insert on log to tuvek_clerk"));
            Sql::exec(QStringLiteral("set role tuvek_clerk"));
            Sql::insert(QStringLiteral("log"), {{"karbar", "0001000018"}, {"cmt", "ثبت کارت زهره"}});
            QVERIFY(!ListWindow::containsCondition("cmt", "زهره", "log").sql.contains(QLatin1String("texts")));
            QCOMPARE(count(QStringLiteral("select count(*) from log where cmt like '%زهره'")), 1);
            Sql::exec(QStringLiteral("reset role"));
            QVERIFY(ListWindow::containsCondition("cmt", "زهره", "log").sql.contains(QLatin1String("texts")));
            Sql::exec(QStringLiteral("drop owned by tuvek_clerk"));
            Sql::exec(QStringLiteral("drop role tuvek_clerk"));
            Sql::exec(QStringLiteral("delete from log where karbar = '0001000018'"));
            // A user who may not create the extension: no index, no failure.
            dropTexts();
            Sql::exec(QStringLiteral("drop extension pg_trgm cascade"));
            Sql::exec(QStringLiteral("create role tuvek_plain"));
            Sql::exec(QStringLiteral("grant all on all tables in schema public to tuvek_plain"));
            Sql::exec(QStringLiteral("set role tuvek_plain"));
            QVERIFY(!Schema::ensureContainsIndexes());
            Sql::exec(QStringLiteral("reset role"));
            Sql::exec(QStringLiteral("drop owned by tuvek_plain"));
            Sql::exec(QStringLiteral("drop role tuvek_plain"));
        } else {
            QVERIFY(Schema::ensureContainsIndexes());
        }
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from log where %1")
                                 .arg(Database::current().dialect().likeInsensitive(QStringLiteral("cmt"))),
                             {QStringLiteral("%درخواست%")})
                     .toInt(),
                 1);
    }

    // On a database of an earlier version, with rows already written, the
    // installer adds the phone book's indexes and keeps the log's action
    // texts apart (read in once, then kept by the database itself), also
    // while another workstation is making the same index under its lock.
    void searchIndexesOfAnEarlierDatabase()
    {
        QVERIFY(Schema::install(TestDb::AdminPassword).ok());
        const Dialect& d = Database::current().dialect();
        const bool sqlite = Database::current().backend() == Backend::SQLite;
        // What an earlier version left: the rows' own index of the action
        // texts, none kept apart, the phone book without indexes.
        const QStringList dropTexts = sqlite ? QStringList{"drop trigger ix_log_cmt_texts_add", "drop trigger ix_log_cmt_texts_upd",
                                                           "drop table ix_log_cmt_texts_contains", "drop table ix_log_cmt_texts"}
                                             : QStringList{"drop function ix_log_cmt_texts_add() cascade", "drop table ix_log_cmt_texts"};
        for (const QString& sql : dropTexts + d.createContainsIndex("ix_log_cmt_contains", "log", "cmt"))
            Sql::exec(sql);
        for (const char* column : {"name", "tel", "cmt"})
            for (const QString& sql : d.dropContainsIndex(QStringLiteral("ix_phone_%1_contains").arg(column)))
                Sql::exec(sql);
        Sql::exec(d.dropIndex("ix_phone_name_order", "phone"));
        for (const char* cmt : {"حذف درخواست ژاله", "ثبت کارت", "ثبت کارت"})
            Sql::insert("log", {{"karbar", "0001000018"}, {"cmt", cmt}});
        Sql::insert("phone", {{"name", "سارا صادقي"}, {"tel", "0912"}, {"cmt", "داخلي 345"}});

        Meeting otherMade;
        SecondWorkstation other(m_db.options());
        other.start([&] {
            Sql::exclusive(Keys::table("phone"), [&] {
                Sql::exec(d.createPersianOrderIndex("ix_phone_name_order", "phone", "name"));
                for (const QString& sql : d.createContainsIndex("ix_phone_name_contains", "phone", "name"))
                    Sql::exec(sql);
                otherMade.arrive();
                QThread::msleep(300); // this workstation is now making them too
            });
        });
        QVERIFY(otherMade.awaitArrival());
        QVERIFY(Schema::ensureContainsIndexes());
        QVERIFY(Schema::ensureSearchIndexes());
        QVERIFY2(other.wait(), qPrintable(other.error()));

        const QString objects = sqlite ? "select count(*) from sqlite_master where name = ?"
                                       : "select count(*) from pg_class where relname = ?";
        for (const char* made : {"ix_phone_name_contains", "ix_phone_tel_contains", "ix_phone_cmt_contains",
                                 "ix_phone_name_order", "ix_log_cmt_texts", "ix_log_cmt_texts_rows"})
            QVERIFY2(Sql::scalar(objects, {made}).toInt() == 1, made);
        QCOMPARE(Sql::scalar(objects, {"ix_log_cmt_contains"}).toInt(), 0);
        QCOMPARE(count("ix_log_cmt_texts"), 2);
        Sql::insert("log", {{"karbar", "0001000018"}, {"cmt", "ثبت کارت ژاله"}});
        QCOMPARE(count("ix_log_cmt_texts"), 3);
    }

    void rightsGoToTheAdministratorsRealId()
    {
        const Dialect& d = Database::current().dialect();
        Sql::exec(Schema::createStatement(d, QStringLiteral("users")));
        Sql::insert(QStringLiteral("users"), {{"us", "0012345678"}, {"lev", "single"}});
        Sql::insert(QStringLiteral("users"), {{"us", "0087654321"}, {"lev", "single"}});
        const qint64 admin = Sql::insert(QStringLiteral("users"), {{"us", "admin"}, {"lev", "admin"}});
        QVERIFY(admin > 1);
        QVERIFY(Schema::install().ok());
        QCOMPARE(count("users"), 3);
        QCOMPARE(Sql::scalar(QStringLiteral("select prs_id from dastrasi")).toLongLong(), admin);
    }

    void usersWithoutAdministratorGetNone()
    {
        Sql::exec(Schema::createStatement(Database::current().dialect(), QStringLiteral("users")));
        Sql::insert(QStringLiteral("users"), {{"us", "0012345678"}, {"lev", "single"}});
        QVERIFY(Schema::install().ok());
        QCOMPARE(count("users"), 1);
        QCOMPARE(count("dastrasi"), 0);
    }

    void olderTakafolGainsItsTwoColumnsAfterTheOthers()
    {
        const Dialect& d = Database::current().dialect();
        Sql::exec(Schema::createStatement(d, QStringLiteral("users")));
        Sql::exec(Schema::createStatement(d, QStringLiteral("takafol")));
        Sql::insert(QStringLiteral("takafol"), {{"personel_id", 7}, {"lname", "x"}});
        QVERIFY(Schema::install(TestDb::AdminPassword).ok());
        QCOMPARE(columnsOf("takafol"), kTables.at(23).second);
        QCOMPARE(count("takafol"), 1);
        QVERIFY(Schema::install().ok());
        QCOMPARE(columnsOf("takafol"), kTables.at(23).second);
    }

    void failingStepIsReportedWithItsStep()
    {
        // A users table that refuses the level repair.
        const Dialect& d = Database::current().dialect();
        const QString lev = QStringLiteral("lev ") + d.type(ColumnType::Text, 15);
        Sql::exec(Schema::createStatement(d, QStringLiteral("users")).replace(lev, lev + QStringLiteral(" check (lev <> 'single')")));
        Sql::insert(QStringLiteral("users"), {{"us", "admin"}});
        // Something named log that is no table.
        Sql::exec(QStringLiteral("create view log as select 1 as one"));
        MsgRecorder msgs;
        const Schema::Result result = Schema::install();
        QCOMPARE(result.failures.size(), 2);
        QCOMPARE(result.failures.at(0).step, 2);
        QCOMPARE(result.failures.at(1).step, 4);
        QCOMPARE(result.failures.at(1).what, QStringLiteral("log"));
        // The other steps ran.
        QCOMPARE(columnsOf("setting_ost"), QStringLiteral("id ostan component cmt def"));
        Schema::report(result);
        QCOMPARE(msgs.texts(),
                 QStringList{CoreText::InstallStepsFailed.arg(CoreText::InstallStep.arg(2).arg("users.lev") +
                                                              QStringLiteral("، ") +
                                                              CoreText::InstallStep.arg(4).arg("log"))});
        QCOMPARE(msgs.requests.first().icon, Msg::Icon::Error);
    }

    // What the installer cannot give a table that is there is named: a
    // column the program needs, another's column that refuses its inserts.
    void missingAndForeignRequiredColumnsAreNamed()
    {
        QVERIFY(Schema::install(TestDb::AdminPassword).ok());
        const Dialect& d = Database::current().dialect();
        Sql::exec(QStringLiteral("drop table ticket_nafarat"));
        Sql::exec(Schema::createStatement(d, QStringLiteral("ticket_nafarat"))
                      .replace(QStringLiteral("birthday ") + d.type(ColumnType::Text, 10),
                               QStringLiteral("seat int not null")));
        MsgRecorder msgs;
        const Schema::Result result = Schema::install();
        QVERIFY(!result.ok());
        Schema::report(result);
        QCOMPARE(msgs.texts(), QStringList{CoreText::DatabaseIncomplete.arg(
                                   CoreText::MissingColumn.arg("ticket_nafarat", "birthday") + QStringLiteral("، ") +
                                   CoreText::UnknownRequiredColumn.arg("ticket_nafarat", "seat"))});
    }

    void administratorPasswordIsAskedUntilGivenTwiceAlike()
    {
        MsgRecorder msgs;
        msgs.answerInput(QStringLiteral("one"));
        msgs.answerInput(QStringLiteral("two"));
        msgs.answerInput(QStringLiteral(""));
        msgs.answerInput(QStringLiteral("three"));
        msgs.answerInput(QStringLiteral("three"));
        QVERIFY(Schema::install().ok());
        QCOMPARE(msgs.texts(), (QStringList{CoreText::AdminPasswordMismatch, CoreText::EnterPassword}));
        QVERIFY(PasswordHash::verify(Sql::scalar(QStringLiteral("select ps from users")).toString(),
                                     QStringLiteral("three")));
    }

    void cancelledPasswordLeavesTheDatabaseAsItWas()
    {
        MsgRecorder msgs;
        msgs.answerInput(QStringLiteral("one"));
        msgs.answerInput(std::nullopt);
        const Schema::Result result = Schema::install();
        QVERIFY(result.cancelled);
        QVERIFY(!result.ok());
        Schema::report(result);
        QVERIFY(msgs.texts().isEmpty());
        for (const QString& table : Schema::tableNames())
            QVERIFY2(!Sql::tableExists(table), qPrintable(table));
    }

    // SQL Server cannot run here: its statements are checked as text.
    void sqlServerStatements()
    {
        const auto d = Dialect::create(Backend::SqlServer);
        QCOMPARE(Schema::createStatement(*d, QStringLiteral("users")),
                 QStringLiteral("create table users (id int identity(1,1) primary key, us nvarchar(25), "
                                "ps nvarchar(128), ver nvarchar(25), lev nvarchar(15), ostan nvarchar(100), "
                                "semat nvarchar(250), mobile nvarchar(50), nam nvarchar(100), status nvarchar(40))"));
        QCOMPARE(Schema::createStatement(*d, QStringLiteral("tarikh")),
                 QStringLiteral("create table tarikh (zaman date DEFAULT GETDATE())"));
        QCOMPARE(Schema::createStatement(*d, QStringLiteral("dastrasi")),
                 QStringLiteral("create table dastrasi (id int identity(1,1) primary key, prs_id int, "
                                "page_name nvarchar(25), darj bit, virayesh bit, hazf bit, namayesh bit)"));
        QCOMPARE(Schema::createStatement(*d, QStringLiteral("zemanat")),
                 QStringLiteral("create table zemanat (id bigint identity(1,1) primary key, personel_id bigint, "
                                "bank nvarchar(60), shobe nvarchar(70), aghsat int, mablagh money, cmt nvarchar(150), "
                                "ersal_dat nvarchar(10), taeed_dat nvarchar(10))"));
        QVERIFY(Schema::createStatement(*d, QStringLiteral("log"))
                    .endsWith(QStringLiteral("saat_sys datetime DEFAULT GETDATE())")));
        QVERIFY(Schema::createStatement(*d, QStringLiteral("personel_pic")).contains(QStringLiteral("pic varbinary(max)")));
        QCOMPARE(Schema::createStatement(*d, QStringLiteral("no_such_table")), QString());
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "test_schema.moc"
