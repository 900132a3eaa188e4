#include "connect_database.h"

#include "core/login.h"
#include "core/schema.h"
#include "core/server.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/db/texts.h"
#include "platform/ui/msg.h"
#include "platform/ui/window_set.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QtDebug>

namespace {

const QString kSqlServerAuth = QStringLiteral("SQL Server");
const QString kWindowsAuth = QStringLiteral("Windows");
const QString kAccessAuth = QStringLiteral("Access");

bool isAccess(const ConnectionSettings& s) { return s.authentication == kAccessAuth; }

// "host,port" (or "host:port" for PostgreSQL) gives the port apart.
void splitPort(QString& host, int& port)
{
    const int at = int(std::max(host.lastIndexOf(QLatin1Char(',')), host.lastIndexOf(QLatin1Char(':'))));
    if (at <= 0)
        return;
    bool ok = false;
    const int p = host.mid(at + 1).trimmed().toInt(&ok);
    if (ok) {
        port = p;
        host = host.left(at).trimmed();
    }
}

void showSettingsWindow()
{
    Tserver* server = WindowSet::instance().find<Tserver>(QStringLiteral("server"));
    if (server && !server->isVisible())
        server->showModal();
}

// What a failed open says: the cause where the driver names one, a server
// that cannot be reached by the text the caller gives; words nobody knows
// (a server that speaks another language) are shown as they are.
QString failureText(const QString& driverText, const QString& code, const ConnectionOptions& options,
                    const QString& unreachable)
{
    qWarning().noquote() << "connection failed:" << code << driverText;
    switch (connection_failure(driverText, code)) {
    case ConnectionFailure::LoginRefused:
        return CoreText::LoginRefused;
    case ConnectionFailure::NoDatabase:
        return CoreText::NoSuchDatabase.arg(options.database);
    case ConnectionFailure::FolderNotWritable:
        return CoreText::DataFolderNotWritable.arg(Msg::filePath(QFileInfo(options.database).absolutePath()));
    case ConnectionFailure::Damaged:
        return DbText::damagedFile(options.database);
    case ConnectionFailure::Unreachable:
        return unreachable;
    case ConnectionFailure::Unrecognised:
        break;
    }
    return CoreText::ConnectionFailedWords.arg(driverText.trimmed());
}

// What stops an embedded database file from being opened and written, as the
// file system tells it: the path is a folder; its folder cannot be written
// (SQLite writes its journal beside the file); nothing when neither.
std::optional<QString> fileObstacle(const ConnectionOptions& options)
{
    if (options.backend != Backend::SQLite || options.database.isEmpty())
        return std::nullopt;
    const QFileInfo file(options.database);
    if (file.isDir())
        return CoreText::DatabasePathIsFolder.arg(Msg::filePath(file.absoluteFilePath()));
    const QFileInfo folder(file.absolutePath());
    if (folder.exists() && (!folder.isDir() || !folder.isWritable()))
        return CoreText::DataFolderNotWritable.arg(Msg::filePath(folder.absoluteFilePath()));
    return std::nullopt;
}

// Opens the connection and reads from it once, before anything is written: a
// damaged file shows here, and is closed again untouched. The failure's
// message, nothing when open.
std::optional<QString> openAndLook(const ConnectionOptions& options, const QString& unreachable)
{
    Database& db = Database::current();
    if (const std::optional<QString> obstacle = fileObstacle(options))
        return obstacle;
    QString error;
    if (!db.open(options, &error)) {
        // A folder that could not be made (a file stands in its path).
        if (const std::optional<QString> obstacle = fileObstacle(options))
            return obstacle;
        return failureText(error, db.lastErrorCode(), options, unreachable);
    }
    try {
        Sql::tableExists(QStringLiteral("users"));
    } catch (const DbError& e) {
        // A damaged file or a full disk is said as every command says it.
        const bool known = e.kind == DbError::Kind::Damaged || e.kind == DbError::Kind::DiskFull;
        const QString text = known ? Db::errorMessage(e) : failureText(e.driverText, e.code, options, unreachable);
        db.close();
        return text;
    }
    return std::nullopt;
}

// Opens the connection of a settings file; the failure's message, nothing
// when open. For a database file that does not exist nothing is created:
// notFound is said.
std::optional<QString> openFromSettings(const ConnectionSettings& s, const QString& unreachable, const QString& notFound)
{
    const std::optional<ConnectionOptions> options = connection_options(s);
    if (!options)
        return unreachable;
    if (options->backend == Backend::SQLite && !QFileInfo(options->database).isDir() &&
        !QFileInfo(options->database).isFile())
        return notFound;
    return openAndLook(*options, unreachable);
}

// Whether the open database is one the program can work on: its own with
// every table and column it needs (an empty embedded database is installed,
// an incomplete one completed, when asked). Otherwise says what it lacks and
// closes it, untouched.
bool usable(EmptyDatabase empty, bool embedded, bool* installed)
{
    Schema::Contents contents;
    if (!Db::guard([&] { contents = Schema::examine(); })) {
        Database::current().close();
        return false;
    }
    if (empty == EmptyDatabase::Leave || contents.complete())
        return true;
    if (contents.empty && !embedded)
        return true; // the login says that nobody installed it yet
    if (contents.empty || contents.own()) {
        if (embedded) {
            const Schema::Result result = Schema::install();
            Schema::report(result);
            if (installed)
                *installed = contents.empty && result.ok();
            return result.ok();
        }
        QString text = CoreText::DatabaseIncomplete.arg(contents.faults());
        if (!contents.missingTables.isEmpty())
            text += CoreText::DatabaseIncompleteInstall;
        Msg::error(text);
    } else {
        Msg::error(CoreText::NotProgramsDatabase.arg(contents.faults()));
    }
    Database::current().close();
    return false;
}

bool connectBuiltIn(EmptyDatabase empty, bool* installed)
{
    Database& db = Database::current();
    db.close();
    // An installation file that is no settings file is said, never taken for
    // none: the embedded database is not another office's.
    const Settings::Loaded installation = Settings::load(Settings::installFile());
    if (installation.state == Settings::FileState::Wrong) {
        Msg::info(CoreText::SettingsWrong);
        return false;
    }
    if (installation.state == Settings::FileState::Read) {
        if (const std::optional<QString> failed = openFromSettings(installation.settings, CoreText::InternetFailed, CoreText::InternetFailed)) {
            Msg::info(*failed);
            return false;
        }
        return usable(empty, false, installed);
    }
    ConnectionOptions embedded;
    embedded.backend = Backend::SQLite;
    embedded.database = Settings::embeddedDatabase();
    if (const std::optional<QString> failed = openAndLook(embedded, CoreText::InternetFailed)) {
        Msg::info(*failed);
        return false;
    }
    return usable(empty, true, installed);
}

bool connectLocal(EmptyDatabase empty)
{
    const Settings::Loaded loaded = Settings::load(Settings::userFile());
    if (loaded.state != Settings::FileState::Read) {
        Msg::warnYes(loaded.state == Settings::FileState::Missing ? CoreText::SettingsMissing : CoreText::SettingsWrong);
        showSettingsWindow();
        return false;
    }
    const ConnectionSettings& s = loaded.settings;
    Database::current().close();
    const bool accessFile = isAccess(s) && connection_options(s).has_value();
    const QString unreachable = accessFile ? CoreText::AccessFileMissing : CoreText::SettingsWrong;
    const std::optional<QString> failed = openFromSettings(s, unreachable, CoreText::AccessFileMissing);
    if (!failed)
        return usable(empty, false, nullptr);
    Msg::warnYes(*failed);
    showSettingsWindow();
    return false;
}

} // namespace

std::optional<ConnectionOptions> connection_options(const ConnectionSettings& s)
{
    ConnectionOptions o;
    if (isAccess(s)) {
        // A local database file.
        if (s.systemType != QLatin1String("32-bit") && s.systemType != QLatin1String("64-bit"))
            return std::nullopt;
        o.backend = Backend::SQLite;
        o.database = s.sqlServerName;
        return o;
    }
    if (s.authentication != kSqlServerAuth && s.authentication != kWindowsAuth)
        return std::nullopt;
    if (s.serverType.isEmpty() || s.serverType == QLatin1String("PostgreSQL"))
        o.backend = Backend::PostgreSQL;
    else if (s.serverType == QLatin1String("SQL Server"))
        o.backend = Backend::SqlServer;
    else
        return std::nullopt;
    o.host = s.sqlServerName;
    if (o.backend == Backend::PostgreSQL)
        splitPort(o.host, o.port);
    o.database = s.dataBase;
    o.user = s.userName;
    if (s.authentication == kWindowsAuth)
        o.integrated = true;
    else
        o.password = s.password;
    return o;
}

ConnectionFailure connection_failure(const QString& driverText, const QString& code)
{
    using enum ConnectionFailure;
    // The code, where the driver gives one: the SQLSTATE of the server or of
    // ODBC, SQL Server's error number (several may come, joined; its 4060,
    // no such database, comes with 18456, login failed).
    static const std::pair<const char*, ConnectionFailure> codes[] = {
        {"3D000", NoDatabase},   {"4060", NoDatabase},    {"28P01", LoginRefused},
        {"28000", LoginRefused}, {"18456", LoginRefused},
    };
    const QStringList given = code.split(QRegularExpression(QStringLiteral("[;,\\s]+")), Qt::SkipEmptyParts);
    for (const auto& [known, failure] : codes)
        if (given.contains(QLatin1String(known)))
            return failure;
    // Otherwise the words, in English: libpq's and the server's (with the
    // SQLSTATE where the server sent one; libpq gives no code of a failed
    // connection), the SQL Server ODBC driver's, SQLite's.
    static const std::pair<QRegularExpression, ConnectionFailure> words[] = {
        {QRegularExpression(QStringLiteral("password authentication failed|no password supplied|\\b28P01\\b|"
                                           "role \".*\" (does not exist|is not permitted to log in)"),
                            QRegularExpression::CaseInsensitiveOption),
         LoginRefused},
        // SQL Server's 4060 comes with "login failed": before 18456 (state 28000).
        {QRegularExpression(QStringLiteral("database \".*\" does not exist|\\b3D000\\b|cannot open database"),
                            QRegularExpression::CaseInsensitiveOption),
         NoDatabase},
        {QRegularExpression(QStringLiteral("login failed"), QRegularExpression::CaseInsensitiveOption), LoginRefused},
        {QRegularExpression(QStringLiteral("unable to open database file")), FolderNotWritable},
        {QRegularExpression(QStringLiteral("file is not a database|database disk image is malformed")), Damaged},
        {QRegularExpression(QStringLiteral("connection refused|could not translate host name|timeout expired|timed out|"
                                           "no route to host|network is unreachable|is the server running|"
                                           "could not connect to server|name or service not known|"
                                           "server closed the connection|adaptive server is unavailable"),
                            QRegularExpression::CaseInsensitiveOption),
         Unreachable},
    };
    for (const auto& [pattern, failure] : words)
        if (pattern.match(driverText).hasMatch())
            return failure;
    return Unrecognised;
}

int default_connection_choice()
{
    return Settings::load(Settings::userFile()).state == Settings::FileState::Missing ? 0 : 1;
}

bool connect_database(int choice, EmptyDatabase empty, bool* installed)
{
    if (installed)
        *installed = false;
    if (choice == 0)
        return connectBuiltIn(empty, installed);
    if (choice == 1)
        return connectLocal(empty);
    return true;
}

bool connect_database(EmptyDatabase empty)
{
    const Tlogin* login = WindowSet::instance().find<Tlogin>(QStringLiteral("login"));
    return connect_database(login ? login->connectionChoice() : -1, empty);
}
