// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "HomeTest.h"
#include "browser/BlockList.h"
#include "common/DorvuError.h"
#include "common/ProgramFolder.h"
#include "common/SjisCodec.h"
#include "settings/IniFile.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QtTest>

#include <memory>

class tst_BlockList : public HomeTest
{
    Q_OBJECT

private Q_SLOTS:

    void matchesMask_data();
    void matchesMask();
    void invalidPattern_data();
    void invalidPattern();
    void manyStarsStayFast();
    void longSegmentsStayFast();

    void blockingOffTouchesNoFile();
    void blockingOnMatchesAnyLine();
    void missingFileIsReported();
    void invalidLineIsReportedOncePerContent();
    void lineEndsOfEveryKind();
    void emptyLineMatchesEmptyTextOnly();
    void editsTakeEffectAtNextCheck();

private:
    void setBlocking(bool on);
    void writeCloseUrl(const QString &text);
};

void tst_BlockList::setBlocking(bool on)
{
    IniFile::config().WriteBool(QStringLiteral("Option_advertisemen"), QStringLiteral("CloseURL"),
                                on);
}

void tst_BlockList::writeCloseUrl(const QString &text)
{
    m_home->write(QStringLiteral("CloseURL.txt"), SjisCodec::encode(text));
}

void tst_BlockList::matchesMask_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("expected");

    auto row = [](const char *name, const QString &text, const QString &pattern, bool expected) {
        QTest::newRow(name) << text << pattern << expected;
    };
    const QString ad = QStringLiteral("http://example.com/ADS/banner.gif");

    // Whole text
    row("literal equal", QStringLiteral("abc"), QStringLiteral("abc"), true);
    row("literal shorter text", QStringLiteral("ab"), QStringLiteral("abc"), false);
    row("literal longer text", QStringLiteral("abcd"), QStringLiteral("abc"), false);
    row("host without trailing star", QStringLiteral("http://ads.example.com/x"),
        QStringLiteral("http://ads.example.com"), false);
    row("host with trailing star", QStringLiteral("http://ads.example.com/x"),
        QStringLiteral("http://ads.example.com*"), true);
    row("scheme prefix against title", QStringLiteral("Welcome to http://x"),
        QStringLiteral("http://*"), false);
    row("empty pattern empty text", QString(), QString(), true);
    row("empty pattern some text", QStringLiteral("a"), QString(), false);

    // Stars
    row("star any text", ad, QStringLiteral("*"), true);
    row("star empty text", QString(), QStringLiteral("*"), true);
    row("star ad star in capitals", ad, QStringLiteral("*ad*"), true);
    row("star ad star absent", QStringLiteral("http://example.com/"), QStringLiteral("*ad*"),
        false);
    row("stars in a row act as one", QStringLiteral("abc"), QStringLiteral("a***c"), true);
    row("star matches none", QStringLiteral("ac"), QStringLiteral("a*c"), true);
    row("star then last char", QStringLiteral("abcbc"), QStringLiteral("a*bc"), true);
    row("middle segments in order", QStringLiteral("xaybz"), QStringLiteral("*a*b*"), true);
    row("middle segments out of order", QStringLiteral("xbyaz"), QStringLiteral("*a*b*"), false);
    row("head and tail must not overlap", QStringLiteral("aba"), QStringLiteral("ab*ba"), false);
    row("segment found after a false start", QStringLiteral("aababc"), QStringLiteral("*abc"),
        true);

    // "?" and the "?" right after a "*"
    row("question one char", QStringLiteral("abc"), QStringLiteral("a?c"), true);
    row("question needs a char", QStringLiteral("ac"), QStringLiteral("a?c"), false);
    row("question not two chars", QStringLiteral("abbc"), QStringLiteral("a?c"), false);
    row("star question adds nothing", QStringLiteral("a"), QStringLiteral("a*?"), true);
    row("star question at front", QStringLiteral("b"), QStringLiteral("*?b"), true);
    row("star question question needs one", QStringLiteral("a"), QStringLiteral("a*??"), false);
    row("star question question one char", QStringLiteral("ab"), QStringLiteral("a*??"), true);
    row("question then star", QStringLiteral("a"), QStringLiteral("a?*"), false);
    row("star question star", QStringLiteral("a"), QStringLiteral("a*?*"), true);

    // Case
    row("letters ignore case", QStringLiteral("HTTP://EXAMPLE.COM"),
        QStringLiteral("http://example.com"), true);
    row("non-letters exact", QStringLiteral("a_b"), QStringLiteral("a-b"), false);
    row("accented letters keep case", QStringLiteral("É"), QStringLiteral("é"), false);
    row("full-width letters keep case", QStringLiteral("Ａ"), QStringLiteral("ａ"), false);

    // Sets
    row("set member", QStringLiteral("b"), QStringLiteral("[abc]"), true);
    row("set non-member", QStringLiteral("d"), QStringLiteral("[abc]"), false);
    row("set takes one char", QStringLiteral("ab"), QStringLiteral("[ab]"), false);
    row("range member", QStringLiteral("m"), QStringLiteral("[a-z]"), true);
    row("range ends", QStringLiteral("z"), QStringLiteral("[a-z]"), true);
    row("digit range", QStringLiteral("ad7.gif"), QStringLiteral("ad[0-9].gif"), true);
    row("digit range non-member", QStringLiteral("adx.gif"), QStringLiteral("ad[0-9].gif"), false);
    row("reversed range adds nothing", QStringLiteral("m"), QStringLiteral("[z-a]"), false);
    row("reversed range others stay", QStringLiteral("q"), QStringLiteral("[z-aq]"), true);
    row("set ignores case", QStringLiteral("M"), QStringLiteral("[a-z]"), true);
    row("set ignores case upper", QStringLiteral("m"), QStringLiteral("[A-Z]"), true);
    row("negated set non-member", QStringLiteral("x"), QStringLiteral("[!abc]"), true);
    row("negated set member", QStringLiteral("B"), QStringLiteral("[!abc]"), false);
    row("negated set takes a double-byte char", QStringLiteral("あ"), QStringLiteral("[!abc]"),
        true);
    row("trailing hyphen is a member", QStringLiteral("-"), QStringLiteral("[a-]"), true);
    row("stars inside a set are members", QStringLiteral("*"), QStringLiteral("[*]"), true);
    row("star in set not a wildcard", QStringLiteral("ab"), QStringLiteral("[*]"), false);
    row("double-byte in set ignored", QStringLiteral("あ"), QStringLiteral("[あa]"), false);
    row("set keeps others beside double-byte", QStringLiteral("a"), QStringLiteral("[あa]"), true);
    row("range to double-byte ignored", QStringLiteral("b"), QStringLiteral("[a-あ]"), false);
    row("half-width katakana in set", QStringLiteral("ｱ"), QStringLiteral("[ｱ-ｵ]"), true);

    // Double-byte text
    row("japanese literal", QStringLiteral("広告のページ"), QStringLiteral("*広告*"), true);
    row("japanese other char", QStringLiteral("公告のページ"), QStringLiteral("*広告*"), false);
    row("question takes one japanese char", QStringLiteral("広告"), QStringLiteral("?告"), true);
    row("question not half a japanese char", QStringLiteral("広告"), QStringLiteral("??告"), false);
    row("character outside the basic plane", QStringLiteral("a\U0001F600b"), QStringLiteral("a?b"),
        true);

    // Other specials are literal outside a set
    row("bang literal", QStringLiteral("a!"), QStringLiteral("a!"), true);
    row("closing bracket literal", QStringLiteral("a]"), QStringLiteral("a]"), true);
}

void tst_BlockList::matchesMask()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, expected);
    QCOMPARE(BlockList::MatchesMask(text, pattern), expected);
}

void tst_BlockList::invalidPattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::newRow("31 star groups") << QStringLiteral("a*").repeated(31);
    QTest::newRow("set without closing bracket") << QStringLiteral("http://[abc");
    QTest::newRow("empty set") << QStringLiteral("a[]b");
    QTest::newRow("empty negated set") << QStringLiteral("a[!]b");
    QTest::newRow("set beginning with hyphen") << QStringLiteral("[-a]");
    QTest::newRow("negated set beginning with hyphen") << QStringLiteral("[!-a]");
    QTest::newRow("open bracket at the end") << QStringLiteral("abc[");
}

void tst_BlockList::invalidPattern()
{
    QFETCH(QString, pattern);
    try {
        BlockList::MatchesMask(QStringLiteral("abc"), pattern);
        QFAIL("an invalid pattern was accepted");
    } catch (const DorvuError &e) {
        QVERIFY2(e.message().contains(pattern), qPrintable(e.message()));
        QVERIFY(e.message().startsWith(QStringLiteral("無効なパターンです")));
    }
}

void tst_BlockList::manyStarsStayFast()
{
    // Thirty star groups are still valid, and must not backtrack over a long text.
    QCOMPARE(
        BlockList::MatchesMask(QString(30, QLatin1Char('a')), QStringLiteral("a*").repeated(30)),
        true);
    const QString text = QString(10000, QLatin1Char('a'));
    const QString pattern = QStringLiteral("*a").repeated(29) + QStringLiteral("*b");
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < 100; ++i)
        QCOMPARE(BlockList::MatchesMask(text, pattern), false);
    // 100 checks in well under a second: one check takes far less than a millisecond.
    QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
}

void tst_BlockList::longSegmentsStayFast()
{
    const QString text = QString(10000, QLatin1Char('a'));
    const QString pattern =
        QStringLiteral("*") + QString(200, QLatin1Char('a')) + QStringLiteral("b*");
    QElapsedTimer t;
    t.start();
    QCOMPARE(BlockList::MatchesMask(text, pattern), false);
    QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
}

void tst_BlockList::blockingOffTouchesNoFile()
{
    // No CloseURL.txt at all: with blocking off nothing is read, so nothing fails.
    QVERIFY(!QFileInfo::exists(m_home->file(QStringLiteral("CloseURL.txt"))));
    QCOMPARE(BlockList::IsBlockedURL(QStringLiteral("http://ads.example.com/")), false);
    setBlocking(false);
    QCOMPARE(BlockList::IsBlockedURL(QStringLiteral("http://ads.example.com/")), false);
}

void tst_BlockList::blockingOnMatchesAnyLine()
{
    setBlocking(true);
    writeCloseUrl(QStringLiteral("http://nothing/*\r\n*ad*\r\n"));
    QCOMPARE(BlockList::IsBlockedURL(QStringLiteral("http://example.com/AD/1.html")), true);
    QCOMPARE(BlockList::IsBlockedURL(QStringLiteral("http://example.com/news.html")), false);
    writeCloseUrl(QString());
    QCOMPARE(BlockList::IsBlockedURL(QStringLiteral("http://example.com/AD/1.html")), false);
}

void tst_BlockList::missingFileIsReported()
{
    setBlocking(true);
    try {
        BlockList::IsBlockedURL(QStringLiteral("http://example.com/"));
        QFAIL("a missing CloseURL.txt was not reported");
    } catch (const DorvuError &e) {
        QVERIFY2(e.message().contains(QStringLiteral("は開けません")), qPrintable(e.message()));
        QVERIFY(e.message().contains(QStringLiteral("CloseURL.txt")));
    }
}

void tst_BlockList::invalidLineIsReportedOncePerContent()
{
    setBlocking(true);
    writeCloseUrl(QStringLiteral("[\r\nhttp://a/*\r\n[]\r\n"));
    try {
        BlockList::IsBlockedURL(QStringLiteral("x"));
        QFAIL("the invalid lines were not reported");
    } catch (const DorvuError &e) {
        QCOMPARE(e.message().count(QStringLiteral("無効なパターンです")), 2);
    }
    // Reported: later checks skip the invalid lines and still use the others.
    QCOMPARE(BlockList::IsBlockedURL(QStringLiteral("http://a/page")), true);
    QCOMPARE(BlockList::IsBlockedURL(QStringLiteral("x")), false);
    // Another content of the file is reported afresh.
    writeCloseUrl(QStringLiteral("http://b/\r\n[\r\n"));
    QVERIFY_THROWS_EXCEPTION(DorvuError, BlockList::IsBlockedURL(QStringLiteral("x")));
    QCOMPARE(BlockList::IsBlockedURL(QStringLiteral("http://b/")), true);
}

void tst_BlockList::lineEndsOfEveryKind()
{
    setBlocking(true);
    writeCloseUrl(QStringLiteral("one\ntwo\rthree\r\n*広告*"));
    for (const char *text : {"one", "two", "three"})
        QVERIFY2(BlockList::IsBlockedURL(QString::fromLatin1(text)), text);
    QCOMPARE(BlockList::IsBlockedURL(QStringLiteral("この広告")), true);
    QCOMPARE(BlockList::IsBlockedURL(QStringLiteral("one\ntwo")), false);
}

void tst_BlockList::emptyLineMatchesEmptyTextOnly()
{
    setBlocking(true);
    writeCloseUrl(QStringLiteral("\r\nhttp://x/\r\n"));
    QCOMPARE(BlockList::IsBlockedURL(QString()), true);
    QCOMPARE(BlockList::IsBlockedURL(QStringLiteral("http://y/")), false);
}

void tst_BlockList::editsTakeEffectAtNextCheck()
{
    setBlocking(true);
    writeCloseUrl(QStringLiteral("http://a/\r\n"));
    QCOMPARE(BlockList::IsBlockedURL(QStringLiteral("http://b/")), false);
    writeCloseUrl(QStringLiteral("http://a/\r\nhttp://b/\r\n"));
    QCOMPARE(BlockList::IsBlockedURL(QStringLiteral("http://b/")), true);
    setBlocking(false);
    QCOMPARE(BlockList::IsBlockedURL(QStringLiteral("http://b/")), false);
}

QTEST_GUILESS_MAIN(tst_BlockList)
#include "tst_BlockList.moc"
