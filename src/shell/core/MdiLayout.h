// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

/// Geometry of the Window menu's arrangement commands over the child window area.
namespace MdiLayout {

/// "水平に並べて表示": \a count full-width rows stacked top to bottom, covering \a area exactly.
QList<QRect> tileHorizontally(const QRect &area, int count);
/// "垂直に並べて表示": \a count full-height columns side by side, covering \a area exactly.
QList<QRect> tileVertically(const QRect &area, int count);
/// "重ねて表示": \a count windows of one usable size (two thirds of \a area each way, but no
/// smaller than 320×240 where the area allows), each \a step further right and down than the
/// one before, starting again at the top left when the next would leave the area.
QList<QRect> cascade(const QRect &area, int count, int step);
/// "アイコンの整列": places for \a count minimized windows of \a iconSize, left to right along
/// the bottom edge of \a area, starting a new row above when a row is full.
QList<QPoint> arrangeIcons(const QRect &area, const QSize &iconSize, int count);

} // namespace MdiLayout
