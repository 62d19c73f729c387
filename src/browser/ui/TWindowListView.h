// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QObject>
#include <QPointer>

class QMenu;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;
class TTabControl;
class WindowList;

/// The tab strip and the window tree as views of the window list: one tab and one top-level
/// node per entry, in the list's order, with its texts, its picture and its selection. A tab
/// the user drags moves the entry; everything else the user does in them comes back as
/// signals for the page windows' host to act on. Either view may be missing, or go first at
/// exit; it is then simply not driven.
class TWindowListView : public QObject
{
    Q_OBJECT

public:
    /// Follows \a list, which outlives it, in \a tabs and \a tree; \a popup is the menu a
    /// right click on either opens.
    TWindowListView(WindowList &list, TTabControl *tabs, QTreeWidget *tree, QMenu *popup,
                    QObject *parent = nullptr);

    /// The position of the tree's \a node; -1 for none and for a node below a window's.
    int positionOfNode(QTreeWidgetItem *node) const;
    /// The tab the strip shows as current, -1 for none.
    int currentTab() const;

Q_SIGNALS:
    /// The user selected the tab or node at \a pos.
    void selected(int pos);
    /// The user asked to close the tab at \a pos with its close mark.
    void closeRequested(int pos);
    /// A right or middle press on a tab or a node hit position \a pos (-1: none).
    void pressedAt(int pos);

private:
    void entryAppended(int pos);
    void entryRemoved(int pos);
    void entryMoved(int from, int to);
    void entryChanged(int pos);
    void selectionChanged(int pos);
    void tabContextMenu(const QPoint &pos);
    void treeContextMenu(const QPoint &pos);

    WindowList &m_list;
    QPointer<TTabControl> m_tabs;
    QPointer<QTreeWidget> m_tree;
    QPointer<QMenu> m_popup;
    /// Set while the views follow the list: their own change signals are not the user's.
    bool m_syncing = false;
    /// Set while the list follows a tab the user dragged: the strip has moved it already.
    bool m_tabDragged = false;
};
