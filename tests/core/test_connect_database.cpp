// Opening the connection by the login window's choice: the messages, the flag,
// the settings window after a failed Local connection, and the first run on
// the embedded database.

#include "core/connect_database.h"
#include "core/program.h"
#include "core/server.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/window_set.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/test_db.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

class TestConnectDatabase : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    TestDb m_db;
    int m_serverShown = 0;

    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

    // Settings that reach the test database; a password too, which trust
    // authentication of the test server ignores.
    ConnectionSettings reachable() const
    {
        ConnectionSettings s = m_db.settings();
        if (TestDb::backend() == Backend::PostgreSQL)
            s.password = QStringLiteral("any; pass'word");
        return s;
    }

    void writeUserSettings(const ConnectionSettings& s)
    {
        QVERIFY(TestDb::writeSettingsFile(Settings::userFile(), s));
    }

    void expectFailure(const QString& message, Msg::Icon icon, int shown)
    {
        MsgRecorder msgs;
        const int before = m_serverShown;
        QVERIFY(!connect_database(1));
        QCOMPARE(msgs.texts(), QStringList{message});
        QCOMPARE(msgs.requests.first().icon, icon);
        QCOMPARE(msgs.requests.first().buttons, QList<Msg::Button>{Msg::Button::Yes});
        QCOMPARE(m_serverShown - before, shown);
        QVERIFY(!Database::current().isOpen());
    }

private slots:
    void initTestCase()
    {
        TestDb::isolateSettings(m_dir.path());
        Program::start(*qApp);
        // The settings window opens modally; here it is closed as soon as it shows.
        Tserver* server = win<Tserver>(QStringLiteral("server"));
        connect(server, &Form::shown, this, [this, server] {
            ++m_serverShown;
            QTimer::singleShot(0, server, &QWidget::close);
        });
    }

    void init()
    {
        QFile::remove(Settings::userFile());
        QFile::remove(Settings::installFile());
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed);
        Database::current().close();
    }
    void cleanup() { m_db.reset(); }

    void nothingChosenDoesNothing()
    {
        MsgRecorder msgs;
        QVERIFY(connect_database(-1));
        QVERIFY(msgs.requests.isEmpty());
        QVERIFY(!Database::current().isOpen());
    }

    void localWithoutSettingsAsksForThem()
    {
        QCOMPARE(default_connection_choice(), 0);
        expectFailure(CoreText::SettingsMissing, Msg::Icon::Warning, 1);
    }

    void localConnects()
    {
        writeUserSettings(reachable());
        QCOMPARE(default_connection_choice(), 1);
        MsgRecorder msgs;
        const int shown = m_serverShown;
        QVERIFY(connect_database(1));
        QVERIFY(msgs.requests.isEmpty());
        QVERIFY(Database::current().isOpen());
        QCOMPARE(Database::current().backend(), TestDb::backend());
        QCOMPARE(Sql::scalar(QStringLiteral("select us from users")).toString(), QStringLiteral("admin"));
        QCOMPARE(m_serverShown, shown);
    }

    void localFailsWithItsMessage()
    {
        ConnectionSettings s = reachable();
        if (TestDb::backend() == Backend::SQLite) {
            s.sqlServerName = path("no/such/file.db");
            writeUserSettings(s);
            expectFailure(CoreText::AccessFileMissing, Msg::Icon::Warning, 1);
            QVERIFY(!QFile::exists(s.sqlServerName));
        } else {
            s.dataBase = QStringLiteral("no_such_database");
            writeUserSettings(s);
            expectFailure(CoreText::NoSuchDatabase.arg(s.dataBase), Msg::Icon::Warning, 1);
        }
    }

    void windowsAuthenticationSendsNoPassword()
    {
        if (TestDb::backend() == Backend::SQLite)
            QSKIP("operating-system authentication needs a server");
        ConnectionSettings s = reachable();
        s.authentication = QStringLiteral("Windows");
        writeUserSettings(s);
        MsgRecorder msgs;
        QVERIFY(connect_database(1));
        QVERIFY(Database::current().options().integrated);
        QVERIFY(Database::current().options().password.isEmpty());
    }

    // Values outside the known ones are a failure, never a silent success.
    void unknownValuesAreReportedAsWrongSettings_data()
    {
        QTest::addColumn<QString>("authentication");
        QTest::addColumn<QString>("systemType");
        QTest::addColumn<QString>("serverType");
        QTest::newRow("authentication") << "Kerberos" << "" << "PostgreSQL";
        QTest::newRow("empty authentication") << "" << "" << "";
        QTest::newRow("system type") << "Access" << "16-bit" << "";
        QTest::newRow("server type") << "SQL Server" << "" << "Oracle";
    }

    void unknownValuesAreReportedAsWrongSettings()
    {
        QFETCH(QString, authentication);
        QFETCH(QString, systemType);
        QFETCH(QString, serverType);
        ConnectionSettings s = reachable();
        s.authentication = authentication;
        s.systemType = systemType;
        s.serverType = serverType;
        writeUserSettings(s);
        expectFailure(CoreText::SettingsWrong, Msg::Icon::Warning, 1);
    }

    // A pipe nothing writes to, a folder, a file too large (of settings that
    // would connect): wrong settings at once, left as they were; the start
    // goes on with the person's own choice preselected.
    void settingsFileThatIsNoFileIsWrongSettings()
    {
        const QString file = Settings::userFile();
        const QByteArray name = QFile::encodeName(file);
        for (const std::string kind : {"pipe", "folder", "too large"}) {
            const auto remove = qScopeGuard([&] { std::filesystem::remove_all(name.toStdString()); });
            if (kind == "pipe") {
                QCOMPARE(::mkfifo(name.constData(), 0600), 0);
            } else if (kind == "folder") {
                QVERIFY(QDir().mkdir(file));
            } else {
                writeUserSettings(reachable());
                QFile f(file);
                QVERIFY(f.open(QIODevice::Append) && f.write('#' + QByteArray(Settings::MaxFileSize, 'x')) > 0);
            }
            const auto stamp = [&] { const QFileInfo i(file); return std::tuple(i.isFile(), i.isDir(), i.size(), i.lastModified()); };
            const auto before = stamp();
            // On a thread, with a deadline: a start that waits on the pipe
            // fails here, and the pipe is then opened to let it go.
            std::future<int> choice = std::async(std::launch::async, default_connection_choice);
            const bool atOnce = choice.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
            if (!atOnce)
                ::close(::open(name.constData(), O_WRONLY | O_NONBLOCK));
            QVERIFY2(atOnce && choice.get() == 1, kind.c_str());
            expectFailure(CoreText::SettingsWrong, Msg::Icon::Warning, 1);
            QCOMPARE(stamp(), before);
        }
    }

    void builtInConnectionOfTheInstallation()
    {
        QVERIFY(TestDb::writeSettingsFile(Settings::installFile(), reachable()));
        MsgRecorder msgs;
        QVERIFY(connect_database(0));
        QVERIFY(msgs.requests.isEmpty());
        QCOMPARE(Database::current().backend(), TestDb::backend());

        ConnectionSettings unreachable = reachable();
        unreachable.sqlServerName = QStringLiteral("127.0.0.1,1");
        if (TestDb::backend() == Backend::SQLite)
            unreachable.sqlServerName = path("none.db");
        QVERIFY(TestDb::writeSettingsFile(Settings::installFile(), unreachable));
        const int shown = m_serverShown;
        QVERIFY(!connect_database(0));
        QCOMPARE(msgs.texts(), QStringList{CoreText::InternetFailed});
        QCOMPARE(m_serverShown, shown);
    }

    // The cause of a failed connection, told from the driver's words.
    void causeOfAFailure_data()
    {
        QTest::addColumn<QString>("driverText");
        QTest::addColumn<ConnectionFailure>("cause");
        using enum ConnectionFailure;
        QTest::newRow("pg password") << "port 5432 failed: FATAL:  password authentication failed for user \"t\"" << LoginRefused;
        QTest::newRow("pg user") << "FATAL:  role \"clerk\" does not exist\nQPSQL: Unable to connect" << LoginRefused;
        QTest::newRow("pg database") << "FATAL:  database \"Tuvek\" does not exist\nQPSQL: Unable to connect" << NoDatabase;
        QTest::newRow("pg port") << "port 1 failed: Connection refused\n\tIs the server running on that host" << Unreachable;
        QTest::newRow("pg host") << "could not translate host name \"nowhere\" to address" << Unreachable;
        QTest::newRow("mssql login") << "[FreeTDS][SQL Server]Login failed for user 'sa'." << LoginRefused;
        QTest::newRow("mssql database")
            << "[FreeTDS][SQL Server]Cannot open database \"Tuvek\" requested by the login. The login failed." << NoDatabase;
        QTest::newRow("mssql server") << "[FreeTDS][SQL Server]Unable to connect: Adaptive Server is unavailable" << Unreachable;
        QTest::newRow("sqlite folder") << "unable to open database file Error opening database" << FolderNotWritable;
        QTest::newRow("sqlite damaged") << "file is not a database Unable to execute statement" << Damaged;
        // A server whose messages are in German (lc_messages): not guessed at.
        QTest::newRow("pg password, German") << "FATAL:  Passwort-Authentifizierung für Benutzer »t« fehlgeschlagen"
                                             << Unrecognised;
        QTest::newRow("pg database, German") << "FATAL:  Datenbank »Tuvek« existiert nicht" << Unrecognised;
    }
    void causeOfAFailure()
    {
        QFETCH(QString, driverText);
        QFETCH(ConnectionFailure, cause);
        QCOMPARE(connection_failure(driverText), cause);
        // The code, where the driver gives one, whatever the words.
        QCOMPARE(connection_failure(driverText, QStringLiteral("28P01")), ConnectionFailure::LoginRefused);
        QCOMPARE(connection_failure(driverText, QStringLiteral("18456;4060")), ConnectionFailure::NoDatabase);
    }

    // A failure whose words the program does not know is told with them: a
    // server that answers in German, a setting libpq refuses.
    void unknownWordsAreShown()
    {
        if (TestDb::backend() == Backend::SQLite)
            QSKIP("a server's failure");
        // The server's language is its own setting (a client's comes too late
        // for a refused connection): set, then reset, and waited for.
        const auto speak = [&](const char* set, const char* language) {
            QVERIFY(Database::current().open(m_db.options()));
            Sql::exec(QLatin1String(set));
            Sql::scalar(QStringLiteral("select pg_reload_conf()"));
            QDeadlineTimer deadline(10000);
            while (Sql::scalar(QStringLiteral("show lc_messages")).toString().startsWith(QLatin1String("de")) !=
                       (language != nullptr) &&
                   !deadline.hasExpired())
                QVERIFY(Database::current().open(m_db.options()));
            Database::current().close();
        };
        speak("alter system set lc_messages = 'de_DE.UTF-8'", "de");
        const auto restore = qScopeGuard([&] { speak("alter system reset lc_messages", nullptr); });
        ConnectionSettings s = reachable();
        s.dataBase = QStringLiteral("no_such_database");
        writeUserSettings(s);
        MsgRecorder msgs;
        QVERIFY(!connect_database(1));
        s.sqlServerName = QStringLiteral("127.0.0.1:99999");
        writeUserSettings(s);
        QVERIFY(!connect_database(1));
        QCOMPARE(msgs.texts().size(), 2);
        for (const char* words : {"»no_such_database« existiert nicht", "99999"})
            QVERIFY2(msgs.texts().filter(CoreText::ConnectionFailedWords.arg(QString())).filter(QString::fromUtf8(words)).size() == 1,
                     qPrintable(msgs.texts().join(QLatin1Char('|'))));
    }

    // The embedded database as the file system has it, and another program's
    // file in its place: each named, nothing written.
    void embeddedDatabaseThatCannotBeUsed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a read-only folder") << "read-only";
        QTest::newRow("another program's file") << "foreign";
    }
    void embeddedDatabaseThatCannotBeUsed()
    {
        QFETCH(QString, kind);
        QTemporaryDir data;
        const QByteArray dataDir = qgetenv("TUVEK_DATA_DIR");
        qputenv("TUVEK_DATA_DIR", data.path().toUtf8());
        const QString path = Settings::embeddedDatabase(), folder = QFileInfo(path).absolutePath();
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv("TUVEK_DATA_DIR", dataDir);
        });
        const auto bytes = [&] {
            QFile f(path);
            return QFileInfo(path).isFile() && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        QString expected = CoreText::DatabasePathIsFolder.arg(Msg::filePath(path));
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QVERIFY(Database::current().open({.backend = Backend::SQLite, .database = path}));
            Sql::exec(QStringLiteral("create table customers (id integer, name text)"));
            Database::current().close();
            expected = kind == QLatin1String("foreign") ? CoreText::NotProgramsDatabase.arg(CoreText::MissingTable.arg("users"))
                                                        : CoreText::DataFolderNotWritable.arg(Msg::filePath(folder));
        }
        if (kind == QLatin1String("read-only") &&
            (geteuid() == 0 || !QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner)))
            QSKIP("root writes in any folder");
        const QByteArray before = bytes();
        MsgRecorder msgs;
        QVERIFY(!connect_database(0));
        QVERIFY2(msgs.texts().size() == 1 && msgs.last().startsWith(expected), qPrintable(msgs.texts().join('|')));
        QVERIFY(!Database::current().isOpen());
        QCOMPARE(bytes(), before);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QFileInfo(path).fileName()});
    }

    // The built-in connection says what it met: a database the server does
    // not have; an embedded database whose folder cannot be written.
    void builtInConnectionNamesTheCause()
    {
        MsgRecorder msgs;
        if (TestDb::backend() == Backend::PostgreSQL) {
            ConnectionSettings s = reachable();
            s.dataBase = QStringLiteral("no_such_database");
            QVERIFY(TestDb::writeSettingsFile(Settings::installFile(), s));
            QVERIFY(!connect_database(0));
            QCOMPARE(msgs.texts(), QStringList{CoreText::NoSuchDatabase.arg(s.dataBase)});
            return;
        }
        // A folder under a regular file: no one can write there, root neither.
        QFile blocker(path("a file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        const QByteArray dataDir = qgetenv("TUVEK_DATA_DIR");
        qputenv("TUVEK_DATA_DIR", blocker.fileName().toUtf8() + "/data");
        const auto restore = qScopeGuard([&] { qputenv("TUVEK_DATA_DIR", dataDir); });
        QVERIFY(!connect_database(0));
        QCOMPARE(msgs.texts(), QStringList{CoreText::DataFolderNotWritable.arg(Msg::filePath(Settings::dataDir()))});
    }

    // A fresh machine: no settings at all; the embedded database is made and
    // installed, the administrator's password asked once.
    void firstRunOnTheEmbeddedDatabase()
    {
        QFile::remove(Settings::embeddedDatabase());
        {
            MsgRecorder msgs;
            msgs.answerInput(std::nullopt);
            QVERIFY(!connect_database(0));
            QVERIFY(!Sql::tableExists(QStringLiteral("users")));
        }
        MsgRecorder msgs;
        msgs.answerInput(QStringLiteral("new admin"));
        msgs.answerInput(QStringLiteral("new admin"));
        QVERIFY(connect_database(0));
        QCOMPARE(msgs.texts(), QStringList{CoreText::AllSettingsDone});
        QCOMPARE(Database::current().backend(), Backend::SQLite);
        QCOMPARE(Database::current().options().database, Settings::embeddedDatabase());
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from users")).toInt(), 1);

        msgs.clear();
        QVERIFY(connect_database(0));
        QVERIFY(msgs.requests.isEmpty());
    }
};

QTEST_MAIN(TestConnectDatabase)
#include "test_connect_database.moc"
