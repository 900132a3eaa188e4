#include "connect_database.h"

#include "core/login.h"
#include "core/schema.h"
#include "core/server.h"
#include "core/texts.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"
#include "platform/ui/window_set.h"

#include <QFileInfo>
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

// Opens the connection of a settings file; false when it is not opened. For a
// database file that does not exist nothing is created.
bool openFromSettings(const ConnectionSettings& s)
{
    const std::optional<ConnectionOptions> options = connection_options(s);
    if (!options)
        return false;
    if (options->backend == Backend::SQLite && !QFileInfo(options->database).isFile())
        return false;
    QString error;
    if (!Database::current().open(*options, &error)) {
        qWarning().noquote() << "connection failed:" << error;
        return false;
    }
    return true;
}

bool connectBuiltIn(EmptyDatabase empty, bool* installed)
{
    Database& db = Database::current();
    db.close();
    if (const std::optional<ConnectionSettings> installed = Settings::read(Settings::installFile())) {
        if (!openFromSettings(*installed)) {
            Msg::info(CoreText::InternetFailed);
            return false;
        }
        return true;
    }
    ConnectionOptions embedded;
    embedded.backend = Backend::SQLite;
    embedded.database = Settings::embeddedDatabase();
    QString error;
    if (!db.open(embedded, &error)) {
        qWarning().noquote() << "the embedded database could not be opened:" << error;
        Msg::info(CoreText::InternetFailed);
        return false;
    }
    if (empty == EmptyDatabase::Install && !Sql::tableExists(QStringLiteral("users"))) {
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
    if (openFromSettings(*s))
        return true;
    const bool accessFile = isAccess(*s) && connection_options(*s).has_value();
    Msg::warnYes(accessFile ? CoreText::AccessFileMissing : CoreText::SettingsWrong);
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
