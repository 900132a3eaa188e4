#pragma once
// The watch of a PostgreSQL server that does not answer.
//
// A backend that stopped, a server whose machine stopped, or something
// between that forwards nothing leaves its connection open: the kernel there
// still acknowledges what is sent, so the connection's keep-alives find
// nothing wrong, and the driver's call waits for an answer that never comes.
// The data layer marks each call that waits for the server's answer
// (AnswerWatched::since, through Database::Awaiting); one thread of the
// program watches every open connection: a call that has waited for longer
// than a command may wait for another workstation is asked to cancel (the
// server ends the statement with its own words, as when its lock wait ran
// out); one still silent a moment later is cut (its socket shut down), so
// that the driver's call returns with a lost connection.
//
// The watch holds a duplicate of the connection's socket, taken while the
// connection is known to be alive: shutting the duplicate down cuts the
// connection whatever the driver did with its own descriptor, and a number
// the driver closed and the system gave to another file is never touched.
//
// The watch starts at the end of the connection's handshake (which libpq's
// connect_timeout bounds), before the driver's first statements: the driver
// opens through PQconnectdb, and the program gives that function itself (the
// program exports it: see platform/db/CMakeLists.txt), calling libpq's own and
// then, in a thread inside an AnswerWatch::Opening, handing the new
// connection to the watch.

#include <QtGlobal>
#include <QVariant>
#include <atomic>
#include <memory>

// One watched connection.
struct AnswerWatched {
    AnswerWatched() = default;
    ~AnswerWatched(); // closes the duplicate
    AnswerWatched(const AnswerWatched&) = delete;
    AnswerWatched& operator=(const AnswerWatched&) = delete;

    int socket = -1;                 // the watch's duplicate of the connection's socket
    std::shared_ptr<void> cancel;    // the connection's PGcancel
    std::atomic<int> limitMs{20000}; // the silence after which it is cancelled
    std::atomic<int> patience{0};    // statements that may take their time
    std::atomic<qint64> since{0};    // when the call that waits for an answer began; 0: none
    std::atomic<bool> stopped{false}; // a call of it was cancelled or cut
    bool cancelled = false;          // the watch's own: the waiting call was asked to cancel
};

namespace AnswerWatch {

// After the cancel, the server's answer is waited for this much longer; then
// the connection is cut.
constexpr int CancelMarginMs = 250, CutAfterMs = 750;

// Milliseconds of a steady clock.
qint64 now();

// Once it returns, the watch no longer touches the connection's socket.
void forget(const AnswerWatched* watched);

// While one lives, a connection the calling thread opens through the
// PostgreSQL driver is watched from the end of its handshake on, as one call
// that waits for answers until done() (its driver's first statements and the
// program's set-up statements are one wait); a connection left without done()
// is no longer watched when the Opening ends.
class Opening {
public:
    explicit Opening(int limitMs);
    ~Opening();
    Opening(const Opening&) = delete;
    Opening& operator=(const Opening&) = delete;

    // The watch of the connection opened (driver: its QSqlDriver::handle()),
    // still waiting as one call. Nothing when it is not libpq's.
    std::shared_ptr<AnswerWatched> opened(const QVariant& driver);
    // Whether the watch cancelled or cut a statement of the opening.
    bool stopped() const { return m_watched && m_watched->stopped; }
    // The opening's set-up ended: its wait is over.
    void done();

    // The connection libpq just made in this thread (the program's PQconnectdb).
    static void connected(void* connection);

private:
    int m_limitMs;
    bool m_done = false;
    void* m_connection = nullptr;
    std::shared_ptr<AnswerWatched> m_watched;
    Opening* m_outer;
};

} // namespace AnswerWatch
