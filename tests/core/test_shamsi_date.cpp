// Persian dates: the two conversions against hand-checked days and against
// ICU's Persian calendar for every day of two centuries.

#include "core/shamsi_date.h"

#include <QtTest>
#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <memory>

class TestShamsiDate : public QObject {
    Q_OBJECT

private:
    static QString viaMiladi(int y, int m, int d)
    {
        uint16_t yy = uint16_t(y), mm = uint16_t(m), dd = uint16_t(d);
        return miladi_to_shamsi(yy, mm, dd);
    }
    static QString viaObject(int y, int m, int d)
    {
        ShamsiDate date;
        date.MiladiYear = uint16_t(y);
        date.MiladiMonth = uint16_t(m);
        date.MiladiDay = uint16_t(d);
        date.Convert();
        return date.ToText();
    }

private slots:
    void knownDays_data()
    {
        QTest::addColumn<QDate>("miladi");
        QTest::addColumn<QString>("shamsi");
        QTest::newRow("nowruz 1393") << QDate(2014, 3, 21) << "1393/01/01";
        QTest::newRow("nowruz 1391") << QDate(2012, 3, 20) << "1391/01/01";
        QTest::newRow("last day 1390") << QDate(2012, 3, 19) << "1390/12/29";
        QTest::newRow("leap day 1391") << QDate(2013, 3, 20) << "1391/12/30";
        QTest::newRow("new year 2014") << QDate(2014, 1, 1) << "1392/10/11";
        QTest::newRow("31 shahrivar") << QDate(2017, 9, 22) << "1396/06/31";
        QTest::newRow("yalda") << QDate(2016, 12, 21) << "1395/10/01";
        // The official calendar: the "year mod 4 = 3" rule would put these a day off.
        QTest::newRow("nowruz 1408") << QDate(2029, 3, 20) << "1408/01/01";
        QTest::newRow("leap day 1403") << QDate(2025, 3, 20) << "1403/12/30";
        QTest::newRow("last day 1407") << QDate(2029, 3, 19) << "1407/12/29";
        QTest::newRow("leap day 1408") << QDate(2030, 3, 20) << "1408/12/30";
        QTest::newRow("nowruz 1409") << QDate(2030, 3, 21) << "1409/01/01";
        QTest::newRow("leap day 1436") << QDate(2058, 3, 20) << "1436/12/30";
        QTest::newRow("century not leap") << QDate(2100, 3, 1) << "1478/12/11";
    }

    void knownDays()
    {
        QFETCH(QDate, miladi);
        QFETCH(QString, shamsi);
        QCOMPARE(viaMiladi(miladi.year(), miladi.month(), miladi.day()), shamsi);
        QCOMPARE(viaObject(miladi.year(), miladi.month(), miladi.day()), shamsi);
        QCOMPARE(Shamsi::fromDate(miladi), shamsi);
        QCOMPARE(Shamsi::toDate(shamsi), miladi);
    }

    void miladiArgumentsChangeInPlace()
    {
        uint16_t y = 2017, m = 9, d = 22;
        QCOMPARE(miladi_to_shamsi(y, m, d), QStringLiteral("1396/06/31"));
        QCOMPARE(y, uint16_t(1396));
        QCOMPARE(m, uint16_t(6));
        QCOMPARE(d, uint16_t(31));
    }

    void sameAsIcuForTwoCenturies()
    {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Calendar> persian(
            icu::Calendar::createInstance(icu::Locale("fa_IR@calendar=persian"), status));
        QVERIFY(U_SUCCESS(status));
        icu::GregorianCalendar gregorian(status);
        QVERIFY(U_SUCCESS(status));
        gregorian.setGregorianChange(-8.64e15, status); // proleptic Gregorian

        int days = 0;
        for (QDate day(1925, 1, 1); day <= QDate(2125, 12, 31); day = day.addDays(1), ++days) {
            gregorian.clear();
            gregorian.set(day.year(), day.month() - 1, day.day(), 12, 0, 0);
            persian->setTime(gregorian.getTime(status), status);
            const QString expected = Shamsi::format(persian->get(UCAL_EXTENDED_YEAR, status),
                                                    persian->get(UCAL_MONTH, status) + 1,
                                                    persian->get(UCAL_DATE, status));
            QVERIFY(U_SUCCESS(status));
            const QString got = viaMiladi(day.year(), day.month(), day.day());
            if (got != expected || viaObject(day.year(), day.month(), day.day()) != expected)
                QFAIL(qPrintable(QStringLiteral("%1: %2, ICU %3").arg(day.toString(Qt::ISODate), got, expected)));
            // Every text is 10 characters and converts back to its day.
            QCOMPARE(got.size(), 10);
            QCOMPARE(Shamsi::toDate(got), day);
        }
        QVERIFY(days > 73000);
    }

    void leapYearsAndDayOfYear()
    {
        ShamsiDate d;
        d.ShamsiYear = 1403;
        QVERIFY(d.IsShamsiLeap());
        d.ShamsiYear = 1407;
        QVERIFY(!d.IsShamsiLeap());
        d.ShamsiYear = 1408;
        QVERIFY(d.IsShamsiLeap());
        d.MiladiYear = 2100;
        QVERIFY(!d.IsMiladiLeap());
        d.MiladiYear = 2000;
        QVERIFY(d.IsMiladiLeap());
        d.MiladiMonth = 3;
        d.MiladiDay = 1;
        QCOMPARE(d.MiladiDayOfYear(), 61);
        d.MiladiYear = 2023;
        QCOMPARE(d.MiladiDayOfYear(), 60);
    }

    void textsArePadded()
    {
        QCOMPARE(Shamsi::format(1402, 1, 5), QStringLiteral("1402/01/05"));
        QCOMPARE(Shamsi::format(1000, 12, 30), QStringLiteral("1000/12/30"));
        QVERIFY(!Shamsi::isValid(QStringLiteral("1402/1/5")));
        QVERIFY(!Shamsi::isValid(QStringLiteral("1402/12/30"))); // 1402 is not leap
        QVERIFY(Shamsi::isValid(QStringLiteral("1403/12/30")));
        QVERIFY(Shamsi::isValid(QStringLiteral("1396/06/31")));
    }

    void todayIsSharedUntilTheNextInit()
    {
        ShamsiDate other;
        other.Init(QDate(2014, 3, 21));
        // A caller that reads shamsi_today without Init sees the most recent Init.
        QCOMPARE(shamsi_today.ToText(), QStringLiteral("1393/01/01"));
        QCOMPARE(Shamsi::today(), Shamsi::fromDate(QDate::currentDate()));
        QCOMPARE(shamsi_today.ToText(), Shamsi::fromDate(QDate::currentDate()));
    }
};

QTEST_GUILESS_MAIN(TestShamsiDate)
#include "test_shamsi_date.moc"
