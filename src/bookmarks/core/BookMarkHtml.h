// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "bookmarks/BookMarkNode.h"

#include <QByteArray>
#include <QString>

/// The bookmark HTML file that desktop browsers export ("NETSCAPE-Bookmark-file-1"): nested
/// <DL> lists whose <DT> items hold either an <H3> folder name followed by the folder's own
/// <DL>, or an <A HREF> link. Read with an HTML5 parser, so unclosed <DT> and <P> tags and
/// character references are taken as browsers take them.
namespace BookMarkHtml {

struct Result
{
    /// Folders (picture 11) holding their items in order, and entries (picture 12).
    QList<BookMarkNode> nodes;
    /// How many names and addresses held characters that Shift_JIS cannot, replaced by their
    /// nearest Shift_JIS form or "?".
    int replaced = 0;
    /// The encoding the file was read in.
    QString encoding;
};

/// The bookmarks of the file at \a path (its first 64 MiB). Throws DorvuError
/// "ファイル %s は開けません" when it cannot be read.
Result load(const QString &path);
/// The bookmarks of \a bytes. Never fails: what is not a folder or link is skipped.
Result read(const QByteArray &bytes);

/// The encoding of \a bytes: from a byte-order mark, else from a META charset, else detected
/// among UTF-8, Shift_JIS, EUC-JP and ISO-2022-JP.
QString encodingOf(const QByteArray &bytes);
/// \a bytes as text in \a encoding (Shift_JIS is read as CP932); UTF-8 when it is unknown.
QString decode(const QByteArray &bytes, const QString &encoding);
/// \a text with each character Shift_JIS cannot hold replaced by its compatibility form when
/// Shift_JIS holds that, else by "?". Sets \a changed when anything was replaced.
QString fitShiftJis(const QString &text, bool *changed);

} // namespace BookMarkHtml
