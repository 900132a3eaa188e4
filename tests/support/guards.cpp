// Built into every test executable (tuvek_add_test): the guards of the test
// build are on from the start of each test program. A write without a key of
// its table, or a message box shown while the command holds keys, stops the
// test that did it. TUVEK_GUARD=warn logs each one and goes on, with the
// calls that led there, to list them all in one run of the suite.

#include "core/lock_keys.h"
#include "platform/db/database.h"
#include "platform/db/sql.h"
#include "platform/ui/msg.h"

#include <QProcess>
#include <QtDebug>

#include <dlfcn.h>
#include <execinfo.h>

namespace {

// The calls that led here, one "function at file:line" a line (warn only).
QString callers()
{
    void* frames[32];
    const int n = backtrace(frames, 32);
    QStringList offsets;
    QString binary;
    for (int i = 1; i < n; ++i) {
        Dl_info info;
        if (!dladdr(frames[i], &info) || !info.dli_fname)
            continue;
        if (binary.isEmpty())
            binary = QString::fromLocal8Bit(info.dli_fname);
        if (binary != QString::fromLocal8Bit(info.dli_fname))
            continue;
        offsets << QStringLiteral("0x%1").arg(quintptr(frames[i]) - quintptr(info.dli_fbase) - 1, 0, 16);
    }
    QProcess addr2line;
    addr2line.start(QStringLiteral("addr2line"), QStringList{QStringLiteral("-Cfpie"), binary} + offsets);
    if (!addr2line.waitForFinished(20000))
        return {};
    return QString::fromLocal8Bit(addr2line.readAllStandardOutput());
}

void offence(const QString& what)
{
    if (qgetenv("TUVEK_GUARD") != "warn")
        qFatal("%s", qPrintable(what));
    qWarning().noquote() << "GUARD:" << what << "\n" << callers();
}

[[maybe_unused]] const bool On = [] {
    Keys::guardWrites(offence);
    Msg::setBeforeShow([](const Msg::Request& request) {
        Database& db = Database::current();
        if (db.holdsKeys())
            offence(QStringLiteral("box shown while keys are held (%1): %2")
                        .arg(db.heldKeyNames().join(QStringLiteral(", ")), request.text));
    });
    return true;
}();

} // namespace
