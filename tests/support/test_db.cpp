#include "test_db.h"

#include "core/schema.h"
#include "platform/db/sql.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>

const QString TestDb::AdminPassword = QStringLiteral("آزمون-admin-1");

namespace {

// "host=127.0.0.1 port=5432 user=postgres dbname=postgres" into options.
ConnectionOptions pgServer(const QString& conninfo)
{
    ConnectionOptions o;
    o.backend = Backend::PostgreSQL;
    for (const QString& part : conninfo.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString key = part.section(QLatin1Char('='), 0, 0);
        const QString value = part.section(QLatin1Char('='), 1);
        if (key == QLatin1String("host"))
            o.host = value;
        else if (key == QLatin1String("port"))
            o.port = value.toInt();
        else if (key == QLatin1String("user"))
            o.user = value;
        else if (key == QLatin1String("password"))
            o.password = value;
        else if (key == QLatin1String("dbname"))
            o.database = value;
    }
    return o;
}

bool runOnServer(const ConnectionOptions& server, const QString& sql, QString* error)
{
    Database admin(QStringLiteral("tuvek_test_server"));
    if (!admin.open(server, error))
        return false;
    try {
        Sql::exec(admin, sql);
    } catch (const DbError& e) {
        *error = e.driverText;
        return false;
    }
    return true;
}

} // namespace

Backend TestDb::backend()
{
    return qgetenv("TUVEK_TEST_BACKEND") == "pg" ? Backend::PostgreSQL : Backend::SQLite;
}

bool TestDb::open(Content content)
{
    reset();
    m_reason.clear();
    m_mustFail = false;
    QString error;
    if (backend() == Backend::PostgreSQL) {
        const QString conninfo = QString::fromLocal8Bit(qgetenv("TUVEK_TEST_PG"));
        if (conninfo.isEmpty()) {
            m_reason = QStringLiteral("TUVEK_TEST_PG is not set: no PostgreSQL server for this test");
            m_mustFail = qgetenv("CI") == "true";
            return false;
        }
        m_server = pgServer(conninfo);
        const QString name = QStringLiteral("tuvek_t%1_%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QRandomGenerator::global()->generate64(), 0, 36);
        if (!runOnServer(m_server, QStringLiteral("create database %1").arg(name), &error)) {
            m_reason = QStringLiteral("the test database could not be made: ") + error;
            m_mustFail = true;
            return false;
        }
        m_pgName = name;
        m_options = m_server;
        m_options.database = name;
    } else {
        m_dir = std::make_unique<QTemporaryDir>();
        m_options = ConnectionOptions();
        m_options.backend = Backend::SQLite;
        m_options.database = m_dir->filePath(QStringLiteral("test.sqlite"));
    }
    m_mustFail = true;
    if (!Database::current().open(m_options, &error)) {
        m_reason = QStringLiteral("the test database could not be opened: ") + error;
        return false;
    }
    // A test database need not survive a power cut.
    if (m_options.backend == Backend::SQLite)
        Sql::exec(QStringLiteral("pragma synchronous = off"));
    if (content == Installed) {
        const Schema::Result result = Schema::install(AdminPassword);
        if (!result.ok()) {
            m_reason = QStringLiteral("the schema could not be installed: ");
            for (const Schema::Failure& f : result.failures)
                m_reason += QStringLiteral("step %1 (%2): %3; ").arg(f.step).arg(f.what, f.error);
            return false;
        }
    }
    m_mustFail = false;
    return true;
}

void TestDb::reset()
{
    Database::current().close();
    if (!m_pgName.isEmpty()) {
        QString error;
        if (!runOnServer(m_server, QStringLiteral("drop database if exists %1 with (force)").arg(m_pgName), &error))
            qWarning().noquote() << "the test database" << m_pgName << "was not dropped:" << error;
        m_pgName.clear();
    }
    m_dir.reset();
}

ConnectionSettings TestDb::settings() const
{
    ConnectionSettings s;
    if (m_options.backend == Backend::SQLite) {
        s.authentication = QStringLiteral("Access");
        s.systemType = QStringLiteral("64-bit");
        s.sqlServerName = m_options.database;
    } else {
        s.authentication = QStringLiteral("SQL Server");
        s.serverType = QStringLiteral("PostgreSQL");
        s.sqlServerName = QStringLiteral("%1,%2").arg(m_options.host).arg(m_options.port);
        s.dataBase = m_options.database;
        s.userName = m_options.user;
        s.password = m_options.password;
    }
    return s;
}

bool TestDb::writeSettings(const QString& file) const { return writeSettingsFile(file, settings()); }

bool TestDb::writeSettingsFile(const QString& file, const ConnectionSettings& s)
{
    if (!Settings::write(file, s))
        return false;
    QFile f(file);
    if (!f.open(QIODevice::Append))
        return false;
    return f.write(("TuvekSystemType=" + s.systemType + QLatin1Char('\n')).toUtf8()) > 0;
}

void TestDb::isolateSettings(const QString& folder)
{
    qputenv("TUVEK_USER_SETTINGS", (folder + QStringLiteral("/user/connection.ini")).toLocal8Bit());
    qputenv("TUVEK_INSTALL_SETTINGS", (folder + QStringLiteral("/etc/connection.ini")).toLocal8Bit());
    qputenv("TUVEK_DATA_DIR", (folder + QStringLiteral("/data")).toLocal8Bit());
}
