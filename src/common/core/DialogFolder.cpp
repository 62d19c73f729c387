// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/DialogFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString g_last;
} // namespace

QString DialogFolder::start()
{
    if (!g_last.isEmpty() && QFileInfo(g_last).isDir())
        return g_last;
    const QString downloads = downloadFolder();
    if (!downloads.isEmpty() && QFileInfo(downloads).isDir())
        return downloads;
    return QDir::homePath();
}

QString DialogFolder::downloadFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
}

QString DialogFolder::suggest(const QString &fileName)
{
    return QDir(start()).filePath(fileName);
}

void DialogFolder::remember(const QString &chosen)
{
    if (!chosen.isEmpty())
        g_last = QFileInfo(chosen).absolutePath();
}

void DialogFolder::reset()
{
    g_last.clear();
}
