// The statement helper on a real database: bound values, ids, transactions,
// the one error message, and what the dialect does on the server.

#include "platform/db/sql.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"

#include <QtTest>

class TestSql : public QObject {
    Q_OBJECT
    TestDb m_db;

private slots:
    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Empty);
        const Dialect& d = Database::current().dialect();
        Sql::exec(QStringLiteral("create table item (%1, name %2, note %3, amount %4, pic %5)")
                      .arg(d.identityKey(true), d.type(ColumnType::Text, 50), d.type(ColumnType::Text, 150),
                           d.type(ColumnType::Money), d.type(ColumnType::Blob)));
        Sql::exec(QStringLiteral("create table tag (item_id %1, name %2)")
                      .arg(d.type(ColumnType::BigInt), d.type(ColumnType::Text, 50)));
    }
    void cleanup() { m_db.reset(); }

    void valuesAreBoundNeverSpliced()
    {
        const QString hostile = QStringLiteral("x'); delete from item; --");
        const QString persian = QStringLiteral("علي ي ی ك ک \"quoted\" 50%");
        QByteArray bytes;
        for (int i = 0; i < 256; ++i)
            bytes.append(char(i));
        const qint64 id = Sql::insert(QStringLiteral("item"),
                                      {{"name", hostile}, {"note", persian}, {"amount", 1234567}, {"pic", bytes}});
        const QVariantMap r = Sql::row(QStringLiteral("select * from item where id = ?"), {id});
        QCOMPARE(r.value("name").toString(), hostile);
        QCOMPARE(r.value("note").toString(), persian);
        QCOMPARE(r.value("amount").toLongLong(), 1234567);
        QCOMPARE(r.value("pic").toByteArray(), bytes);
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from item where name = ?"), {hostile}).toInt(), 1);
        // NULL and empty text stay apart.
        Sql::update(QStringLiteral("item"), {{"note", QVariant()}}, QStringLiteral("id = ?"), {id});
        QVERIFY(Sql::exists(QStringLiteral("select id from item where note is null")));
        Sql::update(QStringLiteral("item"), {{"note", QStringLiteral("")}}, QStringLiteral("id = ?"), {id});
        QVERIFY(Sql::exists(QStringLiteral("select id from item where note = ?"), {QStringLiteral("")}));
    }

    void idsAreNeverReused()
    {
        const qint64 a = Sql::insert(QStringLiteral("item"), {{"name", "a"}});
        const qint64 b = Sql::insert(QStringLiteral("item"), {{"name", "b"}});
        QVERIFY(a > 0);
        QCOMPARE(b, a + 1);
        Sql::exec(QStringLiteral("delete from item where id = ?"), {b});
        const qint64 c = Sql::insert(QStringLiteral("item"), {{"name", "c"}});
        QVERIFY(c > b);
        // A table without an id gives 0.
        QCOMPARE(Sql::insert(QStringLiteral("tag"), {{"item_id", c}, {"name", "t"}}), qint64(0));
    }

    void joinedColumnsOfTheSameNameGetASuffix()
    {
        const qint64 id = Sql::insert(QStringLiteral("item"), {{"name", "pen"}});
        Sql::insert(QStringLiteral("tag"), {{"item_id", id}, {"name", "blue"}});
        const QVariantMap r = Sql::row(
            QStringLiteral("select * from item left join tag on tag.item_id = item.id where item.id = ?"), {id});
        QCOMPARE(r.value("name").toString(), QStringLiteral("pen"));
        QCOMPARE(r.value("name_1").toString(), QStringLiteral("blue"));
    }

    void transactionIsAllOrNothing()
    {
        QVERIFY_THROWS_EXCEPTION(DbError, Sql::transaction([] {
            Sql::insert(QStringLiteral("item"), {{"name", "first"}});
            Sql::transaction([] { Sql::insert(QStringLiteral("item"), {{"name", "nested"}}); });
            Sql::exec(QStringLiteral("insert into no_such_table values (1)"));
        }));
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from item")).toInt(), 0);

        Sql::transaction([] {
            Sql::insert(QStringLiteral("item"), {{"name", "one"}});
            Sql::insert(QStringLiteral("item"), {{"name", "two"}});
        });
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from item")).toInt(), 2);
    }

    void guardShowsOneMessageAndKeepsNothing()
    {
        MsgRecorder msgs;
        const bool ok = Db::guard([] {
            Sql::transaction([] {
                Sql::insert(QStringLiteral("item"), {{"name", "half"}});
                Sql::exec(QStringLiteral("update item set nothing = 1"));
            });
        });
        QVERIFY(!ok);
        QCOMPARE(msgs.texts(), QStringList{Db::FailedText});
        QCOMPARE(msgs.requests.first().icon, Msg::Icon::Error);
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from item")).toInt(), 0);
        // The connection is usable afterwards.
        QVERIFY(Db::guard([] { Sql::insert(QStringLiteral("item"), {{"name", "after"}}); }));
        QCOMPARE(msgs.texts().size(), 1);
    }

    void dialectOnTheServer()
    {
        const Dialect& d = Database::current().dialect();
        Sql::insert(QStringLiteral("item"), {{"name", "Alpha"}, {"note", QVariant()}});
        QCOMPARE(Sql::scalar(QStringLiteral("select %1 from item").arg(d.concat({"name", "'-'", "note"}))).toString(),
                 QStringLiteral("Alpha-"));
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from item where %1").arg(d.likeInsensitive("name")),
                             {QStringLiteral("%alph%")})
                     .toInt(),
                 1);
        QVERIFY(Sql::tableExists(QStringLiteral("item")));
        QVERIFY(Sql::tableExists(QStringLiteral("ITEM")));
        QVERIFY(!Sql::tableExists(QStringLiteral("items")));
        QVERIFY(Sql::columnExists(QStringLiteral("item"), QStringLiteral("note")));
        QVERIFY(!Sql::columnExists(QStringLiteral("item"), QStringLiteral("notes")));
        // The server's date: the same machine here, so the workstation's day
        // (read before and after, in case midnight passes in between).
        const QDate before = QDate::currentDate();
        const QDate server = Sql::serverDate();
        QVERIFY(server == before || server == QDate::currentDate());
    }

    void persianOrder()
    {
        const QStringList words = {QStringLiteral("گل"), QStringLiteral("ژاله"), QStringLiteral("لادن"),
                                   QStringLiteral("چمن"), QStringLiteral("حسن"), QStringLiteral("پري"),
                                   QStringLiteral("تارا"), QStringLiteral("کاوه"), QStringLiteral("زهره"),
                                   QStringLiteral("سارا"), QStringLiteral("بهار"), QStringLiteral("جواد"),
                                   QStringLiteral("آرش"), QStringLiteral("يوسف")};
        for (const QString& w : words)
            Sql::insert(QStringLiteral("item"), {{"name", w}});
        QStringList sorted;
        const QString sql = QStringLiteral("select name from item order by %1")
                                .arg(Database::current().dialect().persianOrder(QStringLiteral("name")));
        for (const QVariantMap& r : Sql::rows(sql))
            sorted << r.value("name").toString();
        QCOMPARE(sorted, (QStringList{QStringLiteral("آرش"), QStringLiteral("بهار"), QStringLiteral("پري"),
                                      QStringLiteral("تارا"), QStringLiteral("جواد"), QStringLiteral("چمن"),
                                      QStringLiteral("حسن"), QStringLiteral("زهره"), QStringLiteral("ژاله"),
                                      QStringLiteral("سارا"), QStringLiteral("کاوه"), QStringLiteral("گل"),
                                      QStringLiteral("لادن"), QStringLiteral("يوسف")}));
    }

    void closedDatabaseThrows()
    {
        Database::current().close();
        QVERIFY_THROWS_EXCEPTION(DbError, Sql::exec(QStringLiteral("select 1")));
    }
};

QTEST_GUILESS_MAIN(TestSql)
#include "test_sql.moc"
