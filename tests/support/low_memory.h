#pragma once
// Runs a step with so little address space to spare that a password hash,
// which needs 64 MiB, cannot be made (as on a machine short of memory).

#include <QFile>
#include <sys/resource.h>
#include <unistd.h>

template <class F> void withLittleMemory(F step)
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    statm.open(QIODevice::ReadOnly);
    const qint64 pages = statm.readAll().split(' ').value(0).toLongLong();
    rlimit old{};
    getrlimit(RLIMIT_AS, &old);
    rlimit tight = old;
    tight.rlim_cur = rlim_t(pages * sysconf(_SC_PAGESIZE) + 24 * 1024 * 1024);
    setrlimit(RLIMIT_AS, &tight);
    step();
    setrlimit(RLIMIT_AS, &old);
}
