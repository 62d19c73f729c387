// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/TWindowListView.h"

#include "browser/PageRules.h"
#include "browser/TTabControl.h"
#include "browser/TTreeWinDelegate.h"
#include "browser/WindowList.h"
#include "common/ErrorHandler.h"
#include "common/ImageList.h"

#include <QMenu>
#include <QTreeWidget>

namespace {

constexpr int ImageRole = Qt::UserRole + 1;

} // namespace

TWindowListView::TWindowListView(WindowList &list, TTabControl *tabs, QTreeWidget *tree,
                                 QMenu *popup, QObject *parent)
    : QObject(parent)
    , m_list(list)
    , m_tabs(tabs)
    , m_tree(tree)
    , m_popup(popup)
{
    connect(&m_list, &WindowList::entryAppended, this, &TWindowListView::entryAppended);
    connect(&m_list, &WindowList::entryRemoved, this, &TWindowListView::entryRemoved);
    connect(&m_list, &WindowList::entryMoved, this, &TWindowListView::entryMoved);
    connect(&m_list, &WindowList::entryChanged, this, &TWindowListView::entryChanged);
    connect(&m_list, &WindowList::selectionChanged, this, &TWindowListView::selectionChanged);
    if (tabs) {
        connect(tabs, &QTabBar::currentChanged, this, [this](int index) {
            if (!m_syncing)
                Q_EMIT selected(index);
        });
        connect(tabs, &TTabControl::nonLeftPressed, this, &TWindowListView::pressedAt);
        // A tab the user dragged elsewhere: the list follows, and the tree and winlist with it.
        connect(tabs, &QTabBar::tabMoved, this, [this](int from, int to) {
            if (m_syncing)
                return;
            m_tabDragged = true;
            ErrorHandler::Run([&] { m_list.move(from, to); });
            m_tabDragged = false;
        });
        connect(tabs, &QTabBar::tabCloseRequested, this, &TWindowListView::closeRequested);
        connect(tabs, &QWidget::customContextMenuRequested, this, &TWindowListView::tabContextMenu);
    }
    if (tree) {
        tree->setItemDelegate(new TTreeWinDelegate(tree));
        // One line per window: uniform rows keep selection and scrolling independent of the
        // number of windows.
        tree->setUniformRowHeights(true);
        tree->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *node) {
            if (m_syncing)
                return;
            if (const int pos = positionOfNode(node); pos >= 0)
                Q_EMIT selected(pos);
        });
        connect(tree, &QWidget::customContextMenuRequested, this,
                &TWindowListView::treeContextMenu);
    }
}

int TWindowListView::positionOfNode(QTreeWidgetItem *node) const
{
    if (!node || node->parent() || !m_tree)
        return -1;
    return m_tree->indexOfTopLevelItem(node);
}

int TWindowListView::currentTab() const
{
    return m_tabs ? m_tabs->currentIndex() : -1;
}

void TWindowListView::tabContextMenu(const QPoint &pos)
{
    if (m_popup && m_tabs)
        m_popup->popup(m_tabs->mapToGlobal(pos));
}

void TWindowListView::treeContextMenu(const QPoint &pos)
{
    if (!m_tree)
        return;
    // The menu opened from the tree acts on the node that was clicked.
    Q_EMIT pressedAt(positionOfNode(m_tree->itemAt(pos)));
    if (m_popup)
        m_popup->popup(m_tree->viewport()->mapToGlobal(pos));
}

void TWindowListView::entryAppended(int pos)
{
    const WindowList::Entry &e = m_list.at(pos);
    const int imageIndex = e.privateWindow ? PageRules::ImagePrivate : PageRules::imageOf(e.kind);
    const QIcon picture = ImageList::shared().icon(imageIndex);
    m_syncing = true;
    if (m_tabs) {
        m_tabs->insertTab(pos, e.tabText);
        if (e.privateWindow)
            m_tabs->setTabPrivate(pos, picture);
    }
    if (m_tree) {
        auto *node = new QTreeWidgetItem(QStringList(e.nodeText));
        node->setData(0, ImageRole, imageIndex);
        node->setIcon(0, picture);
        m_tree->insertTopLevelItem(pos, node);
    }
    m_syncing = false;
    selectionChanged(m_list.selected());
}

void TWindowListView::entryRemoved(int pos)
{
    m_syncing = true;
    if (m_tabs)
        m_tabs->removeTab(pos);
    if (m_tree)
        delete m_tree->takeTopLevelItem(pos);
    m_syncing = false;
}

void TWindowListView::entryMoved(int from, int to)
{
    m_syncing = true;
    // The tab strip has moved its tab itself when the user dragged it.
    if (m_tabs && !m_tabDragged)
        m_tabs->moveTab(from, to);
    if (m_tree) {
        if (QTreeWidgetItem *node = m_tree->takeTopLevelItem(from))
            m_tree->insertTopLevelItem(to, node);
    }
    m_syncing = false;
}

void TWindowListView::entryChanged(int pos)
{
    const WindowList::Entry &e = m_list.at(pos);
    if (m_tabs)
        m_tabs->setTabText(pos, e.tabText);
    if (m_tree) {
        if (QTreeWidgetItem *node = m_tree->topLevelItem(pos))
            node->setText(0, e.nodeText);
    }
}

void TWindowListView::selectionChanged(int pos)
{
    m_syncing = true;
    if (m_tabs)
        m_tabs->setSelectedTab(pos);
    if (m_tree) {
        QTreeWidgetItem *node = pos >= 0 ? m_tree->topLevelItem(pos) : nullptr;
        if (node) {
            m_tree->setCurrentItem(node);
        } else {
            m_tree->clearSelection();
            m_tree->setCurrentItem(nullptr);
        }
    }
    m_syncing = false;
}
