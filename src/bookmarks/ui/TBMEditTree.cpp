// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "bookmarks/TBMEditTree.h"

#include <QDropEvent>

TBMEditTree::TBMEditTree(QWidget *parent)
    : QTreeWidget(parent)
{
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(true);
}

void TBMEditTree::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TBMEditTree::dragMoveEvent(QDragMoveEvent *event)
{
    QTreeWidget::dragMoveEvent(event);
    if (event->source() == this)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TBMEditTree::dropEvent(QDropEvent *event)
{
    if (event->source() != this) {
        event->ignore();
        return;
    }
    // The move is the editor's; Qt must not move or copy anything itself.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    Q_EMIT dropped(itemAt(event->position().toPoint()));
}
