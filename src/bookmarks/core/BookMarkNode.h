// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QList>
#include <QString>

/// One bookmark: a name, an address and the picture that says what it is. Picture 12 makes an
/// entry (it has an address), 11 a folder; any other picture makes a plain node, which is
/// neither (an empty folder read back from the file, the root an import makes).
struct BookMarkNode
{
    static constexpr int FolderImage = 11;
    static constexpr int EntryImage = 12;
    static constexpr int PlainImage = -1;
    /// The deepest nesting kept: the tree, the menu and the editor walk a tree on the call
    /// stack, and no one files bookmarks hundreds of folders deep.
    static constexpr int MaxDepth = 256;

    QString text;
    QString url;
    int imageIndex = PlainImage;
    QList<BookMarkNode> children;

    bool isEntry() const { return imageIndex == EntryImage; }
    bool isFolder() const { return imageIndex == FolderImage; }
    bool operator==(const BookMarkNode &other) const;
    bool operator!=(const BookMarkNode &other) const { return !(*this == other); }
};
