#include "log_row.h"

#include "core/shamsi_date.h"
#include "core/session.h"
#include "platform/db/sql.h"

#include <QCoreApplication>
#include <QHash>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QPointer>
#include <QTime>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace {

// Widths of the log table's text columns.
constexpr int KarbarWidth = 150, IpWidth = 20, ComputerWidth = 50, SaatWidth = 30, TarikhWidth = 10,
              CmtWidth = 200;
// The longest a log row waits for the workstation's name, once per run.
constexpr int LogRowWaitMs = 1500;

// One reverse look-up: its answer, written by the thread that asks the
// resolver, and who waits for it on the window's thread until it is known
// there. Any thread may ask (a log row is written wherever a command runs).
struct Lookup {
    std::mutex lock;
    std::condition_variable given;
    bool known = false;
    QString name;
    bool delivered = false; // those waiting were told
    bool waitedFor = false; // a log row waited for the answer once
    QList<QPair<QPointer<QObject>, std::function<void(const QString&)>>> waiting;
};

// On the window's thread, once the answer is in: those waiting are told.
void deliver(Lookup& lookup)
{
    QString name;
    decltype(lookup.waiting) waiting;
    {
        std::lock_guard<std::mutex> hold(lookup.lock);
        lookup.delivered = true;
        name = lookup.name;
        waiting = std::exchange(lookup.waiting, {});
    }
    for (const auto& [context, done] : waiting)
        if (context)
            done(name);
}

// Whether an address is one of this workstation's own (no address: the
// workstation without a network).
bool isOwnAddress(const QString& address)
{
    if (address.isEmpty())
        return true;
    const QHostAddress wanted(address);
    const QList<QHostAddress> own = QNetworkInterface::allAddresses();
    return std::any_of(own.cbegin(), own.cend(), [&](const QHostAddress& a) { return a.isEqual(wanted); });
}

// The look-up of an address, started the first time it is asked for. The
// resolver is asked on a thread of its own, so that a log row can wait for
// the answer a limited time while the window's thread stays free of events.
// An address of this workstation that the network has no name for (usual
// where no reverse zone is kept) is known by the workstation's own host name.
std::shared_ptr<Lookup> lookUp(const QString& address)
{
    static std::mutex namesLock;
    static QHash<QString, std::shared_ptr<Lookup>> names;
    std::lock_guard<std::mutex> hold(namesLock);
    std::shared_ptr<Lookup>& found = names[address];
    if (found)
        return found;
    found = std::make_shared<Lookup>();
    std::thread([lookup = found, address] {
        QString name;
        if (!address.isEmpty()) {
            const QHostInfo info = QHostInfo::fromName(address);
            name = info.error() == QHostInfo::NoError ? info.hostName() : QString();
            if (name == address) // no reverse name: the look-up echoes the address
                name.clear();
        }
        if (name.isEmpty() && isOwnAddress(address))
            name = QHostInfo::localHostName();
        {
            std::lock_guard<std::mutex> answered(lookup->lock);
            lookup->known = true;
            lookup->name = name;
        }
        lookup->given.notify_all();
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, [lookup] { deliver(*lookup); }, Qt::QueuedConnection);
    }).detach();
    return found;
}

// The host name for a log row: the first row of the run waits for the
// look-up a short while; later rows take what is known.
QString nameForLogRow(const QString& address)
{
    const std::shared_ptr<Lookup> lookup = lookUp(address);
    std::unique_lock<std::mutex> hold(lookup->lock);
    if (!std::exchange(lookup->waitedFor, true))
        lookup->given.wait_for(hold, std::chrono::milliseconds(LogRowWaitMs), [&] { return lookup->known; });
    return lookup->name;
}

} // namespace

QString LocalIP()
{
    // The last IPv4 address of the workstation that is not a loopback address.
    QString result;
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            result = address.toString();
    }
    return result;
}

QString IPAddrToName(const QString& address)
{
    const std::shared_ptr<Lookup> lookup = lookUp(address);
    std::lock_guard<std::mutex> hold(lookup->lock);
    return lookup->name;
}

void whenHostNameKnown(const QString& address, QObject* context, std::function<void(const QString&)> done)
{
    const std::shared_ptr<Lookup> lookup = lookUp(address);
    QString name;
    {
        std::lock_guard<std::mutex> hold(lookup->lock);
        if (!lookup->delivered) {
            lookup->waiting.append({QPointer<QObject>(context), std::move(done)});
            return;
        }
        name = lookup->name;
    }
    done(name);
}

void write_log_row(const QString& cmt) { write_log_row_for(Session::user().karbar, cmt); }

void write_log_row_for(const QString& karbar, const QString& cmt)
{
    shamsi_today.Init();
    const QString ip = LocalIP();
    Sql::insert(QStringLiteral("log"),
                {{QStringLiteral("karbar"), karbar.left(KarbarWidth)},
                 {QStringLiteral("ip"), ip.left(IpWidth)},
                 {QStringLiteral("computer_name"), nameForLogRow(ip).left(ComputerWidth)},
                 {QStringLiteral("saat"), QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).left(SaatWidth)},
                 {QStringLiteral("tarikh"), shamsi_today.ToText().left(TarikhWidth)},
                 {QStringLiteral("cmt"), cmt.left(CmtWidth)}});
}
