// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "history/HistoryIndex.h"

#include <QtTest>

namespace {

constexpr qint64 Now = 1'800'000'000'000;
constexpr qint64 Day = 86400000;

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

class tst_HistoryIndex : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void completionRanking_data();
    void completionRanking();
    void retitledAndRemovedEntries();
};

void tst_HistoryIndex::completionRanking_data()
{
    // Each entry: address, title, visits, age in days; "*" before the address: a bookmark only.
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("address start before title")
        << QStringList{S("http://news.test/|example|50|0"), S("https://www.example.test/|x|1|0")}
        << S("exa") << QStringList{S("https://www.example.test/"), S("http://news.test/")};
    QTest::newRow("more visits first")
        << QStringList{S("http://ex1.test/|a|2|0"), S("http://ex2.test/|b|9|0")} << S("ex")
        << QStringList{S("http://ex2.test/"), S("http://ex1.test/")};
    QTest::newRow("recent before old")
        << QStringList{S("http://ex1.test/|a|4|60"), S("http://ex2.test/|b|4|1")} << S("ex")
        << QStringList{S("http://ex2.test/"), S("http://ex1.test/")};
    QTest::newRow("bookmark offered")
        << QStringList{S("*http://bm.test/|日本語の栞|0|0"), S("http://other.test/|x|1|0")}
        << S("日本") << QStringList{S("http://bm.test/")};
    QTest::newRow("nothing typed")
        << QStringList{S("http://a.test/|a|1|0")} << S("  ") << QStringList{};
    QTest::newRow("no match") << QStringList{S("http://a.test/|a|1|0")} << S("zz") << QStringList{};
}

void tst_HistoryIndex::completionRanking()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    HistoryIndex index;
    QList<HistoryEntry> bookmarks;
    for (const QString &line : entries) {
        const QStringList f = line.split(QLatin1Char('|'));
        HistoryEntry e{f[0], f[1], f[2].toInt(), Now - f[3].toLongLong() * Day, false};
        if (e.url.startsWith(QLatin1Char('*'))) {
            e.url.remove(0, 1);
            bookmarks.append(e);
        } else {
            index.insert(e);
        }
    }
    index.setBookmarks(bookmarks);
    QStringList got;
    for (const HistoryEntry &e : index.complete(typed, Now, 10))
        got.append(e.url);
    QCOMPARE(got, expected);
}

void tst_HistoryIndex::retitledAndRemovedEntries()
{
    HistoryIndex index;
    for (int i = 0; i < 3000; ++i)
        index.visit(S("http://p%1.test/").arg(i), S("old"), Now);
    // Old titles and removed entries no longer match, through the compactions too.
    for (int i = 0; i < 3000; ++i)
        index.setTitle(S("http://p%1.test/").arg(i), S("新しい%1").arg(i));
    for (int i = 0; i < 2000; ++i)
        index.remove(S("http://p%1.test/").arg(i));
    QCOMPARE(index.count(), 1000);
    QCOMPARE(index.search(S("old")).size(), 0);
    QCOMPARE(index.search(S("新しい")).size(), 1000);
    QCOMPARE(index.search(S("新しい2999")).value(0).url, S("http://p2999.test/"));
    QCOMPARE(index.complete(S("p1999"), Now, 5).size(), 0);
}

QTEST_GUILESS_MAIN(tst_HistoryIndex)
#include "tst_HistoryIndex.moc"
