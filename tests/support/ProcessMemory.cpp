// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "ProcessMemory.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace {

/// The parent pid of every process, from /proc/<pid>/stat.
QHash<qint64, qint64> parents()
{
    QHash<qint64, qint64> result;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // "pid (name) state ppid ...": the name may hold blanks, so start after the last ")".
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1)
            result.insert(pid, fields.at(1).toLongLong());
    }
    return result;
}

} // namespace

qint64 ProcessMemory::pssKiB(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    // /proc files report size 0: read them whole.
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

QList<qint64> ProcessMemory::descendants(qint64 pid)
{
    // No process has pid 0 (QProcess's answer once its process has ended); the kernel's own
    // threads name it as their parent.
    if (pid <= 0)
        return {};
    const QHash<qint64, qint64> parent = parents();
    QList<qint64> tree{pid};
    for (int i = 0; i < tree.size(); ++i) {
        for (auto it = parent.cbegin(); it != parent.cend(); ++it) {
            if (it.value() == tree.at(i))
                tree.append(it.key());
        }
    }
    tree.removeFirst();
    return tree;
}

qint64 ProcessMemory::treePssKiB(qint64 pid)
{
    qint64 total = pssKiB(pid);
    for (const qint64 child : descendants(pid))
        total += pssKiB(child);
    return total;
}
