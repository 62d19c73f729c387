// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

/// Where a download is written: its folder, its file name, a name no other file has, and the
/// partial file it is written to until it is complete.
class DownloadTarget
{
public:
    /// \a configured ([Download] Folder) when set, else the user's download folder (XDG), else
    /// the home folder.
    static QString folder(const QString &configured);
    /// A file name for what \a url sends under \a suggested: the suggestion, else the last part
    /// of the address, else "download"; separators and control characters become "_", and
    /// "." or ".." is no name.
    static QString fileName(const QString &suggested, const QUrl &url);
    /// \a folder / \a name, or the first of "name (1).ext", "name (2).ext", ... that is free:
    /// no file of that name or of its partial name exists, and \a taken does not hold it.
    static QString freePath(const QString &folder, const QString &name,
                            const QStringList &taken = {});
    /// The partial file of \a path: "<path>.part", or "<path>.<n>.part" for the first n free.
    static QString partialPath(const QString &path);
};
