#include "backup.h"

#include "platform/db/persian_collation.h"
#include "platform/db/sql.h"
#include "platform/ui/save_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QProcess>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QtDebug>

#include <sqlite3.h>

#include <QScopeGuard>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

using Outcome = DbBackup::Outcome;

Outcome failed(const QString& why, Outcome::Cause cause = Outcome::Unknown)
{
    Outcome o{Outcome::Failed, why};
    o.cause = cause;
    return o;
}

// A name of our own beside the target, so that the finished file can be renamed
// into place in one step and a half-written one never carries the target's name.
// Null, with why in *refused, when the folder takes no file.
std::unique_ptr<SaveFile::Partial> reserveBeside(const QString& path, Outcome* refused)
{
    auto file = std::make_unique<SaveFile::Partial>(path);
    if (!file->reserved()) {
        const int e = file->refusal();
        *refused = failed(QStringLiteral("cannot write in the folder of %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(e))),
                          e == ENOSPC                                  ? Outcome::DiskFull
                          : e == EACCES || e == EROFS || e == EPERM ? Outcome::FolderNotWritable
                                                                       : Outcome::Unknown);
        return nullptr;
    }
    return file;
}

Outcome moveIntoPlace(SaveFile::Partial& finished)
{
    QString error;
    return finished.moveIntoPlace(&error) ? Outcome{Outcome::Written} : failed(error);
}

// Why SQLite could not read: another's lock past the wait, or a damaged file.
Outcome::Cause readFailure(int rc)
{
    switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Outcome::Busy;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return Outcome::Damaged;
    default:
        return Outcome::Unknown;
    }
}

// Whether the finished copy passes SQLite's full integrity check (indexes
// against their tables included: a copy that met another's write mid-way
// shows there). Its progress is told as done, so that the clerk may stop it.
Outcome checkCopy(const QString& file, const DbBackup::Progress& progress, qint64 pages)
{
    sqlite3* copy = nullptr;
    int rc = sqlite3_open_v2(file.toUtf8().constData(), &copy, SQLITE_OPEN_READONLY, nullptr);
    // The indexes in Persian order are checked in that order.
    if (rc == SQLITE_OK && !PersianCollation::registerOn(copy))
        rc = sqlite3_errcode(copy);
    bool stopped = false;
    if (progress && rc == SQLITE_OK) {
        struct Asked { const DbBackup::Progress* progress; qint64 pages; bool* stopped; } asked{&progress, pages, &stopped};
        sqlite3_progress_handler(copy, 200000, [](void* p) {
            auto* a = static_cast<Asked*>(p);
            *a->stopped = !(*a->progress)(a->pages, a->pages);
            return *a->stopped ? 1 : 0;
        }, &asked);
    }
    QString verdict;
    sqlite3_stmt* check = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(copy, "pragma integrity_check(1)", -1, &check, nullptr);
    if (rc == SQLITE_OK && (rc = sqlite3_step(check)) == SQLITE_ROW)
        verdict = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)));
    const QString why = copy ? QString::fromUtf8(sqlite3_errmsg(copy)) : QStringLiteral("out of memory");
    sqlite3_finalize(check);
    sqlite3_close(copy);
    if (stopped)
        return {Outcome::Cancelled, QStringLiteral("stopped by the user")};
    if (verdict == QLatin1String("ok"))
        return {Outcome::Written};
    return failed(QStringLiteral("the copy is not whole: ") + (verdict.isEmpty() ? why : verdict), Outcome::NotWhole);
}

Outcome sqliteBackup(Database& db, const QString& path, const DbBackup::Progress& progress)
{
    const QVariant v = db.handle().driver() ? db.handle().driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return failed(QStringLiteral("no SQLite connection"));
    sqlite3* source = *static_cast<sqlite3* const*>(v.data());
    if (!source)
        return failed(QStringLiteral("no SQLite connection"));

    Outcome refused;
    const auto temp = reserveBeside(path, &refused);
    if (!temp)
        return refused;

    // The copy is read in one read transaction of the source: another
    // connection's write waits for it (the time of a quiet copy), or with a
    // write-ahead log goes on beside it, instead of making it start over.
    // Begun and read apart, and ended whatever happens, so that the connection
    // is left as it was found: a transaction left open would refuse every
    // later one, and lose a write made outside one.
    bool began = false;
    const auto end = qScopeGuard([&] {
        if (began && !sqlite3_get_autocommit(source))
            sqlite3_exec(source, "rollback", nullptr, nullptr, nullptr);
    });
    if (sqlite3_get_autocommit(source)) {
        db.boundWaits(Database::LockWaitMs); // another's write: waited for as long as any command waits
        int rc = sqlite3_exec(source, "begin", nullptr, nullptr, nullptr);
        began = rc == SQLITE_OK;
        if (began)
            rc = sqlite3_exec(source, "select count(*) from sqlite_master", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            return failed(QStringLiteral("cannot read the database: ") + QString::fromUtf8(sqlite3_errmsg(source)),
                          readFailure(sqlite3_extended_errcode(source)));
    }
    sqlite3* target = nullptr;
    bool stopped = false;
    qint64 pages = 0;
    int rc = sqlite3_open_v2(temp->fileName().toUtf8().constData(), &target, SQLITE_OPEN_READWRITE, nullptr);
    // The copy needs no journal of its own: a copy that fails is dropped whole.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(target, "pragma journal_mode = off", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_backup* copy = sqlite3_backup_init(target, "main", source, "main");
        if (!copy) {
            rc = sqlite3_errcode(target);
        } else {
            // A few megabytes at a time, telling the progress in between.
            // Another connection may hold a write lock for a while: wait up to ten seconds.
            constexpr int Pages = 1024;
            for (int waits = 0;;) {
                rc = sqlite3_backup_step(copy, progress ? Pages : -1);
                if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                    if (++waits > 200)
                        break;
                    sqlite3_sleep(50);
                } else if (rc != SQLITE_OK) {
                    break;
                }
                pages = sqlite3_backup_pagecount(copy);
                if (progress && !progress(pages - sqlite3_backup_remaining(copy), pages)) {
                    stopped = true;
                    break;
                }
            }
            const int finished = sqlite3_backup_finish(copy);
            if (rc == SQLITE_DONE)
                rc = finished;
        }
    }
    const QString why = target ? QString::fromUtf8(sqlite3_errmsg(target)) : QStringLiteral("out of memory");
    const bool full = (rc & 0xff) == SQLITE_FULL || (target && sqlite3_system_errno(target) == ENOSPC);
    sqlite3_close(target);
    if (began && !sqlite3_get_autocommit(source))
        sqlite3_exec(source, "rollback", nullptr, nullptr, nullptr); // the others' writes go on meanwhile
    if (stopped)
        return {Outcome::Cancelled, QStringLiteral("stopped by the user")};
    if (rc != SQLITE_OK && rc != SQLITE_DONE)
        return failed(why, full ? Outcome::DiskFull : readFailure(rc));
    const Outcome checked = checkCopy(temp->fileName(), progress, pages);
    return checked.kind == Outcome::Written ? moveIntoPlace(*temp) : checked;
}

// The major version pg_dump --version prints ("pg_dump (PostgreSQL) 15.5 ..."); 0 when unknown.
int pgDumpMajor(const QString& program)
{
    QProcess version;
    version.start(program, {QStringLiteral("--version")});
    if (!version.waitForFinished(10000))
        return 0;
    static const QRegularExpression number(QStringLiteral("\\)\\s+(\\d+)"));
    return number.match(QString::fromLocal8Bit(version.readAllStandardOutput())).captured(1).toInt();
}

// The first value of a statement on db; invalid when it fails.
QVariant firstValue(Database& db, const QString& sql)
{
    try {
        QSqlQuery q = Sql::exec(db, sql);
        return q.next() ? q.value(0) : QVariant();
    } catch (const DbError&) {
        return {};
    }
}

// The major version of the connected server (15 for 15.5, 9 for 9.6); 0 when unknown.
int serverMajor(Database& db)
{
    return firstValue(db, QStringLiteral("select current_setting('server_version_num')")).toInt() / 10000;
}

// The tables pg_dump writes the rows of, to tell its progress by.
int pgTableCount(Database& db)
{
    return firstValue(db, QStringLiteral("select count(*) from pg_class c join pg_namespace n on n.oid = c.relnamespace "
                                         "where c.relkind in ('r', 'p', 'm') and n.nspname not in "
                                         "('pg_catalog', 'information_schema') and n.nspname not like 'pg_toast%'"))
        .toInt();
}

Outcome pgDump(Database& db, const QString& path, const DbBackup::Progress& progress)
{
    const int server = serverMajor(db);
    int client = 0;
    const QString program = DbBackup::pgDumpFor(server, &client);
    if (program.isEmpty())
        return failed(QStringLiteral("pg_dump was not found"));
    // pg_dump refuses a server newer than itself.
    if (server > 0 && client > 0 && client < server)
        return {Outcome::OldClient, QStringLiteral("pg_dump %1 is older than the server, %2").arg(client).arg(server),
                client, server};
    Outcome refused;
    const auto temp = reserveBeside(path, &refused);
    if (!temp)
        return refused;

    QProcess dump;
    dump.setProgram(program);
    // --verbose names each table as its rows are written: the progress.
    dump.setArguments(DbBackup::pgDumpArguments(db.options(), temp->fileName()) << QStringLiteral("--verbose"));
    dump.setProcessEnvironment(DbBackup::pgDumpEnvironment(db.options()));
    dump.setStandardInputFile(QProcess::nullDevice());
    // pg_dump ends with the program, however the program ends; a program gone
    // before the child could ask for that leaves no child either.
    const pid_t parent = ::getpid();
    dump.setChildProcessModifier([parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
    });
    dump.start();
    if (!dump.waitForStarted())
        return failed(QStringLiteral("pg_dump: ") + dump.errorString());
    const int tables = pgTableCount(db);
    int written = 0;
    QByteArray said, line;
    auto readSaid = [&] {
        for (const char c : dump.readAllStandardError()) {
            if (c != '\n') {
                line += c;
                continue;
            }
            if (line.contains("dumping contents of table"))
                ++written;
            else if (line.contains("error") || line.contains("ERROR") || line.contains("detail") ||
                     line.contains("DETAIL") || line.contains("mismatch"))
                said += line + '\n';
            line.clear();
        }
    };
    while (!dump.waitForFinished(50)) {
        if (dump.state() == QProcess::NotRunning)
            break;
        readSaid();
        if (progress && !progress(written, tables)) {
            // Stopped: the half-written file goes with its temporary name.
            dump.kill();
            dump.waitForFinished(-1);
            return {Outcome::Cancelled, QStringLiteral("stopped by the user")};
        }
    }
    readSaid();
    said += line;
    if (dump.exitStatus() != QProcess::NormalExit || dump.exitCode() != 0) {
        const QString why = QStringLiteral("pg_dump: ") + QString::fromLocal8Bit(said).trimmed();
        if (said.contains("version mismatch"))
            return {Outcome::OldClient, why, client, server};
        return failed(why, said.contains("No space left on device") ? Outcome::DiskFull : Outcome::Unknown);
    }
    if (QFileInfo(temp->fileName()).size() <= 0)
        return failed(QStringLiteral("pg_dump wrote nothing"));
    return moveIntoPlace(*temp);
}

// Runs one statement of the server's backup and reads every result and
// message it sends: the server goes on only while its messages are read.
void runOnServer(Database& db, const QString& sql, const QString& path)
{
    QSqlQuery q = Sql::exec(db, sql, {path});
    while (q.nextResult()) {
    }
    if (q.lastError().isValid())
        throw DbError(q.lastError().text(), sql);
}

bool sqlServerBackup(Database& db, const QString& path, QString* error)
{
    try {
        runOnServer(db, DbBackup::sqlServerBackupStatement(), path);
        // The file is on the server's disks: the server says whether it is there and whole.
        runOnServer(db, DbBackup::sqlServerVerifyStatement(), path);
    } catch (const DbError& e) {
        return fail(error, e.driverText);
    }
    return true;
}

QString quotedValue(const QString& value)
{
    QString v = value;
    v.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + v + QLatin1Char('\'');
}

} // namespace

namespace DbBackup {

QString pgConnectionText(const ConnectionOptions& o)
{
    QStringList parts;
    if (!o.host.isEmpty())
        parts << QStringLiteral("host=") + quotedValue(o.host);
    if (o.port > 0)
        parts << QStringLiteral("port=%1").arg(o.port);
    if (!o.user.isEmpty())
        parts << QStringLiteral("user=") + quotedValue(o.user);
    parts << QStringLiteral("dbname=") + quotedValue(o.database);
    parts << QStringLiteral("connect_timeout=10");
    return parts.join(QLatin1Char(' '));
}

QStringList pgDumpArguments(const ConnectionOptions& options, const QString& file)
{
    // The database goes as a connection text, so that no name is read as an option.
    return {QStringLiteral("--format=custom"), QStringLiteral("--no-password"), QStringLiteral("--file=") + file,
            QStringLiteral("--dbname=") + pgConnectionText(options)};
}

QProcessEnvironment pgDumpEnvironment(const ConnectionOptions& options, const QProcessEnvironment& base)
{
    QProcessEnvironment env = base;
    // A password left over in the workstation's environment belongs to no one here.
    env.remove(QStringLiteral("PGPASSWORD"));
    if (!options.integrated && !options.password.isEmpty())
        env.insert(QStringLiteral("PGPASSWORD"), options.password);
    return env;
}

QString sqlServerBackupStatement()
{
    // The database the connection has open, whatever its name.
    return QStringLiteral("declare @db sysname = db_name(); backup database @db to disk = ?");
}

QString sqlServerVerifyStatement() { return QStringLiteral("restore verifyonly from disk = ?"); }

QString pgDumpFor(int serverMajor, int* major)
{
    QString found = QStandardPaths::findExecutable(QStringLiteral("pg_dump"));
    int version = found.isEmpty() ? 0 : pgDumpMajor(found);
    // Older than the server: Debian keeps each installed version's programs
    // apart; the oldest that is as new as the server.
    if (!found.isEmpty() && version > 0 && version < serverMajor) {
        const QDir versions(QStringLiteral("/usr/lib/postgresql"));
        int best = 0;
        for (const QString& name : versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const int v = name.toInt();
            const QString program = versions.filePath(name + QStringLiteral("/bin/pg_dump"));
            if (v >= serverMajor && (best == 0 || v < best) && QFileInfo(program).isExecutable()) {
                best = v;
                found = program;
            }
        }
        if (best > 0)
            version = best;
    }
    if (major)
        *major = version;
    return found;
}

Outcome write(Database& db, const QString& path, const Progress& progress)
{
    Outcome outcome;
    if (!db.isOpen()) {
        outcome.error = QStringLiteral("no open connection");
    } else if (path.isEmpty()) {
        outcome.error = QStringLiteral("no file name");
    } else {
        switch (db.backend()) {
        case Backend::SQLite:
            outcome = sqliteBackup(db, path, progress);
            break;
        case Backend::PostgreSQL:
            outcome = pgDump(db, path, progress);
            break;
        case Backend::SqlServer: {
            QString why;
            outcome = sqlServerBackup(db, path, &why) ? Outcome{Outcome::Written} : failed(why);
            break;
        }
        }
    }
    if (outcome.kind != Outcome::Written)
        qWarning().noquote() << "backup to" << path << "not written:" << outcome.error;
    return outcome;
}

bool write(Database& db, const QString& path, QString* error)
{
    const Outcome outcome = write(db, path, Progress());
    if (error)
        *error = outcome.error;
    return outcome.kind == Outcome::Written;
}

} // namespace DbBackup
