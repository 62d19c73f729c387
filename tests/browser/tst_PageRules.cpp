// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/PageRules.h"

#include <QtTest>

class tst_PageRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanAddress_data();
    void cleanAddress();
    void tabLimit_data();
    void tabLimit();
    void moveOpensNewWindow_data();
    void moveOpensNewWindow();
};

void tst_PageRules::cleanAddress_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("expected");
    // Rule 1 applies, then rule 2 sees "htt" and adds nothing.
    QTest::newRow("ttp://www") << "ttp://www.x"
                               << "http://www.x";
    QTest::newRow("ttp:// host") << "ttp://example.jp/a"
                                 << "http://example.jp/a";
    QTest::newRow("www alone") << "www"
                               << "http://www";
    QTest::newRow("www host") << "www.example.jp"
                              << "http://www.example.jp";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("capitals unchanged") << "WWW.x"
                                        << "WWW.x";
    QTest::newRow("drive path unchanged") << "C:\\x"
                                          << "C:\\x";
    QTest::newRow("bare host unchanged") << "example.jp"
                                         << "example.jp";
    QTest::newRow("other scheme unchanged") << "ftp://www.x"
                                            << "ftp://www.x";
    QTest::newRow("no trimming") << " www.x"
                                 << " www.x";
    QTest::newRow("tp:// unchanged") << "tp://x"
                                     << "tp://x";
    QTest::newRow("http kept") << "http://www.x"
                               << "http://www.x";
}

void tst_PageRules::cleanAddress()
{
    QFETCH(QString, url);
    QFETCH(QString, expected);
    QCOMPARE(PageRules::cleanAddress(url), expected);
}

void tst_PageRules::tabLimit_data()
{
    QTest::addColumn<bool>("len");
    QTest::addColumn<int>("maxLen");
    QTest::addColumn<int>("tabs");
    QTest::addColumn<bool>("refused");
    QTest::newRow("off") << false << 3 << 3 << false;
    QTest::newRow("0 of 0") << true << 0 << 0 << true;
    QTest::newRow("2 of 3") << true << 3 << 2 << false;
    QTest::newRow("3 of 3") << true << 3 << 3 << true;
    // Equality, not at-least: a count above a lowered limit does not block.
    QTest::newRow("5 of 3") << true << 3 << 5 << false;
    QTest::newRow("low 8 bits") << true << 256 + 2 << 2 << true;
    QTest::newRow("low 8 bits, not the whole") << true << 256 + 2 << 258 << false;
}

void tst_PageRules::tabLimit()
{
    QFETCH(bool, len);
    QFETCH(int, maxLen);
    QFETCH(int, tabs);
    QFETCH(bool, refused);
    QCOMPARE(PageRules::tabLimitReached(len, maxLen, tabs), refused);
}

void tst_PageRules::moveOpensNewWindow_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("newWindow");
    QTest::newRow("mode 0, window open") << 0 << true << false;
    QTest::newRow("mode 1, window open") << 1 << true << true;
    QTest::newRow("mode 0, none open") << 0 << false << true;
    QTest::newRow("mode 2") << 2 << true << false;
    QTest::newRow("mode 257 is 1") << 257 << true << true;
}

void tst_PageRules::moveOpensNewWindow()
{
    QFETCH(int, mode);
    QFETCH(bool, open);
    QFETCH(bool, newWindow);
    QCOMPARE(PageRules::moveOpensNewWindow(mode, open), newWindow);
}

QTEST_GUILESS_MAIN(tst_PageRules)
#include "tst_PageRules.moc"
