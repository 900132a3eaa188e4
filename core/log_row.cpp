#include "log_row.h"

#include "core/shamsi_date.h"
#include "core/session.h"
#include "platform/db/sql.h"

#include <QHash>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QPointer>
#include <QTime>
#include <utility>

namespace {

// Widths of the log table's text columns.
constexpr int KarbarWidth = 150, IpWidth = 20, ComputerWidth = 50, SaatWidth = 30, TarikhWidth = 10,
              CmtWidth = 200;

// The reverse look-ups of the run, by address: the name once known (empty
// when the address has none) and who waits for it until then.
struct ReverseName {
    bool known = false;
    QString name;
    QList<QPair<QPointer<QObject>, std::function<void(const QString&)>>> waiting;
};

QHash<QString, ReverseName>& reverseNames()
{
    static QHash<QString, ReverseName> names;
    return names;
}

// Starts the look-up of an address the first time it is asked for.
ReverseName& lookUp(const QString& address)
{
    auto& names = reverseNames();
    auto it = names.find(address);
    if (it != names.end())
        return it.value();
    ReverseName& entry = names[address];
    QHostInfo::lookupHost(address, [address](const QHostInfo& info) {
        QString name = info.error() == QHostInfo::NoError ? info.hostName() : QString();
        if (name == address) // no reverse name: the look-up echoes the address
            name.clear();
        ReverseName& found = reverseNames()[address];
        found.known = true;
        found.name = name;
        const auto waiting = std::exchange(found.waiting, {});
        for (const auto& [context, done] : waiting)
            if (context)
                done(name);
    });
    return entry;
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
    return lookUp(address).name;
}

void whenHostNameKnown(const QString& address, QObject* context, std::function<void(const QString&)> done)
{
    if (address.isEmpty()) {
        done(QString());
        return;
    }
    ReverseName& entry = lookUp(address);
    if (entry.known)
        done(entry.name);
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
                 {QStringLiteral("computer_name"), IPAddrToName(ip).left(ComputerWidth)},
                 {QStringLiteral("saat"), QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).left(SaatWidth)},
                 {QStringLiteral("tarikh"), shamsi_today.ToText().left(TarikhWidth)},
                 {QStringLiteral("cmt"), cmt.left(CmtWidth)}});
}
