#pragma once
// The one database connection of the run and its dialect. Above it,
// platform/db/sql.h runs the statements; this class keeps what a connection
// knows of itself:
//  - transactions that nest, all or nothing (only the outermost begins and
//    commits; a failure inside dooms the whole);
//  - the keys the open transaction holds (core/lock_keys.h), their order and
//    the one 20 s bound on all its waits for them;
//  - a connection lost (a failed statement's driver says so, or the watch of
//    answers below cut it): the next command opens it again, none is re-run;
//  - on PostgreSQL, a thread that watches every statement's answer, from the
//    first statement of the opening on, and ends a silent one: cancelled at
//    20.25 s, cut at 21 s (platform/db/answer_watch.h).

#include "platform/db/dialect.h"

#include <QDeadlineTimer>
#include <array>
#include <QHash>
#include <QPair>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <memory>

struct AnswerWatched;

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

    // ---- Serialised writers (Sql::exclusive) ----
    // How long one outermost transaction may wait for its locks, all of them
    // together, before it fails as busy (20 seconds; tests shorten it).
    static int LockWaitMs;
    // The wait that the open transaction has left for its locks, in ms; the
    // clock starts at its first lock.
    int lockWaitLeft();
    // Whether the open transaction already holds the lock of a key, and at
    // least as strongly as asked (an exclusive lock holds a shared one too).
    bool holdsKey(const QString& key, bool shared) const;
    // order: the key's place in the one order of keys (LockKey::order);
    // tables: those whose rows its holder may write (LockKey::tables).
    void keyHeld(const QString& key, int order, bool shared, const QStringList& tables = {});
    // Whether the open transaction holds a key of the table (lower case).
    bool holdsTable(const QString& table) const { return m_heldTables.contains(table); }
    QStringList heldKeyNames() const { return m_heldKeys.keys(); }
    // Whether the open transaction holds any key.
    bool holdsKeys() const { return m_depth > 0 && !m_heldKeys.isEmpty(); }
    // The place of the last key the open transaction took: a key taken
    // later must come after it, or two commands may wait for each other.
    QPair<int, QString> lastKey() const { return m_lastKey; }
    // Told true when a command starts waiting for a lock another workstation
    // holds, false when the wait ended; the program's windows show a wait
    // cursor meanwhile. The notice of a wait's start may throw, to stop the
    // command before it waits: no transaction was begun then.
    void setWaitNotice(std::function<void(bool waiting)> notice) { m_waitNotice = std::move(notice); }
    void waitNotice(bool waiting) const
    {
        if (m_waitNotice)
            m_waitNotice(waiting);
    }

    // ---- Bounded waits ----
    // Bounds how long each statement of the session waits for a row or the
    // file another transaction holds (asked again only when ms changed).
    void boundWaits(int ms);
    // The same for the rest of the open transaction: what it has left.
    void boundTransactionWaits();

    // ---- A lost connection ----
    // A statement on PostgreSQL whose server has sent nothing back for
    // LockWaitMs and a quarter second (a lock wait the server bounds ends
    // before) is cancelled: the server ends it with its own words. One still
    // without answer 0.75 s later (a backend or a server machine that stopped)
    // has its connection cut: it fails as a lost connection, nothing of its
    // transaction is kept, and the next command opens the connection again.
    // While a Patience lives, the connection's statements may take as long as
    // they need (a definition: an index built over millions of rows).
    class Patience {
    public:
        Patience(Database& db, bool patient);
        ~Patience();
        Patience(const Patience&) = delete;
        Patience& operator=(const Patience&) = delete;

    private:
        std::shared_ptr<struct AnswerWatched> m_watched;
    };

    // While one lives, the calling thread waits for the server's answer on
    // db (a statement run, a row read): the watch above counts from its start.
    class Awaiting {
    public:
        explicit Awaiting(Database& db);
        ~Awaiting();
        Awaiting(const Awaiting&) = delete;
        Awaiting& operator=(const Awaiting&) = delete;

    private:
        std::shared_ptr<struct AnswerWatched> m_watched;
    };

    // Marks the connection as lost (a statement failed as a connection
    // failure, or found it closed): the next command outside a transaction
    // opens it again first. A connection closed by close() stays closed.
    void markLost();
    // Whether the connection to the server is gone (the driver's word,
    // asked after a failure that carried no code of the server's).
    bool connectionGone() const;
    bool lost() const { return m_lost; }
    // Outside a transaction, opens a lost connection again with the same
    // options; false (with the driver's words) when the server still cannot
    // be reached. A command whose transaction was cut is never run again.
    bool reopenIfLost(QString* error = nullptr);

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
    // One dialect per backend, made when first needed and kept as long as
    // the Database: a reference to one stays good when the connection is
    // opened again.
    std::array<std::unique_ptr<Dialect>, 3> m_dialects;
    Dialect& dialectFor(Backend backend);
    bool m_wanted = false; // opened, and not closed by close()
    int m_sessionWait = -1;
    int m_depth = 0;
    bool m_doomed = false;
    bool m_reported = false;
    QString m_error;
    QString m_errorCode;
    QHash<QString, bool> m_hasId;
    QHash<QString, bool> m_heldKeys; // key -> held shared only
    QSet<QString> m_heldTables;
    QPair<int, QString> m_lastKey;
    QDeadlineTimer m_lockDeadline{QDeadlineTimer::Forever};
    bool m_lockClock = false;
    std::function<void(bool)> m_waitNotice;
    bool m_lost = false;
    std::shared_ptr<AnswerWatched> m_watched; // PostgreSQL: the watch of its answers (answer_watch.h)
    void transactionEnded();
    void closeConnection();
    bool beginWaiting(const QString& begin);
};
