// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "bookmarks/TBookMarkView.h"

#include "bookmarks/BookMarkFile.h"
#include "bookmarks/BookMarkRules.h"
#include "bookmarks/BookMarkTree.h"
#include "common/DynamicMenu.h"
#include "common/ErrorHandler.h"
#include "common/ImageList.h"

#include <QAction>
#include <QMenu>
#include <QTreeWidget>

TBookMarkView::TBookMarkView(QTreeWidget *tree, QMenu *menu, Opener open, QObject *parent)
    : QObject(parent)
    , m_tree(tree)
    , m_menu(menu)
    , m_open(std::move(open))
{
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Selection, not the current item: the tree makes its first node current when it gets the
    // keyboard focus, which must open nothing.
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem *> selected = m_tree->selectedItems();
        ErrorHandler::Run([this, &selected] { TreeView1Change(selected.value(0)); });
    });
    connect(m_tree, &QTreeWidget::itemExpanded, this, &BookMarkTree::expandPending);
    connect(m_menu, &QMenu::aboutToShow, this, [this] {
        if (m_menuFilled)
            return;
        m_menuFilled = true;
        addItems(m_menu, m_menuNodes, *m_menuNodes);
    });
}

void TBookMarkView::LoadBookMarkTree()
{
    // The items point into the nodes: both go together.
    m_tree->clear();
    m_nodes = std::make_shared<const QList<BookMarkNode>>(BookMarkFile::load(BookMarkFile::path()));
    BookMarkTree::fillShallow(m_tree, *m_nodes);
}

void TBookMarkView::BuildBookMarkMenu()
{
    DynamicMenu::RemoveMenuItems(m_menu);
    // Submenus made last time go with their items.
    m_menuNodes = m_nodes;
    m_menuFilled = false;
}

void TBookMarkView::addItems(QMenu *menu, const Nodes &owner, const QList<BookMarkNode> &nodes)
{
    int position = int(menu->actions().size());
    for (const BookMarkNode &node : nodes) {
        const QString hint = node.isEntry() ? node.url : QString();
        QAction *item = DynamicMenu::AddMenuItem(
            menu, BookMarkRules::menuCaption(node.text), hint, node.imageIndex, position++,
            [this](QAction *chosen) {
                ErrorHandler::Run([this, chosen] { iventMenuClick(chosen); });
            });
        if (node.children.isEmpty())
            continue;
        auto *submenu = new QMenu(menu);
        item->setMenu(submenu);
        connect(item, &QObject::destroyed, submenu, &QObject::deleteLater);
        // Filled once, when the user first opens it; the submenu keeps the nodes alive.
        const QList<BookMarkNode> *children = &node.children;
        connect(submenu, &QMenu::aboutToShow, this, [this, submenu, owner, children] {
            if (submenu->isEmpty())
                addItems(submenu, owner, *children);
        });
    }
}

void TBookMarkView::unselect()
{
    const QSignalBlocker quiet(m_tree);
    m_tree->clearSelection();
    m_tree->setCurrentItem(nullptr);
}

void TBookMarkView::TreeView1Change(QTreeWidgetItem *node)
{
    if (node && BookMarkTree::isEntry(node) && !BookMarkTree::url(node).isEmpty())
        m_open(BookMarkTree::url(node));
}

void TBookMarkView::iventMenuClick(QAction *item)
{
    const QString hint = item->data().toString();
    if (!hint.isEmpty())
        m_open(hint);
}
