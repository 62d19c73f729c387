// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

#include <functional>

class QAction;
class QMenu;

/// Menu items made at run time (web lists, bookmarks, recently closed addresses, the window
/// list), after or before a menu's fixed items. An item's data travels in its hint.
namespace DynamicMenu {

/// Makes an item of \a parent captioned \a caption ("-" makes a separator), whose hint (status
/// tip and data) is \a hint, showing picture \a imageIndex of the shared picture list (-1:
/// none), placed before the item now at \a position (-1: at the end), running \a onClick with
/// the item when it is chosen.
QAction *AddMenuItem(QMenu *parent, const QString &caption, const QString &hint, int imageIndex,
                     int position, const std::function<void(QAction *item)> &onClick);

/// Takes every item that AddMenuItem made out of \a menu; the fixed items stay.
void RemoveMenuItems(QMenu *menu);

/// The number of fixed items of \a menu, those that AddMenuItem did not make.
int fixedItemCount(const QMenu *menu);

} // namespace DynamicMenu
