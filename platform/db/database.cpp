#include "database.h"

#include "platform/db/answer_watch.h"
#include "platform/db/sql.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// A PostgreSQL connection: a server that cannot be reached is given up
// after 10 s; a network that went dead is noticed by the connection itself,
// idle (keep-alives: after 30 s of silence, three probes 10 s apart) or
// sending (what is sent unacknowledged for 30 s). A server that is reached but
// does not answer, from the end of the handshake on, is the watch's
// (answer_watch.h): a sign-in to a server that stops answering ends at most
// 21 s after its handshake, which is given up after 10 s (for each address
// of the server's name).
QString postgresConnectOptions()
{
    return QStringLiteral("connect_timeout=10;keepalives=1;keepalives_idle=30;keepalives_interval=10;"
                          "keepalives_count=3;tcp_user_timeout=30000");
}

// What a PostgreSQL connection that the watch cut or cancelled in its set-up
// says (in the words libpq uses for a server that cannot be reached).
const char* const NoAnswerAtOpen = "the server did not answer while the connection was set up (timed out)";

// ODBC values in braces can hold ";", "=" and spaces; a "}" inside is doubled.
QString braced(const QString& value)
{
    QString v = value;
    return QLatin1Char('{') + v.replace(QLatin1Char('}'), QLatin1String("}}")) + QLatin1Char('}');
}

} // namespace

QString sqlServerConnectionString(const ConnectionOptions& o)
{
    QString host = o.host;
    int port = o.port;
    // "host,port" as SQL Server writes it.
    const int comma = int(host.lastIndexOf(QLatin1Char(',')));
    if (comma > 0) {
        bool ok = false;
        const int p = host.mid(comma + 1).trimmed().toInt(&ok);
        if (ok) {
            port = p;
            host = host.left(comma).trimmed();
        }
    }
    QStringList parts;
    parts << QStringLiteral("DRIVER=") + braced(o.odbcDriver.isEmpty() ? QStringLiteral("FreeTDS") : o.odbcDriver);
    parts << QStringLiteral("SERVER=") + braced(host);
    if (port > 0)
        parts << QStringLiteral("PORT=%1").arg(port);
    parts << QStringLiteral("DATABASE=") + braced(o.database);
    if (o.integrated) {
        parts << QStringLiteral("Trusted_Connection=Yes");
    } else {
        parts << QStringLiteral("UID=") + braced(o.user);
        parts << QStringLiteral("PWD=") + braced(o.password);
    }
    // Unicode text both ways, whatever the server's code page.
    parts << QStringLiteral("TDS_Version=7.4") << QStringLiteral("ClientCharset=UTF-8");
    return parts.join(QLatin1Char(';')) + QLatin1Char(';');
}

namespace {
thread_local Database* t_current = nullptr;
} // namespace

Database& Database::current()
{
    if (t_current)
        return *t_current;
    // Kept until the process ends: the connection outlives every window.
    static Database* db = new Database(QStringLiteral("tuvek"));
    return *db;
}

void Database::setCurrentForThisThread(Database* db)
{
    t_current = db;
}

Database::Database(const QString& connectionName) : m_name(connectionName) {}

Database::~Database() { close(); }

Dialect& Database::dialectFor(Backend backend)
{
    std::unique_ptr<Dialect>& d = m_dialects.at(size_t(backend));
    if (!d)
        d = Dialect::create(backend);
    return *d;
}

bool Database::open(const ConnectionOptions& options, QString* error)
{
    closeConnection();
    m_options = options;
    Dialect& dialect = dialectFor(options.backend);
    QSqlDatabase db = QSqlDatabase::addDatabase(dialect.driver(), m_name);
    switch (options.backend) {
    case Backend::SQLite:
        if (!options.database.isEmpty())
            QDir().mkpath(QFileInfo(options.database).absolutePath());
        db.setDatabaseName(options.database);
        break;
    case Backend::PostgreSQL:
        if (!options.host.isEmpty())
            db.setHostName(options.host);
        if (options.port > 0)
            db.setPort(options.port);
        db.setDatabaseName(options.database);
        db.setUserName(options.user);
        if (!options.integrated)
            db.setPassword(options.password);
        db.setConnectOptions(postgresConnectOptions());
        break;
    case Backend::SqlServer:
        db.setDatabaseName(sqlServerConnectionString(options));
        db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=10"));
        break;
    }
    // On PostgreSQL, from the end of the handshake (which connect_timeout
    // bounds), the driver's first statements and the dialect's set-up are one
    // wait for the server's answers, which the watch bounds as any statement's.
    AnswerWatch::Opening opening(LockWaitMs);
    if (!db.open()) {
        const bool stopped = opening.stopped();
        if (error)
            *error = stopped ? QString::fromLatin1(NoAnswerAtOpen) : db.lastError().text();
        // The driver's code of the failure, where it gives one (lastErrorCode).
        m_errorCode = stopped ? QString() : db.lastError().nativeErrorCode();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        return false;
    }
    m_watched = opening.opened(db.driver()->handle());
    if (!opening.stopped())
        dialect.prepare(db);
    if (opening.stopped()) {
        if (error)
            *error = QString::fromLatin1(NoAnswerAtOpen);
        m_errorCode.clear();
        db = QSqlDatabase();
        closeConnection();
        return false;
    }
    opening.done();
    m_lost = false;
    m_wanted = true;
    m_sessionWait = -1;
    return true;
}

void Database::close()
{
    closeConnection();
    m_wanted = false;
    m_lost = false;
}

void Database::closeConnection()
{
    transactionEnded();
    m_hasId.clear();
    m_depth = 0;
    m_doomed = false;
    m_reported = false;
    if (m_watched) {
        AnswerWatch::forget(m_watched.get());
        m_watched.reset();
    }
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

bool Database::isOpen() const
{
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase Database::handle() const { return QSqlDatabase::database(m_name, false); }

const Dialect& Database::dialect() const { return const_cast<Database*>(this)->dialectFor(m_options.backend); }

int Database::LockWaitMs = 20000;

int Database::lockWaitLeft()
{
    if (!m_lockClock) {
        m_lockClock = true;
        m_lockDeadline.setRemainingTime(LockWaitMs);
    }
    return int(qMax<qint64>(0, m_lockDeadline.remainingTime()));
}

bool Database::holdsKey(const QString& key, bool shared) const
{
    const auto it = m_heldKeys.constFind(key);
    return it != m_heldKeys.constEnd() && (shared || !it.value());
}

void Database::keyHeld(const QString& key, int order, bool shared, const QStringList& tables)
{
    if (!holdsKey(key, shared))
        m_heldKeys.insert(key, shared);
    for (const QString& table : tables)
        m_heldTables.insert(table);
    m_lastKey = qMax(m_lastKey, QPair<int, QString>(order, key));
}

void Database::transactionEnded()
{
    m_heldKeys.clear();
    m_heldTables.clear();
    m_lastKey = {};
    m_lockClock = false;
}

void Database::markLost()
{
    if (m_wanted)
        m_lost = true;
}

bool Database::connectionGone() const { return !isOpen(); }

Database::Patience::Patience(Database& db, bool patient)
    : m_watched(patient ? db.m_watched : nullptr)
{
    if (m_watched)
        ++m_watched->patience;
}

Database::Patience::~Patience()
{
    if (m_watched)
        --m_watched->patience;
}

Database::Awaiting::Awaiting(Database& db)
{
    AnswerWatched* w = db.m_watched.get();
    qint64 idle = 0;
    if (w && w->since.compare_exchange_strong(idle, AnswerWatch::now()))
        m_watched = db.m_watched;
}

Database::Awaiting::~Awaiting()
{
    if (m_watched)
        m_watched->since = 0;
}

void Database::boundWaits(int ms)
{
    if (m_watched)
        m_watched->limitMs = LockWaitMs;
    const QString sql = dialect().sessionWait();
    if (ms == m_sessionWait || sql.isEmpty() || !isOpen())
        return;
    const Awaiting answer(*this);
    QSqlQuery q(handle());
    q.setForwardOnly(true);
    if (q.exec(sql.arg(ms)))
        m_sessionWait = ms;
}

void Database::boundTransactionWaits()
{
    const int left = qMax(1, lockWaitLeft());
    const QString sql = dialect().transactionWait();
    if (sql.isEmpty()) {
        // The session's bound, set back at the next statement outside.
        boundWaits(left);
        return;
    }
    const Awaiting answer(*this);
    QSqlQuery q(handle());
    q.setForwardOnly(true);
    q.prepare(sql);
    q.addBindValue(QString::number(left));
    q.exec();
}

bool Database::reopenIfLost(QString* error)
{
    if (!m_lost || m_depth > 0)
        return true;
    const ConnectionOptions options = m_options;
    auto notice = std::move(m_waitNotice);
    const bool opened = open(options, error);
    m_waitNotice = std::move(notice);
    if (opened)
        m_lost = false;
    return opened;
}

bool Database::beginWaiting(const QString& begin)
{
    QSqlDatabase db = handle();
    QSqlQuery q(db);
    // Forward only: sent as it stands. A scrollable statement goes to SQL
    // Server inside a server cursor's procedure call (FreeTDS), at whose end a
    // changed transaction count is refused.
    q.setForwardOnly(true);
    const QString wait = dialect().waitTime();
    const auto setWait = [&](int ms) {
        if (!wait.isEmpty())
            q.exec(wait.arg(ms));
    };
    // At once where the file is free; otherwise the user sees that it waits.
    setWait(0);
    bool begun = q.exec(begin);
    if (!begun && !wait.isEmpty() &&
        dialect().classify(q.lastError().nativeErrorCode(), q.lastError().text()) == Dialect::Failure::Busy) {
        try {
            waitNotice(true); // may stop the command (an error caught beneath it)
        } catch (...) {
            setWait(LockWaitMs); // the session's bound as it is known to be
            throw;
        }
        setWait(LockWaitMs);
        begun = q.exec(begin);
        waitNotice(false);
    }
    if (!begun) {
        m_error = q.lastError().text();
        m_errorCode = q.lastError().nativeErrorCode();
    }
    setWait(LockWaitMs);
    m_sessionWait = wait.isEmpty() ? m_sessionWait : LockWaitMs;
    return begun;
}

bool Database::beginTransaction()
{
    if (m_depth == 0) {
        QString reopenError;
        if (!reopenIfLost(&reopenError)) {
            m_error = reopenError;
            m_errorCode.clear();
            return false;
        }
        boundWaits(LockWaitMs);
        QSqlDatabase db = handle();
        const QString begin = dialect().beginTransaction();
        transactionEnded();
        const Awaiting answer(*this);
        if (begin.isEmpty()) {
            if (!db.transaction()) {
                m_error = db.lastError().text();
                m_errorCode = db.lastError().nativeErrorCode();
                return false;
            }
        } else if (!beginWaiting(begin)) {
            return false;
        }
        m_doomed = false;
        m_reported = false;
    }
    ++m_depth;
    return true;
}

void Database::doom(bool reported)
{
    if (m_depth == 0)
        return;
    m_doomed = true;
    m_reported = m_reported || reported;
}

bool Database::commitTransaction()
{
    if (m_depth == 0)
        return false;
    if (m_depth > 1) {
        --m_depth;
        return !m_doomed;
    }
    if (m_doomed) {
        rollbackTransaction();
        return false;
    }
    QSqlDatabase db = handle();
    const QString commit = dialect().commitTransaction();
    QSqlError refusal;
    const Awaiting answer(*this);
    if (commit.isEmpty()) {
        if (db.commit()) {
            m_depth = 0;
            transactionEnded();
            return true;
        }
        refusal = db.lastError();
    } else {
        QSqlQuery q(db);
        q.setForwardOnly(true); // as the begin
        if (q.exec(commit)) {
            m_depth = 0;
            transactionEnded();
            return true;
        }
        refusal = q.lastError();
    }
    // The driver may still hold the transaction (SQLite keeps it open when the
    // commit is refused): roll it back so that the connection starts afresh.
    m_error = refusal.text();
    m_errorCode = refusal.nativeErrorCode();
    if (m_error.isEmpty())
        m_error = QStringLiteral("the transaction could not be committed");
    m_depth = 1;
    rollbackTransaction();
    return false;
}

void Database::rollbackTransaction()
{
    if (m_depth == 0)
        return;
    if (--m_depth > 0) {
        m_doomed = true;
        return;
    }
    transactionEnded();
    if (!isOpen()) // cut: the server ends the transaction with the connection
        return;
    const Awaiting answer(*this);
    const QString rollback = dialect().rollbackTransaction();
    if (rollback.isEmpty()) {
        handle().rollback();
        return;
    }
    QSqlQuery q(handle());
    q.setForwardOnly(true); // as the begin
    q.exec(rollback);
}

bool Database::hasIdColumn(const QString& table)
{
    const QString key = table.toLower();
    auto it = m_hasId.constFind(key);
    if (it != m_hasId.constEnd())
        return it.value();
    const QString sql = dialect().columnExistsQuery();
    const Awaiting answer(*this);
    QSqlQuery q(handle());
    if (!q.prepare(sql))
        throw Sql::failure(q.lastError(), sql);
    q.addBindValue(table);
    q.addBindValue(QStringLiteral("id"));
    if (!q.exec() || !q.next())
        throw q.lastError().isValid() ? Sql::failure(q.lastError(), sql) : DbError(QStringLiteral("no answer"), sql);
    const bool has = q.value(0).toInt() > 0;
    m_hasId.insert(key, has);
    return has;
}
