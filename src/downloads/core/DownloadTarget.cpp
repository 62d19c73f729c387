// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "downloads/DownloadTarget.h"

#include "common/DialogFolder.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int MaxNameLength = 200;

// "name.ext" as "name" and ".ext"; a double suffix of archives stays whole (".tar.gz").
void split(const QString &name, QString *stem, QString *suffix)
{
    int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        const int tar = name.lastIndexOf(QLatin1String(".tar."), dot, Qt::CaseInsensitive);
        if (tar > 0 && tar + 4 == dot)
            dot = tar;
    }
    if (dot <= 0) {
        *stem = name;
        suffix->clear();
        return;
    }
    *stem = name.left(dot);
    *suffix = name.mid(dot);
}

bool exists(const QString &path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

} // namespace

QString DownloadTarget::folder(const QString &configured)
{
    if (!configured.isEmpty())
        return QDir::cleanPath(configured);
    const QString xdg = DialogFolder::downloadFolder();
    return xdg.isEmpty() ? QDir::homePath() : xdg;
}

QString DownloadTarget::fileName(const QString &suggested, const QUrl &url)
{
    QString name = suggested.trimmed();
    if (name.isEmpty())
        name = url.fileName(QUrl::FullyDecoded);
    for (QChar &c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    }
    name = name.trimmed().left(MaxNameLength);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("download");
    return name;
}

QString DownloadTarget::freePath(const QString &folder, const QString &name,
                                 const QStringList &taken)
{
    const QDir dir(folder);
    QString stem;
    QString suffix;
    split(name, &stem, &suffix);
    for (int n = 0;; ++n) {
        const QString candidate = dir.filePath(
            n == 0 ? name : QStringLiteral("%1 (%2)%3").arg(stem, QString::number(n), suffix));
        if (!exists(candidate) && !exists(candidate + QLatin1String(".part")) &&
            !taken.contains(candidate))
            return candidate;
    }
}

QString DownloadTarget::partialPath(const QString &path)
{
    QString candidate = path + QLatin1String(".part");
    for (int n = 1; exists(candidate); ++n)
        candidate = QStringLiteral("%1.%2.part").arg(path, QString::number(n));
    return candidate;
}
