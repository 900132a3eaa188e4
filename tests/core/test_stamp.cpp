// Stamping rows with the server's day as Persian text, in the statement that
// writes the row, also on days whose Persian numbers are no Gregorian date.

#include "core/shamsi_date.h"
#include "core/stamp.h"
#include "tests/support/test_db.h"

#include <QtTest>

class TestStamp : public QObject {
    Q_OBJECT
    TestDb m_db;

private slots:
    void init() { TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed); }
    void cleanup()
    {
        Stamp::setServerDateForTests(QDate());
        m_db.reset();
    }

    void stampedColumnsReadBackThePersianDay_data()
    {
        QTest::addColumn<QDate>("server");
        QTest::addColumn<QString>("persian");
        QTest::newRow("31 of month 6") << QDate(2017, 9, 22) << QStringLiteral("1396/06/31");
        QTest::newRow("30 of month 2") << QDate(2024, 5, 19) << QStringLiteral("1403/02/30");
        QTest::newRow("31 of month 4") << QDate(2016, 7, 21) << QStringLiteral("1395/04/31");
        QTest::newRow("new year") << QDate(2014, 3, 21) << QStringLiteral("1393/01/01");
        QTest::newRow("leap 30 of month 12") << QDate(2013, 3, 20) << QStringLiteral("1391/12/30");
    }

    void stampedColumnsReadBackThePersianDay()
    {
        QFETCH(QDate, server);
        QFETCH(QString, persian);
        Stamp::setServerDateForTests(server);
        QCOMPARE(Stamp::serverShamsiDate(), persian);

        const qint64 id = Stamp::insert(QStringLiteral("vam"), {{"personel_id", 5}, {"typ", "ضروري"}},
                                        {QStringLiteral("ersal_dat")});
        QVariantMap row = Sql::row(QStringLiteral("select * from vam where id = ?"), {id});
        QCOMPARE(row.value("ersal_dat").toString(), persian);
        // Pending until approved.
        QVERIFY(row.value("taeed_dat").isNull());
        QVERIFY(Sql::exists(QStringLiteral("select id from vam where taeed_dat is null")));

        QCOMPARE(Stamp::update(QStringLiteral("vam"), {QStringLiteral("taeed_dat")}, QStringLiteral("id = ?"), {id},
                               {{"status", "تاييد"}}),
                 1);
        row = Sql::row(QStringLiteral("select * from vam where id = ?"), {id});
        QCOMPARE(row.value("taeed_dat").toString(), persian);
        QCOMPARE(row.value("status").toString(), QStringLiteral("تاييد"));
        // Searches compare the stamps with Persian date text.
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from vam where ersal_dat >= ? and ersal_dat <= ?"),
                             {persian, persian})
                     .toInt(),
                 1);
    }

    void theServersOwnDay()
    {
        // The server runs on this machine in the tests: its day is the workstation's.
        const QString before = Shamsi::today();
        const QString server = Stamp::serverShamsiDate();
        QVERIFY2(server == before || server == Shamsi::today(), qPrintable(server));
        QCOMPARE(server.size(), 10);
    }

    void failedStatementStampsNothing()
    {
        Stamp::setServerDateForTests(QDate(2017, 9, 22));
        QVERIFY_THROWS_EXCEPTION(DbError, Stamp::insert(QStringLiteral("vam"), {{"no_such_column", 1}},
                                                        {QStringLiteral("ersal_dat")}));
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from vam")).toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TestStamp)
#include "test_stamp.moc"
