#include "platform/db/money.h"
#include "services/amount_words.h"

#include <QtTest>

class TestAmountWords : public QObject {
    Q_OBJECT
private slots:
    void words_data();
    void words();
    void partsOutsideTheirRange();
};

void TestAmountWords::words_data()
{
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<QString>("words");
    QTest::newRow("zero") << qint64(0) << QStringLiteral(" ريال");
    QTest::newRow("negative") << qint64(-1500) << QStringLiteral(" ريال");
    QTest::newRow("twenty-five") << qint64(25) << QStringLiteral(" بيست و پنج  ريال");
    QTest::newRow("two thousand five") << qint64(2005) << QStringLiteral(" دو هزار و  پنج  ريال");
    QTest::newRow("a million") << qint64(1000000) << QStringLiteral(" يک ميليون ريال");
    QTest::newRow("a thousand") << qint64(1000) << QStringLiteral(" يک هزار ريال");
    QTest::newRow("a thousand and one") << qint64(1001) << QStringLiteral(" يک هزار و  يک  ريال");
    QTest::newRow("a million and one") << qint64(1000001) << QStringLiteral(" يک ميليون و  يک  ريال");
    QTest::newRow("fourteen") << qint64(14) << QStringLiteral(" چهارده\u200c  ريال");
    QTest::newRow("four hundred forty") << qint64(440) << QStringLiteral(" چهارصد\u200c و چهل\u200c  ريال");
    QTest::newRow("past 32 bits") << qint64(2147483648LL) << QStringLiteral(" دو ميليارد و  صد و چهل\u200c و هفت ميليون و  چهارصد\u200c و هشتاد و سه هزار و  ششصد و چهل\u200c و هشت  ريال");
    QTest::newRow("a trillion and one") << qint64(1000000000001LL) << QStringLiteral(" يک تريليون و  يک  ريال");
    QTest::newRow("largest amount") << qint64(AmountWords::MaxAmount) << QStringLiteral(" نهصد و نود و نه تريليون و  نهصد و نود و نه ميليارد و  نهصد و نود و نه ميليون و  نهصد و نود و نه هزار و  نهصد و نود و نه  ريال");
    QTest::newRow("largest a money box takes") << Money::Max << QStringLiteral(" نهصد و بيست و دو تريليون و  سيصد و سي و هفت ميليارد و  دويست و سه ميليون و  ششصد و هشتاد و پنج هزار و  چهارصد\u200c و هفتاد و هفت  ريال");
    QTest::newRow("past the largest") << qint64(AmountWords::MaxAmount + 1) << QStringLiteral("");
}

void TestAmountWords::words()
{
    QFETCH(qint64, amount);
    QFETCH(QString, words);
    QCOMPARE(AmountWords::GetNum(amount), words);
}

void TestAmountWords::partsOutsideTheirRange()
{
    QCOMPARE(AmountWords::GetTree(0), QStringLiteral(" صفر "));
    QVERIFY(AmountWords::Get1nd(20).isEmpty());
    QVERIFY(AmountWords::Get1nd(-1).isEmpty());
    QVERIFY(AmountWords::Get2nd(1).isEmpty());
    QVERIFY(AmountWords::Get2nd(10).isEmpty());
    QVERIFY(AmountWords::Get3nd(0).isEmpty());
    QVERIFY(AmountWords::Get3nd(10).isEmpty());
}

QTEST_APPLESS_MAIN(TestAmountWords)
#include "test_amount_words.moc"
