// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "bookmarks/BookMarkNode.h"

#include <QString>

/// A folder of Internet Shortcut files (a Favorites folder) as bookmarks.
namespace FavoritesWalk {

/// The Favorites folder under \a home ("Favorites"), empty when there is none.
QString favoritesFolder(const QString &home);

/// Every entry of \a folder, in name order, hidden ones included, as a node with the folder
/// picture named after the entry; a sub-folder holds its own entries. A file loses the last
/// four characters of its name; one whose name ends in ".url" (exactly, in small letters)
/// becomes an entry whose address is its second line after "URL=" (after 8 characters when
/// the first line is "[DEFAULT]", else after 4), or empty when it has no second line.
/// A folder reached again through a symbolic link is listed but not walked again.
QList<BookMarkNode> walk(const QString &folder);

/// The address of a shortcut whose lines are \a lines.
QString shortcutUrl(const QStringList &lines);

} // namespace FavoritesWalk
