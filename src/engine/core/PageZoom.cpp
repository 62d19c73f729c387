// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/PageZoom.h"

#include <QtMath>

#include <algorithm>

const QList<int> &PageZoom::steps()
{
    static const QList<int> list{25,  33,  50,  67,  75,  80,  90,  100, 110,
                                 125, 150, 175, 200, 250, 300, 400, 500};
    return list;
}

int PageZoom::step(int percent, int steps)
{
    int zoom = qBound(Smallest, percent, Largest);
    const QList<int> &all = PageZoom::steps();
    for (; steps > 0; --steps) {
        auto next = std::upper_bound(all.begin(), all.end(), zoom);
        zoom = next == all.end() ? Largest : *next;
    }
    for (; steps < 0; ++steps) {
        auto next = std::lower_bound(all.begin(), all.end(), zoom);
        zoom = next == all.begin() ? Smallest : *(next - 1);
    }
    return zoom;
}

int PageZoom::percentOf(double factor)
{
    return qRound(factor * 100);
}
