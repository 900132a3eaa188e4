#include "log_row.h"

#include "core/shamsi_date.h"
#include "core/session.h"
#include "platform/db/sql.h"

#include <QHash>
#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QTime>

namespace {

// Widths of the log table's text columns.
constexpr int KarbarWidth = 150, IpWidth = 20, ComputerWidth = 50, SaatWidth = 30, TarikhWidth = 10,
              CmtWidth = 200;

QHash<QString, QString>& reverseNames()
{
    static QHash<QString, QString> names;
    return names;
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
    auto& names = reverseNames();
    auto it = names.find(address);
    if (it != names.end())
        return it.value();
    names.insert(address, QString());
    QHostInfo::lookupHost(address, [address](const QHostInfo& info) {
        QString name = info.error() == QHostInfo::NoError ? info.hostName() : QString();
        if (name == address) // no reverse name: the look-up echoes the address
            name.clear();
        reverseNames().insert(address, name);
    });
    return QString();
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
