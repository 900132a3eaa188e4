#pragma once
// A full backup of the connected database into one file, whatever the backend:
//  - SQLite: the database's own backup API on the open connection, written to
//    a temporary file beside the target and renamed into place;
//  - PostgreSQL: pg_dump in its custom format (restore with pg_restore), also
//    through a temporary file; the password reaches pg_dump in its
//    environment, never on its command line;
//  - SQL Server: BACKUP DATABASE of the connection's database, written by the
//    server to a path as the server sees it, then verified by the server.

#include "platform/db/database.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace DbBackup {

// Writes the backup to path. False, with the reason for the developer's log,
// when no complete file was written; a file that existed keeps its content
// then (SQLite, PostgreSQL).
bool write(Database& db, const QString& path, QString* error = nullptr);

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
