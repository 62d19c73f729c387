// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "bookmarks/BookMarkNode.h"

#include <QObject>

#include <functional>
#include <memory>

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
    /// there but cannot be read; the tree is then empty. A folder's items are made when it is
    /// first expanded, so a file of many thousand bookmarks costs little until looked at.
    void LoadBookMarkTree();
    /// Rebuilds the menu's bookmark items from what LoadBookMarkTree read, with its nesting.
    /// The items are made when the menu (or a submenu) is first about to show.
    void BuildBookMarkMenu();
    /// What LoadBookMarkTree read.
    const QList<BookMarkNode> &nodes() const { return *m_nodes; }
    /// Unselects the tree, so choosing the same node again opens it again.
    void unselect();

    void TreeView1Change(QTreeWidgetItem *node);
    void iventMenuClick(QAction *item);

private:
    using Nodes = std::shared_ptr<const QList<BookMarkNode>>;
    /// Adds \a nodes (owned by \a owner, which the menus keep alive) to \a menu.
    void addItems(QMenu *menu, const Nodes &owner, const QList<BookMarkNode> &nodes);

    Nodes m_nodes = std::make_shared<const QList<BookMarkNode>>();
    // What the menu shows once opened, and whether it has been.
    Nodes m_menuNodes = m_nodes;
    bool m_menuFilled = true;
    QTreeWidget *m_tree;
    QMenu *m_menu;
    Opener m_open;
};
