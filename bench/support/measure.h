#pragma once
// Time and memory figures of the benchmarks (Linux): how long a piece of work
// takes, and the process's resident memory now and at its peak.

#include <QElapsedTimer>
#include <QFile>
#include <malloc.h>

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

// A memory figure of the process's status ("VmRSS:", "VmHWM:"), in MiB.
inline double statusMiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// The process's resident memory now, in MiB.
inline double residentMiB() { return statusMiB("VmRSS:"); }

// The process's peak resident memory since it started or since resetPeak(),
// in MiB. The process's own high-water mark: getrusage's maximum would count,
// in a child, the memory of the parent it was forked from.
inline double peakMiB() { return statusMiB("VmHWM:"); }

// Gives freed memory back first, then starts the high-water mark again from
// what is resident now, so that what earlier work left behind neither hides
// nor inflates the peak measured next.
inline void resetPeak()
{
    malloc_trim(0);
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

} // namespace Measure
