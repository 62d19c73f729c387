// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/StartupTrace.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QSet>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

qint64 nowNs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

/// The launch on CLOCK_REALTIME, or -1 when no trace is asked for.
qint64 launchNs()
{
    const QByteArray value = qgetenv("DORVU_TRACE_STARTUP");
    if (value.isEmpty())
        return -1;
    bool ok = false;
    const qint64 given = value.toLongLong(&ok);
    if (ok && given > 1000000000)
        return given;
    // The process's own start, in clock ticks after boot (field 22 of /proc/self/stat).
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return nowNs(CLOCK_REALTIME);
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const qint64 ticks = fields.size() > 19 ? fields.at(19).toLongLong() : 0;
    const qint64 sinceStart = nowNs(CLOCK_BOOTTIME) - ticks * 1000000000 / sysconf(_SC_CLK_TCK);
    return nowNs(CLOCK_REALTIME) - sinceStart;
}

} // namespace

void StartupTrace::mark(const char *step)
{
    static const qint64 launch = launchNs();
    if (launch < 0)
        return;
    static QMutex mutex;
    static QSet<QByteArray> seen;
    QMutexLocker lock(&mutex);
    if (seen.contains(step))
        return;
    seen.insert(step);
    std::fprintf(stderr, "startup %.1f %s\n", double(nowNs(CLOCK_REALTIME) - launch) / 1e6, step);
    std::fflush(stderr);
}
