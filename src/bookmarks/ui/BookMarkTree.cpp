// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "bookmarks/BookMarkTree.h"

#include "common/ImageList.h"

#include <QTreeWidget>

namespace {
constexpr int UrlRole = Qt::UserRole;
constexpr int ImageRole = Qt::UserRole + 1;
// The node whose children a shallow item has not made yet.
constexpr int PendingRole = Qt::UserRole + 2;

const BookMarkNode *pendingNode(const QTreeWidgetItem *item)
{
    return reinterpret_cast<const BookMarkNode *>(item->data(0, PendingRole).value<quintptr>());
}
} // namespace

namespace BookMarkTree {

QTreeWidgetItem *makeItem(const BookMarkNode &node)
{
    auto *item = new QTreeWidgetItem(QStringList(node.text));
    setUrl(item, node.url);
    setImageIndex(item, node.imageIndex);
    QList<QTreeWidgetItem *> children;
    children.reserve(node.children.size());
    for (const BookMarkNode &child : node.children)
        children.append(makeItem(child));
    item->addChildren(children);
    return item;
}

QTreeWidgetItem *makeShallowItem(const BookMarkNode &node)
{
    auto *item = new QTreeWidgetItem(QStringList(node.text));
    setUrl(item, node.url);
    setImageIndex(item, node.imageIndex);
    if (!node.children.isEmpty()) {
        item->setData(0, PendingRole, quintptr(&node));
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    return item;
}

void expandPending(QTreeWidgetItem *item)
{
    const BookMarkNode *node = item ? pendingNode(item) : nullptr;
    if (!node)
        return;
    item->setData(0, PendingRole, QVariant());
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    QList<QTreeWidgetItem *> children;
    children.reserve(node->children.size());
    for (const BookMarkNode &child : node->children)
        children.append(makeShallowItem(child));
    item->addChildren(children);
}

void fillShallow(QTreeWidget *tree, const QList<BookMarkNode> &nodes)
{
    tree->clear();
    QList<QTreeWidgetItem *> items;
    items.reserve(nodes.size());
    for (const BookMarkNode &node : nodes)
        items.append(makeShallowItem(node));
    tree->addTopLevelItems(items);
}

void fill(QTreeWidget *tree, const QList<BookMarkNode> &nodes)
{
    tree->clear();
    append(tree, nodes);
}

void append(QTreeWidget *tree, const QList<BookMarkNode> &nodes)
{
    QList<QTreeWidgetItem *> items;
    items.reserve(nodes.size());
    for (const BookMarkNode &node : nodes)
        items.append(makeItem(node));
    tree->addTopLevelItems(items);
}

BookMarkNode node(const QTreeWidgetItem *item)
{
    if (const BookMarkNode *pending = pendingNode(item))
        return BookMarkNode{item->text(0), url(item), imageIndex(item), pending->children};
    BookMarkNode node{item->text(0), url(item), imageIndex(item), {}};
    node.children.reserve(item->childCount());
    for (int i = 0; i < item->childCount(); ++i)
        node.children.append(BookMarkTree::node(item->child(i)));
    return node;
}

QList<BookMarkNode> nodes(const QTreeWidget *tree)
{
    QList<BookMarkNode> nodes;
    nodes.reserve(tree->topLevelItemCount());
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        nodes.append(node(tree->topLevelItem(i)));
    return nodes;
}

QString url(const QTreeWidgetItem *item)
{
    return item->data(0, UrlRole).toString();
}

void setUrl(QTreeWidgetItem *item, const QString &url)
{
    item->setData(0, UrlRole, url);
}

int imageIndex(const QTreeWidgetItem *item)
{
    const QVariant index = item->data(0, ImageRole);
    return index.isValid() ? index.toInt() : BookMarkNode::PlainImage;
}

void setImageIndex(QTreeWidgetItem *item, int index)
{
    item->setData(0, ImageRole, index);
    item->setIcon(0, index >= 0 ? ImageList::shared().icon(index) : QIcon());
}

bool isEntry(const QTreeWidgetItem *item)
{
    return imageIndex(item) == BookMarkNode::EntryImage;
}

bool isFolder(const QTreeWidgetItem *item)
{
    return imageIndex(item) == BookMarkNode::FolderImage;
}

namespace {
void insertAt(QTreeWidget *tree, QTreeWidgetItem *parent, int index, QTreeWidgetItem *item)
{
    if (parent)
        parent->insertChild(index, item);
    else
        tree->insertTopLevelItem(index, item);
}
} // namespace

void insertBefore(QTreeWidgetItem *before, QTreeWidgetItem *item)
{
    insertAt(before->treeWidget(), before->parent(), position(before), item);
}

void insertAfter(QTreeWidgetItem *after, QTreeWidgetItem *item)
{
    insertAt(after->treeWidget(), after->parent(), position(after) + 1, item);
}

void insertFirstChild(QTreeWidgetItem *folder, QTreeWidgetItem *item)
{
    if (folder->childCount() > 0) {
        folder->insertChild(0, item);
        return;
    }
    auto *placeholder = new QTreeWidgetItem(folder, QStringList(QStringLiteral("123")));
    folder->insertChild(0, item);
    delete placeholder;
}

void take(QTreeWidgetItem *item)
{
    if (QTreeWidgetItem *parent = item->parent())
        parent->takeChild(parent->indexOfChild(item));
    else if (QTreeWidget *tree = item->treeWidget())
        tree->takeTopLevelItem(tree->indexOfTopLevelItem(item));
}

int position(const QTreeWidgetItem *item)
{
    if (const QTreeWidgetItem *parent = item->parent())
        return parent->indexOfChild(const_cast<QTreeWidgetItem *>(item));
    return item->treeWidget()->indexOfTopLevelItem(const_cast<QTreeWidgetItem *>(item));
}

int siblingCount(const QTreeWidgetItem *item)
{
    if (const QTreeWidgetItem *parent = item->parent())
        return parent->childCount();
    return item->treeWidget()->topLevelItemCount();
}

bool isInside(const QTreeWidgetItem *item, const QTreeWidgetItem *root)
{
    for (const QTreeWidgetItem *up = item ? item->parent() : nullptr; up; up = up->parent()) {
        if (up == root)
            return true;
    }
    return false;
}

} // namespace BookMarkTree
