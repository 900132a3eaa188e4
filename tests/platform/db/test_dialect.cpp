// The statement texts of SQL Server, which cannot be run here, and what every
// dialect must get right without a server.

#include "platform/db/database.h"
#include "platform/db/dialect.h"

#include <QtTest>

namespace {

// SQL Server options of the database Tuvek on host, with "SQL Server" authentication.
ConnectionOptions sqlServer(const QString& host, const QString& user, const QString& password)
{
    ConnectionOptions o;
    o.backend = Backend::SqlServer;
    o.host = host;
    o.database = QStringLiteral("Tuvek");
    o.user = user;
    o.password = password;
    return o;
}

} // namespace

class TestDialect : public QObject {
    Q_OBJECT

private slots:
    void sqlServerTexts()
    {
        const auto d = Dialect::create(Backend::SqlServer);
        QCOMPARE(d->driver(), QStringLiteral("QODBC"));
        QCOMPARE(d->identityKey(true), QStringLiteral("id bigint identity(1,1) primary key"));
        QCOMPARE(d->identityKey(false), QStringLiteral("id int identity(1,1) primary key"));
        QCOMPARE(d->type(ColumnType::Text, 25), QStringLiteral("nvarchar(25)"));
        QCOMPARE(d->type(ColumnType::Money), QStringLiteral("money"));
        QCOMPARE(d->type(ColumnType::Bit), QStringLiteral("bit"));
        QCOMPARE(d->type(ColumnType::Blob), QStringLiteral("varbinary(max)"));
        QCOMPARE(d->nowDefault(), QStringLiteral("DEFAULT GETDATE()"));
        QCOMPARE(d->currentDateQuery(), QStringLiteral("select convert(char(10), getdate(), 23) as d"));
        QCOMPARE(d->concat({"fname", "' '", "lname"}), QStringLiteral("concat(fname, ' ', lname)"));
        QCOMPARE(d->concat({"fname"}), QStringLiteral("coalesce(fname, '')"));
        QCOMPARE(d->likeInsensitive("lname"), QStringLiteral("lname like ?"));
        QCOMPARE(d->persianOrder("lname"), QStringLiteral("lname collate Persian_100_CI_AI"));
        QCOMPARE(d->lastIdQuery("vam"), QStringLiteral("select @@identity"));
        QCOMPARE(d->addColumn("takafol", "tak", "nvarchar(80)"),
                 QStringLiteral("alter table takafol add tak nvarchar(80)"));
        QCOMPARE(d->createIndex("ix_users_us", "users", "us"),
                 QStringLiteral("if not exists (select 1 from sys.indexes where name = 'ix_users_us') "
                                "create index ix_users_us on users (us)"));
        QCOMPARE(d->quoteName("a]b"), QStringLiteral("[a]]b]"));
        // Serialised writers and ids, checked as text: no SQL Server is at hand.
        for (bool shared : {false, true})
            for (const QString& lock : {d->tryLock(shared), d->waitLock(shared)}) {
                QCOMPARE(lock.count(QLatin1Char('?')), 2);
                QVERIFY(lock.contains(shared ? QStringLiteral("'Shared'") : QStringLiteral("'Exclusive'")));
            }
        QCOMPARE(d->insertReturningId("ticket", {"a", "b"}),
                 QStringLiteral("set nocount on; insert into ticket (a, b) values (?, ?); "
                                "select cast(scope_identity() as bigint) as id"));
        QCOMPARE(d->createUniqueIndex("ux_personel_nation", "personel", "nation", true),
                 QStringLiteral("if not exists (select 1 from sys.indexes where name = 'ux_personel_nation') "
                                "create unique index ux_personel_nation on personel (nation) where nation <> ''"));
        // The server's own transaction, and a piece of a file bound as
        // varbinary(max) whatever type the ODBC driver declared for it.
        QCOMPARE(d->beginTransaction(), QStringLiteral("begin transaction"));
        QCOMPARE(d->commitTransaction(), QStringLiteral("commit transaction"));
        QCOMPARE(d->rollbackTransaction(), QStringLiteral("if @@trancount > 0 rollback transaction"));
        QCOMPARE(d->appendBytes("pic"), QStringLiteral("pic + cast(? as varbinary(max))"));
        QCOMPARE(d->tableExistsQuery().count(QLatin1Char('?')), 1);
        QCOMPARE(d->columnExistsQuery().count(QLatin1Char('?')), 2);
    }

    // The code and the text as Qt 6.4's ODBC driver gives them over FreeTDS:
    // the number of the last diagnostic record, and every record's message
    // after its prefix, then the driver's words. A refused change is followed
    // by 3621, which is then the whole code.
    void sqlServerRefusals()
    {
        using F = Dialect::Failure;
        const auto d = Dialect::create(Backend::SqlServer);
        auto text = [](const QStringList& messages) {
            return "[FreeTDS][SQL Server]" + messages.join(" [FreeTDS][SQL Server]") +
                   " QODBC: Unable to execute statement";
        };
        const QString ended = QStringLiteral("The statement has been terminated.");
        const QList<std::tuple<QString, QStringList, F>> cases = {
            {"3621", {"Violation of UNIQUE KEY constraint 'UQ_users_us'. Cannot insert duplicate key in object "
                      "'dbo.users'. The duplicate key value is (ali).", ended}, F::Duplicate},
            {"3621", {"Cannot insert duplicate key row in object 'dbo.setting' with unique index 'ux_setting'. "
                      "The duplicate key value is (Communication link failure).", ended}, F::Duplicate},
            {"3621", {"String or binary data would be truncated.", ended}, F::TooLong},
            {"3621", {"Arithmetic overflow error converting expression to data type int.", ended}, F::OutOfRange},
            {"229", {"The INSERT permission was denied on the object 'vam', database 'Tuvek', schema 'dbo'."},
             F::NoPermission},
            {"1205", {"Transaction (Process ID 57) was deadlocked on lock resources with another process and has "
                      "been chosen as the deadlock victim. Rerun the transaction."}, F::Busy},
            {"50000", {"tuvek lock not granted"}, F::Busy},
            {"20017", {"Unexpected EOF from the server"}, F::Connection},
            {"0", {"Communication link failure"}, F::Connection},
            {"3621", {"The INSERT statement conflicted with the FOREIGN KEY constraint \"FK_x\".", ended}, F::Other},
            {"2627;3621", {}, F::Duplicate}, // later versions of the driver: every record's number
        };
        for (const auto& [code, messages, kind] : cases)
            QVERIFY2(d->classify(code, text(messages)) == kind, qPrintable(code + ' ' + messages.value(0)));
    }

    void sqlServerConnectionStrings()
    {
        ConnectionOptions o =
            sqlServer(QStringLiteral("db.office,1433"), QStringLiteral("clerk"), QStringLiteral("p;w}d={x"));
        QCOMPARE(sqlServerConnectionString(o),
                 QStringLiteral("DRIVER={FreeTDS};SERVER={db.office};PORT=1433;DATABASE={Tuvek};UID={clerk};"
                                "PWD={p;w}}d={x};TDS_Version=7.4;ClientCharset=UTF-8;"));
        // Operating-system authentication sends no user and no password.
        o.integrated = true;
        o.host = QStringLiteral("db\\OFFICE");
        const QString integrated = sqlServerConnectionString(o);
        QVERIFY(integrated.contains(QStringLiteral("SERVER={db\\OFFICE};DATABASE")));
        QVERIFY(integrated.contains(QStringLiteral("Trusted_Connection=Yes")));
        QVERIFY(!integrated.contains(QStringLiteral("PWD")));
        QVERIFY(!integrated.contains(QStringLiteral("UID")));
    }

    // No SQL Server here: the ODBC driver manager must still find FreeTDS and
    // take the connection string, so that only the server itself is missing.
    void sqlServerDriverIsReachable()
    {
        const ConnectionOptions o =
            sqlServer(QStringLiteral("127.0.0.1,1"), QStringLiteral("sa"), QStringLiteral("x}y;z"));
        Database db(QStringLiteral("sql_server_probe"));
        QString error;
        QVERIFY(!db.open(o, &error));
        QVERIFY2(error.contains(QStringLiteral("[FreeTDS]")), qPrintable(error));
        QVERIFY(!db.isOpen());
    }
};

QTEST_GUILESS_MAIN(TestDialect)
#include "test_dialect.moc"
