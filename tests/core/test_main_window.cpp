// Opening pages from the main menu by the current user's rights.

#include "core/log_row.h"
#include "core/main_window.h"
#include "core/page_rights.h"
#include "core/texts.h"
#include "core/list_window.h"
#include "core/users.h"
#include "platform/db/sql.h"
#include "platform/db/texts.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_main.h"
#include "ui_users.h"

#include <QAbstractButton>
#include <QHostInfo>
#include <QTableView>
#include <QtTest>

class TestMainWindow : public QObject {
    Q_OBJECT

    TestDb m_db;
    Tmain* main = nullptr;
    Tusers* users = nullptr;
    qint64 m_user = 0;

    void setRights(const QString& page, const QString& bits)
    {
        Sql::exec(QStringLiteral("delete from dastrasi where prs_id = ? and page_name = ?"), {m_user, page});
        QList<int> rights;
        for (const QChar bit : bits)
            rights << int(bit == QLatin1Char('1'));
        AdminPages::grantRights(m_user, page, rights);
    }

    // Opens the users page from the menu; reports whether the window came up,
    // and what its commands' states were while it was shown.
    bool openUsers(QList<bool>* commands = nullptr)
    {
        return WindowSteps::openFromMenu(main->ui->N6, users, [&] {
            if (commands)
                *commands = {users->ui->N5->isEnabled(), users->ui->ins_btn2->isEnabled(),
                             users->ui->N6->isEnabled(), users->ui->N7->isEnabled()};
        });
    }

    // Checks that a command is enabled as allowed and, when it is, presses it
    // as a clerk does: a window it opens (an entry window, a file dialog) has
    // its save pressed, as the boxes stand, and is closed.
    static void pressIfEnabled(QWidget* page, const PageCommand& command, bool allowed, MsgRecorder& msgs)
    {
        QObject* control = page->findChild<QObject*>(QLatin1String(command.item));
        const QString name = page->objectName() + QLatin1Char('.') + QLatin1String(command.item);
        QVERIFY2(control && control->property("enabled").toBool() == allowed, qPrintable(name));
        if (!allowed)
            return;
        msgs.clear();
        QTimer::singleShot(0, page, [page] {
            QWidget* opened = QApplication::activeModalWidget();
            if (!opened || opened == page)
                return;
            for (const char* save : {"ins_btn", "edit_btn"})
                if (auto* button = opened->findChild<QAbstractButton*>(QLatin1String(save)); button && button->isVisible())
                    button->click();
            opened->close();
        });
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->click();
        else
            qobject_cast<QAction*>(control)->trigger();
        QCoreApplication::processEvents();
        QVERIFY2(!msgs.texts().contains(CoreText::NoPageAccess), qPrintable(name));
    }

private slots:
    void initTestCase() { QVERIFY(AdminPages::startProgram(main, users, QStringLiteral("users"))); }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        m_user = Sql::insert(QStringLiteral("users"), {{QStringLiteral("us"), QStringLiteral("0011223344")},
                                                        {QStringLiteral("ps"), QStringLiteral("x")},
                                                        {QStringLiteral("lev"), QStringLiteral("ostan")},
                                                        {QStringLiteral("status"), CoreText::ActiveStatus}});
        AdminPages::actAs(QStringLiteral("0011223344"), m_user, QStringLiteral("ostan"));
    }

    void cleanup() { m_db.reset(); }

    void rightsMatrix()
    {
        MsgRecorder msgs;
        // No row: the message, nothing opens.
        QVERIFY(!openUsers());
        QCOMPARE(msgs.texts(), QStringList{CoreText::NoPageAccess});

        // A row without the view right: the message again.
        msgs.clear();
        setRights(QStringLiteral("karbaran"), QStringLiteral("1110"));
        QVERIFY(!openUsers());
        QCOMPARE(msgs.texts(), QStringList{CoreText::NoPageAccess});

        // View only: the list opens with its commands disabled.
        msgs.clear();
        setRights(QStringLiteral("karbaran"), QStringLiteral("0001"));
        QList<bool> commands;
        QVERIFY(openUsers(&commands));
        QCOMPARE(commands, (QList<bool>{false, false, false, false}));
        QVERIFY(msgs.texts().isEmpty());

        // Every right.
        setRights(QStringLiteral("karbaran"), QStringLiteral("1111"));
        QVERIFY(openUsers(&commands));
        QCOMPARE(commands, (QList<bool>{true, true, true, true}));

        // Each right by itself enables its own commands.
        setRights(QStringLiteral("karbaran"), QStringLiteral("0101"));
        QVERIFY(openUsers(&commands));
        QCOMPARE(commands, (QList<bool>{false, false, true, false}));
        // Rights of another page or another user do not count.
        Sql::exec(QStringLiteral("delete from dastrasi where prs_id = ?"), {m_user});
        setRights(QStringLiteral("log"), QStringLiteral("1111"));
        AdminPages::grantRights(m_user + 1000, QStringLiteral("karbaran"), {1, 1, 1, 1});
        msgs.clear();
        QVERIFY(!openUsers());
        QCOMPARE(msgs.texts(), QStringList{CoreText::NoPageAccess});
    }

    // Every page of the menu with each single right (and view): each command
    // its declaration names is enabled exactly by its right, and pressed with
    // the first row current (a row of the page's table, which an
    // administrator's lists show whatever the scope), its write is not refused.
    void everyEnabledCommandMayWrite()
    {
        Sql::exec(QStringLiteral("update users set lev=? where id=?"), {QStringLiteral("admin"), m_user});
        AdminPages::actAs(QStringLiteral("0011223344"), m_user, QStringLiteral("admin"));
        for (const auto& [item, opener] : main->pages().asKeyValueRange()) {
            if (opener.commands.empty())
                continue; // the log: its view right is all it reads
            QWidget* page = opener.window;
            QVERIFY2(page, qPrintable(item));
            try { // two rows, one for the delete, one for the edit
                for (int row = 0; row < 2; ++row)
                    Sql::exec(QStringLiteral("insert into %1 default values").arg(opener.page));
            } catch (const DbError&) { // a page that is no table
            }
            for (int single : {2, 0, 1}) {
                QList<int> bits{0, 0, 0, 1};
                bits[single] = 1;
                AdminPages::grantRights(m_user, opener.page, bits);
                const PageRights rights{bits[0] == 1, bits[1] == 1, bits[2] == 1, true};
                MsgRecorder msgs;
                QVERIFY2(AdminPages::openPage(main, item, page, [&] {
                    if (auto* grid = page->findChild<QTableView*>(QStringLiteral("DBGrid1")); grid && grid->model() && grid->model()->rowCount() > 0)
                        WindowSteps::clickRow(grid, 0);
                    for (const PageCommand& command : opener.commands)
                        pressIfEnabled(page, command, allows(rights, command.right), msgs);
                }), qPrintable(item));
            }
        }
    }

    void openerPresetsAndSearch()
    {
        MsgRecorder msgs;
        setRights(QStringLiteral("karbaran"), QStringLiteral("1111"));
        // The main window maximized on a 1366x768 screen with a desktop panel:
        // the list takes the height the opener gives it, not more.
        main->resize(1366, 768 - 40 - 30);
        // The list shows every account, also after a filtered search that left text in a box.
        QList<bool> commands;
        QVERIFY(openUsers(&commands));
        const qint64 accounts = Sql::scalar(QStringLiteral("select count(*) from users")).toLongLong();
        QCOMPARE(qint64(users->list()->model()->rowCount()), accounts);
        QCOMPARE(users->height(), main->height() - 60);
    }

    void databaseErrorShowsOneMessageAndOpensNothing()
    {
        MsgRecorder msgs;
        setRights(QStringLiteral("karbaran"), QStringLiteral("1111"));
        Sql::exec(QStringLiteral("drop table dastrasi"));
        QVERIFY(!openUsers());
        QCOMPARE(msgs.texts().size(), 1);
        QVERIFY(msgs.last().startsWith(DbText::Refused));
    }

    void everyPageItemIsEnabled()
    {
        for (const char* item : {"N15", "N16", "N17", "N18", "N20", "N24"})
            QVERIFY2(main->findChild<QAction*>(QLatin1String(item))->isEnabled(), item);
        QVERIFY(main->ui->N6->isEnabled());
        QVERIFY(main->ui->N1->isEnabled());  // the personnel list
        QVERIFY(main->ui->N21->isEnabled()); // the gazetteer
        QVERIFY(main->ui->N14->isEnabled()); // the loans
        QVERIFY(main->ui->N13->isEnabled()); // the guesthouse stays
        QVERIFY(main->ui->N25->isEnabled()); // the guesthouse registry
        QVERIFY(main->ui->N23->isEnabled()); // leave and missions
        QVERIFY(main->ui->N3->isEnabled());
    }

    // The log row and the main window name the workstation by the name the
    // network keeps for its address, or else by its own host name.
    void workstationNamedByItsHostName()
    {
        const QString address = LocalIP();
        const QHostInfo info = QHostInfo::fromName(address); // the resolver, asked apart from the program
        const bool registered = info.error() == QHostInfo::NoError && info.hostName() != address;
        const QString expected = registered ? info.hostName() : QHostInfo::localHostName();
        bool answered = false;
        whenHostNameKnown(address, this, [&](const QString&) { answered = true; });
        QTRY_VERIFY_WITH_TIMEOUT(answered, 30000);

        write_log_row_for(QStringLiteral("naming"), QStringLiteral("row"));
        const QVariant logged = Sql::scalar(QStringLiteral("select computer_name from log where karbar = ?"), {QStringLiteral("naming")});
        QCOMPARE(logged.toString(), expected.left(50));
        main->setWorkstation(address);
        QCOMPARE(main->ui->IPAddrToName2->text(), expected);
    }

    // The address, host name and date labels keep their right edge 50 pixels
    // from the window's right edge as the window grows (it opens maximised
    // after it is first shown); the host-name label shows the address while no
    // name is known and for an address that has none.
    void workstationLabels()
    {
        const QString address = QStringLiteral("192.0.2.1"); // documentation range
        main->resize(1000, 700);
        main->show();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        main->setWorkstation(address);
        main->setServerDate(QStringLiteral("1405/09/16"));
        QCOMPARE(main->ui->localip2->text(), address);
        bool answered = false;
        QString name;
        whenHostNameKnown(address, this, [&](const QString& found) { answered = true, name = found; });
        QTRY_VERIFY_WITH_TIMEOUT(answered, 30000);
        QCOMPARE(main->ui->IPAddrToName2->text(), name.isEmpty() ? address : name);
        main->resize(1600, 900);
        QTRY_COMPARE(main->width(), 1600);
        for (QLabel* label : {main->ui->localip2, main->ui->IPAddrToName2, main->ui->tarikh}) {
            QCOMPARE(label->geometry().right() + 1, main->width() - 50);
            QVERIFY(label->width() >= label->sizeHint().width());
        }
        main->hide();
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
