// A fresh workstation, as a person meets it: nothing configured, the embedded
// database made on the first login, the administrator adds a user with rights,
// closes the program, and the new user logs in.

#include "core/list_window.h"
#include "core/login.h"
#include "core/main_window.h"
#include "core/password_hash.h"
#include "core/session.h"
#include "core/texts.h"
#include "core/users.h"
#include "core/users_ins.h"
#include "platform/config/connection_settings.h"
#include "platform/db/sql.h"
#include "platform/ui/window_set.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/window_steps.h"
#include "ui_login.h"
#include "ui_main.h"
#include "ui_users.h"
#include "ui_users_ins.h"

#include <QtTest>
#include <QComboBox>
#include <QSignalSpy>
#include <QTemporaryDir>

class TestFirstRun : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    Tlogin* login = nullptr;
    Tmain* main = nullptr;

    void logIn(const QString& us, const QString& ps)
    {
        login->ui->us->clear();
        login->ui->ps->clear();
        QTest::keyClicks(login->ui->us, us);
        QTest::keyClick(login->ui->us, Qt::Key_Return);
        QTest::keyClicks(login->ui->ps, ps);
        QTest::keyClick(login->ui->ps, Qt::Key_Return);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("TUVEK_USER_SETTINGS", m_home.filePath(QStringLiteral("user.ini")).toUtf8());
        qputenv("TUVEK_INSTALL_SETTINGS", m_home.filePath(QStringLiteral("none.ini")).toUtf8());
        qputenv("TUVEK_DATA_DIR", m_home.filePath(QStringLiteral("data")).toUtf8());
        QDir::setCurrent(m_home.path());
        QVERIFY(AdminPages::startProgram(main, login, QStringLiteral("login")));
    }

    void adminAddsAUserWhoThenLogsIn()
    {
        MsgRecorder msgs;
        login->show();
        // Nothing configured: the built-in connection, the embedded database.
        QCOMPARE(login->connectionChoice(), 0);

        // The first login makes the database and asks for the administrator's
        // password twice; a name remembered from another database gives way to
        // the administrator's, who logs in next with that password.
        msgs.answerInput(QStringLiteral("Adm!n 1"));
        msgs.answerInput(QStringLiteral("Adm!n 1"));
        login->ui->us->setText(QStringLiteral("0012345678"));
        login->ui->ps->clear();
        login->ui->BitBtn1->click();
        QCOMPARE(login->ui->us->text(), QStringLiteral("admin"));
        QVERIFY(!main->isVisible());
        QVERIFY(!msgs.texts().contains(CoreText::WrongUserOrPassword));
        logIn(QStringLiteral("admin"), QStringLiteral("Adm!n 1"));
        QVERIFY(QFile::exists(Settings::embeddedDatabase()));
        QVERIFY2(main->isVisible(), qPrintable(msgs.texts().join(QLatin1Char('|'))));
        QCOMPARE(Session::user().level, QStringLiteral("admin"));

        // Users page: a new account, then its rights.
        auto* users = win<Tusers>(QStringLiteral("users"));
        auto* entry = win<Tusers_ins>(QStringLiteral("users_ins"));
        QVERIFY(WindowSteps::openFromMenu(main->ui->N6, users, [&] {
            QVERIFY(WindowSteps::openFromMenu(users->ui->N5, entry, [&] {
                QTest::keyClicks(entry->ui->us, QStringLiteral("0087654321"));
                QTest::keyClicks(entry->ui->ps, QStringLiteral("s3cret"));
                QTest::keyClicks(entry->ui->nam, QStringLiteral("Sara"));
                entry->ui->lev->setCurrentText(QStringLiteral("ostan"));
                entry->ui->ins_btn->click();
            }));
            // The new account is in the list: load it, tick view on the users page, save.
            WindowSteps::clickRow(users->ui->DBGrid1, QStringLiteral("us"), QStringLiteral("0087654321"));
            users->ui->karbaran_show->setChecked(true);
            users->ui->ins_btn2->click();
        }));
        QVERIFY2(msgs.texts().contains(QStringLiteral("ثبت شد")), qPrintable(msgs.texts().join(QLatin1Char('|'))));
        const QVariantMap added = Sql::row(QStringLiteral("select id, ps, status from users where us = ?"),
                                           {QStringLiteral("0087654321")});
        QVERIFY(PasswordHash::verify(added.value(QStringLiteral("ps")).toString(), QStringLiteral("s3cret")));
        QCOMPARE(added.value(QStringLiteral("status")).toString(), CoreText::ActiveStatus);

        // Closing the main window ends the program after Yes.
        QSignalSpy ended(login, &Tlogin::ended);
        msgs.answer(Msg::Button::Yes);
        main->close();
        QCOMPARE(ended.count(), 1);

        // The next start: the new user logs in and may only view the users page.
        WindowSet::instance().destroyAll();
        QVERIFY(AdminPages::startProgram(main, login, QStringLiteral("login")));
        users = win<Tusers>(QStringLiteral("users"));
        login->show();
        QCOMPARE(login->ui->us->text(), QStringLiteral("admin"));
        msgs.clear();
        logIn(QStringLiteral("0087654321"), QStringLiteral("s3cret"));
        QVERIFY2(main->isVisible(), qPrintable(msgs.texts().join(QLatin1Char('|'))));
        QCOMPARE(Session::user().karbar, QStringLiteral("0087654321"));
        QVERIFY(WindowSteps::openFromMenu(main->ui->N6, users, [&] {
            QVERIFY(!users->ui->N5->isEnabled());
            QVERIFY(!users->ui->N7->isEnabled());
        }));
        QVERIFY(msgs.texts().isEmpty());
    }
};

QTEST_MAIN(TestFirstRun)
#include "test_first_run.moc"
