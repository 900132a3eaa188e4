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
    // Makes current() give db in the calling thread (nullptr: the program's
    // one again). A second workstation in a test runs in a thread of its own
    // on a connection of its own.
    static void setCurrentForThisThread(Database* db);

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

    // Transactions nest and are all or nothing: only the outermost begins and
    // commits. A rollback at an inner depth, or a statement that fails inside
    // the transaction, dooms the whole transaction: every later statement in it
    // fails and the outermost end rolls it back. A failed outermost commit is
    // rolled back too, so the connection is usable afterwards.
    bool beginTransaction();
    // False when nothing was committed: the transaction was doomed, or the
    // commit failed (see lastError()); either way it is rolled back.
    bool commitTransaction();
    void rollbackTransaction();
    bool inTransaction() const { return m_depth > 0; }
    int transactionDepth() const { return m_depth; }
    // Whether the open transaction already failed and can only roll back.
    bool doomed() const { return m_depth > 0 && m_doomed; }
    // Marks the open transaction as failed; reported: its failure was already
    // shown to the user, so its end need not show it again.
    void doom(bool reported = false);
    bool failureReported() const { return m_reported; }
    // The driver's words on the last failed begin or commit, and its code.
    QString lastError() const { return m_error; }
    QString lastErrorCode() const { return m_errorCode; }

    // Whether a table has an identity column id (asked once per table and
    // connection; a look-up that fails throws DbError and is asked again next time).
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
    bool m_doomed = false;
    bool m_reported = false;
    QString m_error;
    QString m_errorCode;
    QHash<QString, bool> m_hasId;
};
