// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "bookmarks/BookMarkNode.h"

#include <QStringList>

/// BookMark.xml: the bookmark tree in a fixed line-per-element layout that looks like XML but
/// is read line by line, never parsed as XML. Shift_JIS, CR LF after every line:
///
///     <?xml version="1.0" encoding="Shift_JIS"?>
///     <bookmark>
///       <directory>             a node with children
///         <name>News</name>
///         <file>                a node without children
///           <name>Site A</name>
///           <url>http://a/</url>   only for entries (picture 12)
///         </file>
///       </directory>
///     </bookmark>
///
/// Two spaces of indentation per level. Nothing is escaped: names and addresses are written as
/// they are. The reader only looks, in each line and in this order, for the first "<url>"
/// (the address of the current node, which becomes an entry), the first "<name>" (a new node,
/// child of the current one, or its sibling right after a "</file>"), "</file>" and
/// "</directory>" (back to the parent, which becomes a folder). Everything else is ignored.
/// A "<url>" with no node yet, and a "</directory>" at the top level, are ignored.
namespace BookMarkFile {

/// "BookMark.xml" in the program folder (never in the current folder, which page opening moves).
QString path();

/// Appends the blocks of \a nodes (siblings, in order) with their subtrees at \a depth (1 for
/// the top level) to \a lines.
void BookMarkWrite(const QList<BookMarkNode> &nodes, int depth, QStringList *lines);
/// The whole file: declaration, "<bookmark>", the blocks, "</bookmark>".
QStringList fileLines(const QList<BookMarkNode> &nodes);

/// Adds the nodes that \a lines describe to \a nodes, below the node \a start when given
/// (a node of \a nodes' tree), else at the top level. Stops and returns false at a node that
/// would lie deeper than BookMarkNode::MaxDepth below the top level.
bool BookMarkRead(QList<BookMarkNode> *nodes, BookMarkNode *start, const QStringList &lines);
/// The tree of \a lines; \a complete (when given) says whether it was read to the end.
QList<BookMarkNode> read(const QStringList &lines, bool *complete = nullptr);

/// The tree held by the file at \a path; empty when there is no such file. Throws DorvuError
/// "ファイル %s は開けません" when the file is there but cannot be read, and refuses a file
/// nested deeper than BookMarkNode::MaxDepth the same way (the file itself is left as it is).
QList<BookMarkNode> load(const QString &path);
/// Replaces the file at \a path with \a nodes in one rename, so a failure leaves the old file
/// whole. Throws DorvuError "%s に書き込めません".
void save(const QString &path, const QList<BookMarkNode> &nodes);

} // namespace BookMarkFile
