// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "HomeTest.h"
#include "common/DorvuError.h"
#include "settings/IniFile.h"
#include "tools/SearchTable.h"

#include <QtTest>

#include <memory>

class tst_SearchTable : public HomeTest
{
    Q_OBJECT

private Q_SLOTS:
    void captionsInOrder();
    void url_data();
    void url();
    void hostFromSettings_data();
    void hostFromSettings();
    void noServiceIsRefused_data();
    void noServiceIsRefused();
    void megabyteQueryFitsLongerIsRefused();

private:
};

void tst_SearchTable::captionsInOrder()
{
    const QStringList captions = SearchTable::read(IniFile::config()).captions();
    QCOMPARE(captions.size(), 11);
    QCOMPARE(captions.first(), QStringLiteral("Google（日本語）"));
    QCOMPARE(captions.at(3), QStringLiteral("Yahoo!-SoftWise（韓国）"));
    QCOMPARE(captions.last(), QStringLiteral("郵便番号検索（住所）"));
}

void tst_SearchTable::url_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("charset");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("tail");

    const QString none;
    const QString sjis = QStringLiteral("Shift_JIS");
    QTest::newRow("abc, service 0 asks for Japanese pages")
        << 0 << none << QStringLiteral("abc") << QStringLiteral("/search?hl=ja&q=abc&lr=lang_ja");
    QTest::newRow("abc, service 1 the same without")
        << 1 << none << QStringLiteral("abc") << QStringLiteral("/search?hl=ja&q=abc");
    QTest::newRow("empty query") << 0 << none << QString()
                                 << QStringLiteral("/search?hl=ja&q=&lr=lang_ja");
    QTest::newRow("ampersand") << 2 << none << QStringLiteral("AT&T")
                               << QStringLiteral("/bin/search?p=AT%26T");
    QTest::newRow("hash") << 2 << none << QStringLiteral("C#")
                          << QStringLiteral("/bin/search?p=C%23");
    QTest::newRow("plus") << 2 << none << QStringLiteral("1+1")
                          << QStringLiteral("/bin/search?p=1%2B1");
    QTest::newRow("space") << 2 << none << QStringLiteral("a b")
                           << QStringLiteral("/bin/search?p=a+b");
    QTest::newRow("control characters")
        << 2 << none << QStringLiteral("a\tb\n") << QStringLiteral("/bin/search?p=a%09b%0A");
    QTest::newRow("Japanese in UTF-8") << 2 << none << QStringLiteral("東京")
                                       << QStringLiteral("/bin/search?p=%E6%9D%B1%E4%BA%AC");
    QTest::newRow("Japanese in Shift_JIS") << 2 << sjis << QStringLiteral("東京 ｱ")
                                           << QStringLiteral("/bin/search?p=%93%8C%8B%9E+%B1");
    QTest::newRow("CP932 extension in Shift_JIS")
        << 2 << sjis << QStringLiteral("①") << QStringLiteral("/bin/search?p=%87%40");
    QTest::newRow("Korean in Shift_JIS as a reference")
        << 3 << sjis << QStringLiteral("a한b") << QStringLiteral("/bin/query?p=a%26%2354620%3Bb");
    QTest::newRow("emoji in Shift_JIS as a reference")
        << 3 << sjis << QStringLiteral("東😀")
        << QStringLiteral("/bin/query?p=%93%8C%26%23128512%3B");
    QTest::newRow("lone surrogate in Shift_JIS")
        << 3 << sjis << QString(QChar(0xDC81)) << QStringLiteral("/bin/query?p=%26%2365533%3B");
    QTest::newRow("Japanese in EUC-JP") << 4 << QStringLiteral("euc-jp") << QStringLiteral("東京")
                                        << QStringLiteral("/GTitles?qt=%C5%EC%B5%FE");
    QTest::newRow("Korean in EUC-JP as a reference")
        << 4 << QStringLiteral("EUC-JP") << QStringLiteral("한")
        << QStringLiteral("/GTitles?qt=%26%2354620%3B");
    QTest::newRow("unknown charset is UTF-8")
        << 4 << QStringLiteral("KOI8-R") << QStringLiteral("é")
        << QStringLiteral("/GTitles?qt=%C3%A9");
}

void tst_SearchTable::url()
{
    QFETCH(int, index);
    QFETCH(QString, charset);
    QFETCH(QString, query);
    QFETCH(QString, tail);
    IniFile ini = IniFile::config();
    ini.WriteString(QStringLiteral("Search"), QStringLiteral("Host%1").arg(index),
                    QStringLiteral("127.0.0.1:8080"));
    if (!charset.isEmpty())
        ini.WriteString(QStringLiteral("Search"), QStringLiteral("Charset%1").arg(index), charset);
    QCOMPARE(SearchTable::read(ini).url(index, query),
             QStringLiteral("http://127.0.0.1:8080") + tail);
}

void tst_SearchTable::hostFromSettings_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("none") << QString() << QStringLiteral("http://www.google.co.jp/search?hl=ja&q=");
    QTest::newRow("with port") << QStringLiteral("127.0.0.1:81")
                               << QStringLiteral("http://127.0.0.1:81/search?hl=ja&q=");
    QTest::newRow("with scheme and slash") << QStringLiteral("http://example.test/")
                                           << QStringLiteral("http://example.test/search?hl=ja&q=");
}

void tst_SearchTable::hostFromSettings()
{
    QFETCH(QString, host);
    QFETCH(QString, prefix);
    IniFile ini = IniFile::config();
    if (!host.isEmpty())
        ini.WriteString(QStringLiteral("Search"), QStringLiteral("Host1"), host);
    QCOMPARE(SearchTable::read(ini).at(1).prefix, prefix);
}

void tst_SearchTable::noServiceIsRefused_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("edited text") << -1;
    QTest::newRow("past the table") << 11;
}

void tst_SearchTable::noServiceIsRefused()
{
    QFETCH(int, index);
    QVERIFY_THROWS_EXCEPTION(DorvuError,
                             SearchTable::read(IniFile::config()).url(index, QStringLiteral("x")));
}

void tst_SearchTable::megabyteQueryFitsLongerIsRefused()
{
    const SearchTable table = SearchTable::read(IniFile::config());
    const QString megabyte(1024 * 1024, QLatin1Char('a'));
    QCOMPARE(table.url(1, megabyte).size(), table.at(1).prefix.size() + megabyte.size());
    // Each "&" grows threefold: the encoded address passes the limit.
    const QString ampersands(1024 * 1024, QLatin1Char('&'));
    QVERIFY_THROWS_EXCEPTION(DorvuError, table.url(1, ampersands));
}

QTEST_GUILESS_MAIN(tst_SearchTable)
#include "tst_SearchTable.moc"
