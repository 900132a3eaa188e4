#include "second_workstation.h"

#include "platform/db/sql.h"

#include <QAtomicInteger>
#include <QDeadlineTimer>
#include <QThread>

void SecondWorkstation::start(std::function<void()> work)
{
    wait();
    m_ok = true;
    m_error.clear();
    m_thread = std::thread([this, work = std::move(work)] {
        static QAtomicInteger<int> count;
        Database db(QStringLiteral("second-workstation-%1").arg(count.fetchAndAddRelaxed(1)));
        QString openError;
        if (!db.open(m_options, &openError)) {
            m_ok = false;
            m_error = openError;
            return;
        }
        Database::setCurrentForThisThread(&db);
        try {
            work();
        } catch (const DbError& e) {
            m_ok = false;
            m_error = e.driverText;
        } catch (const std::exception& e) {
            m_ok = false;
            m_error = QString::fromUtf8(e.what());
        }
        Database::setCurrentForThisThread(nullptr);
        db.close();
    });
}

bool SecondWorkstation::wait()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_ok;
}

bool SecondWorkstation::run(std::function<void()> work)
{
    start(std::move(work));
    return wait();
}

bool awaitAnotherWaiting(int ms)
{
    const QDeadlineTimer deadline(ms);
    do {
        if (Sql::exists(QStringLiteral("select pid from pg_locks where not granted and pid <> pg_backend_pid()")))
            return true;
        QThread::msleep(5);
    } while (!deadline.hasExpired());
    return false;
}
