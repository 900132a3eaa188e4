#pragma once
// The one database connection of the run and its dialect.

#include "platform/db/dialect.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <memory>

// How to reach a database; the connection settings window and the installation
// settings fill it.
struct ConnectionOptions {
    Backend backend = Backend::SQLite;
    QString host;         // server name or address ("host\\instance" or "host,port" for SQL Server)
    int port = 0;         // 0: the driver's default
    QString database;     // database name; for SQLite the file path
    QString user;
    QString password;
    bool integrated = false; // operating-system authentication: no password is sent
    QString odbcDriver;      // SQL Server: the ODBC driver name (FreeTDS by default)
};

// The ODBC connection string of a SQL Server connection (FreeTDS).
QString sqlServerConnectionString(const ConnectionOptions& options);

class Database {
public:
    // The program's one connection (the data module's connection).
    static Database& current();

    // Closes what is open, then opens the connection; false with the driver's
    // error text on failure. A SQLite file and its folder are created when missing.
    bool open(const ConnectionOptions& options, QString* error = nullptr);
    void close();
    bool isOpen() const;

    QSqlDatabase handle() const;
    const Dialect& dialect() const;
    Backend backend() const { return m_options.backend; }
    const ConnectionOptions& options() const { return m_options; }

    // The Qt connection name of this database.
    QString connectionName() const { return m_name; }

    // Transactions nest: only the outermost begins and commits; a rollback at
    // any depth rolls back the whole transaction.
    bool beginTransaction();
    bool commitTransaction();
    void rollbackTransaction();
    bool inTransaction() const { return m_depth > 0; }

    // Whether a table has an identity column id (asked once per table and connection).
    bool hasIdColumn(const QString& table);

    explicit Database(const QString& connectionName);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

private:
    QString m_name;
    ConnectionOptions m_options;
    std::unique_ptr<Dialect> m_dialect;
    int m_depth = 0;
    bool m_rolledBack = false;
    QHash<QString, bool> m_hasId;
};
