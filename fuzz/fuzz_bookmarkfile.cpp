// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// BookMark.xml: reading any lines (at the top level and below a start node), and a tree built
// from the input written to a file and read back.
#include "FuzzFolder.h"
#include "FuzzInput.h"

#include "bookmarks/BookMarkFile.h"
#include "common/DorvuError.h"
#include "common/SjisCodec.h"
#include "common/TextFile.h"

#include <vector>

namespace {

/// A name or address the file keeps: no "<" (nothing is escaped), no line end; ASCII and a
/// few Japanese characters, some with a second code.
QString cleanText(const QByteArray &bytes)
{
    static const char16_t japanese[] = u"あ漢字ｱｶﾞ①∪￢～　";
    const int count = int(sizeof(japanese) / sizeof(japanese[0])) - 1;
    QString text;
    for (char c : bytes) {
        const uchar b = uchar(c);
        if (b >= 0x20 && b < 0x7F && b != '<')
            text += QLatin1Char(char(b));
        else if (b >= 0x80)
            text += QChar(japanese[b % count]);
    }
    return text;
}

/// A tree in the form the file gives back: entries and plain nodes without children, folders
/// with children.
QList<BookMarkNode> buildTree(FuzzInput &in)
{
    QList<BookMarkNode> top;
    std::vector<QList<BookMarkNode> *> open{&top};
    while (!in.atEnd()) {
        const uint8_t op = in.byte();
        BookMarkNode node;
        node.text = cleanText(in.piece());
        switch (op % 4) {
        case 0:
            node.url = cleanText(in.piece());
            node.imageIndex = BookMarkNode::EntryImage;
            open.back()->append(node);
            break;
        case 1:
            open.back()->append(node);
            break;
        case 2:
            if (open.size() < 40) {
                node.imageIndex = BookMarkNode::FolderImage;
                open.back()->append(node);
                open.push_back(&open.back()->last().children);
            }
            break;
        case 3:
            if (open.size() > 1)
                open.pop_back();
            break;
        }
    }
    return top;
}

/// Folders left without children are plain nodes in the file.
void settle(QList<BookMarkNode> &nodes)
{
    for (BookMarkNode &node : nodes) {
        settle(node.children);
        if (node.isFolder() && node.children.isEmpty())
            node.imageIndex = BookMarkNode::PlainImage;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = TextFile::splitLines(SjisCodec::decode(bytes));
    QList<BookMarkNode> nodes = BookMarkFile::read(lines);
    if (!nodes.isEmpty()) {
        // The same lines again below the first node, then below a node of the last branch.
        BookMarkFile::BookMarkRead(&nodes, &nodes.first(), lines);
        BookMarkNode *deep = &nodes.last();
        while (!deep->children.isEmpty())
            deep = &deep->children.last();
        BookMarkFile::BookMarkRead(&nodes, deep, lines);
    }
    BookMarkFile::fileLines(nodes);

    FuzzInput in(data, size);
    QList<BookMarkNode> tree = buildTree(in);
    settle(tree);
    const QString path = fuzzFolder() + QStringLiteral("/BookMark.xml");
    try {
        BookMarkFile::save(path, tree);
        FUZZ_CHECK(BookMarkFile::load(path) == tree);
    } catch (const DorvuError &) {
        std::abort();
    }
    return 0;
}
