// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The one detector of Japanese text that names no character set (WebKit pages, bookmark files).
#include "EncodingPages.h"
#include "common/JapaneseCharset.h"

#include <QTest>

namespace {

const char16_t Japanese[] =
    u"これは日本語で書かれたページです。文字コードの自動判別を確かめるための"
    u"文章です。東京、大阪、名古屋。";

QByteArray encodeAs(const char *encoding, const QString &text)
{
    return EncodingPages::encode(text, encoding);
}

QByteArray page(const QByteArray &body)
{
    return "<html><head><title>t</title></head><body><p>" + body + "</p></body></html>";
}

} // namespace

class tst_JapaneseCharset : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void detect_data();
    void detect();
    void declared_data();
    void declared();
};

void tst_JapaneseCharset::detect_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("expected");
    const QString text = QString::fromUtf16(Japanese);
    for (const char *encoding : {"Shift_JIS", "EUC-JP", "ISO-2022-JP"})
        QTest::addRow("%s", encoding) << page(encodeAs(encoding, text)) << QByteArray(encoding);
    QTest::newRow("JIS X 0201 Roman escape")
        << page("\x1b(Jabc\x1b(B") << QByteArray("ISO-2022-JP");
    QTest::newRow("JIS X 0212 escape") << page("\x1b$(D0!\x1b(B") << QByteArray("ISO-2022-JP");
    QTest::newRow("UTF-8") << page(text.toUtf8()) << QByteArray();
    QTest::newRow("ASCII") << page("plain text") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("Latin-1, a Western page")
        << page(QStringLiteral("Les élèves étaient très contents de découvrir la forêt, où "
                               "l'été dure longtemps et où les châteaux sont nombreux.")
                    .toLatin1())
        << QByteArray();
    // A long head of markup says nothing: the text after it is what counts.
    QTest::newRow("Shift_JIS after 100 KiB of ASCII")
        << page(QByteArray(100 * 1024, 'a') + encodeAs("Shift_JIS", text))
        << QByteArray("Shift_JIS");
}

void tst_JapaneseCharset::detect()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, expected);
    QVERIFY(!bytes.isEmpty() || expected.isEmpty());
    QCOMPARE(QByteArray(JapaneseCharset::detect(bytes.constData(), bytes.size())), expected);
}

void tst_JapaneseCharset::declared_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("meta charset") << QByteArray("<head><meta charset=\"Shift_JIS\">")
                                  << QByteArray("Shift_JIS");
    QTest::newRow("http-equiv") << QByteArray("<META HTTP-EQUIV=\"Content-Type\" "
                                              "CONTENT=\"text/html; CHARSET=euc-jp\">")
                                << QByteArray("euc-jp");
    QTest::newRow("spaces and quotes")
        << QByteArray("<meta charset = ' utf-8 '>") << QByteArray("utf-8");
    QTest::newRow("the word alone")
        << QByteArray("<meta name=\"charset\" content=\"x\">") << QByteArray();
    QTest::newRow("outside a meta tag") << QByteArray("<p>charset=utf-8</p>") << QByteArray();
    QTest::newRow("past the first 1024 bytes")
        << QByteArray(1024, ' ') + "<meta charset=\"Shift_JIS\">" << QByteArray();
}

void tst_JapaneseCharset::declared()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, expected);
    QCOMPARE(JapaneseCharset::declared(bytes.constData(), bytes.size()), expected);
}

QTEST_GUILESS_MAIN(tst_JapaneseCharset)
#include "tst_JapaneseCharset.moc"
