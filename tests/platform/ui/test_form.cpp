// The window base every window of the program shares: its Persian text boxes
// read from the right edge, and it says once that it was closed, whichever way.

#include "platform/ui/form.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestForm : public QObject {
    Q_OBJECT

    // Where a box's caret stands before its first character, across its width (0 left, 1 right).
    template <class Box> static double startOf(Box* box)
    {
        QTextCursor at(box->document());
        return double(box->cursorRect(at).center().x()) / box->viewport()->width();
    }

private slots:
    // Plain, rich and read-only boxes, empty or holding Persian text, start at
    // the right edge; a box with an alignment of its own keeps it.
    void textBoxesStartAtTheRight()
    {
        Form form;
        auto* layout = new QVBoxLayout(&form);
        auto* plain = new QPlainTextEdit(u"جلسه فردا ساعت ۹\nلطفاً گزارش را بياوريد"_s);
        auto* empty = new QPlainTextEdit;
        auto* viewer = new QTextBrowser;
        viewer->setPlainText(u"متن پيام"_s);
        auto* centred = new QTextEdit;
        centred->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
        centred->setPlainText(u"وسط"_s);
        for (QWidget* box : {static_cast<QWidget*>(plain), static_cast<QWidget*>(empty),
                             static_cast<QWidget*>(viewer), static_cast<QWidget*>(centred)})
            layout->addWidget(box);
        form.resize(400, 500);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QVERIFY2(startOf(plain) > 0.9, qPrintable(QString::number(startOf(plain))));
        QVERIFY2(startOf(empty) > 0.9, qPrintable(QString::number(startOf(empty))));
        QVERIFY2(startOf(viewer) > 0.9, qPrintable(QString::number(startOf(viewer))));
        QVERIFY2(startOf(centred) > 0.3 && startOf(centred) < 0.7, qPrintable(QString::number(startOf(centred))));
        // Text set later reads the same way.
        viewer->setPlainText(u"پيام ديگر"_s);
        QVERIFY(startOf(viewer) > 0.9);
    }

    // The close box (close()), accept and reject: one "closed" each. Escape,
    // pressed in a typed box, closes nothing.
    void closedOnceEveryWay()
    {
        Form form;
        auto* box = new QLineEdit(&form);
        QSignalSpy closed(&form, &Form::closed);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        box->setText(u"تايپ شده"_s);
        QTest::keyClick(box, Qt::Key_Escape);
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(form.isVisible());
        QCOMPARE(closed.count(), 0);
        const QList<std::function<void()>> ways{
            [&] { form.close(); },
            [&] { form.accept(); },
            [&] { form.reject(); },
        };
        int expected = 0;
        for (const auto& way : ways) {
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            way();
            QVERIFY(!form.isVisible());
            QCOMPARE(closed.count(), ++expected);
        }
        form.close(); // already hidden: nothing more
        QCOMPARE(closed.count(), expected);
    }
};

QTEST_MAIN(TestForm)
#include "test_form.moc"
