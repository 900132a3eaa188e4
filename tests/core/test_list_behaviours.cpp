// The behaviours of list and entry boxes that need no database: the filter
// check box, Enter to the next box, digits-only boxes.

#include "core/list_behaviours.h"
#include "tests/support/window_steps.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

class TestListBehaviours : public QObject {
    Q_OBJECT

    struct Window : QWidget {
        QCheckBox* check = new QCheckBox(QStringLiteral("تاريخ"), this);
        QLineEdit* from = new QLineEdit(this);
        QLineEdit* to = new QLineEdit(this);
        QComboBox* list = new QComboBox(this);
        Window()
        {
            setLayoutDirection(Qt::RightToLeft);
            auto* layout = new QVBoxLayout(this);
            for (QWidget* w : {static_cast<QWidget*>(check), static_cast<QWidget*>(from),
                               static_cast<QWidget*>(to), static_cast<QWidget*>(list)})
                layout->addWidget(w);
            from->setEnabled(false);
            to->setEnabled(false);
            list->setEnabled(false);
        }
        void showActive()
        {
            show();
            activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(this));
        }
        // A tick or untick from the keyboard, as a person does.
        void tick()
        {
            check->setFocus();
            QTest::keyClick(check, Qt::Key_Space);
        }
    };

    static QColor base(QWidget* w) { return w->palette().color(QPalette::Active, QPalette::Base); }

private slots:
    void tickingAFilterHighlightsAndFocusesItsBoxes()
    {
        Window w;
        const QColor windowColour = base(w.from);
        QObject::connect(w.check, &QCheckBox::toggled, [&] { toggle_filter_box(w.check, w.from, w.to); });
        w.showActive();

        w.tick();
        QVERIFY(w.from->isEnabled());
        QVERIFY(w.to->isEnabled());
        QCOMPARE(base(w.from), QColor(Qt::yellow));
        QCOMPARE(base(w.to), QColor(Qt::yellow));
        QCOMPARE(QApplication::focusWidget(), w.from);

        w.tick();
        QVERIFY(!w.from->isEnabled());
        QVERIFY(!w.to->isEnabled());
        QCOMPARE(base(w.from), windowColour);
        QVERIFY(!w.from->testAttribute(Qt::WA_SetPalette)); // back to the window's own colours
    }

    void plainFiltersOnlyEnable()
    {
        Window w;
        const QColor windowColour = base(w.list);
        QObject::connect(w.check, &QCheckBox::toggled,
                         [&] { toggle_filter_box(w.check, w.list, nullptr, FilterLook::Plain); });
        w.showActive();
        w.tick();
        QVERIFY(w.list->isEnabled());
        QCOMPARE(base(w.list), windowColour);
        QCOMPARE(QApplication::focusWidget(), w.check);
    }

    void enterMovesAlongTheChainAndStillReachesTheBox()
    {
        Window w;
        w.from->setEnabled(true);
        w.to->setEnabled(true);
        w.list->setEnabled(true);
        w.list->setEditable(true);
        enter_to_next_field({w.from, w.to, w.list});
        int returns = 0;
        QObject::connect(w.from, &QLineEdit::returnPressed, [&] { ++returns; });
        w.showActive();

        w.from->setFocus();
        QTest::keyClick(w.from, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.to);
        QCOMPARE(returns, 1);
        QTest::keyClick(w.to, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), w.list);
        w.to->setFocus();
        QTest::keyClick(w.to, Qt::Key_A); // other keys do not move
        QCOMPARE(QApplication::focusWidget(), w.to);
    }

    void digitsOnlyTypedAndPasted()
    {
        Window w;
        w.from->setEnabled(true);
        digits_only_key(w.from);
        w.showActive();
        w.from->setFocus();

        QTest::keyClicks(w.from, QStringLiteral("12a"));
        QCOMPARE(w.from->text(), QStringLiteral("12"));
        WindowSteps::typeKeys(w.from, QStringLiteral("۳٤")); // Persian three, Arabic-Indic four
        QCOMPARE(w.from->text(), QStringLiteral("1234"));
        QTest::keyClick(w.from, Qt::Key_Backspace);
        QCOMPARE(w.from->text(), QStringLiteral("123"));
        QTest::keyClick(w.from, Qt::Key_Return); // passes, changes nothing
        QCOMPARE(w.from->text(), QStringLiteral("123"));

        QApplication::clipboard()->setText(QStringLiteral(" 4-5x۶ "));
        w.from->paste();
        QCOMPARE(w.from->text(), QStringLiteral("123456"));
    }
};

QTEST_MAIN(TestListBehaviours)
#include "test_list_behaviours.moc"
