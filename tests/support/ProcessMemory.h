// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QList>
#include <QtGlobal>

/// Memory of a process and the processes it started (engine processes, their helpers), read
/// from /proc. Sizes are proportional set sizes (PSS): a page shared between processes counts
/// once, split between them, so the sizes of a tree add up.
class ProcessMemory
{
public:
    /// PSS of \a pid in KiB, from /proc/<pid>/smaps_rollup; 0 when it cannot be read.
    static qint64 pssKiB(qint64 pid);
    /// Every descendant of \a pid (its children, their children and so on), nearest first;
    /// none for a pid of 0 or less.
    static QList<qint64> descendants(qint64 pid);
    /// PSS of \a pid and all its descendants, in KiB.
    static qint64 treePssKiB(qint64 pid);
};
