// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "HomeTest.h"
#include "bookmarks/BookMarkFile.h"
#include "bookmarks/BookMarkTree.h"
#include "bookmarks/TBookMarkView.h"
#include "common/ErrorHandler.h"
#include "common/ImageList.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QTreeWidget>
#include <QtTest>

namespace {

BookMarkNode entry(const QString &name, const QString &url)
{
    return BookMarkNode{name, url, BookMarkNode::EntryImage, {}};
}

BookMarkNode folder(const QString &name, const QList<BookMarkNode> &children)
{
    return BookMarkNode{name, QString(), BookMarkNode::FolderImage, children};
}

/// A menu's items, made as when the user opens it.
QList<QAction *> opened(QMenu *menu)
{
    Q_EMIT menu->aboutToShow();
    return menu->actions();
}

/// The menu's items after the fixed ones: "caption[hint]{picture}", submenus in parentheses.
QString describeMenu(QMenu *menu, int skip)
{
    QStringList parts;
    const QList<QAction *> items = opened(menu);
    for (int i = skip; i < items.size(); ++i) {
        const QAction *item = items.at(i);
        QString part = item->text() + QLatin1Char('[') + item->data().toString() +
                       QStringLiteral("]{%1}").arg(ImageList::imageIndex(item));
        if (QMenu *sub = item->menu())
            part += QLatin1Char('(') + describeMenu(sub, 0) + QLatin1Char(')');
        parts.append(part);
    }
    return parts.join(QLatin1Char(','));
}

} // namespace

class tst_TBookMarkView : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void menuMirrorsTheTree();
    void choosingOpensEntriesWithAddressesOnly();
    void rebuildDropsOldItems();

private:
    std::unique_ptr<QTreeWidget> m_tree;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<TBookMarkView> m_view;
    QStringList m_opened;
    QStringList m_errors;
};

void tst_TBookMarkView::initHome()
{
    m_tree = std::make_unique<QTreeWidget>();
    m_menu = std::make_unique<QMenu>();
    m_menu->addAction(QStringLiteral("ブックマークを編集(&E)"));
    m_menu->addSeparator();
    m_opened.clear();
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
    m_view = std::make_unique<TBookMarkView>(m_tree.get(), m_menu.get(),
                                             [this](const QString &url) { m_opened.append(url); });
}

void tst_TBookMarkView::cleanupHome()
{
    m_view.reset();
    m_menu.reset();
    m_tree.reset();
    ErrorHandler::setSink({});
    QCOMPARE(m_errors, QStringList());
}

void tst_TBookMarkView::menuMirrorsTheTree()
{
    // The last top-level node is a folder holding a folder: two levels close at once.
    BookMarkFile::save(
        BookMarkFile::path(),
        {entry(QStringLiteral("&Amp && co"), QStringLiteral("http://amp/")),
         entry(QStringLiteral("Blank"), QString()),
         BookMarkNode{QStringLiteral("Plain"), QString(), -1, {}},
         folder(QStringLiteral("F"),
                {folder(QStringLiteral("G"),
                        {entry(QStringLiteral("H"), QStringLiteral("http://h/"))})})});
    m_view->LoadBookMarkTree();
    m_view->BuildBookMarkMenu();
    QCOMPARE(m_tree->topLevelItemCount(), 4);
    // A folder makes its items when first expanded; the tree still holds the whole file.
    QTreeWidgetItem *f = m_tree->topLevelItem(3);
    QCOMPARE(f->childCount(), 0);
    QCOMPARE(f->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);
    QCOMPARE(BookMarkTree::nodes(m_tree.get()), BookMarkFile::load(BookMarkFile::path()));
    f->setExpanded(true);
    QCOMPARE(f->childCount(), 1);
    QCOMPARE(f->child(0)->text(0), QStringLiteral("G"));
    QCOMPARE(BookMarkTree::nodes(m_tree.get()), BookMarkFile::load(BookMarkFile::path()));
    QCOMPARE(describeMenu(m_menu.get(), 2),
             QStringLiteral("&&Amp && co[http://amp/]{12},&Blank[]{12},&Plain[]{-1},"
                            "&F[]{11}(&G[]{11}(&H[http://h/]{12}))"));
    QCOMPARE(opened(m_menu.get()).at(0)->text(), QStringLiteral("ブックマークを編集(&E)"));
}

void tst_TBookMarkView::choosingOpensEntriesWithAddressesOnly()
{
    BookMarkFile::save(
        BookMarkFile::path(),
        {entry(QStringLiteral("A"), QStringLiteral("http://a/")),
         entry(QStringLiteral("Blank"), QString()),
         folder(QStringLiteral("F"), {entry(QStringLiteral("B"), QStringLiteral("http://b/"))})});
    m_view->LoadBookMarkTree();
    m_view->BuildBookMarkMenu();
    m_tree->setCurrentItem(m_tree->topLevelItem(1)); // empty address
    m_tree->setCurrentItem(m_tree->topLevelItem(2)); // a folder
    m_tree->setCurrentItem(m_tree->topLevelItem(0));
    m_tree->setCurrentItem(m_tree->topLevelItem(0)); // no change, nothing opens
    QCOMPARE(m_opened, QStringList({QStringLiteral("http://a/")}));
    // After the editor command unselects the tree, the same node opens again.
    m_view->unselect();
    m_tree->setCurrentItem(m_tree->topLevelItem(0));
    QCOMPARE(m_opened.size(), 2);

    m_opened.clear();
    const QList<QAction *> items = opened(m_menu.get());
    items.at(3)->trigger(); // Blank
    opened(items.at(4)->menu()).at(0)->trigger();
    QCOMPARE(m_opened, QStringList({QStringLiteral("http://b/")}));
}

void tst_TBookMarkView::rebuildDropsOldItems()
{
    QList<BookMarkNode> many;
    for (int f = 0; f < 50; ++f) {
        QList<BookMarkNode> children;
        for (int i = 0; i < 100; ++i)
            children.append(
                entry(QStringLiteral("e%1").arg(i), QStringLiteral("http://x/%1").arg(i)));
        many.append(folder(QStringLiteral("f%1").arg(f), children));
    }
    BookMarkFile::save(BookMarkFile::path(), many);
    m_view->LoadBookMarkTree();
    QElapsedTimer timer;
    timer.start();
    m_view->BuildBookMarkMenu();
    qInfo("menu of 5,000 bookmarks built in %lld ms", timer.elapsed());
    QVERIFY(timer.elapsed() < 1000);
    QCOMPARE(opened(m_menu.get()).size(), 52);
    QCOMPARE(opened(m_menu->actions().at(51)->menu()).size(), 100);

    BookMarkFile::save(BookMarkFile::path(), {entry(QStringLiteral("only"), QStringLiteral("u"))});
    m_view->LoadBookMarkTree();
    m_view->BuildBookMarkMenu();
    QCOMPARE(describeMenu(m_menu.get(), 2), QStringLiteral("&only[u]{12}"));
    BookMarkFile::save(BookMarkFile::path(), {});
    m_view->LoadBookMarkTree();
    m_view->BuildBookMarkMenu();
    QCOMPARE(opened(m_menu.get()).size(), 2);
}

QTEST_MAIN(tst_TBookMarkView)
#include "tst_TBookMarkView.moc"
