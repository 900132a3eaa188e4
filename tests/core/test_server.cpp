// The connection settings window driven as a person: required boxes in order,
// the defaults of the labels, save and reload of any password through the
// login window's "change database" link, the exit button, the installer label.

#include "core/login.h"
#include "core/program.h"
#include "core/server.h"
#include "core/texts.h"
#include "platform/config/connection_settings.h"
#include "platform/db/sql.h"
#include "platform/ui/window_set.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"
#include "ui_login.h"
#include "ui_server.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

class TestServer : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    Tserver* m_server = nullptr;
    std::function<void()> m_whenShown; // runs while the window is shown modally


    void fill(const QString& server, const QString& db, const QString& user, const QString& password)
    {
        for (QLineEdit* box : {m_server->ui->SqlServerName, m_server->ui->DataBase, m_server->ui->UserName,
                               m_server->ui->Password})
            box->clear();
        QTest::keyClicks(m_server->ui->SqlServerName, server);
        QTest::keyClicks(m_server->ui->DataBase, db);
        QTest::keyClicks(m_server->ui->UserName, user);
        QTest::keyClicks(m_server->ui->Password, password);
    }

    // The login window's "change database" link; what the window shows is
    // looked at while it is open, then it is closed with its exit button.
    void openFromLogin(const std::function<void()>& look)
    {
        m_whenShown = [this, look] {
            look();
            m_server->ui->Button2->click();
        };
        auto* login = win<Tlogin>(QStringLiteral("login"));
        emit login->ui->Label4->linkActivated(QStringLiteral("#"));
        m_whenShown = nullptr;
    }

private slots:
    void initTestCase()
    {
        TestDb::isolateSettings(m_dir.path());
        Program::start(*qApp);
        m_server = win<Tserver>(QStringLiteral("server"));
        connect(m_server, &Form::shown, this, [this] {
            if (m_whenShown)
                QTimer::singleShot(0, this, [this] { m_whenShown(); });
        });
        QCOMPARE(m_server->windowTitle(), CoreText::ServerCaption);
    }

    void init()
    {
        QFile::remove(Settings::userFile());
        m_server->show();
    }
    void cleanup() { m_server->hide(); }

    void everyBoxIsRequiredInOrder()
    {
        MsgRecorder msgs;
        m_server->ui->rbWindows->setChecked(true);
        fill({}, {}, {}, {});
        const QList<QPair<QLineEdit*, QString>> boxes = {
            {m_server->ui->SqlServerName, CoreText::EnterServerName},
            {m_server->ui->DataBase, CoreText::EnterDataBase},
            {m_server->ui->UserName, CoreText::EnterUserName},
            {m_server->ui->Password, CoreText::EnterPassword},
        };
        for (const auto& [box, message] : boxes) {
            msgs.clear();
            QTest::mouseClick(m_server->ui->Button1, Qt::LeftButton);
            QCOMPARE(msgs.texts(), QStringList{message});
            QCOMPARE(msgs.requests.first().icon, Msg::Icon::Question);
            QCOMPARE(msgs.requests.first().buttons, QList<Msg::Button>{Msg::Button::Yes});
            QCOMPARE(m_server->focusWidget(), box);
            QVERIFY(m_server->isVisible());
            QVERIFY(!QFile::exists(Settings::userFile()));
            QTest::keyClicks(box, QStringLiteral("x"));
        }
        msgs.clear();
        QTest::mouseClick(m_server->ui->Button1, Qt::LeftButton);
        QVERIFY(msgs.requests.isEmpty());
        QVERIFY(!m_server->isVisible());
        QCOMPARE(Settings::read(Settings::userFile())->authentication, QStringLiteral("Windows"));
    }

    void anyPasswordSurvivesSaveAndReload_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("persian") << QStringLiteral("رمز ي ی ك ک");
        QTest::newRow("signs") << QStringLiteral("p@ss=;#[]{}'\"\\ %$!");
        QTest::newRow("spaces") << QStringLiteral("  two  ");
        QTest::newRow("one byte below zero") << QString(QChar(0x01)) + QStringLiteral("A");
        QTest::newRow("emoji") << QStringLiteral("🔑");
    }

    void anyPasswordSurvivesSaveAndReload()
    {
        QFETCH(QString, password);
        MsgRecorder msgs;
        m_server->ui->rbSQL->setChecked(true);
        fill(QStringLiteral("db.office,5433"), QStringLiteral("Tuvek"), QStringLiteral("clerk"), QString());
        // Typed where the test keyboard has the keys (ASCII), pasted otherwise.
        bool typeable = true;
        for (QChar c : password)
            typeable = typeable && c.unicode() < 128 && c.isPrint();
        if (typeable)
            QTest::keyClicks(m_server->ui->Password, password);
        else
            m_server->ui->Password->setText(password);
        QCOMPARE(m_server->ui->Password->text(), password);
        m_server->ui->ServerType->setCurrentIndex(1);
        QTest::mouseClick(m_server->ui->Button1, Qt::LeftButton);
        QVERIFY(!m_server->isVisible());
        QVERIFY(msgs.requests.isEmpty());

        // Other text in the boxes, then reload through the login window.
        fill(QStringLiteral("other"), QStringLiteral("other"), QStringLiteral("other"), QStringLiteral("other"));
        m_server->ui->rbWindows->setChecked(true);
        m_server->ui->ServerType->setCurrentIndex(0);
        bool looked = false;
        openFromLogin([&] {
            looked = true;
            QCOMPARE(m_server->ui->SqlServerName->text(), QStringLiteral("db.office,5433"));
            QCOMPARE(m_server->ui->DataBase->text(), QStringLiteral("Tuvek"));
            QCOMPARE(m_server->ui->UserName->text(), QStringLiteral("clerk"));
            QCOMPARE(m_server->ui->Password->text(), password);
            QVERIFY(m_server->ui->rbSQL->isChecked());
            QCOMPARE(m_server->ui->ServerType->currentText(), QStringLiteral("SQL Server"));
        });
        QVERIFY(looked);
        QCOMPARE(msgs.texts(), QStringList{CoreText::ChangeDatabase});
        QCOMPARE(Settings::read(Settings::userFile())->password, password);
    }

    void windowsAuthenticationKeepsThePasswordBox()
    {
        MsgRecorder msgs;
        m_server->ui->rbWindows->setChecked(true);
        fill(QStringLiteral("db"), QStringLiteral("Tuvek"), QStringLiteral("clerk"), QStringLiteral("saved"));
        QTest::mouseClick(m_server->ui->Button1, Qt::LeftButton);
        QCOMPARE(Settings::read(Settings::userFile())->password, QStringLiteral("saved"));

        m_server->ui->rbSQL->setChecked(true);
        m_server->ui->Password->setText(QStringLiteral("typed"));
        openFromLogin([&] {
            QVERIFY(m_server->ui->rbWindows->isChecked());
            QCOMPARE(m_server->ui->Password->text(), QStringLiteral("typed"));
        });
    }

    void withoutSettingsTheBoxesKeepTheirText()
    {
        MsgRecorder msgs;
        m_server->hide();
        fill(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"));
        openFromLogin([&] {
            QCOMPARE(m_server->ui->SqlServerName->text(), QStringLiteral("a"));
            QCOMPARE(m_server->ui->Password->text(), QStringLiteral("d"));
        });
    }

    void labelsFillDefaultsButNoPassword()
    {
        fill({}, {}, {}, {});
        QTest::mouseClick(m_server->ui->Label2, Qt::LeftButton);
        QTest::mouseClick(m_server->ui->Label3, Qt::LeftButton);
        QTest::mouseClick(m_server->ui->Label4, Qt::LeftButton);
        QTest::mouseClick(m_server->ui->Label5, Qt::LeftButton);
        QVERIFY(!m_server->ui->SqlServerName->text().isEmpty());
        QCOMPARE(m_server->ui->DataBase->text(), QStringLiteral("Tuvek"));
        QVERIFY(!m_server->ui->UserName->text().isEmpty());
        QCOMPARE(m_server->ui->Password->text(), QString());
        QCOMPARE(m_server->focusWidget(), m_server->ui->Password);
    }

    void exitButtonClosesAndSaysEnd()
    {
        QTest::mouseClick(m_server->ui->Button2, Qt::LeftButton);
        QVERIFY(!m_server->isVisible());
        QCOMPARE(m_server->ui->Button2->text(), QStringLiteral("end"));
        QVERIFY(!QFile::exists(Settings::userFile()));
    }

    void unwritableSettingsAreReported()
    {
        qputenv("TUVEK_USER_SETTINGS", "/proc/no/such/folder/connection.ini");
        MsgRecorder msgs;
        win<Tlogin>(QStringLiteral("login"))->setConnectionChoice(0);
        fill(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"));
        QTest::mouseClick(m_server->ui->Button1, Qt::LeftButton);
        TestDb::isolateSettings(m_dir.path());
        QCOMPARE(win<Tlogin>(QStringLiteral("login"))->connectionChoice(), 0); // the login's choice stays
        QCOMPARE(msgs.texts(), QStringList{CoreText::SaveFailed});
        QCOMPARE(msgs.requests.first().icon, Msg::Icon::Warning);
        QVERIFY(!m_server->isVisible());
    }

    // Saved settings are what the next login connects to.
    void savedSettingsAreTheNextLogin()
    {
        win<Tlogin>(QStringLiteral("login"))->setConnectionChoice(0);
        fill(QStringLiteral("db"), QStringLiteral("Tuvek"), QStringLiteral("clerk"), QStringLiteral("pw"));
        QTest::mouseClick(m_server->ui->Button1, Qt::LeftButton);
        QCOMPARE(win<Tlogin>(QStringLiteral("login"))->connectionChoice(), 1);
    }

    // The label ". . ." installs the schema on the chosen connection: here the
    // built-in one, the embedded database.
    void installerLabelInstallsOnce()
    {
        win<Tlogin>(QStringLiteral("login"))->setConnectionChoice(0);
        MsgRecorder msgs;
        msgs.answerInput(QStringLiteral("admin pw"));
        msgs.answerInput(QStringLiteral("admin pw"));
        QTest::mouseClick(m_server->ui->Label1, Qt::LeftButton);
        QCOMPARE(msgs.texts(), QStringList{CoreText::AllSettingsDone});
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from users")).toInt(), 1);
        QVERIFY(Sql::tableExists(QStringLiteral("marateb")));

        msgs.clear();
        QTest::mouseClick(m_server->ui->Label1, Qt::LeftButton);
        QCOMPARE(msgs.texts(), QStringList{CoreText::AllSettingsDone});
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from users")).toInt(), 1);
        Database::current().close();
    }
};

QTEST_MAIN(TestServer)
#include "test_server.moc"
