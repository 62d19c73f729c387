// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/LoadConcurrency.h"

#include <QFile>
#include <QThread>

#include <algorithm>
#include <cmath>

namespace LoadConcurrency {

int limit(int cores, double loadAverage)
{
    cores = std::max(1, cores);
    const double busy =
        std::isfinite(loadAverage) ? std::clamp(loadAverage, 0.0, double(cores)) : 0.0;
    const int loads = int(std::lround(PerIdleCore * (cores - busy)));
    return std::clamp(loads, Minimum, Maximum);
}

double loadAverage(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    // "0.52 0.58 0.59 2/345 6789": a short read is plenty.
    const QByteArray first = file.read(64).split(' ').value(0);
    bool ok = false;
    const double value = first.toDouble(&ok);
    return ok && value >= 0 ? value : -1;
}

int limitHere()
{
    return limit(QThread::idealThreadCount(), loadAverage());
}

} // namespace LoadConcurrency
