// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Shift_JIS through iconv with escaped invalid bytes, whole-file text access.
#include "TestHome.h"
#include "common/DorvuError.h"
#include "common/SjisCodec.h"
#include "common/TextFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

namespace {

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

/// S() where "{NN}" stands for the escape character of byte 0xNN (U+DCNN).
QString X(const char *utf8)
{
    QString s = S(utf8);
    qsizetype i;
    while ((i = s.indexOf(QLatin1Char('{'))) >= 0)
        s.replace(i, 4, QChar(0xDC00 + s.mid(i + 1, 2).toInt(nullptr, 16)));
    return s;
}

} // namespace

class TestSjisTextFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decode_data();
    void decode();
    void encode_data();
    void encode();
    void invalidBytesRoundTrip_data();
    void invalidBytesRoundTrip();
    void randomBytesRoundTrip();
    void secondCodeBehindEscape_data();
    void secondCodeBehindEscape();
    void allDoubleByteCharacters();
    void largeText();
    void splitLines_data();
    void splitLines();
    void readLines();
    void readLinesErrors();
    void writeLines();
    void writeFailsWithPath();
    void writeReplacesWhole();
};

void TestSjisTextFile::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("ascii") << QByteArray("abc\r\n") << S("abc\r\n");
    QTest::newRow("backslash and tilde") << QByteArray("\\~") << S("\\~");
    QTest::newRow("kanji") << QByteArray("\x93\xfa\x96\x7b\x8c\xea") << S("日本語");
    QTest::newRow("trail byte 0x5C") << QByteArray("\x95\x5c\x8e\xa6") << S("表示");
    QTest::newRow("half-width katakana") << QByteArray("\xb1\xb2") << S("ｱｲ");
    QTest::newRow("NEC special") << QByteArray("\x87\x40") << S("①");
    QTest::newRow("IBM extension") << QByteArray("\xfb\xfc") << S("髙");
    QTest::newRow("invalid 0x80") << QByteArray("a\x80z") << X("a{80}z");
    QTest::newRow("invalid 0xFF") << QByteArray("\xff") << X("{FF}");
    QTest::newRow("bad trail byte") << QByteArray("\x81\x20x") << X("{81} x");
    QTest::newRow("truncated at end") << QByteArray("\x82\xa0\x82") << X("あ{82}");
    QTest::newRow("only a lead byte") << QByteArray("\x93") << X("{93}");
    QTest::newRow("NUL") << QByteArray("a\0b", 3) << QString(QStringLiteral("a") + QChar(0) + u'b');
}

void TestSjisTextFile::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(SjisCodec::decode(bytes), text);
}

void TestSjisTextFile::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << S("key=value") << QByteArray("key=value");
    QTest::newRow("kanji") << S("日本語") << QByteArray("\x93\xfa\x96\x7b\x8c\xea");
    QTest::newRow("escapes") << X("{80}x{FF}") << QByteArray("\x80x\xff");
    QTest::newRow("not in CP932") << S("€") << QByteArray("?");
    QTest::newRow("outside the BMP") << S("a😀b") << QByteArray("a?b");
    QTest::newRow("lone surrogate")
        << QString(QStringLiteral("a") + QChar(0xD800) + u'b') << QByteArray("a?b");
    QTest::newRow("tag character")
        << QString(QStringLiteral("a") + QChar(0xDB40) + QChar(0xDC01) + u'b') << QByteArray("a?b");
    QTest::newRow("low surrogate that is no escape") << QString(QChar(0xDC10)) << QByteArray("?");
    QTest::newRow("mixed") << X("あ{82}€い") << QByteArray("\x82\xa0\x82?\x82\xa2");
}

void TestSjisTextFile::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(SjisCodec::encode(text), bytes);
}

void TestSjisTextFile::invalidBytesRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("high bytes") << QByteArray("\x80\xa0\xfd\xfe\xff");
    QTest::newRow("UTF-8 text") << QByteArray("\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e");
    QTest::newRow("lead bytes in a row") << QByteArray("\x81\x81\x81");
    QTest::newRow("truncated") << QByteArray("abc\x9f");
    QTest::newRow("latin-1") << QByteArray("caf\xe9 na\xefve");
}

void TestSjisTextFile::invalidBytesRoundTrip()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(SjisCodec::encode(SjisCodec::decode(bytes)), bytes);
}

void TestSjisTextFile::randomBytesRoundTrip()
{
    // Random bytes survive decode + encode, except where CP932 has two codes for one
    // character (NEC-selected IBM extensions): there the canonical code comes back, which
    // decodes to the same text.
    QRandomGenerator rng(4711);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes(1 + int(rng.bounded(200)), Qt::Uninitialized);
        for (char &b : bytes)
            b = char(rng.bounded(256));
        const QString text = SjisCodec::decode(bytes);
        const QByteArray back = SjisCodec::encode(text);
        QCOMPARE(SjisCodec::decode(back), text);
        QVERIFY(text.size() <= bytes.size());
    }
}

void TestSjisTextFile::secondCodeBehindEscape_data()
{
    QTest::addColumn<QByteArray>("bytes");
    // 0xEEF6 (small roman eight) is written at its first code 0xFA47, and 0xEE 0xFA would be
    // read as one character: it keeps a code that does not pair with the escaped 0xEE.
    QTest::newRow("NEC-selected behind a lone lead") << QByteArray("\xee\xee\xf6*");
    QTest::newRow("first code unchanged") << QByteArray("\x80\xfa\x47");
}

void TestSjisTextFile::secondCodeBehindEscape()
{
    QFETCH(QByteArray, bytes);
    const QString text = SjisCodec::decode(bytes);
    QCOMPARE(SjisCodec::decode(SjisCodec::encode(text)), text);
}

void TestSjisTextFile::allDoubleByteCharacters()
{
    // Every valid double-byte code decodes to one character that encodes to a code decoding
    // to the same character; every invalid one escapes and comes back byte for byte.
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const QByteArray bytes{char(lead), char(trail)};
            const QString text = SjisCodec::decode(bytes);
            const QByteArray back = SjisCodec::encode(text);
            if (text.size() == 1 && !(text[0].unicode() >= 0xDC80 && text[0].unicode() <= 0xDCFF))
                QCOMPARE(SjisCodec::decode(back), text);
            else
                QCOMPARE(back, bytes);
        }
    }
}

void TestSjisTextFile::largeText()
{
    // 64 MiB of mixed text in reasonable time.
    const QByteArray chunk("[Section]\r\nkey=\x93\xfa\x96\x7b\x8c\xea value \x80\r\n");
    const QByteArray bytes = chunk.repeated(64 * 1024 * 1024 / chunk.size());
    QElapsedTimer t;
    t.start();
    const QString text = SjisCodec::decode(bytes);
    const QByteArray back = SjisCodec::encode(text);
    const qint64 ms = t.elapsed();
    QCOMPARE(back.size(), bytes.size());
    QVERIFY(back == bytes);
    qInfo("64 MiB decoded and encoded in %lld ms", ms);
    QVERIFY2(ms < 30000, "too slow");
}

void TestSjisTextFile::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("one line") << S("a") << QStringList{S("a")};
    QTest::newRow("CR LF") << S("a\r\nb\r\n") << QStringList{S("a"), S("b")};
    QTest::newRow("LF") << S("a\nb") << QStringList{S("a"), S("b")};
    QTest::newRow("CR") << S("a\rb\r") << QStringList{S("a"), S("b")};
    QTest::newRow("LF CR is two ends") << S("a\n\rb") << QStringList{S("a"), S(""), S("b")};
    QTest::newRow("CR CR LF") << S("a\r\r\nb") << QStringList{S("a"), S(""), S("b")};
    QTest::newRow("empty lines kept")
        << S("\r\n\r\na\r\n\r\n") << QStringList{S(""), S(""), S("a"), S("")};
    QTest::newRow("only a line end") << S("\n") << QStringList{S("")};
    QTest::newRow("blanks kept") << S(" a \t\r\n") << QStringList{S(" a \t")};
}

void TestSjisTextFile::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(TextFile::splitLines(text), lines);
}

void TestSjisTextFile::readLines()
{
    TestHome home;
    home.write(S("Close.txt"), "http://a/\r\n\x93\xfa\x96\x7b\nhttp://b/\r\x80\r\n");
    QCOMPARE(TextFile::readLines(home.file(S("Close.txt"))),
             (QStringList{S("http://a/"), S("日本"), S("http://b/"), X("{80}")}));
    QCOMPARE(TextFile::readLinesOrEmpty(home.file(S("Close.txt"))).size(), 4);
    home.write(S("empty.txt"), QByteArray());
    QCOMPARE(TextFile::readLines(home.file(S("empty.txt"))), QStringList());
}

void TestSjisTextFile::readLinesErrors()
{
    TestHome home;
    const QString missing = home.file(S("CloseURL.txt"));
    try {
        TextFile::readLines(missing);
        QFAIL("no error");
    } catch (const DorvuError &e) {
        QCOMPARE(e.message(), S("ファイル ") + missing + S(" は開けません"));
        QCOMPARE(QString::fromUtf8(e.what()), e.message());
    }
    QCOMPARE(TextFile::readLinesOrEmpty(missing), QStringList());
    // A folder is no file.
    QVERIFY(QDir().mkpath(home.file(S("folder"))));
    QVERIFY_THROWS_EXCEPTION(DorvuError, TextFile::readLines(home.file(S("folder"))));
    QCOMPARE(TextFile::readLinesOrEmpty(home.file(S("folder"))), QStringList());
}

void TestSjisTextFile::writeLines()
{
    TestHome home;
    const QString path = home.file(S("winlist"));
    const QStringList lines{S("http://example.com/"), S("日本語"), S(""), X("{80}{FF}"), S("€")};
    TextFile::writeLines(path, lines);
    QCOMPARE(
        home.read(S("winlist")),
        QByteArray("http://example.com/\r\n\x93\xfa\x96\x7b\x8c\xea\r\n\r\n\x80\xff\r\n?\r\n"));
    QStringList expected = lines;
    expected.last() = S("?");
    QCOMPARE(TextFile::readLines(path), expected);
    // No lines: an empty file.
    TextFile::writeLines(path, QStringList());
    QCOMPARE(home.read(S("winlist")), QByteArray());
    QVERIFY(QFileInfo::exists(path));
    // No temporary file stays behind.
    QCOMPARE(QDir(home.path()).entryList(QDir::Files | QDir::Hidden), QStringList{S("winlist")});
}

void TestSjisTextFile::writeFailsWithPath()
{
    TestHome home;
    home.write(S("plainfile"), "x");
    const QString path = home.file(S("plainfile/Close.txt"));
    try {
        TextFile::writeLines(path, QStringList{S("a")});
        QFAIL("no error");
    } catch (const DorvuError &e) {
        QCOMPARE(e.message(), path + S(" に書き込めません"));
    }
    try {
        TextFile::writeBytes(S("/proc/dorvu-test-file"), "x");
        QFAIL("no error");
    } catch (const DorvuError &e) {
        QCOMPARE(e.message(), S("/proc/dorvu-test-file に書き込めません"));
    }
    // A folder in the way is not replaced.
    QVERIFY(QDir().mkpath(home.file(S("dir"))));
    QVERIFY_THROWS_EXCEPTION(DorvuError, TextFile::writeBytes(home.file(S("dir")), "x"));
    QVERIFY(QFileInfo(home.file(S("dir"))).isDir());
}

void TestSjisTextFile::writeReplacesWhole()
{
    TestHome home;
    home.write(S("Close.txt"), QByteArray(10000, 'x'));
    TextFile::writeBytes(home.file(S("Close.txt")), "short");
    QCOMPARE(home.read(S("Close.txt")), QByteArray("short"));
}

QTEST_GUILESS_MAIN(TestSjisTextFile)
#include "tst_SjisTextFile.moc"
