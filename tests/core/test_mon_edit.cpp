// The money box: grouping, filtering, the caret, 64-bit amounts and the limit.

#include "core/mon_edit.h"
#include "core/texts.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/window_steps.h"

#include <QtTest>

class TestMonEdit : public QObject {
    Q_OBJECT

private slots:
    void formatsWhatIsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<qint64>("value");
        QTest::newRow("four") << "4567" << "4,567" << qint64(4567);
        QTest::newRow("six") << "987654" << "987,654" << qint64(987654);
        QTest::newRow("seven") << "7654321" << "7,654,321" << qint64(7654321);
        QTest::newRow("letter dropped") << "98a7" << "987" << qint64(987);
        QTest::newRow("leading zeros") << "0098765" << "0,098,765" << qint64(98765);
        QTest::newRow("lone comma") << "," << "" << qint64(0);
        QTest::newRow("letters only") << "abc" << "" << qint64(0);
        QTest::newRow("three zeros") << "000" << "000" << qint64(0);
        QTest::newRow("int32 max") << "2147483647" << "2,147,483,647" << qint64(2147483647);
        QTest::newRow("past int32") << "2147483648" << "2,147,483,648" << qint64(2147483648LL);
        QTest::newRow("largest stored") << "922337203685477" << "922,337,203,685,477"
                                        << qint64(922337203685477LL);
        QTest::newRow("persian digits") << QString::fromUtf8("۱۲۳۴۵") << "12,345" << qint64(12345);
        QTest::newRow("arabic digits") << QString::fromUtf8("٩٨٧٦") << "9,876" << qint64(9876);
    }

    void formatsWhatIsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(qint64, value);
        TMonEdit box;
        box.show();
        WindowSteps::typeText(&box, typed);
        QCOMPARE(box.text(), shown);
        QCOMPARE(box.GetValue(), value);
        QCOMPARE(box.cursorPosition(), int(shown.size()));
    }

    void pastedAndProgrammaticTextIsFormatted()
    {
        TMonEdit box;
        box.setText(QStringLiteral("2500000"));
        QCOMPARE(box.text(), QStringLiteral("2,500,000"));
        box.setValue(12345678901LL);
        QCOMPARE(box.text(), QStringLiteral("12,345,678,901"));
        QCOMPARE(box.GetValue(), 12345678901LL);
        box.clear();
        QCOMPARE(box.GetValue(), qint64(0));
    }

    void digitInTheMiddleRegroupsAndMovesCaretToEnd()
    {
        TMonEdit box;
        box.show();
        box.setText(QStringLiteral("4567"));
        box.setCursorPosition(2); // after "4,"
        QTest::keyClick(&box, Qt::Key_9);
        QCOMPARE(box.text(), QStringLiteral("49,567"));
        QCOMPARE(box.cursorPosition(), 6);
    }

    // The box takes only what every backend's money column stores.
    void moreThanTheColumnsHoldIsRefusedWithoutLosingTheAmount()
    {
        MsgRecorder msgs;
        TMonEdit box;
        box.show();
        box.setText(QStringLiteral("92233720368547"));
        QTest::keyClick(&box, Qt::Key_7);
        QVERIFY(msgs.texts().isEmpty());
        QCOMPARE(box.GetValue(), 922337203685477LL);
        QTest::keyClick(&box, Qt::Key_0);
        QCOMPARE(msgs.texts(), QStringList{CoreText::MoneyTooLong});
        QCOMPARE(box.text(), QStringLiteral("922,337,203,685,477"));
        QCOMPARE(box.GetValue(), 922337203685477LL);
        // One more than the largest, with the same number of digits.
        box.setText(QStringLiteral("92233720368547"));
        QTest::keyClick(&box, Qt::Key_8);
        QCOMPARE(msgs.texts().size(), 2);
        QCOMPARE(box.GetValue(), 92233720368547LL);
        // Leading zeros do not count.
        box.setText(QStringLiteral("000922337203685477"));
        QCOMPARE(msgs.texts().size(), 2);
    }

    void digitsOnly()
    {
        QCOMPARE(TMonEdit::DigitsOnly(QString()), QStringLiteral("0"));
        QCOMPARE(TMonEdit::DigitsOnly(QStringLiteral("x")), QString());
        QCOMPARE(TMonEdit::DigitsOnly(QStringLiteral("1,234")), QStringLiteral("1234"));
    }
};

QTEST_MAIN(TestMonEdit)
#include "test_mon_edit.moc"
