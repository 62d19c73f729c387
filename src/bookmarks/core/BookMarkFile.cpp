// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "bookmarks/BookMarkFile.h"

#include "common/DorvuError.h"
#include "common/ProgramFolder.h"
#include "common/TextFile.h"

#include <QDir>
#include <QFileInfo>

#include <vector>

namespace {

const QString Declaration = QStringLiteral(R"(<?xml version="1.0" encoding="Shift_JIS"?>)");

QString indent(int depth)
{
    return QString(2 * depth, QLatin1Char(' '));
}

/// The text after \a open up to \a close (or to the end of nothing: empty when \a close is
/// missing); null when \a open is not in \a line.
QString valueOf(const QString &line, QLatin1String open, QLatin1String close, bool *found)
{
    const qsizetype at = line.indexOf(open);
    *found = at >= 0;
    if (at < 0)
        return QString();
    const qsizetype start = at + open.size();
    const qsizetype end = line.indexOf(close, start);
    return end < 0 ? QString() : line.mid(start, end - start);
}

} // namespace

bool BookMarkNode::operator==(const BookMarkNode &other) const
{
    return text == other.text && url == other.url && imageIndex == other.imageIndex &&
           children == other.children;
}

namespace BookMarkFile {

QString path()
{
    return ProgramFolder::file(QStringLiteral("BookMark.xml"));
}

void BookMarkWrite(const QList<BookMarkNode> &nodes, int depth, QStringList *lines)
{
    for (const BookMarkNode &node : nodes) {
        const bool directory = !node.children.isEmpty();
        lines->append(indent(depth) +
                      (directory ? QLatin1String("<directory>") : QLatin1String("<file>")));
        lines->append(indent(depth + 1) + QLatin1String("<name>") + node.text +
                      QLatin1String("</name>"));
        if (node.isEntry())
            lines->append(indent(depth + 1) + QLatin1String("<url>") + node.url +
                          QLatin1String("</url>"));
        if (directory) {
            BookMarkWrite(node.children, depth + 1, lines);
            lines->append(indent(depth) + QLatin1String("</directory>"));
        } else {
            lines->append(indent(depth) + QLatin1String("</file>"));
        }
    }
}

QStringList fileLines(const QList<BookMarkNode> &nodes)
{
    QStringList lines{Declaration, QStringLiteral("<bookmark>")};
    BookMarkWrite(nodes, 1, &lines);
    lines.append(QStringLiteral("</bookmark>"));
    return lines;
}

bool BookMarkRead(QList<BookMarkNode> *nodes, BookMarkNode *start, const QStringList &lines)
{
    // The path from the top level down to the current node. A node's children list only grows
    // at its end while the node is on the path, and appending to a list moves only that list's
    // elements: of the path, only the current node itself, which is then replaced at once.
    // A start node stands for the top level: the reader never climbs above it.
    std::vector<BookMarkNode *> path;
    if (start)
        path.push_back(start);
    const size_t floor = path.size();
    bool afterFile = false;

    for (const QString &line : lines) {
        bool found = false;
        const QString url = valueOf(line, QLatin1String("<url>"), QLatin1String("</url>"), &found);
        if (found && path.size() > floor) {
            path.back()->url = url;
            path.back()->imageIndex = BookMarkNode::EntryImage;
        }
        const QString name =
            valueOf(line, QLatin1String("<name>"), QLatin1String("</name>"), &found);
        if (found) {
            // After a "</file>" the new node is a sibling of the current one.
            if (afterFile && path.size() > floor)
                path.pop_back();
            afterFile = false;
            if (path.size() - floor >= size_t(BookMarkNode::MaxDepth))
                return false;
            QList<BookMarkNode> *list = path.empty() ? nodes : &path.back()->children;
            list->append(BookMarkNode{name, QString(), BookMarkNode::PlainImage, {}});
            path.push_back(&list->last());
        }
        if (line.contains(QLatin1String("</file>")))
            afterFile = true;
        if (line.contains(QLatin1String("</directory>")) && path.size() > floor) {
            path.pop_back();
            if (path.size() > floor)
                path.back()->imageIndex = BookMarkNode::FolderImage;
        }
    }
    return true;
}

QList<BookMarkNode> read(const QStringList &lines, bool *complete)
{
    QList<BookMarkNode> nodes;
    const bool whole = BookMarkRead(&nodes, nullptr, lines);
    if (complete)
        *complete = whole;
    return nodes;
}

QList<BookMarkNode> load(const QString &path)
{
    // A first start has no bookmarks yet; that is no failure.
    if (!QFileInfo::exists(path))
        return QList<BookMarkNode>();
    bool complete = false;
    QList<BookMarkNode> nodes = read(TextFile::readLines(path), &complete);
    if (!complete)
        throw DorvuError(
            QStringLiteral("ファイル %1 は %2 階層より深くフォルダを重ねているため読み込めません")
                .arg(QDir::toNativeSeparators(path))
                .arg(BookMarkNode::MaxDepth));
    return nodes;
}

void save(const QString &path, const QList<BookMarkNode> &nodes)
{
    TextFile::writeLines(path, fileLines(nodes));
}

} // namespace BookMarkFile
