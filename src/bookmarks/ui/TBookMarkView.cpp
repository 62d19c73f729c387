// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "TBookMarkView.h"

#include "BookMarkFile.h"
#include "BookMarkRules.h"
#include "BookMarkTree.h"
#include "DynamicMenu.h"
#include "ErrorHandler.h"
#include "ImageList.h"

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
}

void TBookMarkView::LoadBookMarkTree()
{
    m_tree->clear();
    BookMarkTree::fill(m_tree, BookMarkFile::load(BookMarkFile::path()));
}

void TBookMarkView::BuildBookMarkMenu()
{
    DynamicMenu::RemoveMenuItems(m_menu);
    // Submenus made last time go with their items.
    addItems(m_menu, nullptr, m_tree->topLevelItemCount());
}

void TBookMarkView::addItems(QMenu *menu, QTreeWidgetItem *parent, int count)
{
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem *node = parent ? parent->child(i) : m_tree->topLevelItem(i);
        const QString hint = BookMarkTree::isEntry(node) ? BookMarkTree::url(node) : QString();
        QAction *item = DynamicMenu::AddMenuItem(
            menu, BookMarkRules::menuCaption(node->text(0)), hint, BookMarkTree::imageIndex(node),
            int(menu->actions().size()), [this](QAction *chosen) {
                ErrorHandler::Run([this, chosen] { iventMenuClick(chosen); });
            });
        if (node->childCount() == 0)
            continue;
        auto *submenu = new QMenu(menu);
        item->setMenu(submenu);
        connect(item, &QObject::destroyed, submenu, &QObject::deleteLater);
        addItems(submenu, node, node->childCount());
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
