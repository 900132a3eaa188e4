#pragma once
// Connection settings kept in files.
//
// Per user: the connection the settings window writes, in a file under the
// user's configuration folder that only its owner may read (the environment
// variable TUVEK_USER_SETTINGS names another file, for tests). A missing file
// means the person has made no settings yet.
//
// Per installation: the built-in connection, in a system-wide file
// (/etc/tuvek/connection.ini, or the file named by TUVEK_INSTALL_SETTINGS),
// with the same value names. Without it the built-in connection is the
// embedded database in the user's data folder (TUVEK_DATA_DIR for tests).

#include <QByteArray>
#include <QString>
#include <optional>

struct ConnectionSettings {
    QString sqlServerName;  // TuvekSqlServerName: server, or the database file for "Access"
    QString dataBase;       // TuvekDataBase
    QString userName;       // TuvekUserName
    QString password;       // TuvekPassword, in plain text here; scrambled in the file
    QString authentication; // TuvekAuthentication: "SQL Server", "Windows" or "Access"
    QString systemType;     // TuvekSystemType: "32-bit" or "64-bit" (for "Access")
    QString serverType;     // TuvekServerType: "PostgreSQL" (when empty) or "SQL Server"
};

namespace Settings {

QString userFile();
QString installFile();
// The folder of the embedded database.
QString dataDir();
// The embedded database file.
QString embeddedDatabase();

// The settings of a file; nothing when the file does not exist or cannot be read.
// A value that is not in the file reads as empty text.
std::optional<ConnectionSettings> read(const QString& file);
// Writes the values the settings window sets (server, database, authentication,
// user, password, server type); other values in the file stay. The file is
// readable and writable by its owner only. False when it cannot be written.
bool write(const QString& file, const ConnectionSettings& settings);

// The stored form of the password: the bytes reversed, each decreased by one
// (modulo 256); unscramble undoes it. Not a cipher: it only keeps the password
// out of plain sight.
QByteArray scramble(const QByteArray& password);
QByteArray unscramble(const QByteArray& stored);

} // namespace Settings
