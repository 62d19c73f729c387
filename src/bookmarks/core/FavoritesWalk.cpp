// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "bookmarks/FavoritesWalk.h"

#include "common/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

// Each shortcut is a few lines; a large file there is not one.
constexpr qint64 MaxShortcutSize = 64 * 1024;

void walkInto(const QString &folder, QList<BookMarkNode> *nodes, QSet<QString> *walking)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty() || walking->contains(canonical))
        return;
    walking->insert(canonical);
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    nodes->reserve(nodes->size() + entries.size());
    for (const QFileInfo &entry : entries) {
        BookMarkNode node;
        node.text = entry.fileName();
        node.imageIndex = BookMarkNode::FolderImage;
        if (entry.isDir()) {
            walkInto(entry.filePath(), &node.children, walking);
        } else {
            if (node.text.endsWith(QLatin1String(".url"), Qt::CaseSensitive)) {
                const QStringList lines = entry.size() <= MaxShortcutSize
                                              ? TextFile::readLinesOrEmpty(entry.filePath())
                                              : QStringList();
                node.url = FavoritesWalk::shortcutUrl(lines);
                node.imageIndex = BookMarkNode::EntryImage;
            }
            node.text.chop(qMin<qsizetype>(4, node.text.size()));
        }
        nodes->append(node);
    }
    walking->remove(canonical);
}

} // namespace

QString FavoritesWalk::favoritesFolder(const QString &home)
{
    const QString folder = QDir(home).filePath(QStringLiteral("Favorites"));
    return QFileInfo(folder).isDir() ? folder : QString();
}

QList<BookMarkNode> FavoritesWalk::walk(const QString &folder)
{
    QList<BookMarkNode> nodes;
    QSet<QString> walking;
    walkInto(folder, &nodes, &walking);
    return nodes;
}

QString FavoritesWalk::shortcutUrl(const QStringList &lines)
{
    if (lines.size() < 2)
        return QString();
    const int skip = lines.at(0) == QLatin1String("[DEFAULT]") ? 8 : 4;
    return lines.at(1).mid(skip);
}
