// The window set: created once in order, hidden on close, and the two ways the program ends.

#include "core/login.h"
#include "core/main_window.h"
#include "core/program.h"
#include "core/texts.h"
#include "core/window_order.h"
#include "platform/report/design.h"
#include "platform/ui/window_set.h"
#include "tests/support/msg_recorder.h"
#include "ui_login.h"
#include "ui_main.h"

#include <QtTest>
#include <QDirIterator>
#include <QLineEdit>
#include <QSignalSpy>
#include <QAction>

class TestWindowSet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Program::start(*qApp); }

    // Every object of the creation order exists, made in that order.
    void createdOnceInOrder()
    {
        QCOMPARE(WindowSet::instance().created(), windowCreationOrder());
        QObject* login = WindowSet::instance().object("login");
        WindowSet::instance().createAll();
        QCOMPARE(WindowSet::instance().object("login"), login);
        QCOMPARE(win<Tlogin>("login")->windowTitle(), QStringLiteral("صفحه ورود"));
    }

    // Every window fits a 1366x768 screen with a desktop panel (40 px) under
    // its window frame (a 30 px title bar).
    void everyWindowFitsASmallScreen()
    {
        const QSize usable(1366 - 10, 768 - 40 - 30);
        QStringList tooBig;
        for (const QString& name : WindowSet::instance().created()) {
            auto* window = qobject_cast<QWidget*>(WindowSet::instance().object(name));
            if (!window)
                continue; // a report sheet
            const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
            if (least.width() > usable.width() || least.height() > usable.height())
                tooBig << QStringLiteral("%1 %2x%3").arg(name).arg(least.width()).arg(least.height());
        }
        QVERIFY2(tooBig.isEmpty(), qPrintable(tooBig.join(QStringLiteral(", "))));
    }

    // The grid popup items that delete a row say so.
    void deleteItemsReadDelete()
    {
        const QList<QPair<const char*, const char*>> items = {
            {"ticket_nafarat", "N1"}, {"paziraei_nafarat", "N1"}, {"khabghah_hamrahan", "N1"}, {"phone", "N1"},
            {"zamaem", "N1"},         {"mostanadat", "N1"},       {"personel_pic", "N1"},      {"khabgahha_pic", "N1"},
            {"setting", "N1"},        {"setting_ost", "N1"},      {"payam", "N3"},             {"users", "N3"},
            {"users", "N7"},          {"abadiha", "N1"},          {"personel_src", "N19"},
        };
        for (const auto& [window, item] : items) {
            auto* action = WindowSet::instance().object(QLatin1String(window))->findChild<QAction*>(QLatin1String(item));
            QVERIFY2(action, window);
            QVERIFY2(action->text() == QStringLiteral("حذف"), window);
        }
    }

    // A misspelt name or the wrong class fails at once, never as a null pointer
    // later; so does a defined window missing from the creation order.
    void wrongLookupsFailAtOnce()
    {
        QVERIFY_THROWS_EXCEPTION(WindowSet::LookupError, win<Tlogin>(QStringLiteral("logn")));
        QVERIFY_THROWS_EXCEPTION(WindowSet::LookupError, win<Tmain>(QStringLiteral("login")));
        WindowSet set;
        set.setOrder({QStringLiteral("first")});
        for (const QString& name : {QStringLiteral("first"), QStringLiteral("frist")})
            set.define(name, [] { return new QObject; });
        QVERIFY_THROWS_EXCEPTION(WindowSet::LookupError, set.createAll());
        set.destroyAll();
    }

    void closingMainAsksAndOnlyYesEnds()
    {
        MsgRecorder msgs;
        auto* main = win<Tmain>("main");
        auto* login = win<Tlogin>("login");
        QSignalSpy ended(login, &Tlogin::ended);
        main->show();

        msgs.answer(Msg::Button::No);
        main->close();
        QVERIFY(main->isVisible());
        msgs.answer(Msg::Button::Cancel);
        main->ui->N3->trigger();
        QVERIFY(main->isVisible());
        QCOMPARE(ended.count(), 0);
        QCOMPARE(msgs.texts(), (QStringList{CoreText::ExitQuestion, CoreText::ExitQuestion}));
        QCOMPARE(msgs.requests.first().icon, Msg::Icon::Warning);
        QCOMPARE(msgs.requests.first().buttons,
                 (QList<Msg::Button>{Msg::Button::Yes, Msg::Button::No, Msg::Button::Cancel}));

        // Yes ends the program even though the login window is hidden.
        login->hide();
        msgs.answer(Msg::Button::Yes);
        main->close();
        QVERIFY(!main->isVisible());
        QCOMPARE(ended.count(), 1);
        QVERIFY(WindowSet::instance().object("main"));
    }

    // Every report design built into the program loads, with the element types
    // that the subsystems register at start-up, and names its preview window.
    void everyReportDesignLoads()
    {
        QDirIterator it(QStringLiteral(":/reports"), {QStringLiteral("*.json")});
        int designs = 0;
        while (it.hasNext()) {
            const QString name = QFileInfo(it.next()).completeBaseName();
            QString error;
            const std::unique_ptr<Report> report = ReportDesign::load(name, &error);
            QVERIFY2(report, qPrintable(error));
            QVERIFY2(!report->caption.isEmpty(), qPrintable(name));
            ++designs;
        }
        QVERIFY(designs > 0);
    }

    void closingHidesAndBoxesKeepTheirValues()
    {
        auto* login = win<Tlogin>("login");
        login->show();
        login->ui->us->setText(QStringLiteral("1234567890"));
        QSignalSpy ended(login, &Tlogin::ended);
        login->ui->BitBtn2->click();
        QCOMPARE(ended.count(), 1);
        QVERIFY(!login->isVisible());
        // Still the same object, with what was typed.
        QCOMPARE(win<Tlogin>("login"), login);
        login->show();
        QCOMPARE(login->ui->us->text(), QStringLiteral("1234567890"));
        login->hide();
    }
};

QTEST_MAIN(TestWindowSet)
#include "test_window_set.moc"
