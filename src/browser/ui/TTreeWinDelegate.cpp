// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/TTreeWinDelegate.h"

#include <QPainter>

void TTreeWinDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    QStyleOptionViewItem opt(option);
    const bool selected = opt.state & QStyle::State_Selected;
    // The active colour group, focus or not.
    opt.state |= QStyle::State_Active;
    QPalette::ColorGroup group = QPalette::Active;
    const QPalette &pal = opt.palette;
    painter->fillRect(opt.rect, pal.color(group, selected ? QPalette::Highlight : QPalette::Base));
    opt.palette.setColor(QPalette::Text, pal.color(group, QPalette::Text));
    opt.palette.setColor(QPalette::Highlight, pal.color(group, QPalette::Highlight));
    opt.palette.setColor(QPalette::HighlightedText, pal.color(group, QPalette::HighlightedText));
    QStyledItemDelegate::paint(painter, opt, index);
}
