// The statement helper on a real database: bound values, ids, transactions,
// the one error message, and what the dialect does on the server.

#include "core/lock_keys.h"
#include "platform/db/money.h"
#include "platform/db/sql.h"
#include "platform/db/texts.h"
#include "tests/support/msg_recorder.h"
#include "tests/support/restore.h"
#include "tests/support/second_workstation.h"
#include "tests/support/test_db.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QtTest>
#include <arpa/inet.h>
#include <atomic>
#include <csignal>
#include <list>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <utility>

// A PostgreSQL server of the test's own, in a folder of its own, that the
// test may restart without touching the server of the other tests.
class OwnServer {
public:
    ~OwnServer() { run({QStringLiteral("pg_ctl"), QStringLiteral("-D"), data(), QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("stop")}); }
    bool start()
    {
        if (!m_dir.isValid())
            return false;
        QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                                QFileDevice::ReadOther | QFileDevice::ExeOther);
        if (::geteuid() == 0 && QProcess::execute(QStringLiteral("chown"), {QStringLiteral("postgres"), m_dir.path()}) != 0)
            return false;
        QTcpServer probe; // a free port
        if (!probe.listen(QHostAddress::LocalHost))
            return false;
        m_port = probe.serverPort();
        probe.close();
        return run({QStringLiteral("initdb"), QStringLiteral("-D"), data(), QStringLiteral("-U"), QStringLiteral("postgres"),
                    QStringLiteral("-A"), QStringLiteral("trust"), QStringLiteral("-E"), QStringLiteral("UTF8")}) &&
               restart();
    }
    bool restart()
    {
        const QString options = QStringLiteral("-c listen_addresses=127.0.0.1 -p %1 -k %2 -c fsync=off").arg(m_port).arg(m_dir.path());
        return run({QStringLiteral("pg_ctl"), QStringLiteral("-D"), data(), QStringLiteral("-l"), m_dir.filePath(QStringLiteral("log")),
                    QStringLiteral("-w"), QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-o"), options,
                    QFile::exists(m_dir.filePath(QStringLiteral("data/postmaster.pid"))) ? QStringLiteral("restart")
                                                                                         : QStringLiteral("start")});
    }
    ConnectionOptions options() const
    {
        ConnectionOptions o;
        o.backend = Backend::PostgreSQL;
        o.host = QStringLiteral("127.0.0.1");
        o.port = m_port;
        o.user = QStringLiteral("postgres");
        o.database = QStringLiteral("postgres");
        return o;
    }
    QString folder() const { return m_dir.path(); }
    QString log() const { return m_output; }

private:
    QTemporaryDir m_dir;
    int m_port = 0;
    QString m_output;
    QString data() const { return m_dir.filePath(QStringLiteral("data")); }
    // As the server's own user when the test runs as root.
    bool run(QStringList command)
    {
        if (::geteuid() == 0)
            command = QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} + command;
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(::geteuid() == 0 ? QStringLiteral("runuser") : command.takeFirst(), command);
        const bool ok = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        m_output += QString::fromLocal8Bit(p.readAll());
        return ok;
    }
};

// A server that falls silent right after the handshake: a proxy on loopback
// that forwards a connection made while silent is set to the server until
// the server's first "ready for query", then nothing either way, its sockets
// kept open for 6 s; other connections it forwards whole.
class SilentServer {
public:
    std::atomic<bool> silent{false};
    explicit SilentServer(const ConnectionOptions& server) : m_options(server), m_serverPort(server.port)
    {
        sockaddr_in a = loopback(0);
        socklen_t size = sizeof a;
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&a), size), ::listen(m_listen, 8);
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&a), &size);
        m_options.port = ntohs(a.sin_port);
        m_thread = std::thread([this] { run(); });
    }
    ~SilentServer() { m_end = true, m_thread.join(), ::close(m_listen); }
    const ConnectionOptions& options() const { return m_options; }

private:
    struct Pair {
        int ends[2];
        bool silent, ready = false;
        QElapsedTimer quiet;
        QByteArray seen;
    };
    ConnectionOptions m_options;
    int m_serverPort;
    int m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::atomic<bool> m_end{false};
    std::thread m_thread;
    static sockaddr_in loopback(int port) { return {AF_INET, htons(quint16(port)), {htonl(INADDR_LOOPBACK)}, {}}; }
    void run()
    {
        std::list<Pair> pairs;
        while (!m_end) {
            std::vector<pollfd> fds{{m_listen, POLLIN, 0}};
            for (const Pair& p : pairs)
                fds.push_back({p.ends[0], POLLIN, 0}), fds.push_back({p.ends[1], POLLIN, 0});
            ::poll(fds.data(), fds.size(), 50);
            if (fds[0].revents & POLLIN) {
                Pair& p = pairs.emplace_back(Pair{{::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC),
                                                   ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)}, silent});
                const sockaddr_in server = loopback(m_serverPort);
                ::connect(p.ends[1], reinterpret_cast<const sockaddr*>(&server), sizeof server);
            }
            size_t at = 1;
            for (auto p = pairs.begin(); p != pairs.end(); at += 2) {
                bool ended = p->quiet.isValid() && p->quiet.hasExpired(6000);
                for (int from = 0; from < 2 && at + from < fds.size(); ++from) {
                    char buffer[16384];
                    const ssize_t got = fds[at + from].revents ? ::read(p->ends[from], buffer, sizeof buffer) : -1;
                    ended = ended || got == 0;
                    if (got <= 0 || p->quiet.isValid())
                        continue;
                    QByteArray bytes(buffer, got);
                    if (from == 1 && !p->ready) {
                        p->seen += bytes;
                        const qsizetype z = p->seen.indexOf(QByteArray("Z\0\0\0\5", 5));
                        p->ready = z >= 0;
                        if (p->ready && p->silent)
                            bytes.truncate(z + 6 - (p->seen.size() - bytes.size())), p->quiet.start();
                    }
                    (void)!::write(p->ends[1 - from], bytes.constData(), size_t(bytes.size()));
                }
                if (ended)
                    ::close(p->ends[0]), ::close(p->ends[1]), p = pairs.erase(p);
                else
                    ++p;
            }
        }
        for (const Pair& p : pairs)
            ::close(p.ends[0]), ::close(p.ends[1]);
    }
};

class TestSql : public QObject {
    Q_OBJECT
    TestDb m_db;

    static QStringList names()
    {
        QStringList out;
        for (const QVariantMap& r : Sql::rows(QStringLiteral("select name from item order by name")))
            out << r.value("name").toString();
        return out;
    }

private slots:
    void init()
    {
        TUVEK_OPEN_TEST_DB(m_db, TestDb::Empty);
        const Dialect& d = Database::current().dialect();
        Sql::exec(QStringLiteral("create table item (%1, name %2, note %3, amount %4, pic %5)")
                      .arg(d.identityKey(true), d.type(ColumnType::Text, 50), d.type(ColumnType::Text, 150),
                           d.type(ColumnType::Money), d.type(ColumnType::Blob)));
        Sql::exec(QStringLiteral("create table tag (item_id %1, name %2)")
                      .arg(d.type(ColumnType::BigInt), d.type(ColumnType::Text, 50)));
    }
    void cleanup() { m_db.reset(); }

    void valuesAreBoundNeverSpliced()
    {
        const QString hostile = QStringLiteral("x'); delete from item; --");
        const QString persian = QStringLiteral("علي ي ی ك ک \"quoted\" 50%");
        QByteArray bytes;
        for (int i = 0; i < 256; ++i)
            bytes.append(char(i));
        const qint64 id = Sql::insert(QStringLiteral("item"),
                                      {{"name", hostile}, {"note", persian}, {"amount", 1234567}, {"pic", bytes}});
        const QVariantMap r = Sql::row(QStringLiteral("select * from item where id = ?"), {id});
        QCOMPARE(r.value("name").toString(), hostile);
        QCOMPARE(r.value("note").toString(), persian);
        QCOMPARE(r.value("amount").toLongLong(), 1234567);
        QCOMPARE(r.value("pic").toByteArray(), bytes);
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from item where name = ?"), {hostile}).toInt(), 1);
        // NULL and empty text stay apart.
        Sql::update(QStringLiteral("item"), {{"note", QVariant()}}, QStringLiteral("id = ?"), {id});
        QVERIFY(Sql::exists(QStringLiteral("select id from item where note is null")));
        Sql::update(QStringLiteral("item"), {{"note", QStringLiteral("")}}, QStringLiteral("id = ?"), {id});
        QVERIFY(Sql::exists(QStringLiteral("select id from item where note = ?"), {QStringLiteral("")}));
    }

    void idsAreNeverReused()
    {
        const qint64 a = Sql::insert(QStringLiteral("item"), {{"name", "a"}});
        const qint64 b = Sql::insert(QStringLiteral("item"), {{"name", "b"}});
        QVERIFY(a > 0);
        QCOMPARE(b, a + 1);
        Sql::exec(QStringLiteral("delete from item where id = ?"), {b});
        const qint64 c = Sql::insert(QStringLiteral("item"), {{"name", "c"}});
        QVERIFY(c > b);
        // A table without an id gives 0.
        QCOMPARE(Sql::insert(QStringLiteral("tag"), {{"item_id", c}, {"name", "t"}}), qint64(0));
    }

    void joinedColumnsOfTheSameNameGetASuffix()
    {
        const qint64 id = Sql::insert(QStringLiteral("item"), {{"name", "pen"}});
        Sql::insert(QStringLiteral("tag"), {{"item_id", id}, {"name", "blue"}});
        const QVariantMap r = Sql::row(
            QStringLiteral("select * from item left join tag on tag.item_id = item.id where item.id = ?"), {id});
        QCOMPARE(r.value("name").toString(), QStringLiteral("pen"));
        QCOMPARE(r.value("name_1").toString(), QStringLiteral("blue"));
    }

    void transactionIsAllOrNothing()
    {
        QVERIFY_THROWS_EXCEPTION(DbError, Sql::transaction([] {
            Sql::insert(QStringLiteral("item"), {{"name", "first"}});
            Sql::transaction([] { Sql::insert(QStringLiteral("item"), {{"name", "nested"}}); });
            Sql::exec(QStringLiteral("insert into no_such_table values (1)"));
        }));
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from item")).toInt(), 0);

        Sql::transaction([] {
            Sql::insert(QStringLiteral("item"), {{"name", "one"}});
            Sql::insert(QStringLiteral("item"), {{"name", "two"}});
        });
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from item")).toInt(), 2);
    }

    void guardShowsOneMessageAndKeepsNothing()
    {
        MsgRecorder msgs;
        const bool ok = Db::guard([] {
            Sql::transaction([] {
                Sql::insert(QStringLiteral("item"), {{"name", "half"}});
                Sql::exec(QStringLiteral("update item set nothing = 1"));
            });
        });
        QVERIFY(!ok);
        QCOMPARE(msgs.texts(), QStringList{DbText::Refused});
        QCOMPARE(msgs.requests.first().icon, Msg::Icon::Error);
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from item")).toInt(), 0);
        // The connection is usable afterwards.
        QVERIFY(Db::guard([] { Sql::insert(QStringLiteral("item"), {{"name", "after"}}); }));
        QCOMPARE(msgs.texts().size(), 1);
    }

    // A commit that the database refuses (a deferred foreign key checked only
    // at the commit) is rolled back, and the connection goes on working.
    void aRefusedCommitLeavesTheConnectionUsable()
    {
        const Dialect& d = Database::current().dialect();
        Sql::exec(QStringLiteral("create table parent (id %1 primary key)").arg(d.type(ColumnType::Int)));
        Sql::exec(QStringLiteral("create table child (parent_id %1 references parent (id) deferrable initially deferred)")
                      .arg(d.type(ColumnType::Int)));
        if (d.backend() == Backend::SQLite)
            Sql::exec(QStringLiteral("pragma foreign_keys = on"));
        QVERIFY_THROWS_EXCEPTION(DbError, Sql::transaction([] {
            Sql::insert(QStringLiteral("item"), {{"name", "lost"}});
            Sql::insert(QStringLiteral("child"), {{"parent_id", 42}});
        }));
        QVERIFY(!Database::current().inTransaction());
        Sql::transaction([] { Sql::insert(QStringLiteral("item"), {{"name", "kept"}}); });
        Sql::insert(QStringLiteral("item"), {{"name", "single"}});
        // Still there once the database is opened again.
        Database::current().close();
        QVERIFY(Database::current().open(m_db.options()));
        QCOMPARE(names(), (QStringList{"kept", "single"}));
    }

    // Once a part of a transaction failed, nothing of it is kept, whoever
    // caught the error: the caller's own try, a nested transaction, Db::guard.
    void aFailureInsideFailsTheWholeTransaction()
    {
        Sql::exec(QStringLiteral("create unique index item_name on item (name)"));
        Sql::insert(QStringLiteral("item"), {{"name", "taken"}});
        const auto taken = [] { Sql::insert(QStringLiteral("item"), {{"name", "taken"}}); };

        // A nested transaction's failure caught by the outer body.
        QVERIFY_THROWS_EXCEPTION(DbError, Sql::transaction([&] {
            Sql::insert(QStringLiteral("item"), {{"name", "a"}});
            try {
                Sql::transaction([&] {
                    Sql::insert(QStringLiteral("item"), {{"name", "b"}});
                    taken();
                });
            } catch (const DbError&) {
            }
            Sql::insert(QStringLiteral("item"), {{"name", "c"}});
        }));
        QCOMPARE(names(), QStringList{"taken"});

        // A failed statement caught by the body itself: the commit refuses.
        QVERIFY_THROWS_EXCEPTION(DbError, Sql::transaction([&] {
            Sql::insert(QStringLiteral("item"), {{"name", "d"}});
            try {
                taken();
            } catch (const DbError&) {
            }
        }));
        QCOMPARE(names(), QStringList{"taken"});

        // Db::guard inside a transaction shows its message and returns false
        // but ends nothing; the outer guard does not show it a second time.
        MsgRecorder msgs;
        bool inner = true;
        const bool outer = Db::guard([&] {
            Sql::transaction([&] {
                Sql::insert(QStringLiteral("item"), {{"name", "e"}});
                inner = Db::guard(taken);
                QVERIFY(Database::current().inTransaction());
            });
        });
        QVERIFY(!inner);
        QVERIFY(!outer);
        QCOMPARE(msgs.texts(), QStringList{DbText::Duplicate});
        QCOMPARE(names(), QStringList{"taken"});

        // A guard that succeeds inside commits nothing on its own.
        QVERIFY_THROWS_EXCEPTION(DbError, Sql::transaction([&] {
            QVERIFY(Db::guard([] { Sql::insert(QStringLiteral("item"), {{"name", "f"}}); }));
            taken();
        }));
        QCOMPARE(names(), QStringList{"taken"});

        Sql::transaction([] { Sql::insert(QStringLiteral("item"), {{"name", "g"}}); });
        QCOMPARE(names(), (QStringList{"g", "taken"}));
    }

    // A read that fails after some rows is a failure, not a shorter list.
    void aReadFailingPartWayThrows()
    {
        const Dialect& d = Database::current().dialect();
        Sql::exec(QStringLiteral("create table num (n %1, v %2)").arg(d.type(ColumnType::Int), d.type(ColumnType::BigInt)));
        for (int n = 1; n <= 5; ++n) // abs() of the smallest 64-bit value overflows
            Sql::insert(QStringLiteral("num"),
                        {{"n", n}, {"v", n == 4 ? std::numeric_limits<qint64>::min() : qint64(n)}});
        // No ORDER BY: a sort would compute every row before the first is
        // returned, and the statement would fail as a whole, not part-way.
        const QString all = QStringLiteral("select abs(v) from num");
        const QString fourth = QStringLiteral("select abs(v) from num where n >= ?");
        QVERIFY_THROWS_EXCEPTION(DbError, Sql::rows(all));
        QVERIFY_THROWS_EXCEPTION(DbError, Sql::scalar(fourth, {4}));
        QVERIFY_THROWS_EXCEPTION(DbError, Sql::exists(fourth, {4}));
        QVERIFY_THROWS_EXCEPTION(DbError, Sql::checkRead([&] {
            QSqlQuery q = Sql::exec(all);
            while (q.next()) {
            }
            return q;
        }()));
        QCOMPARE(Sql::rows(fourth, {5}).size(), 1);
    }

    // A look-up of a table's id that failed is asked again, not kept as "no id".
    void aFailedIdLookupIsNotKept()
    {
        Database second(QStringLiteral("tuvek_test_second"));
        QVERIFY(second.open(m_db.options()));
        second.handle().close();
        QVERIFY_THROWS_EXCEPTION(DbError, second.hasIdColumn(QStringLiteral("item")));
        QVERIFY(second.handle().open());
        QVERIFY(second.hasIdColumn(QStringLiteral("item")));
        QVERIFY(Sql::insert(second, QStringLiteral("item"), {{"name", "x"}}) > 0);
    }

    // Amounts come back as whole rials however the backend hands them over.
    void moneyIsReadAsWholeRials()
    {
        for (qint64 amount : {qint64(2500000), Money::Max, -Money::Max}) {
            const qint64 id = Sql::insert(QStringLiteral("item"), {{"amount", amount}});
            const QVariant stored = Sql::scalar(QStringLiteral("select amount from item where id = ?"), {id});
            QCOMPARE(Money::fromDb(stored), amount);
        }
        const QList<QPair<QVariant, qint64>> cases = {
            {QVariant(), 0},
            {QStringLiteral("2500000.0000"), 2500000},
            {QStringLiteral("922337203685477.5807"), 922337203685478},
            {QStringLiteral("-12.5000"), -13},
            {QStringLiteral("12.4999"), 12},
            {QStringLiteral("7"), 7},
            {QByteArray("2500000.0000"), 2500000},
            {2500000.0, 2500000},
            {2499999.5, 2500000},
            {qint64(922337203685477), 922337203685477},
            {int(12), 12},
        };
        for (const auto& [value, expected] : cases)
            QCOMPARE(Money::fromDb(value), expected);
        for (const char* junk : {"2,500,000", "12a", ".", "-", "1e5"})
            QVERIFY_THROWS_EXCEPTION(DbError, Money::fromDb(QString::fromLatin1(junk)));
    }

    void dialectOnTheServer()
    {
        const Dialect& d = Database::current().dialect();
        Sql::insert(QStringLiteral("item"), {{"name", "Alpha"}, {"note", QVariant()}});
        QCOMPARE(Sql::scalar(QStringLiteral("select %1 from item").arg(d.concat({"name", "'-'", "note"}))).toString(),
                 QStringLiteral("Alpha-"));
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from item where %1").arg(d.likeInsensitive("name")),
                             {QStringLiteral("%alph%")})
                     .toInt(),
                 1);
        QVERIFY(Sql::tableExists(QStringLiteral("item")));
        QVERIFY(Sql::tableExists(QStringLiteral("ITEM")));
        QVERIFY(!Sql::tableExists(QStringLiteral("items")));
        QVERIFY(Sql::columnExists(QStringLiteral("item"), QStringLiteral("note")));
        QVERIFY(!Sql::columnExists(QStringLiteral("item"), QStringLiteral("notes")));
        // The server's date: the same machine here, so the workstation's day
        // (read before and after, in case midnight passes in between).
        const QDate before = QDate::currentDate();
        const QDate server = Sql::serverDate();
        QVERIFY(server == before || server == QDate::currentDate());
    }

    void persianOrder()
    {
        const QStringList words = {QStringLiteral("گل"), QStringLiteral("ژاله"), QStringLiteral("لادن"),
                                   QStringLiteral("چمن"), QStringLiteral("حسن"), QStringLiteral("پري"),
                                   QStringLiteral("تارا"), QStringLiteral("کاوه"), QStringLiteral("زهره"),
                                   QStringLiteral("سارا"), QStringLiteral("بهار"), QStringLiteral("جواد"),
                                   QStringLiteral("آرش"), QStringLiteral("يوسف")};
        for (const QString& w : words)
            Sql::insert(QStringLiteral("item"), {{"name", w}});
        QStringList sorted;
        const QString sql = QStringLiteral("select name from item order by %1")
                                .arg(Database::current().dialect().persianOrder(QStringLiteral("name")));
        for (const QVariantMap& r : Sql::rows(sql))
            sorted << r.value("name").toString();
        QCOMPARE(sorted, (QStringList{QStringLiteral("آرش"), QStringLiteral("بهار"), QStringLiteral("پري"),
                                      QStringLiteral("تارا"), QStringLiteral("جواد"), QStringLiteral("چمن"),
                                      QStringLiteral("حسن"), QStringLiteral("زهره"), QStringLiteral("ژاله"),
                                      QStringLiteral("سارا"), QStringLiteral("کاوه"), QStringLiteral("گل"),
                                      QStringLiteral("لادن"), QStringLiteral("يوسف")}));
    }

    void closedDatabaseThrows()
    {
        Database::current().close();
        QVERIFY_THROWS_EXCEPTION(DbError, Sql::exec(QStringLiteral("select 1")));
    }

    // Each refusal says what kind it is; the connection's message is only for the connection.
    void refusalsAreToldApart()
    {
        Sql::exec(QStringLiteral("create unique index item_name on item (name)"));
        Sql::insert(QStringLiteral("item"), {{"name", "taken"}});
        const bool server = Database::current().backend() != Backend::SQLite; // SQLite keeps any length and size
        const struct {
            const char* what;
            std::function<void()> run;
            QString message;
            bool everywhere;
        } cases[] = {
            {"duplicate", [] { Sql::insert(QStringLiteral("item"), {{"name", "taken"}}); }, DbText::Duplicate, true},
            {"too long", [] { Sql::insert(QStringLiteral("item"), {{"name", QString(51, QLatin1Char('x'))}}); },
             DbText::TooLong, false},
            {"out of range", [] { Sql::exec(QStringLiteral("insert into tag (item_id) values (?)"), {QStringLiteral("99999999999999999999")}); },
             DbText::OutOfRange, false},
            {"other", [] { Sql::exec(QStringLiteral("update item set nothing = 1")); }, DbText::Refused, true},
            {"connection", [] { Database::current().close(); Sql::exec(QStringLiteral("select 1")); }, Db::FailedText, true},
        };
        for (const auto& c : cases) {
            if (!c.everywhere && !server)
                continue;
            MsgRecorder msgs;
            QVERIFY2(!Db::guard(c.run), c.what);
            QCOMPARE(msgs.texts(), QStringList{c.message});
        }
    }

    // The embedded file full (no page more may be added), or damaged (a text
    // file in its place): each its own message, the damaged one with the
    // file's path; the file is left as it was.
    void aFullOrDamagedFileIsNamed()
    {
        if (Database::current().backend() != Backend::SQLite)
            QSKIP("the embedded file's");
        MsgRecorder msgs;
        QVERIFY(!Db::guard([] {
            Sql::exec(QStringLiteral("pragma max_page_count = ") + Sql::scalar(QStringLiteral("pragma page_count")).toString());
            Sql::insert(QStringLiteral("item"), {{"note", QString(100000, QLatin1Char('x'))}});
        }));
        QCOMPARE(msgs.texts(), QStringList{DbText::DiskFull});

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("damaged.sqlite"));
        QFile text(path);
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write(QByteArray(4096, 'x'));
        text.close();
        Database damaged(QStringLiteral("damaged"));
        ConnectionOptions o;
        o.database = path;
        QVERIFY(damaged.open(o));
        const UseDatabase own(&damaged);
        msgs.clear();
        QVERIFY(!Db::guard([] { Sql::scalar(QStringLiteral("select count(*) from sqlite_master")); }));
        QCOMPARE(msgs.texts(), QStringList{DbText::damagedFile(path)});
        QVERIFY(text.open(QIODevice::ReadOnly));
        QCOMPARE(text.readAll(), QByteArray(4096, 'x'));
    }

    // Two workstations running one command at the same moment: the second
    // starts while the first is between its check and its write. Under
    // Sql::exclusive the second waits, so both end as if one ran after the
    // other; without it both would write on the same stale check.
    void exclusiveSerialisesACheckAndItsWrite()
    {
        const auto addOnce = [](const std::function<void()>& betweenCheckAndWrite) {
            Sql::exclusive(LockKey{QStringLiteral("item")}, [&] {
                const bool there = Sql::exists(QStringLiteral("select id from item where name=?"), {QStringLiteral("one")});
                betweenCheckAndWrite();
                if (!there)
                    Sql::insert(QStringLiteral("item"), {{"name", "one"}});
            });
        };
        Meeting otherStarts;
        SecondWorkstation other(m_db.options());
        addOnce([&] {
            other.start([&] {
                otherStarts.arrive();
                addOnce([] {});
            });
            QVERIFY(otherStarts.awaitArrival());
            QThread::msleep(300); // the other is now at its check
        });
        QVERIFY2(other.wait(), qPrintable(other.error()));
        QCOMPARE(names(), QStringList{"one"});
    }

    // "Delete all, then insert" from two workstations ends with one whole
    // choice, the later one, never the union of both.
    void aReplaceEndsWithOneWholeChoice()
    {
        const auto replace = [](const QStringList& choice, const std::function<void()>& halfway) {
            Sql::exclusive(LockKey{QStringLiteral("tag:1")}, [&] {
                Sql::exec(QStringLiteral("delete from tag where item_id=?"), {1});
                for (const QString& name : choice) {
                    Sql::insert(QStringLiteral("tag"), {{"item_id", 1}, {"name", name}});
                    halfway();
                }
            });
        };
        Meeting otherStarts;
        SecondWorkstation other(m_db.options());
        bool started = false;
        replace({"a1", "a2"}, [&] {
            if (std::exchange(started, true))
                return;
            other.start([&] {
                otherStarts.arrive();
                replace({"b1"}, [] {});
            });
            QVERIFY(otherStarts.awaitArrival());
            QThread::msleep(300);
        });
        QVERIFY2(other.wait(), qPrintable(other.error()));
        QStringList tags;
        for (const QVariantMap& r : Sql::rows(QStringLiteral("select name from tag order by name")))
            tags << r.value("name").toString();
        QCOMPARE(tags, QStringList{"b1"});
    }

    // One command waits for its locks 20 s in all (here 2 s), not per key,
    // and meanwhile its connection's wait notice is on. On PostgreSQL the
    // first key is free after 1.5 s and the second held far longer: the
    // command gives up at 2 s, not at 1.5 + 2 s. On SQLite the file's one
    // writer is waited for, as long.
    void aCommandsWaitIsBoundedAsAWhole()
    {
        const Restore shorter(Database::LockWaitMs, 2000);
        QList<bool> notices;
        Database::current().setWaitNotice([&](bool waiting) { notices << waiting; });
        const bool server = Database::current().backend() != Backend::SQLite;
        Meeting aHeld, bHeld;
        SecondWorkstation first(m_db.options()), second(m_db.options());
        if (server)
            first.start([&] {
                Sql::exclusive(LockKey{QStringLiteral("a")}, [&] {
                    aHeld.arrive();
                    QThread::msleep(1500);
                });
            });
        second.start([&] {
            Sql::exclusive(LockKey{QStringLiteral("b")}, [&] {
                bHeld.arrive();
                QThread::msleep(server ? 5000 : 3500);
            });
        });
        QVERIFY(bHeld.awaitArrival() && (!server || aHeld.awaitArrival()));
        QElapsedTimer clock;
        clock.start();
        DbError::Kind kind = DbError::Kind::Other;
        try {
            Sql::exclusive({LockKey{QStringLiteral("b")}, LockKey{QStringLiteral("a")}},
                           [] { QFAIL("the locks were had"); });
        } catch (const DbError& e) {
            kind = e.kind;
        }
        const qint64 waited = clock.elapsed();
        Database::current().setWaitNotice({});
        QCOMPARE(kind, DbError::Kind::Busy);
        QVERIFY2(waited >= 1900 && waited < 3000, qPrintable(QString::number(waited)));
        QVERIFY(!notices.isEmpty() && notices.first() && !notices.last());
        QVERIFY2(first.wait() && second.wait(), qPrintable(first.error() + second.error()));
    }

    // The guard of writes: which table a statement writes, and whether the
    // open transaction holds a key of it. (The tests' own statements pass it;
    // the program's are checked by the whole suite.)
    void aWriteWithoutItsKeyIsAnOffence()
    {
        QCOMPARE(Sql::writtenTables(QStringLiteral("  INSERT into item (name) values (?)")), QStringList{"item"});
        QCOMPARE(Sql::writtenTables(QStringLiteral("insert or ignore into \"Tag\" (k) values (?)")), QStringList{"tag"});
        QCOMPARE(Sql::writtenTables(QStringLiteral("set nocount on; insert into dbo.item (name) values (?); select 1")),
                 QStringList{"item"});
        QCOMPARE(Sql::writtenTables(QStringLiteral("update item set name=?")), QStringList{"item"});
        QCOMPARE(Sql::writtenTables(QStringLiteral("delete from tag where item_id=?")), QStringList{"tag"});
        QCOMPARE(Sql::writtenTables(QStringLiteral("delete tag where item_id=?")), QStringList{"tag"});
        QCOMPARE(Sql::writtenTables(QStringLiteral("select id from item where name=? for update")), QStringList{});
        QCOMPARE(Sql::writtenTables(QStringLiteral("create trigger t after insert on item begin "
                                                   "insert into tag (name) values (new.name); end")),
                 QStringList{});

        Database& db = Database::current();
        const QString write = QStringLiteral("update item set name=?");
        QVERIFY(!Sql::unkeyedWrite(db, write).isEmpty());
        QVERIFY(Sql::unkeyedWrite(db, QStringLiteral("insert into log (cmt) values (?)")).isEmpty()); // keyless
        QVERIFY(Sql::unkeyedWrite(db, QStringLiteral("select name from item")).isEmpty());
        Sql::exclusive(LockKey{QStringLiteral("tag:1"), 1000, false, {QStringLiteral("tag")}}, [&] {
            QVERIFY(!Sql::unkeyedWrite(db, write).isEmpty());
            Sql::exclusive(LockKey{QStringLiteral("item"), 100, true, {QStringLiteral("item")}},
                           [&] { QVERIFY(Sql::unkeyedWrite(db, write).isEmpty()); });
        });
        QVERIFY(!Sql::unkeyedWrite(db, write).isEmpty()); // the keys went with the transaction
        const Keys::Unkeyed named(Keys::Unkeyed::Why::Installer);
        QVERIFY(Sql::unkeyedWrite(db, write).isEmpty());
    }

    // A server restarted under a running program: the command that meets the
    // cut connection is told so and nothing of it is kept; the next command
    // opens the connection again and runs, once.
    void aLostConnectionIsOpenedAgain()
    {
        if (Database::current().backend() != Backend::PostgreSQL)
            QSKIP("a server to restart is PostgreSQL's");
        OwnServer server;
        QVERIFY2(server.start(), qPrintable(server.log()));
        Database db(QStringLiteral("restarted"));
        QString error;
        QVERIFY2(db.open(server.options(), &error), qPrintable(error));
        const UseDatabase own(&db);
        const auto insert = [] {
            return Db::guard([] { Sql::transaction([] { Sql::exec(QStringLiteral("insert into t values (1)")); }); });
        };
        Sql::exec(QStringLiteral("create table t (v int)"));
        QVERIFY(server.restart());
        MsgRecorder msgs;
        QVERIFY(!insert());
        QCOMPARE(msgs.texts(), QStringList{Db::FailedText});
        QVERIFY(insert());
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from t")).toInt(), 1);
    }

    // A row another transaction holds is waited for as long as a command
    // waits for its keys, no longer, also by a statement outside them: on
    // PostgreSQL a row held "for update", on SQLite the file's write lock.
    void aHeldRowIsWaitedForWithinTheBound()
    {
        Sql::insert(QStringLiteral("item"), {{"name", "held"}});
        const Restore shorter(Database::LockWaitMs, 1500);
        Meeting held;
        Meeting tried; // this workstation's delete has ended: the row may go
        SecondWorkstation other(m_db.options());
        other.start([&] {
            Sql::transaction([&] {
                if (Database::current().backend() == Backend::SQLite)
                    Sql::exec(QStringLiteral("update item set note=? where name=?"), {QStringLiteral("x"), QStringLiteral("held")});
                else
                    Sql::exec(QStringLiteral("select id from item where name=? for update"), {QStringLiteral("held")});
                held.arrive();
                tried.awaitArrival(20000);
            });
        });
        QVERIFY(held.awaitArrival());
        QElapsedTimer clock;
        clock.start();
        DbError::Kind kind = DbError::Kind::Other;
        try {
            Sql::exec(QStringLiteral("delete from item where name=?"), {QStringLiteral("held")});
        } catch (const DbError& e) {
            kind = e.kind;
        }
        const qint64 waited = clock.elapsed();
        tried.arrive();
        QCOMPARE(kind, DbError::Kind::Busy);
        QVERIFY2(waited >= 1300 && waited < 3500, qPrintable(QString::number(waited)));
        QVERIFY2(other.wait(), qPrintable(other.error()));
        QCOMPARE(names(), QStringList{"held"});
    }

    // The embedded file's commit held up past the bound by another
    // connection's long read (a statement amid its rows): busy, said as a
    // statement refused for that cause is, and nothing kept.
    void aCommitHeldUpByAReadIsBusy()
    {
        if (Database::current().backend() != Backend::SQLite)
            QSKIP("the embedded file's commit");
        for (const char* name : {"a", "b"})
            Sql::insert(QStringLiteral("item"), {{"name", name}});
        const Restore shorter(Database::LockWaitMs, 1000);
        Meeting reading, tried;
        SecondWorkstation other(m_db.options());
        other.start([&] {
            QSqlQuery q = Sql::exec(QStringLiteral("select name from item"));
            reading.arrive();
            tried.awaitArrival(20000);
        });
        QVERIFY(reading.awaitArrival());
        MsgRecorder msgs;
        QVERIFY(!Db::guard([] { Sql::exclusive(LockKey{QStringLiteral("item")}, [] { Sql::insert(QStringLiteral("item"), {{"name", "c"}}); }); }));
        tried.arrive();
        QCOMPARE(msgs.texts(), QStringList{DbText::Busy});
        QVERIFY2(other.wait(), qPrintable(other.error()));
        QCOMPARE(names(), (QStringList{"a", "b"}));
    }

    // A backend that stops answering (stopped, as a server machine that
    // hangs) before a command, at its commit, or amid the rows of a long read
    // (an export): cut as a lost connection soon after the bound of its
    // waits, not when the backend goes on (here at the latest after 6 s).
    // Stopped before, nothing is kept; at the commit the server may yet
    // record it, and that is what the clerk is told. The next command opens
    // the connection again. A server silent right after the handshake, at the
    // sign-in or when a lost connection is opened again: the opening (the
    // driver's first statements, the program's own) fails as lost as soon.
    void aServerThatStopsAnsweringIsCut_data()
    {
        QTest::addColumn<QString>("when");
        QTest::addColumn<QString>("told");
        QTest::newRow("before the command") << QStringLiteral("before") << Db::FailedText;
        QTest::newRow("at the commit") << QStringLiteral("commit") << DbText::OutcomeUnknown;
        QTest::newRow("amid a long read") << QStringLiteral("read") << Db::FailedText;
        QTest::newRow("at the sign-in") << QStringLiteral("sign-in") << Db::FailedText;
        QTest::newRow("at the reopen") << QStringLiteral("reopen") << Db::FailedText;
    }
    void aServerThatStopsAnsweringIsCut()
    {
        QFETCH(QString, when);
        QFETCH(QString, told);
        if (Database::current().backend() != Backend::PostgreSQL)
            QSKIP("a backend to stop is PostgreSQL's");
        const Restore shorter(Database::LockWaitMs, 1000);
        if (when == u"sign-in" || when == u"reopen") {
            Database& db = Database::current();
            SilentServer server(m_db.options());
            QVERIFY(when == u"sign-in" || db.open(server.options()));
            db.markLost();
            server.silent = true;
            QElapsedTimer clock;
            clock.start();
            std::optional<DbError> cut;
            QString error;
            try {
                if (when == u"reopen")
                    Sql::scalar(QStringLiteral("select 1"));
                else if (!db.open(server.options(), &error))
                    cut = DbError(error, {}, db.dialect().classify(db.lastErrorCode(), error));
            } catch (const DbError& e) {
                cut = e;
            }
            QVERIFY(cut && cut->kind == DbError::Kind::Connection);
            QCOMPARE(Db::errorMessage(*cut), told);
            QVERIFY2(clock.elapsed() < 1000 + 1000 + 1000, qPrintable(QString::number(clock.elapsed())));
            return;
        }
        const pid_t pid = pid_t(Sql::scalar(QStringLiteral("select pg_backend_pid()")).toLongLong());
        QSemaphore ended;
        std::thread resume([&] { ended.tryAcquire(1, 6000), ::kill(pid, SIGCONT); });
        const auto resumed = qScopeGuard([&] { ended.release(), resume.join(); });
        QSqlQuery q;
        if (when == u"read") {
            // Rows larger than the server's send buffer, which it sends one by one.
            q = Sql::exec(QStringLiteral("select repeat('x', 9000), pg_sleep(0.01) from generate_series(1, 2000)"));
            QVERIFY(Sql::next(q));
        }
        if (when != u"commit")
            QVERIFY(::kill(pid, SIGSTOP) == 0);
        QElapsedTimer clock;
        clock.start();
        std::optional<DbError> cut;
        try {
            if (when == u"read") {
                while (Sql::next(q)) {}
                Sql::checkRead(q);
            } else {
                Sql::exclusive(LockKey{QStringLiteral("item"), 100, false, {QStringLiteral("item")}}, [&] {
                    Sql::insert(QStringLiteral("item"), {{"name", "unanswered"}});
                    if (when == u"commit")
                        ::kill(pid, SIGSTOP);
                });
            }
        } catch (const DbError& e) {
            cut = e;
        }
        const qint64 took = clock.elapsed();
        QVERIFY(cut && cut->kind == DbError::Kind::Connection);
        QCOMPARE(Db::errorMessage(*cut), told);
        QVERIFY2(took < 1000 + 1000 + 1000, qPrintable(QString::number(took)));
        ::kill(pid, SIGCONT);
        if (when == u"before")
            QCOMPARE(names(), QStringList{});
    }

    // Another workstation's backend stopped while it held a row: a wait for
    // it that the server does not bound (here its lock time-out switched off,
    // as for a page a stopped backend holds latched) is cancelled at the bound
    // of a command's waits and ends as busy; the holder keeps its row.
    void aWaitTheServerDoesNotBoundIsCancelled()
    {
        if (Database::current().backend() != Backend::PostgreSQL)
            QSKIP("a backend to stop is PostgreSQL's");
        Sql::insert(QStringLiteral("item"), {{"name", "held"}});
        const Restore shorter(Database::LockWaitMs, 1000);
        Meeting held, resumed;
        qint64 pid = 0;
        SecondWorkstation holder(m_db.options());
        holder.start([&] {
            Sql::transaction([&] {
                pid = Sql::scalar(QStringLiteral("select pg_backend_pid()")).toLongLong();
                Sql::exec(QStringLiteral("select id from item where name=? for update"), {QStringLiteral("held")});
                held.arrive();
                resumed.awaitArrival();
            });
        });
        QVERIFY(held.awaitArrival());
        struct Stopped {
            pid_t pid;
            Meeting& resumed;
            ~Stopped() { ::kill(pid, SIGCONT), resumed.arrive(); }
        } stopped{pid_t(pid), resumed};
        QVERIFY(::kill(stopped.pid, SIGSTOP) == 0);
        Sql::exec(QStringLiteral("set lock_timeout = 0"));
        QElapsedTimer clock;
        clock.start();
        DbError::Kind kind = DbError::Kind::Other;
        try {
            Sql::exec(QStringLiteral("select id from item where name=? for update"), {QStringLiteral("held")});
        } catch (const DbError& e) {
            kind = e.kind;
        }
        const qint64 took = clock.elapsed();
        QCOMPARE(kind, DbError::Kind::Busy);
        QVERIFY2(took >= 1000 && took < 2000, qPrintable(QString::number(took)));
    }

    // The connection lost in every way is opened again at the next command,
    // and a reference to the dialect taken before stays good; a statement the
    // driver refuses on a live connection keeps its own kind.
    void aLostConnectionIsToldApartAndOpenedAgain()
    {
        Database& db = Database::current();
        const Dialect& dialect = db.dialect();
        // The driver's refusal of a statement, without a server's code.
        try {
            Sql::exec(QStringLiteral("select name from item where id=?"), {1, 2});
        } catch (const DbError& e) {
            QVERIFY2(e.kind != DbError::Kind::Connection, qPrintable(e.driverText));
        }
        QVERIFY(!db.lost());
        // Closed under the program: not connected, then opened again.
        db.handle().close();
        QVERIFY_THROWS_EXCEPTION(DbError, Sql::exec(QStringLiteral("select count(*) from item")));
        QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from item")).toInt(), 0);
        if (db.backend() == Backend::PostgreSQL) {
            // The server ends this connection's backend.
            const QVariant pid = Sql::scalar(QStringLiteral("select pg_backend_pid()"));
            QVERIFY(SecondWorkstation(m_db.options()).run(
                [&] { Sql::exec(QStringLiteral("select pg_terminate_backend(?)"), {pid}); }));
            QVERIFY_THROWS_EXCEPTION(DbError, Sql::exec(QStringLiteral("select count(*) from item")));
            QVERIFY(db.lost());
            QCOMPARE(Sql::scalar(QStringLiteral("select count(*) from item")).toInt(), 0);
        }
        QCOMPARE(&Database::current().dialect(), &dialect);
        QVERIFY(!dialect.likeInsensitive(QStringLiteral("name")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSql)
#include "test_sql.moc"
