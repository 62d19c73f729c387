// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "bookmarks/BookMarkNode.h"

#include <QStringList>

/// A tree in one line for comparisons: "name" for a plain node, "name/" for a folder,
/// "name=url" for an entry, children in parentheses, siblings between commas.
inline QString describe(const QList<BookMarkNode> &nodes)
{
    QStringList parts;
    for (const BookMarkNode &node : nodes) {
        QString part = node.text;
        if (node.isFolder())
            part += QLatin1Char('/');
        else if (node.isEntry())
            part += QLatin1Char('=') + node.url;
        if (!node.children.isEmpty())
            part += QLatin1Char('(') + describe(node.children) + QLatin1Char(')');
        parts.append(part);
    }
    return parts.join(QLatin1Char(','));
}
