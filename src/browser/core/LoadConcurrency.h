// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

/// How many waiting pages of a bulk open load at the same time. A page spends much of its load
/// waiting on the network and the rest in a renderer process of its own, so a quiet machine
/// loads a few per core at once; the more of the processors other programs are using, the
/// fewer, so that the page in front keeps its share. The page in front itself never waits.
namespace LoadConcurrency {

/// Loads at once per idle core.
inline constexpr int PerIdleCore = 4;
/// Never fewer than this, however busy the machine: the list still moves.
inline constexpr int Minimum = 1;
/// Never more: beyond this the renderers only share the same cores and memory.
inline constexpr int Maximum = 16;

/// The loads at once for \a cores processors with a run queue of \a loadAverage (the one-minute
/// load average; below zero when unknown, taken as a quiet machine).
int limit(int cores, double loadAverage);
/// The one-minute load average in the file \a path (/proc/loadavg's format); -1 when it cannot
/// be read.
double loadAverage(const QString &path = QStringLiteral("/proc/loadavg"));
/// limit() for this machine now.
int limitHere();

} // namespace LoadConcurrency
