#pragma once
// Time and memory figures of the benchmarks (Linux): how long a piece of work
// takes, and the process's resident memory now and at its peak.

#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <sys/resource.h>
#include <unistd.h>

namespace Measure {

// Milliseconds since t started or was last read; t starts again, for the next lap.
inline double lapMs(QElapsedTimer& t)
{
    const double ms = double(t.nsecsElapsed()) / 1e6;
    t.restart();
    return ms;
}

// How long work takes, in milliseconds.
template <typename Work>
double msOf(Work&& work)
{
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

// The process's resident memory now, in MiB.
inline double residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> pages = statm.readAll().split(' ');
    return pages.size() > 1 ? pages[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1048576.0 : 0;
}

// The process's peak resident memory since it started, in MiB.
inline double peakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace Measure
