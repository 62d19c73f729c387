// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/TBand.h"

TBand::TBand(const QString &title, QWidget *parent)
    : QToolBar(title, parent)
{}

void TBand::setBandWidth(int width)
{
    m_width = width;
    updateGeometry();
}

QSize TBand::sizeHint() const
{
    QSize size = QToolBar::sizeHint();
    if (m_width > 0)
        size.setWidth(qMax(m_width, size.width()));
    return size;
}
