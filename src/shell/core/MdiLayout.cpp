// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "MdiLayout.h"

#include <QtGlobal>

namespace MdiLayout {

namespace {
// Splits \a length into \a count parts; the first (length % count) parts get one pixel more.
QList<QPair<int, int>> split(int start, int length, int count)
{
    QList<QPair<int, int>> parts;
    if (count <= 0)
        return parts;
    const int base = qMax(0, length) / count;
    const int extra = qMax(0, length) % count;
    int pos = start;
    for (int i = 0; i < count; ++i) {
        const int size = base + (i < extra ? 1 : 0);
        parts.append({pos, size});
        pos += size;
    }
    return parts;
}
} // namespace

QList<QRect> tileHorizontally(const QRect &area, int count)
{
    QList<QRect> rects;
    for (const auto &[top, height] : split(area.top(), area.height(), count))
        rects.append(QRect(area.left(), top, area.width(), height));
    return rects;
}

QList<QRect> tileVertically(const QRect &area, int count)
{
    QList<QRect> rects;
    for (const auto &[left, width] : split(area.left(), area.width(), count))
        rects.append(QRect(left, area.top(), width, area.height()));
    return rects;
}

QList<QPoint> arrangeIcons(const QRect &area, const QSize &iconSize, int count)
{
    QList<QPoint> points;
    if (count <= 0 || iconSize.width() <= 0 || iconSize.height() <= 0)
        return points;
    const int perRow = qMax(1, area.width() / iconSize.width());
    for (int i = 0; i < count; ++i) {
        const int row = i / perRow;
        const int column = i % perRow;
        points.append(QPoint(area.left() + column * iconSize.width(),
                             area.top() + area.height() - (row + 1) * iconSize.height()));
    }
    return points;
}

} // namespace MdiLayout
