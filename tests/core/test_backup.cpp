// The backup as the administrator makes it: open the window from the main
// menu, choose a folder, press the button; then the file is restored (SQLite:
// opened; PostgreSQL: pg_restore into a new database) and holds the same rows.

#include "core/backup.h"
#include "core/shamsi_date.h"
#include "core/texts.h"
#include "platform/db/backup.h"
#include "platform/db/texts.h"
#include "platform/ui/file_dialog.h"
#include "tests/core/admin_pages.h"
#include "core/exclusive_save.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/restore.h"
#include "tests/support/second_workstation.h"
#include "tests/support/test_db.h"
#include "ui_backup.h"

#include <QDir>
#include <QFileDialog>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <atomic>
#include <cstdio>
#include <dirent.h>
#include <set>
#include <sqlite3.h>
#include <unistd.h>

// This executable is also the other program its tests need (see main()):
// "--writer <file> <ms>" adds a phone row every ms, saying "t" before and "w"
// after each; "--backup <database> <target>" says "c" at the backup's first
// step and waits to be killed (PostgreSQL: TUVEK_HELPER_PG holds host, port,
// user and password, one a line).
namespace {

struct Helper : QProcess {
    QByteArray out;
    explicit Helper(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
    {
        setProcessEnvironment(env);
        start(QCoreApplication::applicationFilePath(), args);
    }
    ~Helper() override { stop(); }
    void stop() { kill(), waitForFinished(10000); }
    int said(char word) { return int((out += readAllStandardOutput()).count(word)); }
};

// This process's descriptors on the database file but those open at the
// start (its SQLite connection's): /proc/self/fd read as fast as a thread can
// until found() is asked. (The journal is left out: SQLite itself may open
// one it finds, to see whether it must roll it back.)
struct DescriptorWatch {
    const std::string file;
    std::set<std::string> own, seen;
    std::atomic<bool> stop = false;
    std::thread thread;
    explicit DescriptorWatch(const QString& database) : file(QFile::encodeName(database).toStdString())
    {
        look(own);
        thread = std::thread([this] {
            while (!stop)
                look(seen);
        });
    }
    QStringList found()
    {
        stop = true;
        thread.join();
        QStringList all;
        for (const std::string& s : seen)
            all << QString::fromStdString(s);
        return all;
    }
    void look(std::set<std::string>& into)
    {
        DIR* fds = ::opendir("/proc/self/fd");
        while (const dirent* e = fds ? ::readdir(fds) : nullptr) {
            char to[4096];
            const ssize_t n = ::readlink((std::string("/proc/self/fd/") + e->d_name).c_str(), to, sizeof to);
            const std::string entry = std::string(e->d_name) + " -> " + std::string(to, size_t(std::max<ssize_t>(n, 0)));
            if (n > 0 && std::string(to, size_t(n)) == file && !own.count(entry))
                into.insert(entry);
        }
        if (fds)
            ::closedir(fds);
    }
};

// The first answer of pragma integrity_check on a backup file.
QString integrity(const QString& file)
{
    Database copy(QStringLiteral("copy"));
    ConnectionOptions o;
    o.database = file;
    QSqlQuery check = copy.open(o) ? Sql::exec(copy, QStringLiteral("pragma integrity_check")) : QSqlQuery();
    return check.next() ? check.value(0).toString() : QStringLiteral("no answer");
}

// A pg_dump's /proc/<pid>/stat past the name: state, parent, ...; empty when
// gone or another program.
QList<QByteArray> processStat(const QString& pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
    return line.contains("(pg_dump)") ? line.mid(line.lastIndexOf(')') + 2).split(' ') : QList<QByteArray>();
}

} // namespace

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
    void cleanup()
    {
        Session::setUser({}); // signed in on this database only
        m_db.reset();
    }

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
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(file).fileName()});

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
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
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
            QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
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
        QCOMPARE(integrity(path), QStringLiteral("ok"));
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

    // Backups of the embedded file from the window while another process adds
    // a row every 150 ms, the database beside the chosen folder in the tree
    // (journals come and go there): each is told written and passes SQLite's
    // integrity check. Nothing but SQLite opens the database file meanwhile,
    // nor while a file dialog lists its folder: closing another descriptor on
    // the file would drop the locks SQLite holds on it.
    void backupsUnderWritesAreWhole()
    {
        if (m_db.options().backend != Backend::SQLite)
            QSKIP("the server's dump reads one snapshot");
        // The copy in three steps, the phone book's first index page in the
        // first and its last rows in the last: a write of the other's between
        // them, seen by half of the copy, would leave the index and the table apart.
        for (const int part : {1, 2}) {
            Sql::transaction([&] {
                for (int i = 0; i < 300; ++i)
                    Sql::insert(QStringLiteral("phone"), {{QStringLiteral("name"), QStringLiteral("يک %1 %2").arg(part).arg(i)}});
            });
            if (part == 1)
                bigRow(8 << 20);
        }
        const QString data = QFileInfo(m_db.options().database).absolutePath();
        QVERIFY(QDir(data).mkpath(QStringLiteral("backups")));
        Helper writer({QStringLiteral("--writer"), m_db.options().database, QStringLiteral("150")});
        DescriptorWatch watch(m_db.options().database);
        MsgRecorder msgs;
        becomeUser(QStringLiteral("admin"));
        QVERIFY(openPage(main, QStringLiteral("N8"), backup, [&] {
            backup->selectFolder(data + QStringLiteral("/backups"));
            for (int run = 0; run < 16; ++run) {
                const QString path = data + QStringLiteral("/backups/run%1").arg(run);
                const DbBackup::Outcome outcome = DbBackup::write(Database::current(), path, [&](qint64, qint64) {
                    // The other waits to write between every two steps, the tree in sight.
                    const bool waiting = QTest::qWaitFor([&] { return writer.said('t') > writer.said('w'); }, 10000);
                    const int written = writer.said('w');
                    (void)QTest::qWaitFor([&] { return writer.said('w') > written; }, 300); // only when locks are lost
                    return waiting;
                });
                QVERIFY2(outcome.kind == DbBackup::Outcome::Written, qPrintable(QString::number(run) + outcome.error));
                QCOMPARE(integrity(path), QStringLiteral("ok"));
            }
            backup->ui->BitBtn1->click(); // the window's own
        }));
        QCOMPARE(msgs.texts(), QStringList{CoreText::BackupDone});
        FileDialog::NameIcons icons;
        QFileDialog dialog(nullptr, QString(), data);
        FileDialog::persianList(dialog, icons);
        dialog.show();
        Helper quicker({QStringLiteral("--writer"), m_db.options().database, QStringLiteral("20")});
        QTRY_VERIFY_WITH_TIMEOUT(quicker.said('w') >= 60, 30000);
        const QStringList seen = watch.found();
        QVERIFY2(seen.isEmpty(), qPrintable(seen.join(QLatin1Char('\n'))));
    }

    // A backup that cannot read the file (another holds it past the wait)
    // says so, keeps nothing, and leaves the connection as it found it: the
    // next keyed save is written and is there after the connection is opened again.
    void unreadableBackupLeavesTheConnectionAsFound()
    {
        if (m_db.options().backend != Backend::SQLite)
            QSKIP("the server's dump reads one snapshot");
        const Restore shorter(Database::LockWaitMs, 500);
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(m_db.options().database.toUtf8().constData(), &other), SQLITE_OK);
        QTemporaryDir folder;
        sqlite3_exec(other, "begin exclusive", nullptr, nullptr, nullptr);
        const DbBackup::Outcome outcome = DbBackup::write(Database::current(), todaysFile(folder.path()), DbBackup::Progress());
        sqlite3_close(other);
        QCOMPARE(outcome.cause, DbBackup::Outcome::Busy);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        const QString name = QStringLiteral("پس از پشتيبان");
        QVERIFY(exclusive_save({Keys::table(QStringLiteral("phone"))}, QString(),
                               [&] { Sql::insert(QStringLiteral("phone"), {{QStringLiteral("name"), name}}); }));
        QVERIFY(Database::current().open(m_db.options()));
        QCOMPARE(Sql::rows(QStringLiteral("select name from phone where name=?"), {name}).size(), 1);
    }

    // A program killed during a backup leaves nothing the next backup in that
    // folder does not remove, and its pg_dump ends with it.
    void killedBackupLeavesNothing()
    {
        bigRow(6 << 20); // more than the first step
        QTemporaryDir folder;
        const QString path = todaysFile(folder.path());
        const ConnectionOptions& o = m_db.options();
        const bool pg = o.backend == Backend::PostgreSQL;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TUVEK_HELPER_PG"), QStringList{o.host, QString::number(o.port), o.user, o.password}.join(u'\n'));
        // PostgreSQL: pg_dump waits for a table another holds, saying nothing
        // (a word said into the dead program's pipe would end it anyway).
        SecondWorkstation holder(o);
        Meeting held, release;
        holder.start([&] {
            QSqlQuery q(Database::current().handle());
            if (pg)
                q.exec(QStringLiteral("begin")), q.exec(QStringLiteral("lock table phone in access exclusive mode"));
            held.arrive();
            release.awaitArrival(60000);
        });
        const auto released = qScopeGuard([&] { release.arrive(); });
        QVERIFY(held.awaitArrival());
        Helper killed({QStringLiteral("--backup"), o.database, path}, pg ? env : QProcessEnvironment::systemEnvironment());
        QTRY_VERIFY_WITH_TIMEOUT(killed.said('c') > 0, 30000);
        QString dump;
        for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs))
            if (processStat(pid).value(1).toLongLong() == killed.processId())
                dump = pid;
        QCOMPARE(dump.isEmpty(), !pg);
        killed.stop();
        QTRY_VERIFY_WITH_TIMEOUT(processStat(dump).value(0, "Z") == "Z", 10000); // gone, or dead
        release.arrive();
        QVERIFY(holder.wait());
        const auto left = [&] { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); };
        QCOMPARE(left().size(), 1); // the killed backup's partial file
        // And what an earlier version left: a partial named openly, with its journal.
        for (const char* name : {".partial-a1B2c3", ".partial-a1B2c3-journal"})
            QVERIFY(QFile(path + QLatin1String(name)).open(QIODevice::WriteOnly));
        QCOMPARE(DbBackup::write(Database::current(), path, DbBackup::Progress()).kind, DbBackup::Outcome::Written);
        QCOMPARE(left(), QStringList{QFileInfo(path).fileName()});
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

int main(int argc, char* argv[])
{
    if (argc < 2 || (qstrcmp(argv[1], "--writer") != 0 && qstrcmp(argv[1], "--backup") != 0)) {
        QApplication app(argc, argv);
        app.setAttribute(Qt::AA_Use96Dpi, true);
        TestBackup test;
        QTEST_SET_MAIN_SOURCE_PATH
        return QTest::qExec(&test, argc, argv);
    }
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    ConnectionOptions o;
    o.database = args.value(2);
    if (const QStringList pg = qEnvironmentVariable("TUVEK_HELPER_PG").split(u'\n'); pg.size() == 4)
        o = {Backend::PostgreSQL, pg[0], pg[1].toInt(), o.database, pg[2], pg[3]};
    const auto say = [](const char* word) { std::fputs(word, stdout), std::fflush(stdout); };
    if (!Database::current().open(o))
        return 1;
    for (int n = 0; args.value(1) == QLatin1String("--writer"); ++n) {
        say("t"); // first in the phone book's order
        Sql::insert(QStringLiteral("phone"), {{QStringLiteral("name"), QStringLiteral("0 نوشته %1").arg(n)}});
        say("w");
        QThread::msleep(args.value(3).toULong());
    }
    DbBackup::write(Database::current(), args.value(3), [&](qint64, qint64) {
        say("c");
        for (;;)
            ::pause();
        return false;
    });
    return 1;
}

#include "test_backup.moc"
