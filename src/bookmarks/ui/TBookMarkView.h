// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

/// The main window's bookmarks: the side bar tree and the bookmark menu, both made from
/// BookMark.xml, and the choice of a bookmark in either.
class TBookMarkView : public QObject
{
    Q_OBJECT

public:
    /// Opens a chosen bookmark's address.
    using Opener = std::function<void(const QString &url)>;

    /// \a tree: the side bar's tree; \a menu: the bookmark menu, whose fixed items stay first.
    TBookMarkView(QTreeWidget *tree, QMenu *menu, Opener open, QObject *parent = nullptr);

    /// Replaces the tree's content with BookMark.xml's. Throws DorvuError when the file is
    /// there but cannot be read; the tree is then empty.
    void LoadBookMarkTree();
    /// Rebuilds the menu's bookmark items from the tree, with its nesting.
    void BuildBookMarkMenu();
    /// Unselects the tree, so choosing the same node again opens it again.
    void unselect();

    void TreeView1Change(QTreeWidgetItem *node);
    void iventMenuClick(QAction *item);

private:
    void addItems(QMenu *menu, QTreeWidgetItem *parent, int count);

    QTreeWidget *m_tree;
    QMenu *m_menu;
    Opener m_open;
};
