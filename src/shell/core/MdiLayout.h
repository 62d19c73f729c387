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
/// "アイコンの整列": places for \a count minimized windows of \a iconSize, left to right along
/// the bottom edge of \a area, starting a new row above when a row is full.
QList<QPoint> arrangeIcons(const QRect &area, const QSize &iconSize, int count);

} // namespace MdiLayout
