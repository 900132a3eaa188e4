#pragma once
// A full backup of the connected database into one file, whatever the backend:
//  - SQLite: the database's own backup API on the open connection, in one
//    read transaction of it, written to a temporary file beside the target
//    and renamed into place only once the copy passes SQLite's integrity check;
//  - PostgreSQL: pg_dump in its custom format (restore with pg_restore), also
//    through a temporary file; the password reaches pg_dump in its
//    environment, never on its command line; pg_dump ends with the program;
//  - SQL Server: BACKUP DATABASE of the connection's database, written by the
//    server to a path as the server sees it, then verified by the server.

#include "platform/db/database.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

namespace DbBackup {

// Writes the backup to path. False, with the reason for the developer's log,
// when no complete file was written; a file that existed keeps its content
// then (SQLite, PostgreSQL).
bool write(Database& db, const QString& path, QString* error = nullptr);

// Told how far a backup is as it goes (done of total; total 0: not known),
// several times a second; false stops it.
using Progress = std::function<bool(qint64 done, qint64 total)>;

struct Outcome {
    enum Kind {
        Written,
        Failed,
        Cancelled, // stopped through the progress; nothing was written
        OldClient, // PostgreSQL: no pg_dump as new as the server; nothing was written
    } kind = Failed;
    QString error; // the reason, for the developer's log
    int clientMajor = 0; // OldClient: the newest pg_dump found, and the server's version
    int serverMajor = 0;
    // Failed: why, where it is known.
    enum Cause {
        Unknown,
        DiskFull,
        FolderNotWritable,
        Busy,     // SQLite: another holds the file past the wait; it was not read
        Damaged,  // SQLite: the database file cannot be read
        NotWhole, // SQLite: the copy failed the integrity check and was dropped
    } cause = Unknown;
};

// The backup with its progress; the SQLite and PostgreSQL backups can be
// stopped, and then leave no file behind (a file that existed keeps its content).
// Their temporary files are SaveFile::Partial's: what a killed program left
// goes at the next backup or export in that folder.
Outcome write(Database& db, const QString& path, const Progress& progress);

// The pg_dump for a server's major version: the one on PATH, or where that is
// older than the server, the oldest installed one as new as the server
// (/usr/lib/postgresql/<version>/bin); empty when PATH has none. *major is its
// version (0: unknown).
QString pgDumpFor(int serverMajor, int* major);

// pg_dump's arguments and environment for a backup of the database of
// options into file.
QStringList pgDumpArguments(const ConnectionOptions& options, const QString& file);
QProcessEnvironment pgDumpEnvironment(const ConnectionOptions& options,
                                      const QProcessEnvironment& base = QProcessEnvironment::systemEnvironment());
// A libpq connection text (key='value' ...) for options, without the password.
QString pgConnectionText(const ConnectionOptions& options);

// The SQL Server statements, each with the target path as its one bound value.
QString sqlServerBackupStatement();
QString sqlServerVerifyStatement();

} // namespace DbBackup
