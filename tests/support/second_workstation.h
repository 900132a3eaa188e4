#pragma once
// A second workstation on the test's database: a connection of its own, used
// in a thread of its own (a Qt connection belongs to the thread that opened
// it), where Database::current() is that connection. What it runs is the
// program's own code, as another workstation would run it at the same moment.
//
//     SecondWorkstation other(m_db.options());
//     other.start([] { Sql::exclusive(Keys::table("item"), [] { ... }); });
//     ...                       // this workstation meanwhile
//     QVERIFY(other.wait());

#include "platform/db/database.h"

#include <QSemaphore>
#include <QString>
#include <functional>
#include <thread>

class SecondWorkstation {
public:
    explicit SecondWorkstation(ConnectionOptions options) : m_options(std::move(options)) {}
    ~SecondWorkstation() { wait(); }
    SecondWorkstation(const SecondWorkstation&) = delete;
    SecondWorkstation& operator=(const SecondWorkstation&) = delete;

    // Runs work there; returns at once.
    void start(std::function<void()> work);
    // Waits until the work ended; false when the connection failed or the work
    // threw (error() says what).
    bool wait();
    // start() and wait() at once.
    bool run(std::function<void()> work);
    QString error() const { return m_error; }

private:
    ConnectionOptions m_options;
    std::thread m_thread;
    QString m_error;
    bool m_ok = true;
};

// Waits until another connection waits for a lock this workstation's
// connection holds (PostgreSQL: pg_locks shows a lock of another backend not
// yet granted), looking again every few milliseconds, at most ms; false when
// none came to wait.
bool awaitAnotherWaiting(int ms = 10000);

// Makes two workstations meet inside a command: the one that reaches a point
// first waits there (up to a limit) until the other has arrived at its own.
class Meeting {
public:
    // Called by one side: it has arrived and lets the other go on.
    void arrive() { m_arrived.release(); }
    // Called by the other side: waits for arrive(), at most ms; false when it never came.
    bool awaitArrival(int ms = 10000) { return m_arrived.tryAcquire(1, ms); }

private:
    QSemaphore m_arrived;
};
