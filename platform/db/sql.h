#pragma once
// The statement helper. Every value reaches the database as a bound parameter
// ("?" placeholders, in order); no value is ever spliced into SQL text.
// A failing statement throws DbError; Db::guard turns it into one clear
// Persian message. Several statements run in one transaction: all land or none.
// Every wait a statement meets (a key, a row another transaction holds, the
// embedded file's write lock) ends within Database::LockWaitMs as busy; a
// PostgreSQL server that stops answering a statement or a row (next()) is cut
// soon after, as a lost connection (see Database::Awaiting).
// In the test build a write whose table no held key covers stops the test
// (see the guard of writes below and core/lock_keys.h).
// A null QString binds as empty text; only QVariant() binds NULL; a bool binds as 0 or 1.

#include "platform/db/database.h"

#include <QDate>
#include <QList>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <source_location>
#include <stdexcept>

class DbError : public std::runtime_error {
public:
    using Kind = Dialect::Failure;
    DbError(const QString& driverText, const QString& sql, Kind kind = Kind::Other, const QString& code = {});
    QString driverText; // the database's own words, for the log of the developer
    QString sql;
    // What kind of refusal it is, from the server's code (code), so that the
    // user is told a value too long from a lost connection.
    Kind kind = Kind::Other;
    QString code;
    // A lost connection cut the commit, or a write outside a transaction:
    // the server may have recorded it, or may still record it.
    bool outcomeUnknown = false;
    // The failure was already shown to the user (a transaction doomed by a
    // failure inside it that Db::guard reported), so it is not shown again.
    bool reported = false;
    // A refusal of the program's own, found inside the transaction (the
    // signed-in account gone at the write): the words the clerk is told,
    // instead of those of the kind. Nothing of the transaction is kept.
    QString told;
};

// An ordered list of column values for inserts and updates.
using Row = QList<QPair<QString, QVariant>>;

// A key of the one serialising mechanism below: the text that names what is
// protected, and its place in the one order in which every command takes its
// keys. The keys themselves are named once, in core/lock_keys.h; nothing else
// spells them.
struct LockKey {
    QString name;
    // Keys are taken by ascending order, then name: a command that needs
    // several takes them in that order, whatever order it lists them in, so
    // two commands never wait for each other in a circle.
    int order = 0;
    // Shared: held by any number of shared holders at once, excluding an
    // exclusive holder (a single-row write beside a command that writes the
    // whole table). Exclusive otherwise.
    bool shared = false;
    // The tables whose rows a holder of the key may write (lower case): the
    // key's own table, or the table of its record or rows.
    QStringList tables;
    bool operator<(const LockKey& other) const
    {
        return order != other.order ? order < other.order : name < other.name;
    }
};

namespace Keys {
class Unkeyed;
}

namespace Sql {

// Where a statement was written: the guard of writes below names it.
using Where = std::source_location;

// Prepares and runs a statement on the current database with bound values.
QSqlQuery exec(const QString& sql, const QVariantList& values = {}, Where where = Where::current());
QSqlQuery exec(Database& db, const QString& sql, const QVariantList& values = {}, Where where = Where::current());

// The readers below throw DbError when the statement fails, also part-way
// through its rows: a failed read never gives the rows read so far as all.

// The first column of the first row, or an invalid QVariant when there is no row.
QVariant scalar(const QString& sql, const QVariantList& values = {});
// All rows, each as column name -> value (joined columns found in both tables
// come once plain, for the first table, and once with the suffix "_1").
QList<QVariantMap> rows(const QString& sql, const QVariantList& values = {});
// The names of a result's columns; a name found in both tables of a join comes
// plain for the first and with the suffix "_1" for the second.
QStringList columnNames(const QSqlRecord& record);
// The first row, empty when there is none.
QVariantMap row(const QString& sql, const QVariantList& values = {});
// Whether the query gives at least one row.
bool exists(const QString& sql, const QVariantList& values = {});
// For a query of exec() read row by row: the next row, each read watched as
// a statement is (a server that stops answering mid-read is cut, see
// Database::Awaiting), and checkRead() once it gave false; a read that
// stopped on an error throws DbError instead of ending quietly.
//
//     QSqlQuery q = Sql::exec("select ...");
//     while (Sql::next(q)) { ... }
//     Sql::checkRead(q);
bool next(QSqlQuery& query, Database& db = Database::current());
void checkRead(const QSqlQuery& query, Database& db = Database::current());

// The error of a statement that failed on the current database, its kind
// told from the server's code (for code that runs QSqlQuery itself).
DbError failure(const QSqlError& error, const QString& sql);

// Whether a table or a column exists in the current database.
bool tableExists(const QString& table);
bool columnExists(const QString& table, const QString& column);

// INSERT that names its columns; returns the id of the new row (0 for tables without an id).
// "?, ?, ?": one bound value's mark for each of n values, as in "in (...)".
QString placeholders(qsizetype n);

qint64 insert(const QString& table, const Row& values, Where where = Where::current());
qint64 insert(Database& db, const QString& table, const Row& values, Where where = Where::current());
// UPDATE table SET columns WHERE condition (the condition's own values follow).
int update(const QString& table, const Row& values, const QString& condition,
           const QVariantList& conditionValues = {}, Where where = Where::current());

// Runs body in one transaction on the current database: committed when body
// returns, rolled back when it throws (and the exception goes on). Nested, it
// joins the open transaction: a failure inside it fails the whole outermost
// transaction, even when the body that called it catches the error; the
// outermost call then throws DbError and nothing of it is kept.
void transaction(const std::function<void()>& body);

// The one serialising mechanism of the data layer. Runs body in one
// transaction (joining an open one) that holds the locks of keys until the
// outermost transaction ends: another workstation taking one of the same keys
// at the same moment waits until then and sees what this one wrote. A command
// MUST use it when its write depends on what it read: a duplicate check before
// an insert, "delete all, then insert" (a replace), a value read, compared or
// computed and written back; a command that writes many rows of a table takes
// the key its single-row writers take. The keys are taken in their order (see
// LockKey); a key already held by the open transaction is not taken again, and
// a nested call should only add keys that come after those held.
//
// The wait is bounded as a whole: the locks of one outermost transaction are
// had within Database::LockWaitMs of its first wait, however many keys it
// takes, or it fails as busy and nothing of it is kept. While it waits the
// connection's wait notice is on (the windows show a wait cursor). On SQLite
// the transaction itself is the file's one writer (begin immediate); on
// PostgreSQL advisory locks; on SQL Server application locks.
//
// A key taken after one that comes later in the order (a nested call adding a
// key that comes before one held) is an offence of the guard below, told
// with where the call was written; without the guard it is a warning.
void exclusive(const QList<LockKey>& keys, const std::function<void()>& body, Where where = Where::current());
inline void exclusive(const LockKey& key, const std::function<void()>& body, Where where = Where::current())
{
    exclusive(QList<LockKey>{key}, body, where);
}

// The server's current date as a Gregorian date (core converts it to Persian text).
QDate serverDate();

// ---- The guard of writes (on in the test build only) ----
// Every write (insert, update, delete, replace, merge) must run in a
// transaction that holds a key of its table (LockKey::tables), or be one of
// the few writes that need none (core/lock_keys.h names them), and keys are
// taken in their one order. While the guard is on, a write without its key,
// and a key taken against the order, are told to report (with the table or
// the keys, the statement and where it was written), which stops the test
// that ran it.
// Statements written in the tests themselves (a test setting out its rows)
// are not the program's and are let through. An empty report: no guard.
using Offence = std::function<void(const QString& what)>;
void setWriteGuard(Offence report, const QStringList& keylessTables = {});
// The tables a statement writes (lower case; none for a read or a definition).
QStringList writtenTables(const QString& sql);
// What is wrong with running sql on db now, as one line; empty when nothing is.
QString unkeyedWrite(Database& db, const QString& sql);

// While one lives, the writes of this thread need no key. Only a scope
// core/lock_keys.h names, with its reason (Keys::Unkeyed), makes one.
class UnkeyedScope {
public:
    ~UnkeyedScope();
    UnkeyedScope(const UnkeyedScope&) = delete;
    UnkeyedScope& operator=(const UnkeyedScope&) = delete;

private:
    friend class Keys::Unkeyed;
    // why: what makes the writes of the scope need no key (Keys::Unkeyed::Why).
    explicit UnkeyedScope(const char* why);
};

} // namespace Sql

namespace Db {
// Runs body; a database error is shown as one Persian message and false is
// returned. Nothing is reported as success after a failure. Outside a
// transaction the transactions of body are rolled back; inside one, guard
// neither commits nor rolls back: the open transaction is doomed and rolls
// back at its outermost end, whose error is then not shown a second time.
bool guard(const std::function<void()>& body);
// The text of that message, by the error's kind, for tests.
QString errorMessage(const DbError& error);
// The message of a lost or refused connection, one Persian sentence.
extern const QString FailedText;
}
