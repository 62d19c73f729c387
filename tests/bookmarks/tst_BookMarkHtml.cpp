// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "BookMarkDescribe.h"
#include "EncodingPages.h"
#include "TestHome.h"
#include "bookmarks/BookMarkHtml.h"
#include "common/DorvuError.h"
#include "common/SjisCodec.h"

#include <QtTest>

namespace {

QByteArray encodeAs(const QString &text, const char *encoding)
{
    return EncodingPages::encode(text, encoding);
}

// As browsers export it: unclosed <DT> and <p>, a description, a separator, references.
QString document(const QString &meta)
{
    return QStringLiteral("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
                          "<!-- This is an automatically generated file. -->\n") +
           meta +
           QStringLiteral(
               "\n<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n"
               "    <DT><H3 ADD_DATE=\"1\">ニュース &amp; 天気</H3>\n"
               "    <DL><p>\n"
               "        <DT><A HREF=\"http://news.example/?a=1&amp;b=2\">日本経済 &lt;朝刊&gt;"
               "</A>\n"
               "        <DD>説明は読まない\n"
               "        <DT><H3>深い</H3>\n"
               "        <DL><p>\n"
               "            <DT><A HREF=\"http://deep.example/\" ICON=\"data:x\">深層&#x3042;</A>\n"
               "        </DL><p>\n"
               "        <DT><H3>空</H3>\n"
               "        <DL><p>\n"
               "        </DL><p>\n"
               "    </DL><p>\n"
               "    <HR>\n"
               "    <DT><A HREF=\"http://plain.example/\">ふつう&nbsp;の\n   ページ</A>\n"
               "</DL><p>\n");
}

const QString Expected = QStringLiteral(
    "ニュース & 天気/(日本経済 <朝刊>=http://news.example/?a=1&b=2,"
    "深い/(深層あ=http://deep.example/),空/),ふつう の ページ=http://plain.example/");

} // namespace

class tst_BookMarkHtml : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void read_data();
    void read();
    void fitShiftJis_data();
    void fitShiftJis();
    void replacementsAreCounted();
    void unreadableFileFails();
    void deepFormattingIsReadQuickly();
};

void tst_BookMarkHtml::read_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("encoding");
    const QString meta =
        QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=%1\">");
    for (const char *encoding : {"UTF-8", "Shift_JIS", "EUC-JP"}) {
        const QString name = QString::fromLatin1(encoding);
        QTest::addRow("%s with META", encoding)
            << encodeAs(document(meta.arg(name)), encoding) << name;
        QTest::addRow("%s without META", encoding)
            << encodeAs(document(QString()), encoding) << name;
    }
    QTest::newRow("ISO-2022-JP without META")
        << encodeAs(document(QString()), "ISO-2022-JP") << QStringLiteral("ISO-2022-JP");
    QTest::newRow("UTF-8 byte-order mark")
        << QByteArray("\xEF\xBB\xBF") + document(meta.arg(QStringLiteral("Shift_JIS"))).toUtf8()
        << QStringLiteral("UTF-8");
    QTest::newRow("META x-sjis") << SjisCodec::encode(document(meta.arg(QStringLiteral("x-sjis"))))
                                 << QStringLiteral("Shift_JIS");
    QTest::newRow("HTML5 META charset")
        << encodeAs(document(QStringLiteral("<meta charset='euc-jp'>")), "EUC-JP")
        << QStringLiteral("euc-jp");
}

void tst_BookMarkHtml::read()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, encoding);
    QVERIFY(!bytes.isEmpty());
    const BookMarkHtml::Result result = BookMarkHtml::read(bytes);
    QCOMPARE(result.encoding, encoding);
    QCOMPARE(describe(result.nodes), Expected);
    QCOMPARE(result.replaced, 0);
}

void tst_BookMarkHtml::fitShiftJis_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fitted");
    QTest::addColumn<bool>("changed");
    QTest::newRow("Shift_JIS text")
        << QStringLiteral("表示ｱ①＄") << QStringLiteral("表示ｱ①＄") << false;
    QTest::newRow("emoji") << QStringLiteral("a😀b") << QStringLiteral("a?b") << true;
    QTest::newRow("rare kanji") << QStringLiteral("𠮷野家") << QStringLiteral("?野家") << true;
    QTest::newRow("compatibility form")
        << QStringLiteral("第Ⅻ章") << QStringLiteral("第XII章") << true;
}

void tst_BookMarkHtml::fitShiftJis()
{
    QFETCH(QString, text);
    QFETCH(QString, fitted);
    QFETCH(bool, changed);
    bool replaced = !changed;
    QCOMPARE(BookMarkHtml::fitShiftJis(text, &replaced), fitted);
    QCOMPARE(replaced, changed);
}

void tst_BookMarkHtml::replacementsAreCounted()
{
    const QByteArray html = QStringLiteral("<DL><DT><A HREF='http://a/'>笑😀</A>"
                                           "<DT><H3>𠮷</H3><DL><DT><A HREF='http://b/'>ok</A></DL>"
                                           "<DT><A HREF='http://c/'>普通</A></DL>")
                                .toUtf8();
    const BookMarkHtml::Result result = BookMarkHtml::read(html);
    QCOMPARE(describe(result.nodes),
             QStringLiteral("笑?=http://a/,?/(ok=http://b/),普通=http://c/"));
    QCOMPARE(result.replaced, 2);
}

void tst_BookMarkHtml::unreadableFileFails()
{
    TestHome home;
    QVERIFY_THROWS_EXCEPTION(DorvuError,
                             BookMarkHtml::load(home.file(QStringLiteral("missing.htm"))));
    home.write(QStringLiteral("junk.htm"), QByteArray("\0\xFF<dl><dt><a>", 12));
    QVERIFY(BookMarkHtml::load(home.file(QStringLiteral("junk.htm"))).nodes.isEmpty());
}

void tst_BookMarkHtml::deepFormattingIsReadQuickly()
{
    // Tens of thousands of unclosed formatting tags once took the parser many seconds.
    const QByteArray bytes = "<DL><DT><A HREF=\"http://a.example/\"><b>A</b></A>" +
                             QByteArray("<b><FONT color=red>").repeated(21000) + "</DL>";
    QElapsedTimer timer;
    timer.start();
    const BookMarkHtml::Result result = BookMarkHtml::read(bytes);
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(result.nodes.size(), qsizetype(1));
    QCOMPARE(result.nodes.at(0).text, QStringLiteral("A"));
    QCOMPARE(result.nodes.at(0).url, QStringLiteral("http://a.example/"));
}

QTEST_GUILESS_MAIN(tst_BookMarkHtml)
#include "tst_BookMarkHtml.moc"
