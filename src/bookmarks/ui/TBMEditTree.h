// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QTreeWidget>

/// The bookmark editor's tree: items are dragged within this tree only, and a drop is handed
/// to the editor, which decides what moves where.
class TBMEditTree : public QTreeWidget
{
    Q_OBJECT

public:
    explicit TBMEditTree(QWidget *parent = nullptr);

Q_SIGNALS:
    /// An item of this tree was dropped on \a target (null: on empty space).
    void dropped(QTreeWidgetItem *target);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};
