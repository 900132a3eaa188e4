#include "sql.h"

#include "platform/db/texts.h"
#include "platform/ui/msg.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>
#include <QtDebug>

#include <algorithm>

DbError::DbError(const QString& text, const QString& statement, Kind failure, const QString& nativeCode)
    : std::runtime_error(text.toStdString()), driverText(text), sql(statement), kind(failure), code(nativeCode)
{
}

namespace Sql {

namespace {

DbError error(Database& db, const QString& text, const QString& code, const QString& sql)
{
    DbError::Kind kind = db.dialect().classify(code, text);
    // A failure without the server's code is a lost connection only where
    // the connection is really gone (not a statement the driver refused).
    if (kind == DbError::Kind::Connection && code.isEmpty() && !db.connectionGone())
        kind = DbError::Kind::Other;
    DbError e(text, sql, kind, code);
    if (e.kind == DbError::Kind::Connection) {
        db.markLost();
        // Cut while the server was recording: what it does with what it was
        // sent is not known here.
        const auto writes = [&] {
            const QString verb = sql.trimmed().section(QLatin1Char(' '), 0, 0).toLower();
            return verb == QLatin1String("insert") || verb == QLatin1String("update") || verb == QLatin1String("delete");
        };
        e.outcomeUnknown = sql == QLatin1String("commit") || (!db.inTransaction() && writes());
    }
    return e;
}

// A failure inside a transaction fails the whole of it.
[[noreturn]] void fail(Database& db, const QSqlError& e, const QString& sql)
{
    db.doom();
    throw error(db, e.text(), e.nativeErrorCode(), sql);
}

[[noreturn]] void fail(Database& db, const QString& text, const QString& sql)
{
    db.doom();
    throw DbError(text, sql);
}

// The error of a statement that was already doomed by an earlier failure.
[[noreturn]] void failDoomed(Database& db, const QString& sql)
{
    DbError e(QStringLiteral("the transaction was rolled back by an earlier failure"), sql);
    e.reported = db.failureReported();
    throw e;
}

void checkRead(Database& db, const QSqlQuery& q, const QString& sql)
{
    if (q.lastError().isValid())
        fail(db, q.lastError(), sql);
}

// ---- The guard of writes ----

struct GuardState {
    Offence report;
    QSet<QString> keyless;
};
GuardState& guardState()
{
    static GuardState state;
    return state;
}
thread_local int t_unkeyed = 0;

// Whether a statement was written in the tests (a test setting out its rows):
// its file under tests/ of the source tree.
bool writtenInTests(const Where& where)
{
    QString file = QString::fromUtf8(where.file_name());
    const QString root = QStringLiteral(TUVEK_SOURCE_DIR "/");
    if (file.startsWith(root))
        file = file.mid(root.size());
    while (file.startsWith(QLatin1String("../")) || file.startsWith(QLatin1String("./")))
        file = file.mid(file.indexOf(QLatin1Char('/')) + 1);
    return file.startsWith(QLatin1String("tests/"));
}

void guardWrite(Database& db, const QString& sql, const Where& where)
{
    const Offence& report = guardState().report;
    if (!report || writtenInTests(where))
        return;
    const QString offence = unkeyedWrite(db, sql);
    if (offence.isEmpty())
        return;
    const QString line = QStringLiteral("unkeyed write: %1 (at %2:%3, %4)")
                             .arg(offence, QString::fromUtf8(where.file_name()))
                             .arg(where.line())
                             .arg(QString::fromUtf8(where.function_name()));
    report(line);
}

// A key taken after one that comes later in the one order: two commands
// may wait for each other in a circle.
void keyAgainstOrder(const LockKey& key, const QString& after, const Where& where)
{
    const QString line = QStringLiteral("key against the order: %1 taken after %2 (at %3:%4, %5)")
                             .arg(key.name, after, QString::fromUtf8(where.file_name()))
                             .arg(where.line())
                             .arg(QString::fromUtf8(where.function_name()));
    const Offence& report = guardState().report;
    if (report && !writtenInTests(where))
        report(line);
    else
        qWarning().noquote() << line << ": two commands may wait for each other";
}

} // namespace

void setWriteGuard(Offence report, const QStringList& keylessTables)
{
    guardState().report = std::move(report);
    guardState().keyless = QSet<QString>(keylessTables.begin(), keylessTables.end());
}

namespace {
// A definition (a trigger's body writes when the trigger fires, not now).
bool isDefinition(const QString& sql)
{
    static const QRegularExpression definition(QStringLiteral(R"(^\s*(?:create|alter|drop|do)\b)"),
                                               QRegularExpression::CaseInsensitiveOption);
    return definition.match(sql).hasMatch();
}
} // namespace

QStringList writtenTables(const QString& sql)
{
    // The statement's first words after any leading "with ... as (...)" part
    // is not looked into: the program writes no such statement.
    static const QRegularExpression write(
        QStringLiteral(R"(^\s*(?:insert\s+(?:or\s+\w+\s+)?into|replace\s+into|update(?:\s+only)?|)"
                       R"(delete\s+from|delete|merge\s+into|merge|truncate\s+table|truncate)\s+)"
                       R"(["\[`]?(?:\w+["\]`]?\.["\[`]?)?(\w+))"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList tables;
    if (isDefinition(sql))
        return tables;
    // Several statements in one text (SQL Server's inserts): each one.
    for (const QString& statement : sql.split(QLatin1Char(';'))) {
        const QRegularExpressionMatch m = write.match(statement);
        if (m.hasMatch() && !tables.contains(m.captured(1).toLower()))
            tables << m.captured(1).toLower();
    }
    return tables;
}

QString unkeyedWrite(Database& db, const QString& sql)
{
    if (t_unkeyed > 0)
        return {};
    for (const QString& table : writtenTables(sql))
        if (!guardState().keyless.contains(table) && !db.holdsTable(table))
            return QStringLiteral("table %1 written without its key (%2): %3")
                .arg(table,
                     db.inTransaction() ? QStringLiteral("keys held: ") + db.heldKeyNames().join(QStringLiteral(", "))
                                        : QStringLiteral("no transaction"),
                     sql.simplified());
    return {};
}

UnkeyedScope::UnkeyedScope(const char* why)
{
    Q_UNUSED(why);
    ++t_unkeyed;
}
UnkeyedScope::~UnkeyedScope() { --t_unkeyed; }

DbError failure(const QSqlError& e, const QString& sql)
{
    return error(Database::current(), e.text(), e.nativeErrorCode(), sql);
}

void checkRead(const QSqlQuery& q, Database& db) { checkRead(db, q, q.lastQuery()); }

bool next(QSqlQuery& q, Database& db)
{
    const Database::Awaiting answer(db);
    return q.next();
}

QSqlQuery exec(Database& db, const QString& sql, const QVariantList& values, Where where)
{
    guardWrite(db, sql, where);
    // A command after a lost connection opens it again before it runs.
    QString reopenError;
    if (!db.reopenIfLost(&reopenError))
        throw DbError(reopenError, sql, DbError::Kind::Connection);
    if (!db.isOpen()) {
        db.markLost(); // opened again at the next command
        throw DbError(QStringLiteral("the database is not connected"), sql, DbError::Kind::Connection);
    }
    if (db.doomed())
        failDoomed(db, sql);
    // Outside a transaction a statement waits for a row another holds as
    // long as a command waits for its keys, no longer.
    if (!db.inTransaction())
        db.boundWaits(Database::LockWaitMs);
    // A definition (an index built over a large table) takes the time it needs.
    const Database::Patience patience(db, isDefinition(sql));
    const Database::Awaiting answer(db);
    QSqlQuery q(db.handle());
    q.setForwardOnly(true);
    // A statement without values runs as it stands: PostgreSQL prepares only
    // queries and data changes, not CREATE, ALTER and the like.
    if (values.isEmpty()) {
        if (!q.exec(sql))
            fail(db, q.lastError(), sql);
        return q;
    }
    if (!q.prepare(sql))
        fail(db, q.lastError(), sql);
    for (const QVariant& v : values) {
        // Text is never NULL by accident: a null QString binds as empty text,
        // as the office's data has it ("unread" is an empty show_dat, not NULL).
        // NULL is bound only for an invalid QVariant().
        if (v.typeId() == QMetaType::QString && v.toString().isNull())
            q.addBindValue(QStringLiteral(""));
        else if (v.typeId() == QMetaType::Bool) // yes/no flags are 0/1 on every backend
            q.addBindValue(v.toBool() ? 1 : 0);
        else
            q.addBindValue(v);
    }
    if (!q.exec())
        fail(db, q.lastError(), sql);
    return q;
}

QSqlQuery exec(const QString& sql, const QVariantList& values, Where where)
{
    return exec(Database::current(), sql, values, where);
}

QVariant scalar(const QString& sql, const QVariantList& values)
{
    QSqlQuery q = exec(sql, values);
    const Database::Awaiting answer(Database::current());
    if (q.next())
        return q.value(0);
    checkRead(Database::current(), q, sql);
    return QVariant();
}

QStringList columnNames(const QSqlRecord& record)
{
    QStringList names;
    for (int i = 0; i < record.count(); ++i) {
        // A name found in both tables of a join: the second one is name_1.
        QString name = record.fieldName(i);
        for (int n = 1; names.contains(name); ++n)
            name = record.fieldName(i) + QStringLiteral("_%1").arg(n);
        names << name;
    }
    return names;
}

QList<QVariantMap> rows(const QString& sql, const QVariantList& values)
{
    QSqlQuery q = exec(sql, values);
    QList<QVariantMap> out;
    const QStringList names = columnNames(q.record());
    while (next(q)) {
        QVariantMap m;
        for (int i = 0; i < names.size(); ++i)
            m.insert(names.at(i), q.value(i));
        out << m;
    }
    checkRead(Database::current(), q, sql);
    return out;
}

QVariantMap row(const QString& sql, const QVariantList& values)
{
    const QList<QVariantMap> all = rows(sql, values);
    return all.isEmpty() ? QVariantMap() : all.first();
}

bool exists(const QString& sql, const QVariantList& values)
{
    QSqlQuery q = exec(sql, values);
    const Database::Awaiting answer(Database::current());
    if (q.next())
        return true;
    checkRead(Database::current(), q, sql);
    return false;
}

bool tableExists(const QString& table)
{
    return scalar(Database::current().dialect().tableExistsQuery(), {table}).toInt() > 0;
}

bool columnExists(const QString& table, const QString& column)
{
    return scalar(Database::current().dialect().columnExistsQuery(), {table, column}).toInt() > 0;
}

QString placeholders(qsizetype n)
{
    return QStringList(n, QStringLiteral("?")).join(QStringLiteral(", "));
}

qint64 insert(Database& db, const QString& table, const Row& values, Where where)
{
    QStringList columns;
    QVariantList bound;
    for (const auto& [column, value] : values) {
        columns << column;
        bound << value;
    }
    const bool hasId = db.hasIdColumn(table);
    // The new id comes from the insert itself where the backend can say it.
    const QString returning = hasId ? db.dialect().insertReturningId(table, columns) : QString();
    QString sql = returning;
    QSqlQuery q;
    if (!returning.isEmpty()) {
        q = exec(db, returning, bound, where);
    } else {
        exec(db, QStringLiteral("insert into %1 (%2) values (%3)")
                     .arg(table, columns.join(QStringLiteral(", ")), placeholders(bound.size())),
             bound, where);
        if (!hasId)
            return 0;
        sql = db.dialect().lastIdQuery(table);
        q = exec(db, sql);
    }
    const Database::Awaiting answer(db);
    if (!q.next()) {
        checkRead(db, q, sql);
        fail(db, QStringLiteral("the id of the new row could not be read"), sql);
    }
    return q.value(0).toLongLong();
}

qint64 insert(const QString& table, const Row& values, Where where)
{
    return insert(Database::current(), table, values, where);
}

int update(const QString& table, const Row& values, const QString& condition, const QVariantList& conditionValues,
           Where where)
{
    QStringList sets;
    QVariantList bound;
    for (const auto& [column, value] : values) {
        sets << column + QStringLiteral(" = ?");
        bound << value;
    }
    bound << conditionValues;
    QString sql = QStringLiteral("update %1 set %2").arg(table, sets.join(QStringLiteral(", ")));
    if (!condition.isEmpty())
        sql += QStringLiteral(" where ") + condition;
    return exec(sql, bound, where).numRowsAffected();
}

void transaction(const std::function<void()>& body)
{
    Database& db = Database::current();
    if (!db.beginTransaction())
        throw error(db, db.lastError(), db.lastErrorCode(), QStringLiteral("begin"));
    try {
        body();
    } catch (...) {
        db.rollbackTransaction();
        throw;
    }
    const bool doomed = db.doomed();
    const bool reported = db.failureReported();
    if (!db.commitTransaction()) {
        DbError e = doomed ? DbError(QStringLiteral("the transaction was rolled back by an earlier failure"),
                                     QStringLiteral("commit"))
                           : error(db, db.lastError(), db.lastErrorCode(), QStringLiteral("commit"));
        e.reported = doomed && reported;
        throw e;
    }
}

void exclusive(const QList<LockKey>& keys, const std::function<void()>& body, Where where)
{
    // The strongest mode asked of each key, in the one order of keys.
    QList<LockKey> ordered;
    for (const LockKey& key : keys) {
        auto same = std::find_if(ordered.begin(), ordered.end(), [&](const LockKey& k) { return k.name == key.name; });
        if (same == ordered.end())
            ordered << key;
        else
            same->shared = same->shared && key.shared;
    }
    std::sort(ordered.begin(), ordered.end());
    transaction([&] {
        Database& db = Database::current();
        bool waited = false;
        for (const LockKey& key : ordered) {
            if (db.holdsKey(key.name, key.shared))
                continue;
            if (QPair<int, QString>(key.order, key.name) < db.lastKey())
                keyAgainstOrder(key, db.lastKey().second, where);
            const QString tryLock = db.dialect().tryLock(key.shared);
            if (!tryLock.isEmpty()) {
                const QVariantList values{key.name, QString::number(qMax(1, db.lockWaitLeft()))};
                QSqlQuery had = exec(db, tryLock, values);
                if (!had.next() || !had.value(0).toBool()) {
                    // Held elsewhere: wait for it, within what the command has left.
                    had.finish();
                    db.waitNotice(true);
                    try {
                        exec(db, db.dialect().waitLock(key.shared),
                             {key.name, QString::number(qMax(1, db.lockWaitLeft()))});
                    } catch (...) {
                        db.waitNotice(false);
                        throw;
                    }
                    db.waitNotice(false);
                    waited = true;
                }
            }
            db.keyHeld(key.name, key.order, key.shared, key.tables);
        }
        // The waits for rows in body get what the keys left of the bound.
        if (waited)
            db.boundTransactionWaits();
        body();
    });
}

QDate serverDate()
{
    const QString text = scalar(Database::current().dialect().currentDateQuery()).toString();
    const QDate d = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        throw DbError(QStringLiteral("the server's date could not be read: ") + text,
                      Database::current().dialect().currentDateQuery());
    return d;
}

} // namespace Sql

namespace Db {

const QString FailedText =
    QStringLiteral("خطا در ارتباط با بانک اطلاعاتي؛ عمليات انجام نشد و هيچ تغييري ثبت نگرديد");

QString errorMessage(const DbError& error)
{
    if (!error.told.isEmpty())
        return error.told;
    using K = DbError::Kind;
    switch (error.kind) {
    case K::TooLong: return DbText::TooLong;
    case K::OutOfRange: return DbText::OutOfRange;
    case K::Duplicate: return DbText::Duplicate;
    case K::NoPermission: return DbText::NoPermission;
    case K::Busy: return DbText::Busy;
    case K::Connection: return error.outcomeUnknown ? DbText::OutcomeUnknown : FailedText;
    case K::DiskFull: return DbText::DiskFull;
    case K::Damaged: {
        const Database& db = Database::current();
        return db.backend() == Backend::SQLite ? DbText::damagedFile(db.options().database) : DbText::Damaged;
    }
    case K::Other: break;
    }
    return DbText::Refused;
}

bool guard(const std::function<void()>& body)
{
    Database& db = Database::current();
    const int depth = db.transactionDepth();
    try {
        body();
        return true;
    } catch (const DbError& e) {
        // What body opened and left open is undone; a transaction that was
        // open before is only doomed, and rolls back at its own end.
        while (db.transactionDepth() > depth)
            db.rollbackTransaction();
        const bool shown = e.reported;
        if (depth > 0)
            db.doom(true);
        if (!shown) {
            qWarning().noquote() << "database error:" << e.driverText << "in" << e.sql;
            Msg::error(errorMessage(e));
        }
        return false;
    }
}

} // namespace Db
