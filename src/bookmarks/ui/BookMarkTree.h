// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "bookmarks/BookMarkNode.h"

class QTreeWidget;
class QTreeWidgetItem;

/// Bookmark nodes as tree items: the name is the item's text, the address and the picture
/// index travel in its data; the picture comes from the shared picture list.
namespace BookMarkTree {

QTreeWidgetItem *makeItem(const BookMarkNode &node);
/// An item for \a node whose children are made only when it is first expanded
/// (expandPending); \a node must outlive the item. node() still gives its whole subtree.
QTreeWidgetItem *makeShallowItem(const BookMarkNode &node);
/// Makes the children of an item from makeShallowItem, once; other items are left alone.
void expandPending(QTreeWidgetItem *item);
/// Replaces the content of \a tree with shallow items of \a nodes, which must outlive them.
void fillShallow(QTreeWidget *tree, const QList<BookMarkNode> &nodes);
/// Replaces the content of \a tree with \a nodes.
void fill(QTreeWidget *tree, const QList<BookMarkNode> &nodes);
/// Appends \a nodes at the end of \a tree's top level.
void append(QTreeWidget *tree, const QList<BookMarkNode> &nodes);
BookMarkNode node(const QTreeWidgetItem *item);
QList<BookMarkNode> nodes(const QTreeWidget *tree);

QString url(const QTreeWidgetItem *item);
void setUrl(QTreeWidgetItem *item, const QString &url);
int imageIndex(const QTreeWidgetItem *item);
void setImageIndex(QTreeWidgetItem *item, int index);
bool isEntry(const QTreeWidgetItem *item);
bool isFolder(const QTreeWidgetItem *item);

// Editing: items of one tree.

/// Puts \a item at \a before's level, just before it.
void insertBefore(QTreeWidgetItem *before, QTreeWidgetItem *item);
/// Puts \a item at \a after's level, just after it.
void insertAfter(QTreeWidgetItem *after, QTreeWidgetItem *item);
/// Makes \a item the first child of \a folder; into an empty folder through a placeholder
/// child, so the folder is never shown empty-handed.
void insertFirstChild(QTreeWidgetItem *folder, QTreeWidgetItem *item);
/// Takes \a item (with its subtree) out of its tree.
void take(QTreeWidgetItem *item);
/// The position of \a item among its siblings, and their number.
int position(const QTreeWidgetItem *item);
int siblingCount(const QTreeWidgetItem *item);
/// True when \a item lies in \a root's subtree below \a root.
bool isInside(const QTreeWidgetItem *item, const QTreeWidgetItem *root);

} // namespace BookMarkTree
