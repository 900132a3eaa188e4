#include "answer_watch.h"

#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <dlfcn.h>
#include <fcntl.h>
#include <list>
#include <mutex>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// The few functions of libpq the watch needs, from the libpq the PostgreSQL
// driver loaded (nothing of libpq is linked into the program or needed to
// build it). Looked up again until the driver has loaded it.
struct Libpq {
    using ConnectDb = void* (*)(const char* conninfo);
    using Status = int (*)(const void* conn);
    using Socket = int (*)(const void* conn);
    using GetCancel = void* (*)(void* conn);
    using Cancel = int (*)(void* cancel, char* error, int size);
    using FreeCancel = void (*)(void* cancel);
    ConnectDb connectDb = nullptr;
    Status status = nullptr;
    Socket socket = nullptr;
    GetCancel getCancel = nullptr;
    Cancel cancel = nullptr;
    FreeCancel freeCancel = nullptr;

    // A copy: the one kept may still be filled by another thread.
    static Libpq loaded()
    {
        static std::mutex lock;
        static Libpq libpq;
        const std::lock_guard<std::mutex> hold(lock);
        if (!libpq.complete()) {
            if (void* so = dlopen("libpq.so.5", RTLD_LAZY | RTLD_NOLOAD)) {
                // libpq's own, not the program's PQconnectdb below.
                libpq.connectDb = reinterpret_cast<ConnectDb>(dlsym(so, "PQconnectdb"));
                libpq.status = reinterpret_cast<Status>(dlsym(so, "PQstatus"));
                libpq.socket = reinterpret_cast<Socket>(dlsym(so, "PQsocket"));
                libpq.getCancel = reinterpret_cast<GetCancel>(dlsym(so, "PQgetCancel"));
                libpq.cancel = reinterpret_cast<Cancel>(dlsym(so, "PQcancel"));
                libpq.freeCancel = reinterpret_cast<FreeCancel>(dlsym(so, "PQfreeCancel"));
                dlclose(so); // the driver keeps it loaded
            }
        }
        return libpq;
    }
    bool complete() const { return connectDb && status && socket && getCancel && cancel && freeCancel; }
};

class Watch {
public:
    static Watch& instance()
    {
        // Kept until the process ends, as its thread.
        static Watch* watch = new Watch;
        return *watch;
    }

    void add(const std::shared_ptr<AnswerWatched>& watched)
    {
        {
            const std::lock_guard<std::mutex> hold(m_lock);
            m_watched.push_back(watched);
            if (!m_thread.joinable())
                m_thread = std::thread([this] { run(); });
        }
        m_wake.notify_all();
    }
    void remove(const AnswerWatched* watched)
    {
        // Taken out under the lock, let go after it: the last owner closes the socket.
        std::list<std::shared_ptr<AnswerWatched>> gone;
        const std::lock_guard<std::mutex> hold(m_lock);
        for (auto it = m_watched.begin(); it != m_watched.end();) {
            const auto next = std::next(it);
            if (it->get() == watched)
                gone.splice(gone.end(), m_watched, it);
            it = next;
        }
    }

private:
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::list<std::shared_ptr<AnswerWatched>> m_watched;
    std::thread m_thread;

    void run()
    {
        std::unique_lock<std::mutex> hold(m_lock);
        for (;;) {
            int tickMs = 250;
            for (const auto& w : m_watched)
                tickMs = qBound(20, w->limitMs.load() / 10, tickMs);
            if (m_watched.empty())
                m_wake.wait(hold);
            else
                m_wake.wait_for(hold, std::chrono::milliseconds(tickMs));
            m_watched.remove_if([](const std::shared_ptr<AnswerWatched>& w) { return !look(*w); });
        }
    }

    // False once the connection is no longer watched (it was cut).
    static bool look(AnswerWatched& w)
    {
        const qint64 since = w.since.load();
        if (since == 0 || w.patience.load() > 0) {
            w.cancelled = false;
            return true;
        }
        const qint64 silent = AnswerWatch::now() - since;
        const qint64 limit = qint64(w.limitMs.load()) + AnswerWatch::CancelMarginMs;
        if (silent >= limit + AnswerWatch::CutAfterMs) {
            w.stopped = true;
            ::shutdown(w.socket, SHUT_RDWR); // the watch's own descriptor: the connection's socket
            return false;
        }
        if (silent >= limit && !w.cancelled) {
            w.cancelled = true;
            w.stopped = true;
            // The cancel opens a connection of its own: never on the watch's thread.
            std::thread([cancel = w.cancel] {
                char error[256];
                Libpq::loaded().cancel(cancel.get(), error, int(sizeof error));
            }).detach();
        }
        return true;
    }
};

thread_local AnswerWatch::Opening* t_opening = nullptr;

} // namespace

AnswerWatched::~AnswerWatched()
{
    if (socket >= 0)
        ::close(socket);
}

namespace AnswerWatch {

qint64 now()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

namespace {

// Watches a libpq connection (PGconn*) that is alive now; nothing when its
// socket cannot be had.
std::shared_ptr<AnswerWatched> watch(void* connection, int limitMs)
{
    const Libpq libpq = Libpq::loaded();
    if (!connection || !libpq.complete())
        return nullptr;
    const int fd = libpq.socket(connection);
    auto watched = std::make_shared<AnswerWatched>();
    watched->socket = fd < 0 ? -1 : ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (watched->socket < 0)
        return nullptr;
    watched->cancel = std::shared_ptr<void>(libpq.getCancel(connection), [](void* c) {
        if (c)
            Libpq::loaded().freeCancel(c);
    });
    watched->limitMs = limitMs;
    Watch::instance().add(watched);
    return watched;
}

} // namespace

void forget(const AnswerWatched* watched)
{
    if (watched)
        Watch::instance().remove(watched);
}

Opening::Opening(int limitMs) : m_limitMs(limitMs), m_outer(t_opening) { t_opening = this; }

Opening::~Opening()
{
    t_opening = m_outer;
    if (!m_done) // the connection was not kept
        forget(m_watched.get());
}

void Opening::connected(void* connection)
{
    Opening* opening = t_opening;
    const Libpq libpq = Libpq::loaded();
    if (!opening || !connection || !libpq.complete() || libpq.status(connection) != 0 /* CONNECTION_OK */)
        return;
    forget(opening->m_watched.get());
    opening->m_watched.reset();
    opening->m_connection = connection;
    // Alive: the handshake has just ended. What follows waits for answers.
    auto watched = watch(connection, opening->m_limitMs);
    if (watched)
        watched->since = now();
    opening->m_watched = std::move(watched);
}

std::shared_ptr<AnswerWatched> Opening::opened(const QVariant& driver)
{
    // The driver names the handle by libpq's struct (pg_conn*) or its typedef.
    const bool pgconn = qstrcmp(driver.typeName(), "pg_conn*") == 0 || qstrcmp(driver.typeName(), "PGconn*") == 0;
    void* connection = pgconn ? *static_cast<void* const*>(driver.data()) : nullptr;
    if (m_watched && connection == m_connection)
        return m_watched;
    // Not opened through the program's PQconnectdb (not exported from this
    // executable): watched from now on.
    forget(m_watched.get());
    m_connection = connection;
    m_watched = watch(connection, m_limitMs);
    if (m_watched)
        m_watched->since = now();
    return m_watched;
}

void Opening::done()
{
    m_done = true;
    if (m_watched)
        m_watched->since = 0;
}

} // namespace AnswerWatch

// libpq's PQconnectdb, as the PostgreSQL driver calls it to open a connection:
// libpq's own, then the new connection to the watch when the calling thread
// opens inside an AnswerWatch::Opening.
extern "C" __attribute__((visibility("default"))) void* PQconnectdb(const char* conninfo)
{
    const Libpq libpq = Libpq::loaded();
    if (!libpq.connectDb)
        return nullptr; // the driver says it could not connect
    void* connection = libpq.connectDb(conninfo);
    AnswerWatch::Opening::connected(connection);
    return connection;
}
