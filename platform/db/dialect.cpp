#include "dialect.h"

#include "platform/db/persian_collation.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QRegularExpression>
#include <QtDebug>

namespace {

// NULL parts count as empty text on every backend.
QString concatWithFunction(const QStringList& parts)
{
    if (parts.size() == 1)
        return QStringLiteral("coalesce(%1, '')").arg(parts.first());
    return QStringLiteral("concat(%1)").arg(parts.join(QStringLiteral(", ")));
}

QString doubleQuoted(const QString& name)
{
    QString n = name;
    return QLatin1Char('"') + n.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString ordered(const QString& expression, bool descending)
{
    return descending ? expression + QStringLiteral(" desc") : expression;
}

// A unique index of one column; skipEmpty leaves out rows without a value
// (a filtered or partial index).
QString uniqueIndex(const QString& pattern, const QString& name, const QString& table, const QString& column,
                    bool skipEmpty)
{
    QString sql = pattern.arg(name, table, column);
    if (skipEmpty)
        sql += QStringLiteral(" where %1 <> ''").arg(column);
    return sql;
}

QString marks(qsizetype n)
{
    return QStringList(n, QStringLiteral("?")).join(QStringLiteral(", "));
}

// Each next value found as the least one above the last: one step of an
// index per value.
QString recursiveDistinct(const QString& table, const QString& column)
{
    return QStringLiteral("with recursive distinct_values (k) as (select min(%2) from %1 union all "
                          "select (select min(%2) from %1 where %2 > distinct_values.k) from distinct_values "
                          "where distinct_values.k is not null) select k from distinct_values where k is not null")
        .arg(table, column);
}

// Statements in which %1, %2 and %3 stand for a name, a table and a column.
QStringList filledIn(QStringList statements, const QString& name, const QString& table, const QString& column)
{
    return statements.replaceInStrings(QStringLiteral("%1"), name)
        .replaceInStrings(QStringLiteral("%2"), table)
        .replaceInStrings(QStringLiteral("%3"), column);
}

QString typeText(const char* const names[], ColumnType t, int size)
{
    const QString name = QLatin1String(names[int(t)]);
    return t == ColumnType::Text ? name.arg(size) : name;
}

// The embedded database: one SQLite file.
class SqliteDialect final : public Dialect {
public:
    Backend backend() const override { return Backend::SQLite; }
    QString driver() const override { return QStringLiteral("QSQLITE"); }

    void prepare(QSqlDatabase& db) override
    {
        if (!PersianCollation::registerOn(db))
            qWarning("the Persian collation could not be registered; lists sort by code point");
    }

    QString type(ColumnType t, int size) const override
    {
        // In the order of ColumnType.
        static const char* const names[] = {"nvarchar(%1)", "text", "integer", "bigint", "smallint",
                                            "numeric(19,4)", "real", "blob", "date", "datetime"};
        return typeText(names, t, size);
    }
    // AUTOINCREMENT: an id of a deleted row is never handed out again.
    QString identityKey(bool) const override { return QStringLiteral("id integer primary key autoincrement"); }
    QString nowDefault() const override { return QStringLiteral("DEFAULT (datetime('now', 'localtime'))"); }
    QString todayDefault() const override { return QStringLiteral("DEFAULT (date('now', 'localtime'))"); }
    QString currentDateQuery() const override { return QStringLiteral("select date('now', 'localtime') as d"); }
    QString concat(const QStringList& parts) const override
    {
        QStringList p;
        for (const QString& part : parts)
            p << QStringLiteral("ifnull(%1, '')").arg(part);
        return QLatin1Char('(') + p.join(QLatin1String(" || ")) + QLatin1Char(')');
    }
    QString likeInsensitive(const QString& e) const override { return e + QStringLiteral(" like ?"); }
    QString persianOrder(const QString& e) const override
    {
        return e + QStringLiteral(" collate ") + PersianCollation::name();
    }
    QString tableExistsQuery() const override
    {
        return QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = ? collate nocase");
    }
    QString columnExistsQuery() const override
    {
        return QStringLiteral("select count(*) from pragma_table_info(?) where name = ? collate nocase");
    }
    QString tablesQuery() const override
    {
        return QStringLiteral("select name from sqlite_master where type in ('table', 'view')"
                              " and name not like 'sqlite\\_%' escape '\\'");
    }
    // An "integer primary key" is the row's own number, filled by the database.
    QString columnsQuery() const override
    {
        return QStringLiteral("select name, case when \"notnull\" = 1 and dflt_value is null and pk = 0"
                              " then 1 else 0 end as required from pragma_table_info(?)");
    }
    QString lastIdQuery(const QString&) const override { return QStringLiteral("select last_insert_rowid()"); }
    QString addColumn(const QString& table, const QString& column, const QString& type) const override
    {
        return QStringLiteral("alter table %1 add column %2 %3").arg(table, column, type);
    }
    QString createIndex(const QString& name, const QString& table, const QString& column) const override
    {
        return QStringLiteral("create index if not exists %1 on %2 (%3)").arg(name, table, column);
    }
    // The index is in the order of the collation registered in prepare, which
    // SQLite needs on every connection that writes the table (a row's place in
    // the index is found with it): the program's connections all have it, but
    // a tool that opens the file without it can no longer write that table.
    QString createPersianOrderIndex(const QString& name, const QString& table, const QString& column) const override
    {
        return createIndex(name, table, persianOrder(column));
    }
    bool indexesTitleSorts() const override { return true; }
    // A full-text table of the column with the trigram tokenizer (SQLite 3.34
    // and later), over the table's own rows (it stores no copy of the text),
    // kept in step by triggers; the rows written before it are read in once.
    // A library without it refuses the first statement.
    QStringList createContainsIndex(const QString& name, const QString& table, const QString& column) const override
    {
        QStringList statements{
            QStringLiteral("create virtual table if not exists %1 using fts5(%3, content='%2', content_rowid='id', "
                           "tokenize='trigram', detail='none')"),
            QStringLiteral("create trigger if not exists %1_ins after insert on %2 begin "
                           "insert into %1 (rowid, %3) values (new.id, new.%3); end"),
            QStringLiteral("create trigger if not exists %1_del after delete on %2 begin "
                           "insert into %1 (%1, rowid, %3) values ('delete', old.id, old.%3); end"),
            QStringLiteral("create trigger if not exists %1_upd after update of id, %3 on %2 begin "
                           "insert into %1 (%1, rowid, %3) values ('delete', old.id, old.%3); "
                           "insert into %1 (rowid, %3) values (new.id, new.%3); end"),
            QStringLiteral("insert into %1 (%1) select 'rebuild' "
                           "where (select count(*) from %1_docsize) <> (select count(*) from %2)")};
        return filledIn(statements, name, table, column);
    }
    // The texts in a table with an id for their full-text table (trigrams, as
    // the rows' own above), which a trigger on it fills; triggers on the
    // table add each new text. The texts of the rows written before are read
    // in where the table of texts is still empty.
    QStringList createContainsTexts(const QString& name, const QString& table, const QString& column) const override
    {
        QStringList statements{
            QStringLiteral("create virtual table if not exists %1_contains using fts5(k, content='%1', "
                           "content_rowid='id', tokenize='trigram', detail='none')"),
            QStringLiteral("create table if not exists %1 (id integer primary key, k text not null unique)"),
            QStringLiteral("create trigger if not exists %1_contains_ins after insert on %1 begin "
                           "insert into %1_contains (rowid, k) values (new.id, new.k); end"),
            QStringLiteral("create trigger if not exists %1_add after insert on %2 when new.%3 is not null begin "
                           "insert or ignore into %1 (k) values (new.%3); end"),
            QStringLiteral("create trigger if not exists %1_upd after update of %3 on %2 when new.%3 is not null begin "
                           "insert or ignore into %1 (k) values (new.%3); end"),
            QStringLiteral("insert or ignore into %1 (k) select distinct %3 from %2 "
                           "where %3 is not null and not exists (select 1 from %1)")};
        return filledIn(statements, name, table, column);
    }
    QStringList dropContainsIndex(const QString& name) const override
    {
        QStringList statements{QStringLiteral("drop trigger if exists %1_ins"), QStringLiteral("drop trigger if exists %1_del"),
                               QStringLiteral("drop trigger if exists %1_upd"), QStringLiteral("drop table if exists %1")};
        return statements.replaceInStrings(QStringLiteral("%1"), name);
    }
    // The rows holding a few of the pattern's trigrams, side by side and
    // apart from each other (every third, and the last), which the index
    // finds far faster than all of them in their order; the LIKE keeps those
    // that really hold the text. The index folds case as SQLite's LIKE does
    // for Latin letters: every row the LIKE keeps is among them.
    BoundSql containsIndexed(const QString& name, const QString& key, const QString& column,
                             const QString& pattern) const override
    {
        static const QRegularExpression wildcards(QStringLiteral("[%_]"));
        QStringList trigrams;
        for (const QString& run : pattern.split(wildcards, Qt::SkipEmptyParts)) {
            const QList<uint> characters = run.toUcs4();
            const qsizetype last = characters.size() - 3;
            for (qsizetype at = 0; last >= 0; at = std::min(at + 3, last)) {
                QString trigram = QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData() + at), 3);
                trigrams << QLatin1Char('"') + trigram.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
                                QLatin1Char('"');
                if (at == last)
                    break;
            }
        }
        if (trigrams.isEmpty())
            return {};
        return {QStringLiteral("%1 in (select rowid from %2 where %2 match ?) and %3 like ?").arg(key, name, column),
                {trigrams.join(QLatin1Char(' ')), pattern}};
    }
    QString containsIndexExistsQuery() const override
    {
        return QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = ?");
    }
    QString distinctValuesQuery(const QString& table, const QString& column) const override
    {
        return recursiveDistinct(table, column);
    }
    QString quoteName(const QString& name) const override { return doubleQuoted(name); }
    bool nullsFirst() const override { return true; }
    QString orderNullsFirst(const QString& e, bool descending) const override { return ordered(e, descending); }
    // A value comes back as it is stored: integer, real or text.
    QString exactValue(const QString& e) const override { return e; }
    QString firstRows(int rows) const override { return QStringLiteral(" limit %1").arg(rows); }
    QString createUniqueIndex(const QString& name, const QString& table, const QString& column,
                              bool skipEmpty) const override
    {
        return uniqueIndex(QStringLiteral("create unique index if not exists %1 on %2 (%3)"), name, table, column, skipEmpty);
    }
    // Every transaction is begun as the file's one writer: the next one waits
    // (the driver's busy time-out) until it ends, so a check and its write
    // are never interleaved with another's.
    QString beginTransaction() const override { return QStringLiteral("begin immediate"); }
    // Ended by the statements themselves, not the driver's commit: a COMMIT
    // that another connection's read holds up past the wait is refused with
    // SQLite's own code (busy), which the driver's commit does not pass on.
    QString commitTransaction() const override { return QStringLiteral("commit"); }
    QString waitTime() const override { return QStringLiteral("pragma busy_timeout = %1"); }
    QString sessionWait() const override { return waitTime(); }
    QString tryLock(bool) const override { return {}; }
    QString waitLock(bool) const override { return {}; }
    Failure classify(const QString& code, const QString& text) const override
    {
        bool ok = false;
        const int extended = code.toInt(&ok);
        if (!ok)
            return Failure::Other;
        switch (extended & 0xff) {
        case 19: // SQLITE_CONSTRAINT: unique and primary key among its kinds
            return extended == 2067 || extended == 1555 || text.contains(QLatin1String("UNIQUE constraint"))
                ? Failure::Duplicate
                : Failure::Other;
        case 18: return Failure::TooLong;             // SQLITE_TOOBIG
        case 5: case 6: return Failure::Busy;         // SQLITE_BUSY, SQLITE_LOCKED
        case 3: case 8: case 23: return Failure::NoPermission; // PERM, READONLY, AUTH
        case 13: return Failure::DiskFull;                     // SQLITE_FULL
        case 11: case 26: return Failure::Damaged;             // SQLITE_CORRUPT, SQLITE_NOTADB
        case 10: case 14: return Failure::Connection;          // IOERR, CANTOPEN
        default: return Failure::Other;
        }
    }
};

// The shared server.
class PostgresDialect final : public Dialect {
public:
    Backend backend() const override { return Backend::PostgreSQL; }
    QString driver() const override { return QStringLiteral("QPSQL"); }

    // The ICU Persian collation comes with every database of a server built with
    // ICU; a database made without it gets its own.
    void prepare(QSqlDatabase& db) override
    {
        QSqlQuery q(db);
        // Notices ("already exists, skipping") are no concern of the person at the screen.
        q.exec(QStringLiteral("set client_min_messages = warning"));
        // The lists count and page through millions of rows in a few hundred
        // milliseconds; compiling such a statement (about 10 ms each for the
        // log's counts) never pays back. A server without JIT refuses it: no matter.
        q.exec(QStringLiteral("set jit = off"));
        if (q.exec(QStringLiteral("select count(*) from pg_collation where collname = 'fa-x-icu'")) &&
            q.next() && q.value(0).toInt() > 0) {
            m_collation = QStringLiteral("\"fa-x-icu\"");
            return;
        }
        if (q.exec(QStringLiteral("create collation if not exists tuvek_fa (provider = icu, locale = 'fa')"))) {
            m_collation = QStringLiteral("tuvek_fa");
            return;
        }
        qWarning() << "no Persian collation on this server:" << q.lastError().text();
        m_collation.clear();
    }

    QString type(ColumnType t, int size) const override
    {
        // Rights compare with 0 and 1, which a boolean would refuse: smallint.
        // In the order of ColumnType.
        static const char* const names[] = {"varchar(%1)", "text", "integer", "bigint", "smallint",
                                            "numeric(19,4)", "double precision", "bytea", "date", "timestamp"};
        return typeText(names, t, size);
    }
    QString identityKey(bool bigint) const override
    {
        return QStringLiteral("id %1 generated by default as identity primary key")
            .arg(bigint ? QStringLiteral("bigint") : QStringLiteral("integer"));
    }
    QString nowDefault() const override { return QStringLiteral("DEFAULT LOCALTIMESTAMP"); }
    QString todayDefault() const override { return QStringLiteral("DEFAULT CURRENT_DATE"); }
    QString currentDateQuery() const override
    {
        return QStringLiteral("select to_char(current_date, 'YYYY-MM-DD') as d");
    }
    QString concat(const QStringList& parts) const override { return concatWithFunction(parts); }
    QString likeInsensitive(const QString& e) const override { return e + QStringLiteral(" ilike ?"); }
    QString regexInsensitive(const QString& e) const override { return e + QStringLiteral(" ~* ?"); }
    // Every text sorts after the empty one: a condition that an index on the
    // expression answers by itself, where "<>" is tested on each row the index
    // gives (a count of the ten million rows of a log in two thirds of the time).
    QString holdsText(const QString& e) const override { return e + QStringLiteral(" > ''"); }
    QString persianOrder(const QString& e) const override
    {
        return m_collation.isEmpty() ? e : e + QStringLiteral(" collate ") + m_collation;
    }
    QString tableExistsQuery() const override
    {
        return QStringLiteral("select count(*) from information_schema.tables where table_schema = current_schema()"
                              " and table_type = 'BASE TABLE' and table_name = lower(?)");
    }
    QString columnExistsQuery() const override
    {
        return QStringLiteral("select count(*) from information_schema.columns where table_schema = current_schema()"
                              " and table_name = lower(?) and column_name = lower(?)");
    }
    QString tablesQuery() const override
    {
        return QStringLiteral("select table_name as name from information_schema.tables"
                              " where table_schema = current_schema()");
    }
    QString columnsQuery() const override
    {
        return QStringLiteral("select column_name as name, case when is_nullable = 'NO' and column_default is null"
                              " and is_identity = 'NO' and is_generated = 'NEVER' then 1 else 0 end as required"
                              " from information_schema.columns where table_schema = current_schema()"
                              " and table_name = lower(?)");
    }
    QString lastIdQuery(const QString&) const override { return QStringLiteral("select lastval()"); }
    QString insertReturningId(const QString& table, const QStringList& columns) const override
    {
        return QStringLiteral("insert into %1 (%2) values (%3) returning id")
            .arg(table, columns.join(QStringLiteral(", ")), marks(columns.size()));
    }
    QString addColumn(const QString& table, const QString& column, const QString& type) const override
    {
        return QStringLiteral("alter table %1 add column %2 %3").arg(table, column, type);
    }
    QString createIndex(const QString& name, const QString& table, const QString& column) const override
    {
        return QStringLiteral("create index if not exists %1 on %2 (%3)").arg(name, table, column);
    }
    QString createUniqueIndex(const QString& name, const QString& table, const QString& column,
                              bool skipEmpty) const override
    {
        return uniqueIndex(QStringLiteral("create unique index if not exists %1 on %2 (%3)"), name, table, column, skipEmpty);
    }
    // In the collation prepare found; none without one.
    QString createPersianOrderIndex(const QString& name, const QString& table, const QString& column) const override
    {
        return m_collation.isEmpty() ? QString() : createIndex(name, table, persianOrder(column));
    }
    // A transaction-scoped advisory lock on the key's hash; a wait that
    // outlasts the transaction's lock_timeout fails as a lock time-out (55P03).
    QString tryLock(bool shared) const override
    {
        return QStringLiteral("select pg_try_advisory_xact_lock%1(hashtextextended(?, 0)) "
                              "from (select set_config('lock_timeout', cast(? as text), true)) as t")
            .arg(shared ? QStringLiteral("_shared") : QString());
    }
    QString waitLock(bool shared) const override
    {
        return QStringLiteral("select pg_advisory_xact_lock%1(hashtextextended(?, 0)) "
                              "from (select set_config('lock_timeout', cast(? as text), true)) as t")
            .arg(shared ? QStringLiteral("_shared") : QString());
    }
    QString sessionWait() const override { return QStringLiteral("set lock_timeout = %1"); }
    QString transactionWait() const override
    {
        return QStringLiteral("select set_config('lock_timeout', cast(? as text), true)");
    }
    Failure classify(const QString& code, const QString&) const override
    {
        // Every refusal of the server carries its SQLSTATE; none means the
        // connection itself failed.
        if (code.isEmpty() || code.startsWith(QLatin1String("08")) || code.startsWith(QLatin1String("57P")) ||
            code == QLatin1String("53300"))
            return Failure::Connection;
        if (code == QLatin1String("53100"))
            return Failure::DiskFull;
        if (code == QLatin1String("XX001") || code == QLatin1String("XX002"))
            return Failure::Damaged;
        if (code == QLatin1String("22001"))
            return Failure::TooLong;
        if (code == QLatin1String("22003") || code == QLatin1String("22008") || code == QLatin1String("22015"))
            return Failure::OutOfRange;
        if (code == QLatin1String("23505"))
            return Failure::Duplicate;
        if (code == QLatin1String("42501") || code.startsWith(QLatin1String("28")))
            return Failure::NoPermission;
        if (code == QLatin1String("55P03") || code == QLatin1String("40001") || code == QLatin1String("40P01") ||
            code == QLatin1String("57014") || code == QLatin1String("55006"))
            return Failure::Busy;
        return Failure::Other;
    }
    // Trigram indexes: pg_trgm ships with the server and is a trusted
    // extension, so the owner of the database may create it. New rows go
    // straight into the index, not into its list of pending rows: until a
    // vacuum that list is read whole by every search, and the planner, which
    // prices it so, reads the whole table instead, testing each row's text
    // (100,000 entries just loaded, analyzed or not: 93 ms against 10 ms). An
    // index an earlier version made is switched so, its pending rows moved in.
    QStringList createContainsIndex(const QString& name, const QString& table, const QString& column) const override
    {
        return {QStringLiteral("create extension if not exists pg_trgm"),
                QStringLiteral("create index if not exists %1 on %2 using gin (%3 gin_trgm_ops) with (fastupdate = off)")
                    .arg(name, table, column),
                QStringLiteral("do $off$ begin "
                               "if exists (select 1 from pg_class where oid = to_regclass('%1') "
                               "and pg_has_role(relowner, 'usage') "
                               "and not coalesce(reloptions @> array['fastupdate=off'], false)) then "
                               "alter index %1 set (fastupdate = off); "
                               "perform gin_clean_pending_list(to_regclass('%1')); "
                               "end if; end $off$")
                    .arg(name)};
    }
    QStringList dropContainsIndex(const QString& name) const override
    {
        return {QStringLiteral("drop index if exists %1").arg(name)};
    }
    // Made once: the caller holds the key of the texts (two workstations
    // starting together make it once). The trigger writes with its maker's rights: a workstation
    // whose login may write the log but was never given the new table still
    // can. It is made before the texts already written are read in: from then
    // on every new row waits for this transaction, and the reading sees every
    // row written before.
    QStringList createContainsTexts(const QString& name, const QString& table, const QString& column) const override
    {
        QStringList statements{
            QStringLiteral("create extension if not exists pg_trgm"),
            QStringLiteral(
                "do $made$ begin "
                "if to_regclass('%1') is null then "
                "create table %1 (k text primary key); "
                "create index %1_k on %1 using gin (k gin_trgm_ops); "
                "create or replace function %1_add() returns trigger language plpgsql "
                "security definer set search_path from current as $add$ begin "
                "if new.%3 is not null then insert into %1 (k) values (new.%3) on conflict do nothing; end if; "
                "return null; end $add$; "
                "drop trigger if exists %1_add on %2; "
                "create trigger %1_add after insert or update of %3 on %2 for each row execute procedure %1_add(); "
                "insert into %1 (k) select distinct %3 from %2 where %3 is not null; "
                "end if; end $made$")};
        return filledIn(statements, name, table, column);
    }
    QString containsIndexExistsQuery() const override
    {
        return QStringLiteral("select count(*) from pg_class where oid = to_regclass(?) and has_table_privilege(oid, 'select')");
    }
    QString distinctValuesQuery(const QString& table, const QString& column) const override
    {
        return recursiveDistinct(table, column);
    }
    QString quoteName(const QString& name) const override { return doubleQuoted(name); }
    bool nullsFirst() const override { return false; }
    QString orderNullsFirst(const QString& e, bool descending) const override
    {
        return e + (descending ? QStringLiteral(" desc nulls last") : QStringLiteral(" nulls first"));
    }
    // The planner cannot tell where in an index's order the matches of a
    // condition lie; the same value through coalesce is no longer the index's.
    QString orderUnindexed(const QString& e) const override { return QStringLiteral("coalesce(%1, %1)").arg(e); }
    // The driver reads times to the millisecond and binds them in the client's
    // time zone; their text keeps every digit and is read back as the column's type.
    // An array made once, so that the rows are read by their keys, not
    // matched again and joined to the keys.
    QString amongKeys(const QString& key, const QString& keys) const override
    {
        return QStringLiteral("%1 = any(array(%2))").arg(key, keys);
    }
    QString exactValue(const QString& e) const override { return QStringLiteral("cast(%1 as text)").arg(e); }
    QString readSnapshot() const override
    {
        return QStringLiteral("set transaction isolation level repeatable read, read only");
    }
    QString firstRows(int rows) const override { return QStringLiteral(" limit %1").arg(rows); }

private:
    QString m_collation = QStringLiteral("\"fa-x-icu\"");
};

// An office's existing SQL Server, through ODBC and FreeTDS.
class SqlServerDialect final : public Dialect {
public:
    Backend backend() const override { return Backend::SqlServer; }
    QString driver() const override { return QStringLiteral("QODBC"); }

    // The kinds of refusal are read from the server's words (classify), in
    // English whatever the login's own language. A statement sent alone, so
    // that the setting holds for the session, not only inside a procedure call.
    void prepare(QSqlDatabase& db) override
    {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("set language us_english")))
            qWarning() << "the server's messages may not be in English:" << q.lastError().text();
    }

    QString type(ColumnType t, int size) const override
    {
        // In the order of ColumnType.
        static const char* const names[] = {"nvarchar(%1)", "nvarchar(max)", "int", "bigint", "bit",
                                            "money", "float", "varbinary(max)", "date", "datetime"};
        return typeText(names, t, size);
    }
    QString identityKey(bool bigint) const override
    {
        return QStringLiteral("id %1 identity(1,1) primary key")
            .arg(bigint ? QStringLiteral("bigint") : QStringLiteral("int"));
    }
    QString nowDefault() const override { return QStringLiteral("DEFAULT GETDATE()"); }
    QString todayDefault() const override { return QStringLiteral("DEFAULT GETDATE()"); }
    QString currentDateQuery() const override
    {
        return QStringLiteral("select convert(char(10), getdate(), 23) as d");
    }
    QString concat(const QStringList& parts) const override { return concatWithFunction(parts); }
    // The database's collation is case-insensitive.
    QString likeInsensitive(const QString& e) const override { return e + QStringLiteral(" like ?"); }
    QString persianOrder(const QString& e) const override
    {
        return e + QStringLiteral(" collate Persian_100_CI_AI");
    }
    QString tableExistsQuery() const override
    {
        return QStringLiteral("select count(*) from information_schema.tables"
                              " where table_type = 'BASE TABLE' and table_name = ?");
    }
    QString columnExistsQuery() const override
    {
        return QStringLiteral("select count(*) from information_schema.columns where table_name = ? and column_name = ?");
    }
    QString tablesQuery() const override
    {
        return QStringLiteral("select table_name as name from information_schema.tables");
    }
    QString columnsQuery() const override
    {
        return QStringLiteral("select column_name as name, case when is_nullable = 'NO' and column_default is null"
                              " and columnproperty(object_id(table_name), column_name, 'IsIdentity') = 0"
                              " and columnproperty(object_id(table_name), column_name, 'IsComputed') = 0"
                              " then 1 else 0 end as required from information_schema.columns where table_name = ?");
    }
    // Each prepared statement runs in a scope of its own, so SCOPE_IDENTITY()
    // would read NULL; the session's last identity is the row just inserted.
    QString lastIdQuery(const QString&) const override { return QStringLiteral("select @@identity"); }
    // SCOPE_IDENTITY() in the insert's own batch: the row of this insert, never
    // that of a trigger (which @@identity would give, and which OUTPUT refuses
    // on a table with triggers).
    QString insertReturningId(const QString& table, const QStringList& columns) const override
    {
        return QStringLiteral("set nocount on; insert into %1 (%2) values (%3); select cast(scope_identity() as bigint) as id")
            .arg(table, columns.join(QStringLiteral(", ")), marks(columns.size()));
    }
    QString addColumn(const QString& table, const QString& column, const QString& type) const override
    {
        return QStringLiteral("alter table %1 add %2 %3").arg(table, column, type);
    }
    QString createIndex(const QString& name, const QString& table, const QString& column) const override
    {
        return QStringLiteral("if not exists (select 1 from sys.indexes where name = '%1') create index %1 on %2 (%3)")
            .arg(name, table, column);
    }
    QString dropIndex(const QString& name, const QString& table) const override
    {
        return QStringLiteral("if exists (select 1 from sys.indexes where name = '%1' and object_id = object_id('%2')) "
                              "drop index %1 on %2")
            .arg(name, table);
    }
    QString createUniqueIndex(const QString& name, const QString& table, const QString& column,
                              bool skipEmpty) const override
    {
        return uniqueIndex(QStringLiteral("if not exists (select 1 from sys.indexes where name = '%1')"
                                          " create unique index %1 on %2 (%3)"),
                           name, table, column, skipEmpty);
    }
    // The ODBC driver of Qt binds a QByteArray as SQL_LONGVARBINARY, which is
    // image in SQL Server's types (FreeTDS below TDS 7.2, Microsoft's
    // drivers); varbinary(max) + image is refused (error 402), so the bound
    // bytes are made varbinary(max) whatever the driver declared.
    QString appendBytes(const QString& column) const override
    {
        return QStringLiteral("%1 + cast(? as %2)").arg(column, type(ColumnType::Blob, 0));
    }
    QString byteLength(const QString& column) const override { return QStringLiteral("datalength(%1)").arg(column); }
    // None: snapshot isolation needs a database option an office's server
    // may not have. A stored file is only ever inserted whole, in one
    // transaction that a reader waits for, or deleted; a read cut short by a
    // delete is told by its length.
    QString readSnapshot() const override { return {}; }
    // An application lock owned by the transaction; one not granted in the
    // wait given is raised as error 50000 with the text below.
    QString tryLock(bool shared) const override
    {
        return QStringLiteral("set nocount on; declare @r int; exec @r = sp_getapplock @Resource = ?, @LockMode = '%1',"
                              " @LockOwner = 'Transaction', @LockTimeout = 0;"
                              " select case when @r >= 0 and ? >= 0 then 1 else 0 end")
            .arg(shared ? QStringLiteral("Shared") : QStringLiteral("Exclusive"));
    }
    QString waitLock(bool shared) const override
    {
        return QStringLiteral("declare @r int;"
                              " exec @r = sp_getapplock @Resource = ?, @LockMode = '%1',"
                              " @LockOwner = 'Transaction', @LockTimeout = ?;"
                              " if @r < 0 raiserror('tuvek lock not granted', 16, 1)")
            .arg(shared ? QStringLiteral("Shared") : QStringLiteral("Exclusive"));
    }
    // The server's own transaction, begun and ended by statements: the Qt
    // driver's transaction() only turns the ODBC autocommit off, after which
    // the server may open none until a statement that reads or writes a table
    // (so an application lock owned by the transaction would be refused). The
    // autocommit stays on, as the driver leaves it when transaction() is never
    // called, and the explicit transaction holds until its commit or rollback.
    // A rollback after the server itself ended the transaction (a deadlock's
    // victim) finds none and does nothing.
    QString beginTransaction() const override { return QStringLiteral("begin transaction"); }
    QString sessionWait() const override { return QStringLiteral("set lock_timeout %1"); }
    QString commitTransaction() const override { return QStringLiteral("commit transaction"); }
    QString rollbackTransaction() const override { return QStringLiteral("if @@trancount > 0 rollback transaction"); }
    // What the ODBC driver of Qt 6.4 gives: as the code, the native number of
    // the last diagnostic record only (no ODBC state); as the text, every
    // record's message with the ODBC driver's prefix, joined by spaces, then
    // the Qt driver's own words:
    //     code "3621", text "[FreeTDS][SQL Server]Violation of UNIQUE KEY
    //     constraint 'UQ_x'. Cannot insert duplicate key in object 'dbo.x'. The
    //     duplicate key value is (1). [FreeTDS][SQL Server]The statement has
    //     been terminated. QODBC: Unable to execute statement"
    // A refused change is followed by 3621, which then is all the code says:
    // the kind is read from the server's words (English, see prepare). Later
    // versions of the driver give every record's number, joined by ";".
    Failure classify(const QString& code, const QString& text) const override
    {
        struct Kind {
            Failure failure;
            QList<int> numbers;
            QList<const char*> words;
        };
        // In this order: the messages that quote a stored value (a duplicate
        // key, a value cut or too large) are told by their own words first,
        // whatever the value holds.
        static const Kind kinds[] = {
            {Failure::Duplicate, {2601, 2627}, {"Cannot insert duplicate key"}},
            {Failure::TooLong, {8152, 2628}, {"String or binary data would be truncated"}},
            {Failure::OutOfRange,
             {8115, 220, 232, 244, 248, 517},
             {"Arithmetic overflow error", "overflowed an", "caused an overflow"}},
            {Failure::NoPermission,
             {229, 230, 262, 297, 300},
             {"permission was denied", "permission denied in database", "does not have permission"}},
            // The lock's own refusal (error 50000 with waitLock's words), a lock
            // wait timed out, a deadlock.
            {Failure::Busy, {1205, 1222}, {"tuvek lock not granted", "Lock request time out period exceeded", "deadlocked on"}},
            // A file group or the log full; a page read back damaged.
            {Failure::DiskFull, {1105, 9002}, {"insufficient disk space"}},
            {Failure::Damaged, {823, 824}, {}},
            // FreeTDS's own numbers and words for a connection lost or refused;
            // 233 and 10054 where the server or Windows says it.
            {Failure::Connection,
             {20002, 20003, 20004, 20006, 20008, 20009, 20017, 233, 10054},
             {"Communication link failure", "Unable to connect", "Read from the server failed",
              "Write to the server failed", "Unexpected EOF from the server", "Adaptive Server connection"}},
        };
        QList<int> numbers;
        for (const QString& part : code.split(QRegularExpression(QStringLiteral("[^0-9]+")), Qt::SkipEmptyParts))
            numbers << part.toInt();
        for (const Kind& kind : kinds)
            for (int n : kind.numbers)
                if (numbers.contains(n))
                    return kind.failure;
        for (const Kind& kind : kinds)
            for (const char* words : kind.words)
                if (text.contains(QLatin1String(words), Qt::CaseInsensitive))
                    return kind.failure;
        return Failure::Other;
    }
    QString quoteName(const QString& name) const override
    {
        QString n = name;
        return QLatin1Char('[') + n.replace(QLatin1Char(']'), QLatin1String("]]")) + QLatin1Char(']');
    }
    bool nullsFirst() const override { return true; }
    QString orderNullsFirst(const QString& e, bool descending) const override { return ordered(e, descending); }
    QString exactValue(const QString& e) const override { return e; }
    QString firstRows(int rows) const override
    {
        return QStringLiteral(" offset 0 rows fetch next %1 rows only").arg(rows);
    }
};

} // namespace

std::unique_ptr<Dialect> Dialect::create(Backend backend)
{
    switch (backend) {
    case Backend::SQLite: return std::make_unique<SqliteDialect>();
    case Backend::PostgreSQL: return std::make_unique<PostgresDialect>();
    case Backend::SqlServer: return std::make_unique<SqlServerDialect>();
    }
    return nullptr;
}
