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
//
// A settings file is a few lines. Only a regular file of at most MaxFileSize
// bytes is read as one; anything else at its path (a pipe, a device, a folder,
// a file too large) is wrong settings, told at once: it is never waited on,
// never read whole, and never written over.

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

// The most bytes a settings file may hold (1 MiB): thousands of times what
// the settings window writes (a few hundred bytes).
constexpr qint64 MaxFileSize = qint64(1) << 20;

// What stands at a settings file's path.
enum class FileState {
    Missing, // nothing: no settings made yet
    Wrong,   // not a regular file, larger than MaxFileSize, or unreadable
    Read,    // a settings file, read
};

// Reads a small file the program keeps (a settings file, the remembered user
// name): its bytes when it is a regular file of at most MaxFileSize bytes. A
// pipe or a device is refused without waiting on it: its type is looked at
// before it is opened, and again on what was opened (without blocking), so
// that nothing put there in between is read either.
FileState readFile(const QString& path, QByteArray* bytes);

QString userFile();
QString installFile();
// The folder of the embedded database.
QString dataDir();
// The embedded database file.
QString embeddedDatabase();

// The settings of a file, with what stands at its path; a value that is not in
// the file reads as empty text.
struct Loaded {
    FileState state = FileState::Missing;
    ConnectionSettings settings; // when Read
};
Loaded load(const QString& file);
// The settings of a file; nothing when there is none or it is wrong.
std::optional<ConnectionSettings> read(const QString& file);
// Writes the values the settings window sets (server, database, authentication,
// user, password, server type); other values in the file stay. The file is
// readable and writable by its owner only. False when it cannot be written,
// and when what stands at the path is wrong settings: that is left as it is.
bool write(const QString& file, const ConnectionSettings& settings);

// The stored form of the password: the bytes reversed, each decreased by one
// (modulo 256); unscramble undoes it. Not a cipher: it only keeps the password
// out of plain sight.
QByteArray scramble(const QByteArray& password);
QByteArray unscramble(const QByteArray& stored);

} // namespace Settings
