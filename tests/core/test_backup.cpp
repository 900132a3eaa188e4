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
#include <signal.h>
#include <sqlite3.h>
#include <string>
#include <unistd.h>

// This executable is also the other processes its tests need, by a first
// argument of its own (see main()):
//   --writer <file> <ms>: another workstation adding a phone-book row every
//     ms; says "t" before each and "w" once it is written;
//   --backup <file or database> <target>: a backup that says "copying" at its
//     first step and then waits to be killed (PostgreSQL: the server in
//     TUVEK_HELPER_PG, host port user password, one a line).
namespace {

// One of them, run from a test; ended (killed) when it goes.
class Helper {
public:
    explicit Helper(const QStringList& arguments, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
    {
        m_process.setProcessEnvironment(env);
        m_process.start(QCoreApplication::applicationFilePath(), arguments);
    }
    ~Helper()
    {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
    qint64 pid() const { return m_process.processId(); }
    // How many times it said word so far.
    int said(char word)
    {
        m_said += m_process.readAllStandardOutput();
        return int(m_said.count(word));
    }
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(10000);
    }

private:
    QProcess m_process;
    QByteArray m_said;
};

// The process's descriptors on the database file other than those open
// before (its SQLite connection's), and on its journal or write-ahead log,
// looked for in /proc/self/fd as fast as a thread can.
class DescriptorWatch {
public:
    explicit DescriptorWatch(const QString& database) : m_file(QFile::encodeName(database).toStdString())
    {
        look(&m_own);
        m_thread = std::thread([this] {
            while (!m_stop)
                look(nullptr);
        });
    }
    ~DescriptorWatch() { stop(); }
    // What was seen, once it stopped looking.
    QStringList stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        QStringList seen;
        for (const std::string& s : m_seen)
            seen << QString::fromStdString(s);
        return seen;
    }

private:
    void look(std::set<int>* own)
    {
        DIR* fds = ::opendir("/proc/self/fd");
        if (!fds)
            return;
        while (const dirent* e = ::readdir(fds)) {
            char target[4096];
            const std::string link = std::string("/proc/self/fd/") + e->d_name;
            const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
            if (n <= 0)
                continue;
            const std::string to(target, size_t(n));
            const int fd = std::atoi(e->d_name);
            if (to == m_file && own)
                own->insert(fd);
            else if ((to == m_file && !m_own.count(fd)) || to.rfind(m_file + '-', 0) == 0)
                m_seen.insert(std::to_string(fd) + " -> " + to);
        }
        ::closedir(fds);
    }

    const std::string m_file;
    std::set<int> m_own;
    std::set<std::string> m_seen;
    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};

// The first answer of pragma integrity_check on a backup file.
QString integrity(const QString& file)
{
    Database copy(QStringLiteral("copy"));
    ConnectionOptions o;
    o.database = file;
    if (!copy.open(o))
        return QStringLiteral("not opened");
    QSqlQuery check = Sql::exec(copy, QStringLiteral("pragma integrity_check"));
    return check.next() ? check.value(0).toString() : QStringLiteral("no answer");
}

// Whether a process is gone (or dead, waiting for its parent to collect it).
bool ended(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) == "Z";
}

// The pg_dump whose parent is pid; 0 when none.
qint64 pgDumpOf(qint64 pid)
{
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> after = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (line.contains("(pg_dump)") && after.value(1).toLongLong() == pid)
            return entry.toLongLong();
    }
    return 0;
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

    // Nothing but SQLite opens the embedded database file or its journal while
    // another workstation writes (journals come and go in the folder): not the
    // backup window's tree showing the data folder, nor its backup, nor a file
    // dialog listing that folder. Closing another descriptor on the file would
    // drop the locks SQLite holds on it.
    void nothingButSqliteOpensTheDatabase()
    {
        if (m_db.options().backend != Backend::SQLite)
            QSKIP("the server's files are the server's");
        const QString database = m_db.options().database;
        const QString data = QFileInfo(database).absolutePath();
        QVERIFY(QDir(data).mkpath(QStringLiteral("backups")));
        Helper writer({QStringLiteral("--writer"), database, QStringLiteral("30")});
        DescriptorWatch watch(database);
        const auto someWrites = [&] {
            const int before = writer.said('w');
            QTRY_VERIFY_WITH_TIMEOUT(writer.said('w') >= before + 15, 20000);
        };
        MsgRecorder msgs;
        becomeUser(QStringLiteral("admin"));
        QVERIFY(openPage(main, QStringLiteral("N8"), backup, [&] {
            backup->selectFolder(QDir(data).filePath(QStringLiteral("backups")));
            someWrites();
            backup->ui->BitBtn1->click();
            someWrites();
        }));
        QCOMPARE(msgs.texts(), QStringList{CoreText::BackupDone});
        FileDialog::NameIcons icons;
        QFileDialog dialog(nullptr, QString(), data);
        dialog.setViewMode(QFileDialog::Detail);
        FileDialog::persianList(dialog, icons);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        someWrites();
        dialog.hide();
        const QStringList seen = watch.stop();
        QVERIFY2(seen.isEmpty(), qPrintable(seen.join(QLatin1Char('\n'))));
    }

    // Backups of the embedded file while another process adds a row every
    // 150 ms, the database beside the chosen folder in the window's tree: each
    // is told written and passes SQLite's integrity check.
    void backupsUnderWritesAreWhole()
    {
        if (m_db.options().backend != Backend::SQLite)
            QSKIP("the server's dump reads one snapshot");
        // The copy in three steps, the phone book's first index page in the
        // first and its last rows in the last: a write of the other's between
        // them, seen by half of the copy, would leave the index and the table apart.
        const auto phoneRows = [](const QString& name) {
            Sql::transaction([&] {
                for (int i = 0; i < 300; ++i)
                    Sql::insert(QStringLiteral("phone"), {{QStringLiteral("name"), name.arg(i)}});
            });
        };
        phoneRows(QStringLiteral("يک %1"));
        bigRow(8 << 20);
        phoneRows(QStringLiteral("يکي ديگر %1"));
        const QString database = m_db.options().database;
        const QString chosen = QDir(QFileInfo(database).absolutePath()).filePath(QStringLiteral("backups"));
        QVERIFY(QDir().mkpath(chosen));
        Helper writer({QStringLiteral("--writer"), database, QStringLiteral("150")});
        becomeUser(QStringLiteral("admin"));
        QVERIFY(openPage(main, QStringLiteral("N8"), backup, [&] {
            backup->selectFolder(chosen);
            for (int run = 0; run < 16; ++run) {
                const QString path = QDir(chosen).filePath(QStringLiteral("run%1").arg(run));
                const DbBackup::Outcome outcome = DbBackup::write(Database::current(), path, [&](qint64, qint64) {
                    // The other waits to write between every two steps, the tree in sight.
                    const bool waiting = QTest::qWaitFor([&] { return writer.said('t') > writer.said('w'); }, 10000);
                    const int written = writer.said('w');
                    QTest::qWaitFor([&] { return writer.said('w') > written; }, 300); // only when locks are lost
                    return waiting;
                });
                QVERIFY2(outcome.kind == DbBackup::Outcome::Written, qPrintable(QString::number(run) + outcome.error));
                QCOMPARE(integrity(path), QStringLiteral("ok"));
            }
        }));
        QVERIFY(writer.said('w') >= 8); // the other wrote meanwhile
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
        QCOMPARE(sqlite3_open_v2(m_db.options().database.toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr),
                 SQLITE_OK);
        const auto closeOther = qScopeGuard([&] { sqlite3_close(other); });
        QTemporaryDir folder;
        MsgRecorder msgs;
        becomeUser(QStringLiteral("admin"));
        QVERIFY(openPage(main, QStringLiteral("N8"), backup, [&] {
            backup->selectFolder(folder.path());
            QCOMPARE(sqlite3_exec(other, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
            backup->ui->BitBtn1->click();
            QCOMPARE(sqlite3_exec(other, "commit", nullptr, nullptr, nullptr), SQLITE_OK);
        }));
        QCOMPARE(msgs.texts(), QStringList{DbText::BackupBusy});
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList());

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
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (o.backend == Backend::PostgreSQL)
            env.insert(QStringLiteral("TUVEK_HELPER_PG"), QStringList{o.host, QString::number(o.port), o.user, o.password}
                                                              .join(QLatin1Char('\n')));
        // PostgreSQL: pg_dump waits for a table another holds, saying nothing
        // (a word said into the dead program's pipe would end it anyway).
        SecondWorkstation holder(o);
        Meeting held, release;
        if (o.backend == Backend::PostgreSQL)
            holder.start([&] {
                QSqlQuery q(Database::current().handle());
                q.exec(QStringLiteral("begin"));
                q.exec(QStringLiteral("lock table phone in access exclusive mode"));
                held.arrive();
                release.awaitArrival(60000);
                q.exec(QStringLiteral("rollback"));
            });
        QVERIFY(o.backend != Backend::PostgreSQL || held.awaitArrival());
        const auto released = qScopeGuard([&] { release.arrive(); });
        Helper killed({QStringLiteral("--backup"), o.database, path}, env);
        QTRY_VERIFY_WITH_TIMEOUT(killed.said('c') > 0, 30000);
        const qint64 dump = o.backend == Backend::PostgreSQL ? pgDumpOf(killed.pid()) : 0;
        QVERIFY(o.backend != Backend::PostgreSQL || dump > 0);
        killed.kill();
        QTRY_VERIFY_WITH_TIMEOUT(ended(dump), 10000);
        release.arrive();
        QVERIFY(holder.wait());
        const auto leftInFolder = [&] { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); };
        QCOMPARE(leftInFolder().size(), 1); // the partial file of the killed backup
        // What an earlier version left: a partial named openly, with its journal.
        for (const char* left : {".partial-a1B2c3", ".partial-a1B2c3-journal"}) {
            QFile file(path + QLatin1String(left));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(DbBackup::write(Database::current(), path, DbBackup::Progress()).kind, DbBackup::Outcome::Written);
        QCOMPARE(leftInFolder(), QStringList{QFileInfo(path).fileName()});
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

namespace {

int helper(const QStringList& args)
{
    ConnectionOptions o;
    o.database = args.value(2);
    if (const QStringList pg = qEnvironmentVariable("TUVEK_HELPER_PG").split(QLatin1Char('\n')); pg.size() == 4) {
        o.backend = Backend::PostgreSQL;
        o.host = pg[0];
        o.port = pg[1].toInt();
        o.user = pg[2];
        o.password = pg[3];
    }
    QString error;
    if (!Database::current().open(o, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const auto say = [](const char* word) {
        std::fputs(word, stdout);
        std::fflush(stdout);
    };
    if (args.value(1) == QLatin1String("--writer")) {
        for (int n = 0;; ++n) {
            say("t");
            // First in the phone book's order.
            Sql::insert(QStringLiteral("phone"), {{QStringLiteral("name"), QStringLiteral("0 نوشته %1").arg(n)}});
            say("w");
            QThread::msleep(args.value(3).toULong());
        }
    }
    DbBackup::write(Database::current(), args.value(3), [&](qint64, qint64) {
        say("c");
        for (;;)
            ::pause();
        return false;
    });
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && (qstrcmp(argv[1], "--writer") == 0 || qstrcmp(argv[1], "--backup") == 0)) {
        QCoreApplication app(argc, argv);
        return helper(app.arguments());
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestBackup test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_backup.moc"
