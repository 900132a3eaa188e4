// The login as a person does it: type the user name, Enter, the password,
// Enter; then what the database, the session and the windows show.

#include "core/account_row.h"
#include "core/change_pass.h"
#include "core/login.h"
#include "core/main_window.h"
#include "core/password_hash.h"
#include "core/session.h"
#include "core/shamsi_date.h"
#include "core/texts.h"
#include "platform/config/connection_settings.h"
#include "platform/db/sql.h"
#include "platform/db/texts.h"
#include "platform/ui/texts.h"
#include "platform/ui/window_set.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/second_workstation.h"
#include "tests/support/test_db.h"
#include "tests/support/window_steps.h"
#include "ui_change_pass.h"
#include "ui_login.h"
#include "ui_main.h"

#include <QtTest>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace WindowSteps;

class TestLogin : public QObject {
    Q_OBJECT

    TestDb m_db;
    QTemporaryDir m_home;
    Tlogin* login = nullptr;
    Tmain* main = nullptr;

    qint64 addUser(const QString& us, const QString& ps, const QString& status = CoreText::ActiveStatus,
                   const QString& lev = QStringLiteral("single"), bool hashed = true)
    {
        return Sql::insert(QStringLiteral("users"),
                           {{QStringLiteral("us"), us},
                            {QStringLiteral("ps"), hashed ? PasswordHash::hash(ps) : ps},
                            {QStringLiteral("ver"), QString()},
                            {QStringLiteral("lev"), lev},
                            {QStringLiteral("nam"), QStringLiteral("کاربر آزمون")},
                            {QStringLiteral("status"), status}});
    }

    void typeAndEnter(const QString& us, const QString& ps)
    {
        login->ui->us->clear();
        login->ui->ps->clear();
        login->ui->us->setFocus();
        typeText(login->ui->us, us);
        QTest::keyClick(login->ui->us, Qt::Key_Return);
        QVERIFY(login->ui->ps->hasFocus() || !login->isActiveWindow());
        typeText(login->ui->ps, ps);
        QTest::keyClick(login->ui->ps, Qt::Key_Return);
    }

    static qint64 logRows(const QString& like)
    {
        return Sql::scalar(QStringLiteral("select count(*) from log where cmt like ?"), {QStringLiteral("%") + like + QStringLiteral("%")})
            .toLongLong();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("TUVEK_USER_SETTINGS", m_home.filePath(QStringLiteral("settings.ini")).toUtf8());
        QDir::setCurrent(m_home.path());
        QVERIFY(AdminPages::startProgram(main, login, QStringLiteral("login")));
    }

    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        // The login connects by this user's settings ("Local") to the test database.
        QVERIFY(m_db.writeSettings(Settings::userFile()));
        login->setConnectionChoice(1);
        login->show();
        main->hide();
        QFile::remove(Tlogin::rememberedNamePath());
    }

    void cleanup() { m_db.reset(); }

    void goodLogin()
    {
        MsgRecorder msgs;
        const qint64 id = addUser(QStringLiteral("0012345678"), QStringLiteral("رمز'1"));
        const qint64 person = Sql::insert(QStringLiteral("personel"),
                                          {{QStringLiteral("nation"), QStringLiteral("0012345678")},
                                           {QStringLiteral("semat"), QStringLiteral("کارشناس")}});
        typeAndEnter(QStringLiteral("0012345678"), QStringLiteral("رمز'1"));
        QVERIFY2(msgs.texts().isEmpty(), qPrintable(msgs.texts().join(QLatin1Char('|'))));
        QVERIFY(main->isVisible());
        QVERIFY(!login->isVisible());
        QVERIFY(login->ui->ps->text().isEmpty()); // the password is not kept
        const CurrentUser& u = Session::user();
        QCOMPARE(u.karbar, QStringLiteral("0012345678"));
        QCOMPARE(u.prs_id, QString::number(id));
        QCOMPARE(u.level, QStringLiteral("single"));
        QCOMPARE(u.personel_id, QString::number(person));
        QCOMPARE(u.semat, QStringLiteral("کارشناس"));
        QCOMPARE(Sql::scalar(QStringLiteral("select ver from users where id = ?"), {id}).toString(), QStringLiteral("1"));
        QCOMPARE(logRows(CoreText::LoginSucceeded.trimmed() + QStringLiteral("  0012345678 کاربر آزمون")), 1);
        const QVariantMap row = Sql::row(QStringLiteral("select * from log where karbar = ?"), {QStringLiteral("0012345678")});
        QCOMPARE(row.value(QStringLiteral("tarikh")).toString(), Shamsi::fromDate(QDate::currentDate()));
        QVERIFY(Shamsi::isValid(main->ui->tarikh->text()));
        QCOMPARE(main->ui->N9->text(), CoreText::MessagesItem);
        // The name is remembered for the next start, with the focus on the password.
        login->ui->us->clear();
        login->show();
        QCOMPARE(login->ui->us->text(), QStringLiteral("0012345678"));
    }

    // The embedded database file damaged (its header overwritten, or a text
    // file in its place): the login names the file and goes on; nothing is
    // written to it and the installer does not run on it.
    void damagedEmbeddedFile_data()
    {
        QTest::addColumn<bool>("header");
        QTest::newRow("header overwritten") << true;
        QTest::newRow("a text file") << false;
    }
    void damagedEmbeddedFile()
    {
        QFETCH(bool, header);
        QTemporaryDir data;
        qputenv("TUVEK_DATA_DIR", data.path().toUtf8());
        qputenv("TUVEK_INSTALL_SETTINGS", data.filePath(QStringLiteral("none.ini")).toUtf8());
        const auto restore = qScopeGuard([] { qunsetenv("TUVEK_DATA_DIR"), qunsetenv("TUVEK_INSTALL_SETTINGS"); });
        const QString path = Settings::embeddedDatabase();
        if (header) {
            QVERIFY(Database::current().open({.backend = Backend::SQLite, .database = path}));
            Sql::exec(QStringLiteral("create table users (id integer)"));
        }
        Database::current().close();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.write(QByteArray(100, 'x') + (header ? QByteArray() : QByteArray("not a database\n").repeated(100)));
        file.seek(0);
        const QByteArray before = file.readAll();
        file.close();

        MsgRecorder msgs;
        login->setConnectionChoice(0);
        typeAndEnter(QStringLiteral("admin"), TestDb::AdminPassword);
        QCOMPARE(msgs.texts(), QStringList{DbText::damagedFile(path)});
        QVERIFY(!main->isVisible() && login->isVisible());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(QDir(data.path()).entryList(QDir::Files), QStringList{QFileInfo(path).fileName()});
    }

    // A user name typed with Persian digits logs in to the account stored with
    // ASCII digits, and an older account stored with Persian digits is found
    // by the ASCII digits; the session knows both by their ASCII form.
    void userNameInAnyDigits()
    {
        MsgRecorder msgs;
        addUser(QStringLiteral("0012345678"), QStringLiteral("pw"));
        const qint64 older = addUser(QStringLiteral("۰۰۹۸۷۶۵۴۳۲"), QStringLiteral("pw2"));
        typeAndEnter(QStringLiteral("۰۰۱۲۳۴۵۶۷۸"), QStringLiteral("pw"));
        QVERIFY(main->isVisible());
        QCOMPARE(Session::user().karbar, QStringLiteral("0012345678"));

        main->hide();
        login->show();
        typeAndEnter(QStringLiteral("0098765432"), QStringLiteral("pw2"));
        QVERIFY(main->isVisible());
        QCOMPARE(Session::user().karbar, QStringLiteral("0098765432"));
        QCOMPARE(Session::user().prs_id, QString::number(older));
        QCOMPARE(Sql::scalar(QStringLiteral("select ver from users where id = ?"), {older}).toString(), QStringLiteral("1"));
        QVERIFY(msgs.texts().isEmpty());
    }

    void refusals()
    {
        MsgRecorder msgs;
        addUser(QStringLiteral("111"), QStringLiteral("pw"));
        addUser(QStringLiteral("222"), QStringLiteral("pw"), QStringLiteral("غير فعال"));
        const qint64 logBefore = Sql::scalar(QStringLiteral("select count(*) from log")).toLongLong();

        typeAndEnter(QStringLiteral("111"), QStringLiteral("PW"));
        QCOMPARE(msgs.last(), CoreText::WrongUserOrPassword);
        typeAndEnter(QStringLiteral("nobody"), QStringLiteral("pw"));
        QCOMPARE(msgs.last(), CoreText::WrongUserOrPassword);
        typeAndEnter(QStringLiteral("222"), QStringLiteral("pw"));
        QCOMPARE(msgs.last(), CoreText::UserInactive);
        typeAndEnter(QString(), QString());
        QCOMPARE(msgs.last(), CoreText::WrongUserOrPassword);

        QVERIFY(login->isVisible());
        QVERIFY(!main->isVisible());
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from log")).toLongLong(), logBefore);
        QVERIFY(!QFile::exists(Tlogin::rememberedNamePath()));
    }

    // A database without a table the login reads: refused before the
    // password is looked at, the table named; no row says it succeeded.
    void databaseWithoutATableItNeeds()
    {
        addUser(QStringLiteral("111"), QStringLiteral("pw"));
        Sql::exec(QStringLiteral("drop table personel"));
        MsgRecorder msgs;
        typeAndEnter(QStringLiteral("111"), QStringLiteral("pw"));
        QCOMPARE(msgs.texts(), QStringList{CoreText::DatabaseIncomplete.arg(CoreText::MissingTable.arg("personel")) +
                                           CoreText::DatabaseIncompleteInstall});
        QVERIFY(!main->isVisible());
        QVERIFY(Database::current().open(m_db.options()));
        QCOMPARE(logRows(CoreText::LoginSucceeded.trimmed()), 0);
    }

    void plainTextPasswordIsReplacedByItsHash()
    {
        MsgRecorder msgs;
        const qint64 id = addUser(QStringLiteral("333"), QStringLiteral("old-plain"), CoreText::ActiveStatus,
                                  QStringLiteral("single"), false);
        typeAndEnter(QStringLiteral("333"), QStringLiteral("old-plain"));
        QVERIFY(main->isVisible());
        const QString stored = Sql::scalar(QStringLiteral("select ps from users where id = ?"), {id}).toString();
        QVERIFY(PasswordHash::isHash(stored));
        QVERIFY(PasswordHash::verify(stored, QStringLiteral("old-plain")));
    }

    void userWithoutPersonAndUnreadMessages()
    {
        MsgRecorder msgs;
        const qint64 id = addUser(QStringLiteral("444"), QStringLiteral("pw"));
        Sql::insert(QStringLiteral("payamha"), {{QStringLiteral("send_prs_id"), 1},
                                                {QStringLiteral("rec_prs_id"), id},
                                                {QStringLiteral("send_dat"), QStringLiteral("1403/01/01")},
                                                {QStringLiteral("show_dat"), QString()},
                                                {QStringLiteral("mozo"), QStringLiteral("سلام")}});
        typeAndEnter(QStringLiteral("444"), QStringLiteral("pw"));
        QVERIFY(main->isVisible());
        QCOMPARE(Session::user().personel_id, QString());
        QCOMPARE(Session::user().semat, QString());
        QCOMPARE(main->ui->N9->text(), CoreText::MessagesWaiting);
    }

    void versionGate()
    {
        MsgRecorder msgs;
        addUser(QStringLiteral("555"), QStringLiteral("pw"));
        QSignalSpy ended(login, &Tlogin::ended);

        // No number in the admin row: no newer version, the login goes on.
        Sql::exec(QStringLiteral("update users set ver = ? where us = ?"), {QStringLiteral("x"), QStringLiteral("admin")});
        typeAndEnter(QStringLiteral("555"), QStringLiteral("pw"));
        QVERIFY(main->isVisible());
        main->hide();
        login->show();

        Sql::exec(QStringLiteral("update users set ver = ? where us = ?"), {QStringLiteral("2"), QStringLiteral("admin")});
        Sql::insert(QStringLiteral("zamaem"), {{QStringLiteral("cmt"), CoreText::NewestProgramFile},
                                               {QStringLiteral("pictype"), QStringLiteral("/.exe")},
                                               {QStringLiteral("pic"), QByteArray("MZ-program")}});
        const QString target = m_home.filePath(QStringLiteral("saved.bin"));
        msgs.answerInput(target);
        typeAndEnter(QStringLiteral("555"), QStringLiteral("pw"));
        QCOMPARE(msgs.texts().first(), CoreText::OldVersion + QStringLiteral("2") + CoreText::OldVersionTail);
        QCOMPARE(ended.count(), 1);
        QVERIFY(!main->isVisible());
        QCOMPARE(logRows(CoreText::LoginOldVersion.trimmed() + QStringLiteral("   2 555")), 1);
        // The save dialog proposed a name the program built.
        const Msg::Request& dialog = msgs.requests.last();
        QCOMPARE(dialog.kind, Msg::Kind::SaveFile);
        QVERIFY(dialog.defaultText.startsWith(QStringLiteral("Tuvek")));
        QVERIFY(dialog.defaultText.endsWith(QStringLiteral(".exe")));
        QVERIFY(!dialog.defaultText.contains(QLatin1Char('/')));
        QFile saved(target);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("MZ-program"));

        // A file that cannot be written where the user chose is said so, with the cause.
        const QString nowhere = m_home.filePath(QStringLiteral("no-such-folder/saved.bin"));
        login->show();
        msgs.answerInput(nowhere);
        typeAndEnter(QStringLiteral("555"), QStringLiteral("pw"));
        QCOMPARE(msgs.texts().last(), UiText::FolderNotWritable.arg(Msg::filePath(nowhere)));
    }

    void passwordChange()
    {
        MsgRecorder msgs;
        const qint64 id = addUser(QStringLiteral("666"), QStringLiteral("old"), QStringLiteral("غير فعال"));
        auto* window = win<Tchange_pass>(QStringLiteral("change_pass"));

        login->ui->us->setText(QStringLiteral("666"));
        login->ui->ps->setText(QStringLiteral("wrong"));
        login->Label3Click();
        QCOMPARE(msgs.last(), CoreText::ChangePassWrongPair);
        QVERIFY(!window->isVisible());

        // An inactive user can still change the password.
        login->ui->ps->setText(QStringLiteral("old"));
        login->Label3Click();
        QVERIFY(window->isVisible());
        QVERIFY(!login->isVisible());

        window->ui->Edit1->setText(QStringLiteral("new1"));
        window->ui->Edit2->setText(QStringLiteral("new2"));
        window->ui->BitBtn1->click();
        QCOMPARE(msgs.last(), CoreText::PasswordsDiffer);
        window->ui->Edit1->clear();
        window->ui->Edit2->clear();
        window->ui->BitBtn1->click();
        QCOMPARE(msgs.last(), CoreText::PasswordNotValid);

        // Another workstation changed the password meanwhile: no success is claimed.
        const QString atLogin = Sql::scalar(QStringLiteral("select ps from users where id = ?"), {id}).toString();
        Sql::exec(QStringLiteral("update users set ps = ? where id = ?"), {PasswordHash::hash(QStringLiteral("elsewhere")), id});
        window->ui->Edit1->setText(QStringLiteral("new"));
        window->ui->Edit2->setText(QStringLiteral("new"));
        window->ui->BitBtn1->click();
        QCOMPARE(msgs.last(), CoreText::ChangePassWrongPair);
        QVERIFY(PasswordHash::verify(Sql::scalar(QStringLiteral("select ps from users where id = ?"), {id}).toString(),
                                     QStringLiteral("elsewhere")));

        // Back as it was at login: the change goes through.
        Sql::exec(QStringLiteral("update users set ps = ? where id = ?"), {atLogin, id});
        window->ui->BitBtn1->click();
        QCOMPARE(msgs.last(), CoreText::PasswordChanged);
        QVERIFY(!window->isVisible());
        QVERIFY(login->isVisible());
        const QString stored = Sql::scalar(QStringLiteral("select ps from users where id = ?"), {id}).toString();
        QVERIFY(PasswordHash::isHash(stored));
        QVERIFY(PasswordHash::verify(stored, QStringLiteral("new")));
    }

    // A password changed while another workstation signs in with the old one
    // of an account that still holds it in plain text: the change stays, and
    // the changer is told it changed, whichever writes first.
    void passwordChangeBesideASignIn_data()
    {
        QTest::addColumn<bool>("signInWritesFirst");
        QTest::newRow("sign-in checked, change, sign-in writes") << false;
        QTest::newRow("sign-in writes its hash, then change") << true;
    }
    void passwordChangeBesideASignIn()
    {
        QFETCH(bool, signInWritesFirst);
        MsgRecorder msgs;
        const qint64 id = addUser(QStringLiteral("777"), QStringLiteral("old"), CoreText::ActiveStatus,
                                  QStringLiteral("single"), false);
        login->ui->us->setText(QStringLiteral("777"));
        login->ui->ps->setText(QStringLiteral("old"));
        login->Label3Click();
        auto* window = win<Tchange_pass>(QStringLiteral("change_pass"));
        QVERIFY(window->isVisible());

        Meeting checked, changed;
        SecondWorkstation other(m_db.options());
        other.start([&] {
            const QString verified = Sql::scalar(QStringLiteral("select ps from users where id = ?"), {id}).toString();
            if (!PasswordHash::verify(verified, QStringLiteral("old")))
                throw std::runtime_error("the old password did not match");
            if (!signInWritesFirst) {
                checked.arrive();
                changed.awaitArrival();
            }
            AccountRow::afterLogin(id, verified, QStringLiteral("old"), QStringLiteral("1"));
        });
        if (signInWritesFirst)
            QVERIFY2(other.wait(), qPrintable(other.error()));
        else
            QVERIFY(checked.awaitArrival());
        window->ui->Edit1->setText(QStringLiteral("new"));
        window->ui->Edit2->setText(QStringLiteral("new"));
        window->ui->BitBtn1->click();
        changed.arrive();
        QVERIFY2(other.wait(), qPrintable(other.error()));
        QCOMPARE(msgs.last(), CoreText::PasswordChanged);
        const QString stored = Sql::scalar(QStringLiteral("select ps from users where id = ?"), {id}).toString();
        QVERIFY(PasswordHash::verify(stored, QStringLiteral("new")));
        QVERIFY(!PasswordHash::verify(stored, QStringLiteral("old")));
    }

    // Another workstation changes the password while this one checks the old
    // one (outside the keys) and waits for the account's key: refused as another's.
    void passwordChangedElsewhereMeanwhile()
    {
        MsgRecorder msgs;
        const qint64 id = addUser(QStringLiteral("888"), QStringLiteral("old"));
        login->ui->us->setText(QStringLiteral("888"));
        login->ui->ps->setText(QStringLiteral("old"));
        login->Label3Click();
        auto* window = win<Tchange_pass>(QStringLiteral("change_pass"));
        Meeting holding, waiting;
        SecondWorkstation other(m_db.options());
        other.start([&] {
            Sql::exclusive(AccountRow::keys(id), [&] {
                Sql::exec(QStringLiteral("update users set ps=? where id=?"), {PasswordHash::hash(QStringLiteral("new")), id});
                holding.arrive();
                waiting.awaitArrival();
            });
        });
        QVERIFY(holding.awaitArrival());
        Database::current().setWaitNotice([&](bool started) { started ? waiting.arrive() : void(); });
        window->ui->Edit1->setText(QStringLiteral("mine"));
        window->ui->Edit2->setText(QStringLiteral("mine"));
        window->ui->BitBtn1->click();
        Database::current().setWaitNotice({});
        QVERIFY2(other.wait(), qPrintable(other.error()));
        QCOMPARE(msgs.last(), CoreText::PasswordChangedElsewhere);
        QVERIFY(PasswordHash::verify(Sql::scalar(QStringLiteral("select ps from users where id=?"), {id}).toString(),
                                     QStringLiteral("new")));
        window->ui->BitBtn2->click();
    }

    // Back from the password change, the login keeps the user name typed for
    // it, not the one remembered from the last login.
    void passwordChangeKeepsTheTypedName()
    {
        MsgRecorder msgs;
        addUser(QStringLiteral("666"), QStringLiteral("old"));
        QFile remembered(Tlogin::rememberedNamePath());
        QVERIFY(remembered.open(QIODevice::WriteOnly) && remembered.write("0012345678\n") && remembered.flush());
        login->ui->us->setText(QStringLiteral("666"));
        login->ui->ps->setText(QStringLiteral("old"));
        login->Label3Click();
        win<Tchange_pass>(QStringLiteral("change_pass"))->ui->BitBtn2->click();
        QVERIFY(login->isVisible());
        QCOMPARE(login->ui->us->text(), QStringLiteral("666"));
    }
};

QTEST_MAIN(TestLogin)
#include "test_login.moc"
