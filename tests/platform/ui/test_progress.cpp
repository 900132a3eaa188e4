// A progress box never covers a message: one in sight steps aside and shows
// again at the work's next step; one not yet in sight stays so.

#include "platform/ui/msg.h"
#include "platform/ui/progress.h"

#include <QApplication>
#include <QProgressDialog>
#include <QtTest>

class TestProgress : public QObject, Msg::Handler {
    Q_OBJECT
    bool m_covered = false;

    static bool inSight()
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::any_of(windows.begin(), windows.end(),
                           [](QWidget* w) { return qobject_cast<QProgressDialog*>(w) && w->isVisible(); });
    }
    // Each message is read for longer than a box waits to show.
    Msg::Button message(const Msg::Request&) override
    {
        QTest::qWait(900);
        m_covered = m_covered || inSight();
        return Msg::Button::Ok;
    }
    std::optional<QString> input(const Msg::Request&) override { return std::nullopt; }

private slots:
    void messagesAreNeverCovered()
    {
        Msg::setHandler(this);
        {
            Progress work(QStringLiteral("..."));
            QTest::qWait(750);
            QVERIFY(work.step(1, 3) && inSight());
            Msg::info(QStringLiteral("a"));
            QVERIFY(work.step(2, 3) && inSight());
        }
        Progress quick(QStringLiteral("..."));
        QVERIFY(quick.step(1, 1));
        Msg::info(QStringLiteral("b"));
        Msg::setHandler(nullptr);
        QVERIFY(!m_covered);
    }
};

QTEST_MAIN(TestProgress)
#include "test_progress.moc"
