// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QHash>
#include <QString>

/// The version strings a file of ours carries. The WebKit module holds a block that starts
/// with the marker "DORVU-VERSIONINFO" and a NUL, followed by NUL-terminated name/value pairs
/// and an empty name at the end; the block is found by reading the file, so asking for a
/// version never loads the module (nor starts GTK in our process).
class TOtVersInfo
{
public:
    enum Item {
        CompanyName,
        FileDescription,
        FileVersion,
        InternalName,
        LegalCopyright,
        OriginalFilename,
        ProductName,
        ProductVersion,
        ItemCount
    };

    /// The file to read; defaults to the program's own executable, with links resolved.
    QString FileName;

    TOtVersInfo();

    /// The string item \a index (an Item) of FileName. The block is read on the first query and
    /// kept: a later change of FileName does not re-read it. Throws DorvuError
    /// "QueryVersionInfo:" followed by the reason when the file cannot be read, carries no
    /// block, or the block has no such item.
    QString query(int index);

    static QString itemName(int index);
    /// The marker that opens a version block.
    static QByteArray marker();
    /// The pairs of the block in \a bytes; false when \a bytes holds no block.
    static bool parseBlock(const QByteArray &bytes, QHash<QString, QString> *items);

private:
    bool m_read = false;
    QHash<QString, QString> m_items;
};
