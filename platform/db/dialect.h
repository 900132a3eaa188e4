#pragma once
// Everything that differs between the database backends lives in a Dialect.
// Nothing outside platform/db knows which backend is connected.

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>

class QSqlDatabase;

enum class Backend { SQLite, PostgreSQL, SqlServer };

// Column types the schema uses; the dialect turns them into its own type text.
enum class ColumnType {
    Text,      // nvarchar(size)
    LongText,  // nvarchar(max) / text
    Int,       // 32-bit
    BigInt,    // 64-bit
    Bit,       // right flags, 0/1
    Money,     // amounts
    Float,
    Blob,      // stored files and message bodies
    Date,      // a Gregorian date (only the scratch table of the server's date)
    DateTime,  // the log's server timestamp
};

class Dialect {
public:
    virtual ~Dialect() = default;

    virtual Backend backend() const = 0;
    // The Qt SQL driver: "QSQLITE", "QPSQL" or "QODBC".
    virtual QString driver() const = 0;

    // Runs once right after the connection opened (collations and the like).
    virtual void prepare(QSqlDatabase& db) { (void)db; }

    // Type text of a column type; size is the width of Text columns.
    virtual QString type(ColumnType type, int size = 0) const = 0;
    // The full definition of an identity key column named id (ids are never reused).
    virtual QString identityKey(bool bigint) const = 0;
    // A default clause that stores the server's current timestamp.
    virtual QString nowDefault() const = 0;
    // A default clause that stores the server's current date (a Date column).
    virtual QString todayDefault() const = 0;
    // A SELECT that reads the server's current date as yyyy-mm-dd text, column "d".
    virtual QString currentDateQuery() const = 0;
    // Joins expressions into one text; a NULL part counts as empty text.
    virtual QString concat(const QStringList& parts) const = 0;
    // A case-insensitive LIKE of an expression against a bound parameter (?).
    virtual QString likeInsensitive(const QString& expression) const = 0;
    // A case-insensitive match of an expression against a bound regular
    // expression (?), where the backend has one that its text indexes serve;
    // empty elsewhere.
    virtual QString regexInsensitive(const QString& expression) const
    {
        (void)expression;
        return {};
    }
    // The condition that a text expression holds a text, neither NULL nor empty.
    virtual QString holdsText(const QString& expression) const
    {
        return expression + QStringLiteral(" <> ''");
    }
    // Text that orders an expression in Persian alphabetical order.
    virtual QString persianOrder(const QString& expression) const = 0;
    // Whether a table exists: a count with one bound parameter, the name.
    virtual QString tableExistsQuery() const = 0;
    // Whether a column exists: a count with two bound parameters, table and column.
    virtual QString columnExistsQuery() const = 0;
    // The names (column "name") of every table and view of the database, the
    // backend's own catalogue left out.
    virtual QString tablesQuery() const = 0;
    // The columns of a table, one bound parameter, the table: "name", and
    // "required" (1: NOT NULL with no default, nor filled by the database itself).
    virtual QString columnsQuery() const = 0;
    // The id of the row that the last INSERT on this connection added; asked
    // only where insertReturningId gives no statement.
    virtual QString lastIdQuery(const QString& table) const = 0;
    // An INSERT of the given columns (one bound value each, in order) whose
    // first result row holds the new row's id, taken from that insert itself:
    // a trigger's insert into another table never answers for it. Empty where
    // lastIdQuery already reads the statement's own row.
    virtual QString insertReturningId(const QString& table, const QStringList& columns) const
    {
        (void)table, (void)columns;
        return {};
    }
    // Adds a column to an existing table.
    virtual QString addColumn(const QString& table, const QString& column, const QString& type) const = 0;
    // Creates an index unless one of that name exists.
    virtual QString createIndex(const QString& name, const QString& table, const QString& column) const = 0;
    // Drops an index of the table, where there is one of that name.
    virtual QString dropIndex(const QString& name, const QString& table) const
    {
        (void)table;
        return QStringLiteral("drop index if exists %1").arg(name);
    }
    // Creates a unique index unless one of that name exists; with skipEmpty,
    // empty text and NULL are left out, so that any number of rows may lack the value.
    virtual QString createUniqueIndex(const QString& name, const QString& table, const QString& column,
                                      bool skipEmpty) const = 0;
    // The statements, in order, that make a "contains" search of a text column
    // (a LIKE of '%text%', case-insensitive or not) use an index of its own;
    // none where the backend has no such index. The server may refuse them
    // (an extension it does not have or let this user create): the searches
    // then give the same rows, only more slowly.
    virtual QStringList createContainsIndex(const QString& name, const QString& table, const QString& column) const
    {
        (void)name, (void)table, (void)column;
        return {};
    }
    // A column whose texts repeat over many rows (the log's actions, each
    // with a name or a code): its distinct texts in a table of their own,
    // `name`, the texts in a column "k", kept in step by the server itself (a
    // trigger, so that every workstation's rows are in it, whatever its
    // version) and searched through a text index of its own (which
    // containsIndexed names `name`_contains). A search then tests the
    // texts, few beside the rows, and counts the rows of those that hold the
    // typed text from a plain index of the column alone, instead of reading
    // every row the column's text index gives from the table. The statements
    // run in one transaction, which reads in the texts of the rows written
    // before; they change nothing where the table is there. None where the
    // column's own text index is searched.
    virtual QStringList createContainsTexts(const QString& name, const QString& table, const QString& column) const
    {
        (void)name, (void)table, (void)column;
        return {};
    }
    // Removes, where it is there, what createContainsIndex made under that name.
    virtual QStringList dropContainsIndex(const QString& name) const
    {
        (void)name;
        return {};
    }
    // Creates, unless one of that name exists, an index of a text column in
    // the order of persianOrder, so that a list in that order (its own, or
    // sorted by a clicked title) reads only its first rows instead of sorting
    // the whole table; empty where the backend has no such index (the list
    // then gives the same rows, only more slowly).
    virtual QString createPersianOrderIndex(const QString& name, const QString& table, const QString& column) const
    {
        (void)name, (void)table, (void)column;
        return {};
    }
    // Whether a table of millions of rows (the log) is given such an index of
    // each column a list sorts by a clicked title. Where the database is the
    // workstation's own file, nobody waits while they are built; a server
    // shared by many workstations would hold every workstation's writes of
    // the table while it builds them, and then keep them up to date at each
    // write, for a sort now and then.
    virtual bool indexesTitleSorts() const { return false; }
    // A blob column with the bytes of one bound value (?) added to its end.
    virtual QString appendBytes(const QString& column) const
    {
        return QStringLiteral("cast(%1 || ? as %2)").arg(column, type(ColumnType::Blob));
    }
    // The statement that, run first in a transaction, makes everything it
    // reads one snapshot of the database as the transaction began, and lets
    // it write nothing: a long read in several statements (a stored file a
    // piece at a time) then sees no change another workstation commits
    // meanwhile. Empty where a transaction needs none: on SQLite it is the
    // file's one writer already, so nothing changes until it ends.
    virtual QString readSnapshot() const { return {}; }
    // The number of bytes a blob column holds.
    virtual QString byteLength(const QString& column) const { return QStringLiteral("length(%1)").arg(column); }
    // Where the plain LIKE does not use that index by itself: the condition
    // that finds through it the rows of `column like pattern`, and the values
    // its "?" are bound to, in order; key is the table's id (log.id). The
    // index only narrows the rows down: each is tested with that LIKE too.
    // An empty sql: the plain LIKE is the search (also where the pattern holds
    // no three characters in a row besides its wildcards, which the index
    // cannot narrow down).
    struct BoundSql {
        QString sql;
        QVariantList values;
    };
    virtual BoundSql containsIndexed(const QString& name, const QString& key, const QString& column,
                                     const QString& pattern) const
    {
        (void)name, (void)key, (void)column, (void)pattern;
        return {};
    }
    // A SELECT of the distinct values of a column, column "k", read through an
    // index on the column a value at a time, fast where the values are few
    // (the users of the log); empty where the backend cannot use it in "in (...)".
    virtual QString distinctValuesQuery(const QString& table, const QString& column) const
    {
        (void)table, (void)column;
        return {};
    }
    // Whether the index createContainsIndex made, or the table of texts
    // createContainsTexts made, is there for this login to read: a count with
    // one bound parameter, its name; empty where neither is searched.
    virtual QString containsIndexExistsQuery() const { return {}; }
    // Quotes an identifier (table or column name) for this backend.
    virtual QString quoteName(const QString& name) const = 0;

    // Reading a list a page at a time.
    // Whether NULL comes before every value when a column is sorted ascending.
    virtual bool nullsFirst() const = 0;
    // An ORDER BY term with NULL before every value ascending and after every value descending.
    virtual QString orderNullsFirst(const QString& expression, bool descending) const = 0;
    // The value of an expression as the database holds it: bound back in its
    // place, it compares equal to itself (times keep their fraction of a second).
    virtual QString exactValue(const QString& expression) const = 0;
    // An ORDER BY expression that no index serves. A search known to match few
    // rows is cheaper read through its conditions and sorted than read along an
    // index of its order until enough rows match, which can mean most of a table
    // when the matches lie at the far end of the order. The default leaves the
    // choice to the server.
    virtual QString orderUnindexed(const QString& expression) const { return expression; }
    // A page of such sorted rows found as the keys of its rows first, sorted
    // alone, and then only those rows read whole: the condition that a row's
    // key is among those the SELECT `keys` gives, read through the key's index;
    // empty where the page is read in one statement. For a server that would
    // read every match whole (with its joined rows) before its sort keeps a page.
    virtual QString amongKeys(const QString& key, const QString& keys) const
    {
        (void)key, (void)keys;
        return {};
    }
    // What follows ORDER BY to keep only the first rows.
    virtual QString firstRows(int rows) const = 0;
    // Serialising writers (Sql::exclusive). The statement that begins a
    // transaction; empty: the driver's own. SQLite's begins as the one writer
    // of the file, so that a check read inside it cannot go stale.
    virtual QString beginTransaction() const { return {}; }
    // The statements that end a transaction begun by beginTransaction();
    // empty: the driver's own commit and rollback.
    virtual QString commitTransaction() const { return {}; }
    virtual QString rollbackTransaction() const { return {}; }
    // A statement ("%1": milliseconds) that sets how long the driver itself
    // waits for a file another connection writes; empty where locks are
    // waited for by key.
    virtual QString waitTime() const { return {}; }
    // A statement ("%1": milliseconds) that bounds how long any statement of
    // the session waits for a row (PostgreSQL, SQL Server) or for the file
    // (SQLite) that another transaction holds; it then fails as busy.
    virtual QString sessionWait() const = 0;
    // A statement (one bound value, milliseconds) that bounds those waits
    // for the rest of the open transaction only; empty: sessionWait serves.
    virtual QString transactionWait() const { return {}; }
    // Locks on a key, held until the transaction ends, shared or exclusive
    // (see Sql::exclusive). Both statements take two bound values, the key's
    // text and the wait left in milliseconds. tryLock takes the lock only if
    // it is free at once and gives one row whose first column is true when it
    // did; waitLock waits for it, at most the wait given, then fails as busy.
    // The wait given also bounds the waits of the rest of the transaction for
    // rows other transactions hold. Empty where the transaction itself already
    // excludes other writers.
    virtual QString tryLock(bool shared) const = 0;
    virtual QString waitLock(bool shared) const = 0;

    // What kind of refusal a driver's error is, from the server's own code
    // (SQLSTATE, SQLite result code, SQL Server error number).
    enum class Failure { Other, TooLong, OutOfRange, Duplicate, NoPermission, Busy, Connection, DiskFull, Damaged };
    virtual Failure classify(const QString& nativeCode, const QString& text) const = 0;

    static std::unique_ptr<Dialect> create(Backend backend);
};
