// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/MdiLayout.h"

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

QList<QRect> cascade(const QRect &area, int count, int step)
{
    QList<QRect> rects;
    if (count <= 0 || area.isEmpty())
        return rects;
    const QSize size(qMin(area.width(), qMax(area.width() * 2 / 3, 320)),
                     qMin(area.height(), qMax(area.height() * 2 / 3, 240)));
    step = qMax(step, 1);
    // How many steps fit before a window would leave the area.
    const int fit =
        1 + qMin((area.width() - size.width()) / step, (area.height() - size.height()) / step);
    rects.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int offset = (i % fit) * step;
        rects.append(QRect(area.topLeft() + QPoint(offset, offset), size));
    }
    return rects;
}

} // namespace MdiLayout
