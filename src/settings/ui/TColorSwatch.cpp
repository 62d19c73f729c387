// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/TColorSwatch.h"

#include "settings/ColorPalette.h"

#include <QKeyEvent>
#include <QMouseEvent>

TColorSwatch::TColorSwatch(QWidget *parent)
    : QLabel(parent)
{
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setMinimumSize(40, 18);
    setCursor(Qt::PointingHandCursor);
    // Reachable by keyboard as well: Space or Enter opens the picker.
    setFocusPolicy(Qt::StrongFocus);
    setColor(0);
}

void TColorSwatch::setColor(quint32 color)
{
    m_color = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, ColorPalette::toQColor(color));
    setPalette(p);
}

void TColorSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void TColorSwatch::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        Q_EMIT clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}
