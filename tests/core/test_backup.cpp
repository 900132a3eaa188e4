// The backup as the administrator makes it: open the window from the main
// menu, choose a folder, press the button; then the file is restored (SQLite:
// opened; PostgreSQL: pg_restore into a new database) and holds the same rows.

#include "core/backup.h"
#include "core/shamsi_date.h"
#include "core/texts.h"
#include "platform/db/backup.h"
#include "platform/db/texts.h"
#include "tests/core/admin_pages.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/second_workstation.h"
#include "tests/support/test_db.h"
#include "ui_backup.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <atomic>
#include <unistd.h>

using namespace AdminPages;

class TestBackup : public QObject {
    Q_OBJECT

    TestDb m_db;
    Tmain* main = nullptr;
    Tbackup* backup = nullptr;

    // Chooses the folder and presses the button; the message shown.
    QString backUpInto(const QString& folder)
    {
        MsgRecorder msgs;
        becomeUser(QStringLiteral("admin"));
        const bool shown = openPage(main, QStringLiteral("N8"), backup, [&] {
            if (folder.isEmpty())
                backup->ui->ShellTreeView1->clearSelection();
            else
                backup->selectFolder(folder);
            backup->ui->BitBtn1->click();
        });
        return shown ? msgs.texts().join(QLatin1Char('|')) : QStringLiteral("not shown");
    }

    static QString todaysFile(const QString& folder)
    {
        return QDir(folder).filePath(Tbackup::fileName(Shamsi::today()));
    }

    // What the rows of a few tables hold, in one text.
    static QString content()
    {
        QStringList out;
        for (const QString& sql : {QStringLiteral("select id, component, cmt from setting order by id"),
                                   QStringLiteral("select id, us, lev from users order by id"),
                                   QStringLiteral("select id, karbar, cmt, tarikh from log order by id")})
            for (const QVariantMap& row : Sql::rows(sql))
                out << QStringList(row.keys()).join(QLatin1Char(',')) + QLatin1Char('=') +
                           [&] {
                               QStringList v;
                               for (const QVariant& x : row)
                                   v << x.toString();
                               return v.join(QLatin1Char(','));
                           }();
        return out.join(QLatin1Char('\n'));
    }

    static void someRows(const QString& tag)
    {
        Sql::insert(QStringLiteral("setting"), {{QStringLiteral("component"), CoreText::DeletePasswordList},
                                                {QStringLiteral("cmt"), QStringLiteral("رمز ") + tag}});
        Sql::insert(QStringLiteral("log"), {{QStringLiteral("karbar"), QStringLiteral("admin")},
                                            {QStringLiteral("tarikh"), QStringLiteral("1403/05/09")},
                                            {QStringLiteral("cmt"), QStringLiteral(" پشتيبان ") + tag}});
    }

    // A row of bytes that no compression makes smaller.
    static void bigRow(int bytes)
    {
        QByteArray big(bytes, Qt::Uninitialized);
        for (char& c : big)
            c = char(QRandomGenerator::global()->generate());
        Sql::insert(QStringLiteral("payamha"), {{QStringLiteral("mozo"), QStringLiteral("big")}, {QStringLiteral("cmt"), big}});
    }

    // The rows of a backup file, read from a database restored from it.
    QString restoredContent(const QString& file)
    {
        if (m_db.options().backend == Backend::SQLite) {
            ConnectionOptions o;
            o.database = file;
            QString error;
            if (!Database::current().open(o, &error))
                return error;
            const QString rows = content();
            Database::current().close();
            return rows;
        }
        // PostgreSQL: a new database of the test server, then pg_restore into it.
        TestDb restored;
        if (!restored.open(TestDb::Empty))
            return restored.reason();
        QProcess restore;
        restore.start(QStringLiteral("pg_restore"),
                      {QStringLiteral("--no-owner"), QStringLiteral("--exit-on-error"),
                       QStringLiteral("--dbname=") + DbBackup::pgConnectionText(restored.options()), file});
        if (!restore.waitForFinished(120000) || restore.exitCode() != 0)
            return QString::fromLocal8Bit(restore.readAllStandardError());
        return content();
    }

private slots:
    void initTestCase() { QVERIFY(startProgram(main, backup, QStringLiteral("backup"))); }

    void init() { TUVEK_OPEN_TEST_DB(m_db, TestDb::Installed); }
    void cleanup() { m_db.reset(); }

    void fileName()
    {
        QCOMPARE(Tbackup::fileName(QStringLiteral("1403/05/09")), QStringLiteral("kurvo1403_05_09"));
        QCOMPARE(Tbackup::fileName(QStringLiteral("1399/12/30")), QStringLiteral("kurvo1399_12_30"));
    }

    void onlyForAdministrators()
    {
        MsgRecorder msgs;
        for (const char* level : {"single", "ostan", "keshvar", "city"}) {
            becomeUser(QString::fromLatin1(level), QStringLiteral("backup"), {1, 1, 1, 1});
            QVERIFY(!openPage(main, QStringLiteral("N8"), backup));
        }
        QVERIFY(msgs.requests.isEmpty());
    }

    void backupRestoresToTheSameRows()
    {
        QTemporaryDir folder;
        someRows(QStringLiteral("1"));
        QCOMPARE(backUpInto(folder.path()), CoreText::BackupDone);
        const QString file = todaysFile(folder.path());
        QVERIFY(QFileInfo(file).size() > 0);
        // Nothing half-written is left beside it.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QFileInfo(file).fileName()});

        // A second backup on the same day replaces the first.
        someRows(QStringLiteral("2"));
        QCOMPARE(backUpInto(folder.path()), CoreText::BackupDone);
        const QString expected = content();
        QVERIFY(expected.contains(QStringLiteral("رمز 2")));
        QCOMPARE(restoredContent(file), expected);
    }

    void failuresAreNeverSuccess()
    {
        // No folder chosen: nothing is written anywhere.
        QCOMPARE(backUpInto(QString()), CoreText::BackupFailed);

        // A folder that is gone by the time the button is pressed.
        QTemporaryDir parent;
        const QString gone = parent.filePath(QStringLiteral("gone"));
        QVERIFY(QDir().mkpath(gone));
        MsgRecorder msgs;
        becomeUser(QStringLiteral("admin"));
        QVERIFY(openPage(main, QStringLiteral("N8"), backup, [&] {
            backup->selectFolder(gone);
            QVERIFY(QDir(gone).removeRecursively());
            backup->ui->BitBtn1->click();
        }));
        QCOMPARE(msgs.texts(), QStringList{CoreText::BackupFailed});
        QVERIFY(!QFileInfo::exists(todaysFile(gone)));

        // The server's dump tool cannot be found (PostgreSQL); an unreadable
        // database file cannot be copied (SQLite): an earlier file stays as it was.
        QTemporaryDir folder;
        QFile earlier(todaysFile(folder.path()));
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
        earlier.close();
        const QByteArray path = qgetenv("PATH");
        msgs.clear();
        QVERIFY(openPage(main, QStringLiteral("N8"), backup, [&] {
            if (m_db.options().backend == Backend::PostgreSQL)
                qputenv("PATH", QByteArray("/nonexistent"));
            else
                Database::current().close();
            backup->selectFolder(folder.path());
            backup->ui->BitBtn1->click();
            qputenv("PATH", path);
        }));
        QCOMPARE(msgs.texts(), QStringList{CoreText::BackupFailed});
        QFile check(todaysFile(folder.path()));
        QVERIFY(check.open(QIODevice::ReadOnly));
        QCOMPARE(check.readAll(), QByteArray("earlier"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 1);
    }

    // A backup stopped part-way leaves no file behind, not even a part of
    // one, and an earlier file of that name as it was.
    void stoppedBackupLeavesNoFile()
    {
        // More than the first step of the copy, and more than pg_dump writes in a moment.
        bigRow(6 << 20);
        QTemporaryDir folder;
        const QString path = todaysFile(folder.path());
        for (const bool earlier : {false, true}) {
            if (earlier) {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write("earlier");
            }
            int asked = 0;
            const DbBackup::Outcome outcome =
                DbBackup::write(Database::current(), path, [&](qint64, qint64) { return ++asked < 1; });
            QCOMPARE(outcome.kind, DbBackup::Outcome::Cancelled);
            QCOMPARE(asked, 1);
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                     earlier ? QStringList{QFileInfo(path).fileName()} : QStringList());
            QFile file(path);
            QCOMPARE(earlier ? file.open(QIODevice::ReadOnly) && file.readAll() == "earlier" : file.exists(), earlier);
        }
    }

    // A backup of the embedded file while another workstation adds a row
    // every 150 ms: the copy does not start over at each write, and is whole.
    void backupWhileAnotherWrites()
    {
        if (m_db.options().backend != Backend::SQLite)
            QSKIP("the server's dump reads one snapshot");
        bigRow(12 << 20); // a few steps of the copy
        std::atomic<bool> stop = false;
        SecondWorkstation writer(m_db.options());
        writer.start([&] {
            while (!stop) {
                Sql::insert(QStringLiteral("phone"), {{QStringLiteral("name"), QStringLiteral("در حال پشتيبان")}});
                QThread::msleep(150);
            }
        });
        QTemporaryDir folder;
        const QString path = todaysFile(folder.path());
        int steps = 0;
        const DbBackup::Outcome outcome = DbBackup::write(Database::current(), path, [&](qint64, qint64) {
            QThread::msleep(200); // a write of the other comes between every two steps
            return ++steps < 40;
        });
        stop = true;
        QVERIFY2(writer.wait(), qPrintable(writer.error()));
        QCOMPARE(outcome.kind, DbBackup::Outcome::Written);
        Database copy(QStringLiteral("copy"));
        ConnectionOptions o;
        o.database = path;
        QVERIFY(copy.open(o));
        QSqlQuery check = Sql::exec(copy, QStringLiteral("pragma integrity_check"));
        QVERIFY(check.next());
        QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
    }

    // A backup into a full file system, or a folder that takes no file: the
    // clerk is told which, with the path, and no file is left there.
    void backupToAFullDiskOrAClosedFolder()
    {
        if (::geteuid() != 0)
            QSKIP("a small file system of the test's own is mounted as root");
        QTemporaryDir folder;
        const auto mount = [&](const QStringList& options) {
            return QProcess::execute(QStringLiteral("mount"), QStringList{QStringLiteral("-t"), QStringLiteral("tmpfs")} +
                                                                  options + QStringList{QStringLiteral("tmpfs"), folder.path()}) == 0;
        };
        if (!mount({QStringLiteral("-o"), QStringLiteral("size=256k")}))
            QSKIP("no file system could be mounted here");
        const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {folder.path()}); });
        bigRow(1 << 20);
        QCOMPARE(backUpInto(folder.path()), DbText::backupDiskFull(todaysFile(folder.path())));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        QVERIFY(mount({QStringLiteral("-o"), QStringLiteral("remount,ro")}));
        QCOMPARE(backUpInto(folder.path()), DbText::backupFolderNotWritable(folder.path()));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void dumpToolGetsNoPasswordOnItsCommandLine()
    {
        ConnectionOptions o;
        o.backend = Backend::PostgreSQL;
        o.host = QStringLiteral("db.office");
        o.port = 5433;
        o.user = QStringLiteral("it's me");
        o.password = QStringLiteral("s3cret'pw");
        o.database = QStringLiteral("-x dbname=other");
        const QStringList args = DbBackup::pgDumpArguments(o, QStringLiteral("/tmp/f"));
        QVERIFY(!args.join(QLatin1Char(' ')).contains(o.password));
        QCOMPARE(args.last(), QStringLiteral("--dbname=host='db.office' port=5433 user='it\\'s me' "
                                             "dbname='-x dbname=other' connect_timeout=10"));
        QVERIFY(args.contains(QStringLiteral("--format=custom")));
        QVERIFY(args.contains(QStringLiteral("--no-password")));

        QProcessEnvironment base;
        base.insert(QStringLiteral("PGPASSWORD"), QStringLiteral("someone else's"));
        QCOMPARE(DbBackup::pgDumpEnvironment(o, base).value(QStringLiteral("PGPASSWORD")), o.password);
        o.password.clear();
        QVERIFY(!DbBackup::pgDumpEnvironment(o, base).contains(QStringLiteral("PGPASSWORD")));
    }

    void sqlServerStatementNamesTheConnectedDatabase()
    {
        // Tested as text: no SQL Server here.
        const QString backup = DbBackup::sqlServerBackupStatement();
        QVERIFY(backup.contains(QStringLiteral("db_name()")));
        QVERIFY(backup.contains(QStringLiteral("backup database @db to disk = ?")));
        QVERIFY(!backup.contains(QStringLiteral("kurvo")));
        QCOMPARE(DbBackup::sqlServerVerifyStatement(), QStringLiteral("restore verifyonly from disk = ?"));
    }
};

QTEST_MAIN(TestBackup)
#include "test_backup.moc"
