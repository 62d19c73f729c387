// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "BookMarkDescribe.h"
#include "TestHome.h"
#include "bookmarks/FavoritesWalk.h"

#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

class tst_FavoritesWalk : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void generatedFavorites();
    void shortcutUrl_data();
    void shortcutUrl();
    void symbolicLinkLoopIsWalkedOnce();
    void tenThousandFiles();
};

void tst_FavoritesWalk::generatedFavorites()
{
    TestHome home;
    home.write(QStringLiteral("Favorites/b.url"), "[InternetShortcut]\r\nURL=http://b/\r\n");
    home.write(QStringLiteral("Favorites/a.url"), "[DEFAULT]\r\nBASEURL=http://a/\r\n"
                                                  "[InternetShortcut]\r\nURL=http://a/x\r\n");
    home.write(QStringLiteral("Favorites/News/empty.url"), "");
    home.write(QStringLiteral("Favorites/News/日本.url"),
               "[InternetShortcut]\r\nURL=http://j/\x95\x5C\r\n");
    home.write(QStringLiteral("Favorites/News/Deep/c.url"), "[InternetShortcut]\nURL=http://c/\n");
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Favorites/Empty")));
    home.write(QStringLiteral("Favorites/UPPER.URL"), "[InternetShortcut]\r\nURL=http://u/\r\n");
    home.write(QStringLiteral("Favorites/.hidden.url"), "[InternetShortcut]\r\nURL=http://h/\r\n");
    home.write(QStringLiteral("Favorites/notes.txt"), "text");
    home.write(QStringLiteral("Favorites/one.url"), "[InternetShortcut]");
    home.write(QStringLiteral("Favorites/x"), "short name");

    QCOMPARE(FavoritesWalk::favoritesFolder(home.path()), home.file(QStringLiteral("Favorites")));
    QCOMPARE(FavoritesWalk::favoritesFolder(home.file(QStringLiteral("Favorites"))), QString());
    // Name order, hidden files included.
    QCOMPARE(describe(FavoritesWalk::walk(home.file(QStringLiteral("Favorites")))),
             QStringLiteral(".hidden=http://h/,Empty/,News/(Deep/(c=http://c/),empty=,"
                            "日本=http://j/表),UPPER/,a=http://a/,b=http://b/,notes/,one=,/"));
}

void tst_FavoritesWalk::shortcutUrl_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("url");
    QTest::newRow("plain") << QStringList{QStringLiteral("[InternetShortcut]"),
                                          QStringLiteral("URL=http://x/")}
                           << QStringLiteral("http://x/");
    QTest::newRow("[DEFAULT] skips 8")
        << QStringList{QStringLiteral("[DEFAULT]"), QStringLiteral("BASEURL=http://y/")}
        << QStringLiteral("http://y/");
    QTest::newRow("one line") << QStringList{QStringLiteral("[InternetShortcut]")} << QString();
    QTest::newRow("empty") << QStringList() << QString();
    QTest::newRow("short second line")
        << QStringList{QStringLiteral("a"), QStringLiteral("UR")} << QString();
}

void tst_FavoritesWalk::shortcutUrl()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, url);
    QCOMPARE(FavoritesWalk::shortcutUrl(lines), url);
}

void tst_FavoritesWalk::symbolicLinkLoopIsWalkedOnce()
{
    TestHome home;
    home.write(QStringLiteral("Favorites/Sub/a.url"), "[InternetShortcut]\r\nURL=http://a/\r\n");
    QVERIFY(QFile::link(home.file(QStringLiteral("Favorites")),
                        home.file(QStringLiteral("Favorites/Sub/loop"))));
    QCOMPARE(describe(FavoritesWalk::walk(home.file(QStringLiteral("Favorites")))),
             QStringLiteral("Sub/(a=http://a/,loop/)"));
}

void tst_FavoritesWalk::tenThousandFiles()
{
    TestHome home;
    for (int i = 0; i < 10000; ++i) {
        home.write(QStringLiteral("Favorites/%1.url").arg(i, 5, 10, QLatin1Char('0')),
                   "[InternetShortcut]\r\nURL=http://example.com/\r\n");
    }
    QElapsedTimer timer;
    timer.start();
    const QList<BookMarkNode> nodes = FavoritesWalk::walk(home.file(QStringLiteral("Favorites")));
    qInfo("10,000 shortcuts walked in %lld ms", timer.elapsed());
    QCOMPARE(nodes.size(), 10000);
    QCOMPARE(nodes.last().text, QStringLiteral("09999"));
}

QTEST_GUILESS_MAIN(tst_FavoritesWalk)
#include "tst_FavoritesWalk.moc"
