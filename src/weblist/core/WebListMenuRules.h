// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

/// What the web list menu shows of the WebList folder.
namespace WebListMenuRules {

/// programFolder + "WebList", without a trailing separator.
QString folder(const QString &programFolder);

/// "&" followed by \a fileName less its last four bytes in Shift_JIS ("news.wlf" -> "&news");
/// a name of four bytes or fewer gives "&" alone. An "&" inside the name stays as it is. A
/// two-byte character that the cut would halve goes as a whole.
QString itemCaption(const QString &fileName);

/// A file of the folder: its name as the file system holds it, and as text.
struct ListedFile
{
    QByteArray nativeName;
    QString name;
};

/// Every entry of \a folder that is not a folder, hidden ones included, in name order with
/// numbers compared as numbers ("list2" before "list10"). Names that are not valid in the
/// locale's encoding are listed too, under their bytes. No folder: nothing.
QList<ListedFile> listFiles(const QString &folder);

} // namespace WebListMenuRules
