// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// BookMark.xml with 10,000 entries in 100 folders: read, write, the side bar tree and the
// bookmark menu made from it. A bookmark HTML file of 5,000 links (UTF-8 and Shift_JIS)
// imported. A Favorites folder of 10,000 shortcuts walked.
#include "TestHome.h"
#include "bookmarks/BookMarkFile.h"
#include "bookmarks/BookMarkHtml.h"
#include "bookmarks/FavoritesWalk.h"
#include "bookmarks/TBookMarkView.h"
#include "common/SjisCodec.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMenu>
#include <QRegularExpression>
#include <QTreeWidget>

#include <cstdio>

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QList<BookMarkNode> tenThousand()
{
    QList<BookMarkNode> tree;
    for (int f = 0; f < 100; ++f) {
        BookMarkNode folder{S("フォルダ %1").arg(f), QString(), BookMarkNode::FolderImage, {}};
        for (int e = 0; e < 100; ++e) {
            folder.children.append(BookMarkNode{S("日本語のページ %1-%2").arg(f).arg(e),
                                                S("http://example.com/%1/%2.html").arg(f).arg(e),
                                                BookMarkNode::EntryImage,
                                                {}});
        }
        tree.append(folder);
    }
    return tree;
}

QString bookmarkHtml(int links)
{
    QString html = S("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n<META HTTP-EQUIV=\"Content-Type\" "
                     "CONTENT=\"text/html; charset=%1\">\n<TITLE>Bookmarks</TITLE>\n<DL><p>\n");
    for (int f = 0; f < links / 100; ++f) {
        html += S("  <DT><H3 ADD_DATE=\"1\">フォルダ &amp; %1</H3>\n  <DL><p>\n").arg(f);
        for (int i = 0; i < 100; ++i) {
            html += S("    <DT><A HREF=\"http://example.com/%1/%2?a=1&amp;b=2\" ADD_DATE=\"1\">"
                      "ページ %1-%2 &lt;説明&gt;</A>\n    <DD>説明\n")
                        .arg(f)
                        .arg(i);
        }
        html += S("  </DL><p>\n");
    }
    return html + S("</DL><p>\n");
}

template<typename F> double bestMs(F &&op, int rounds = 5)
{
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        op();
        best = qMin(best, double(t.nsecsElapsed()) / 1e6);
    }
    return best;
}

void line(const char *what, double ms)
{
    std::printf("%-58s %10.1f ms\n", what, ms);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestHome home;
    const QString path = BookMarkFile::path();
    const QList<BookMarkNode> tree = tenThousand();
    line("write BookMark.xml, 10,000 entries (temp file + rename)",
         bestMs([&] { BookMarkFile::save(path, tree); }));
    std::printf("BookMark.xml: %lld bytes\n", static_cast<long long>(QFileInfo(path).size()));
    QList<BookMarkNode> read;
    line("read BookMark.xml, 10,000 entries", bestMs([&] { read = BookMarkFile::load(path); }));
    if (read != tree) {
        std::printf("ERROR: the tree read back differs\n");
        return 1;
    }

    QTreeWidget treeView;
    QMenu menu;
    menu.addAction(S("ブックマークを編集(&E)"));
    menu.addSeparator();
    TBookMarkView view(&treeView, &menu, [](const QString &) {});
    line("side bar tree from the file (LoadBookMarkTree)",
         bestMs([&] { view.LoadBookMarkTree(); }));
    line("bookmark menu built and opened, and one folder in it", bestMs([&] {
             view.BuildBookMarkMenu();
             Q_EMIT menu.aboutToShow();
             Q_EMIT menu.actions().constLast()->menu()->aboutToShow();
             QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
         }));

    // 200,000 entries, flat and in 200 folders: what the main window's start waits for.
    for (const int folders : {0, 200}) {
        QList<BookMarkNode> big;
        for (int i = 0; i < 200000; ++i) {
            const BookMarkNode entry{S("日本語のページ %1").arg(i),
                                     S("http://example.com/%1.html").arg(i),
                                     BookMarkNode::EntryImage,
                                     {}};
            if (folders == 0) {
                big.append(entry);
                continue;
            }
            if (i % (200000 / folders) == 0)
                big.append({S("フォルダ %1").arg(i), QString(), BookMarkNode::FolderImage, {}});
            big.last().children.append(entry);
        }
        BookMarkFile::save(path, big);
        const double ms = bestMs(
            [&] {
                view.LoadBookMarkTree();
                view.BuildBookMarkMenu();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            },
            3);
        std::printf("%-58s %10.1f ms   (target 2000 ms)\n",
                    folders ? "tree and menu, 200,000 entries in 200 folders"
                            : "tree and menu, 200,000 entries at the top level",
                    ms);
    }

    for (const char *encoding : {"UTF-8", "Shift_JIS"}) {
        const QString html = bookmarkHtml(5000).arg(S(encoding));
        const QByteArray bytes =
            qstrcmp(encoding, "UTF-8") == 0 ? html.toUtf8() : SjisCodec::encode(html);
        BookMarkHtml::Result result;
        const double ms = bestMs([&] { result = BookMarkHtml::read(bytes); });
        const QByteArray what = "import bookmark HTML, 5,000 links, " + QByteArray(encoding) +
                                " (" + QByteArray::number(bytes.size() / 1024) + " KiB)";
        line(what.constData(), ms);
        if (result.nodes.size() != 50 || result.nodes.last().children.size() != 100) {
            std::printf("ERROR: %s import incomplete\n", encoding);
            return 1;
        }
    }
    const QString html = bookmarkHtml(5000).arg(S("Shift_JIS"));
    QString undeclared = html;
    undeclared.remove(QRegularExpression(S("<META[^>]*>")));
    const QByteArray bytes = SjisCodec::encode(undeclared);
    line("import bookmark HTML, 5,000 links, Shift_JIS detected", bestMs([&] {
             if (BookMarkHtml::read(bytes).encoding != S("Shift_JIS"))
                 std::printf("ERROR: not detected\n");
         }));

    for (int i = 0; i < 10000; ++i) {
        home.write(S("Favorites/%1/%2.url").arg(i / 100).arg(i),
                   "[InternetShortcut]\r\nURL=http://example.com/\r\n");
    }
    line("walk a Favorites folder, 10,000 shortcuts in 100 folders", bestMs([&] {
             if (FavoritesWalk::walk(home.file(S("Favorites"))).size() != 100)
                 std::printf("ERROR: walk incomplete\n");
         }));
    return 0;
}
