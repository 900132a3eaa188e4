#include "backup.h"

#include "platform/db/sql.h"

#include <QFileInfo>
#include <QProcess>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QtDebug>

#include <sqlite3.h>

#include <filesystem>
#include <memory>

namespace {

bool fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

// A name of our own beside the target, so that the finished file can be renamed
// into place in one step and a half-written one never carries the target's name.
std::unique_ptr<QTemporaryFile> reserveBeside(const QString& path)
{
    auto file = std::make_unique<QTemporaryFile>(path + QStringLiteral(".partial-XXXXXX"));
    if (!file->open())
        return nullptr;
    file->close(); // the name stays reserved until the object goes
    return file;
}

// Replaces the target by the finished file (an existing target included).
bool moveIntoPlace(QTemporaryFile& finished, const QString& path, QString* error)
{
    std::error_code ec;
    std::filesystem::rename(finished.fileName().toStdU16String(), path.toStdU16String(), ec);
    if (ec)
        return fail(error, QString::fromStdString(ec.message()));
    finished.setAutoRemove(false); // it is the target now
    if (QFileInfo(path).size() <= 0)
        return fail(error, QStringLiteral("the file is not there after the rename"));
    return true;
}

bool sqliteBackup(Database& db, const QString& path, QString* error)
{
    const QVariant v = db.handle().driver() ? db.handle().driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return fail(error, QStringLiteral("no SQLite connection"));
    sqlite3* source = *static_cast<sqlite3* const*>(v.data());
    if (!source)
        return fail(error, QStringLiteral("no SQLite connection"));

    const auto temp = reserveBeside(path);
    if (!temp)
        return fail(error, QStringLiteral("cannot write in the folder of ") + path);

    sqlite3* target = nullptr;
    int rc = sqlite3_open_v2(temp->fileName().toUtf8().constData(), &target, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_backup* copy = sqlite3_backup_init(target, "main", source, "main");
        if (!copy) {
            rc = sqlite3_errcode(target);
        } else {
            // Another connection may hold a write lock for a while: wait up to ten seconds.
            for (int waits = 0;; ++waits) {
                rc = sqlite3_backup_step(copy, -1);
                if ((rc != SQLITE_BUSY && rc != SQLITE_LOCKED) || waits >= 200)
                    break;
                sqlite3_sleep(50);
            }
            const int finished = sqlite3_backup_finish(copy);
            if (rc == SQLITE_DONE)
                rc = finished;
        }
    }
    const QString why = target ? QString::fromUtf8(sqlite3_errmsg(target)) : QStringLiteral("out of memory");
    sqlite3_close(target);
    if (rc != SQLITE_OK && rc != SQLITE_DONE)
        return fail(error, why);
    return moveIntoPlace(*temp, path, error);
}

bool pgDump(const ConnectionOptions& options, const QString& path, QString* error)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pg_dump"));
    if (program.isEmpty())
        return fail(error, QStringLiteral("pg_dump was not found on PATH"));
    const auto temp = reserveBeside(path);
    if (!temp)
        return fail(error, QStringLiteral("cannot write in the folder of ") + path);

    QProcess dump;
    dump.setProgram(program);
    dump.setArguments(DbBackup::pgDumpArguments(options, temp->fileName()));
    dump.setProcessEnvironment(DbBackup::pgDumpEnvironment(options));
    dump.setStandardInputFile(QProcess::nullDevice());
    dump.start();
    if (!dump.waitForStarted() || !dump.waitForFinished(-1))
        return fail(error, QStringLiteral("pg_dump: ") + dump.errorString());
    if (dump.exitStatus() != QProcess::NormalExit || dump.exitCode() != 0)
        return fail(error, QStringLiteral("pg_dump: ") + QString::fromLocal8Bit(dump.readAllStandardError()).trimmed());
    if (QFileInfo(temp->fileName()).size() <= 0)
        return fail(error, QStringLiteral("pg_dump wrote nothing"));
    return moveIntoPlace(*temp, path, error);
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

bool write(Database& db, const QString& path, QString* error)
{
    QString why;
    bool ok = false;
    if (!db.isOpen()) {
        why = QStringLiteral("no open connection");
    } else if (path.isEmpty()) {
        why = QStringLiteral("no file name");
    } else {
        switch (db.backend()) {
        case Backend::SQLite:
            ok = sqliteBackup(db, path, &why);
            break;
        case Backend::PostgreSQL:
            ok = pgDump(db.options(), path, &why);
            break;
        case Backend::SqlServer:
            ok = sqlServerBackup(db, path, &why);
            break;
        }
    }
    if (!ok) {
        qWarning().noquote() << "backup to" << path << "failed:" << why;
        if (error)
            *error = why;
    }
    return ok;
}

} // namespace DbBackup
