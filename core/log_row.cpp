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
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace {

// Widths of the log table's text columns.
constexpr int KarbarWidth = 150, IpWidth = 20, ComputerWidth = 50, SaatWidth = 30, TarikhWidth = 10,
              CmtWidth = 200;
// The longest a log row waits for the workstation's name, once per run.
constexpr int LogRowWaitMs = 1500;

// The answer of one reverse look-up, written by the thread that asks the
// resolver and read by the window's thread.
struct Answer {
    std::mutex lock;
    std::condition_variable given;
    bool known = false;
    QString name;
};

// The reverse look-ups of the run, by address (the window's thread only): the
// answer, and who waits for it until it is known there.
struct ReverseName {
    std::shared_ptr<Answer> answer;
    bool delivered = false;
    bool waitedFor = false;
    QList<QPair<QPointer<QObject>, std::function<void(const QString&)>>> waiting;
};

QHash<QString, ReverseName>& reverseNames()
{
    static QHash<QString, ReverseName> names;
    return names;
}

// The name, when known by now.
std::optional<QString> knownName(Answer& answer)
{
    std::lock_guard<std::mutex> hold(answer.lock);
    return answer.known ? std::optional<QString>(answer.name) : std::nullopt;
}

// On the window's thread, once the answer is in: those waiting are told.
void deliver(const QString& address)
{
    ReverseName& entry = reverseNames()[address];
    entry.delivered = true;
    const QString name = knownName(*entry.answer).value_or(QString());
    const auto waiting = std::exchange(entry.waiting, {});
    for (const auto& [context, done] : waiting)
        if (context)
            done(name);
}

// Starts the look-up of an address the first time it is asked for. The
// resolver is asked on a thread of its own, so that a log row can wait for
// the answer a limited time while the window's thread stays free of events.
ReverseName& lookUp(const QString& address)
{
    auto& names = reverseNames();
    auto it = names.find(address);
    if (it != names.end())
        return it.value();
    ReverseName& entry = names[address];
    entry.answer = std::make_shared<Answer>();
    std::thread([answer = entry.answer, address] {
        const QHostInfo info = QHostInfo::fromName(address);
        QString name = info.error() == QHostInfo::NoError ? info.hostName() : QString();
        if (name == address) // no reverse name: the look-up echoes the address
            name.clear();
        {
            std::lock_guard<std::mutex> hold(answer->lock);
            answer->known = true;
            answer->name = name;
        }
        answer->given.notify_all();
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, [address] { deliver(address); }, Qt::QueuedConnection);
    }).detach();
    return entry;
}

// The host name for a log row: the first row of the run waits for the
// look-up a short while; later rows take what is known.
QString nameForLogRow(const QString& address)
{
    if (address.isEmpty())
        return QString();
    ReverseName& entry = lookUp(address);
    if (!std::exchange(entry.waitedFor, true)) {
        Answer& answer = *entry.answer;
        std::unique_lock<std::mutex> hold(answer.lock);
        answer.given.wait_for(hold, std::chrono::milliseconds(LogRowWaitMs), [&] { return answer.known; });
        return answer.name;
    }
    return knownName(*entry.answer).value_or(QString());
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
    if (address.isEmpty())
        return QString();
    return knownName(*lookUp(address).answer).value_or(QString());
}

void whenHostNameKnown(const QString& address, QObject* context, std::function<void(const QString&)> done)
{
    if (address.isEmpty()) {
        done(QString());
        return;
    }
    ReverseName& entry = lookUp(address);
    if (entry.delivered)
        done(knownName(*entry.answer).value_or(QString()));
    else
        entry.waiting.append({QPointer<QObject>(context), std::move(done)});
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
