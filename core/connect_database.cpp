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

// What a failed open says: the cause where the driver names one; for a server
// that cannot be reached (or words nobody knows), the text the caller gives.
QString failureText(const QString& driverText, const ConnectionOptions& options, const QString& unreachable)
{
    qWarning().noquote() << "connection failed:" << driverText;
    switch (connection_failure(driverText)) {
    case ConnectionFailure::LoginRefused:
        return CoreText::LoginRefused;
    case ConnectionFailure::NoDatabase:
        return CoreText::NoSuchDatabase.arg(options.database);
    case ConnectionFailure::FolderNotWritable:
        return CoreText::DataFolderNotWritable.arg(Msg::filePath(QFileInfo(options.database).absolutePath()));
    case ConnectionFailure::Damaged:
        return DbText::damagedFile(options.database);
    case ConnectionFailure::Unreachable:
        break;
    }
    return unreachable;
}

// Opens the connection and reads from it once, before anything is written: a
// damaged file shows here, and is closed again untouched. The failure's
// message, nothing when open.
std::optional<QString> openAndLook(const ConnectionOptions& options, const QString& unreachable)
{
    Database& db = Database::current();
    QString error;
    if (!db.open(options, &error))
        return failureText(error, options, unreachable);
    try {
        Sql::tableExists(QStringLiteral("users"));
    } catch (const DbError& e) {
        // A damaged file or a full disk is said as every command says it.
        const bool known = e.kind == DbError::Kind::Damaged || e.kind == DbError::Kind::DiskFull;
        const QString text = known ? Db::errorMessage(e) : failureText(e.driverText, options, unreachable);
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
    if (options->backend == Backend::SQLite && !QFileInfo(options->database).isFile())
        return notFound;
    return openAndLook(*options, unreachable);
}

bool connectBuiltIn(EmptyDatabase empty, bool* installed)
{
    Database& db = Database::current();
    db.close();
    if (const std::optional<ConnectionSettings> installed = Settings::read(Settings::installFile())) {
        if (const std::optional<QString> failed = openFromSettings(*installed, CoreText::InternetFailed, CoreText::InternetFailed)) {
            Msg::info(*failed);
            return false;
        }
        return true;
    }
    ConnectionOptions embedded;
    embedded.backend = Backend::SQLite;
    embedded.database = Settings::embeddedDatabase();
    if (const std::optional<QString> failed = openAndLook(embedded, CoreText::InternetFailed)) {
        Msg::info(*failed);
        return false;
    }
    bool users = false;
    if (!Db::guard([&] { users = Sql::tableExists(QStringLiteral("users")); }))
        return false;
    if (empty == EmptyDatabase::Install && !users) {
        const Schema::Result result = Schema::install();
        Schema::report(result);
        if (installed)
            *installed = result.ok();
        return result.ok();
    }
    return true;
}

bool connectLocal()
{
    const std::optional<ConnectionSettings> s = Settings::read(Settings::userFile());
    if (!s) {
        Msg::warnYes(CoreText::SettingsMissing);
        showSettingsWindow();
        return false;
    }
    Database::current().close();
    const bool accessFile = isAccess(*s) && connection_options(*s).has_value();
    const QString unreachable = accessFile ? CoreText::AccessFileMissing : CoreText::SettingsWrong;
    const std::optional<QString> failed = openFromSettings(*s, unreachable, CoreText::AccessFileMissing);
    if (!failed)
        return true;
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

ConnectionFailure connection_failure(const QString& driverText)
{
    // The words of libpq (with the SQLSTATE where the server sent one), of
    // the SQL Server ODBC driver and of SQLite; the server's own words are
    // those of its default language.
    static const std::pair<QRegularExpression, ConnectionFailure> words[] = {
        {QRegularExpression(QStringLiteral("password authentication failed|no password supplied|\\b28P01\\b|"
                                           "role \".*\" (does not exist|is not permitted to log in)"),
                            QRegularExpression::CaseInsensitiveOption),
         ConnectionFailure::LoginRefused},
        // SQL Server's 4060 comes with "login failed": before 18456 (state 28000).
        {QRegularExpression(QStringLiteral("database \".*\" does not exist|\\b3D000\\b|cannot open database"),
                            QRegularExpression::CaseInsensitiveOption),
         ConnectionFailure::NoDatabase},
        {QRegularExpression(QStringLiteral("login failed"), QRegularExpression::CaseInsensitiveOption),
         ConnectionFailure::LoginRefused},
        {QRegularExpression(QStringLiteral("unable to open database file")), ConnectionFailure::FolderNotWritable},
        {QRegularExpression(QStringLiteral("file is not a database|database disk image is malformed")),
         ConnectionFailure::Damaged},
    };
    for (const auto& [pattern, failure] : words)
        if (pattern.match(driverText).hasMatch())
            return failure;
    return ConnectionFailure::Unreachable;
}

int default_connection_choice() { return Settings::read(Settings::userFile()) ? 1 : 0; }

bool connect_database(int choice, EmptyDatabase empty, bool* installed)
{
    if (installed)
        *installed = false;
    if (choice == 0)
        return connectBuiltIn(empty, installed);
    if (choice == 1)
        return connectLocal();
    return true;
}

bool connect_database(EmptyDatabase empty)
{
    const Tlogin* login = WindowSet::instance().find<Tlogin>(QStringLiteral("login"));
    return connect_database(login ? login->connectionChoice() : -1, empty);
}
