// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "HomeTest.h"
#include "common/DorvuError.h"
#include "common/WebListFile.h"
#include "weblist/WebListMenuRules.h"
#include "weblist/WebListText.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

#include <memory>

namespace {
QString S(const char16_t *text)
{
    return QString::fromUtf16(text);
}
} // namespace

class tst_WebListFile : public HomeTest
{
    Q_OBJECT

private Q_SLOTS:
    void readingRules_data();
    void readingRules();
    void badInputNeverFails_data();
    void badInputNeverFails();
    void textBeyondLimitIsReported();
    void absentFilesGiveNothing_data();
    void absentFilesGiveNothing();
    void missingFileIsReportedWithPath();
    void writeEndsEveryLine();
    void writeFailureIsReported();
    void untouchedLinesKeepTheirBytes_data();
    void untouchedLinesKeepTheirBytes();
    void captions_data();
    void captions();
    void listingSkipsFoldersAndSortsNumbers();
    void listingKeepsNamesOutsideTheLocale();

private:
};

void tst_WebListFile::readingRules_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    const QString a = QStringLiteral("http://a/");
    const QString b = QStringLiteral("http://b/");
    QTest::newRow("CR LF") << QByteArray("http://a/\r\nhttp://b/\r\n") << QStringList{a, b};
    QTest::newRow("lone CR") << QByteArray("http://a/\rhttp://b/\r") << QStringList{a, b};
    QTest::newRow("lone LF") << QByteArray("http://a/\nhttp://b/\n") << QStringList{a, b};
    QTest::newRow("LF CR is two ends")
        << QByteArray("http://a/\n\rhttp://b/") << QStringList{a, QString(), b};
    QTest::newRow("last line without end")
        << QByteArray("http://a/\r\nhttp://b/") << QStringList{a, b};
    QTest::newRow("CR LF CR LF: one empty last line")
        << QByteArray("http://a/\r\n\r\n") << QStringList{a, QString()};
    QTest::newRow("empty lines between")
        << QByteArray("http://a/\r\n\r\n\r\nhttp://b/") << QStringList{a, QString(), QString(), b};
    QTest::newRow("equal lines") << QByteArray("http://a/\r\nhttp://a/\r\n") << QStringList{a, a};
    QTest::newRow("spaces kept") << QByteArray("  http://a/ \r\n\t")
                                 << QStringList{QStringLiteral("  http://a/ "), S(u"\t")};
    QTest::newRow("text ends at NUL")
        << QByteArray("http://a/\r\nhttp://b/\0http://c/\r\n", 32) << QStringList{a, b};
    QTest::newRow("NUL at start") << QByteArray("\0http://a/\r\n", 12) << QStringList();
    QTest::newRow("0 bytes") << QByteArray() << QStringList();
    QTest::newRow("only a line end") << QByteArray("\r\n") << QStringList{QString()};
    QTest::newRow("Shift_JIS") << QByteArray("http://a/\x83\x6a\x83\x85\x81\x5b\x83\x58\r\n")
                               << QStringList{S(u"http://a/ニュース")};
}

void tst_WebListFile::readingRules()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    m_home->write(QStringLiteral("a.wlf"), bytes);
    QCOMPARE(WebListFile::read(m_home->file(QStringLiteral("a.wlf"))), lines);
}

void tst_WebListFile::badInputNeverFails_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("firstLineSize");
    QTest::newRow("100000 lines") << QByteArray("http://127.0.0.1/\r\n").repeated(100000) << 100000
                                  << 17;
    QTest::newRow("one 10 MB line") << QByteArray(10 * 1024 * 1024, 'a') << 1 << 10 * 1024 * 1024;
    QByteArray garbage(1024 * 1024, Qt::Uninitialized);
    QRandomGenerator random(12);
    for (char &c : garbage)
        c = char(random.bounded(1, 256)); // no NUL: every byte is read
    QTest::newRow("binary garbage") << garbage << -1 << -1;
    QTest::newRow("cut two-byte character") << QByteArray("http://a/\x83") << 1 << 10;
}

void tst_WebListFile::badInputNeverFails()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, lines);
    QFETCH(int, firstLineSize);
    m_home->write(QStringLiteral("a.wlf"), bytes);
    const QStringList read = WebListFile::read(m_home->file(QStringLiteral("a.wlf")));
    if (lines >= 0) {
        QCOMPARE(read.size(), lines);
        QCOMPARE(read.first().size(), firstLineSize);
    } else {
        QVERIFY(!read.isEmpty());
    }
}

void tst_WebListFile::textBeyondLimitIsReported()
{
    m_home->write(QStringLiteral("a.wlf"), "0123456789abcdefghij");
    bool complete = true;
    QCOMPARE(WebListFile::readText(m_home->file(QStringLiteral("a.wlf")), 10, &complete),
             QByteArray("0123456789"));
    QVERIFY(!complete);
    // A NUL inside the limit ends the text there: nothing is lost.
    m_home->write(QStringLiteral("b.wlf"), QByteArray("0123\0"
                                                      "56789abcdef",
                                                      16));
    QCOMPARE(WebListFile::readText(m_home->file(QStringLiteral("b.wlf")), 10, &complete),
             QByteArray("0123"));
    QVERIFY(complete);
    // So does a NUL just after it: the text is exactly as long as the limit.
    m_home->write(QStringLiteral("c.wlf"), QByteArray("0123456789\0abc", 14));
    QCOMPARE(WebListFile::readText(m_home->file(QStringLiteral("c.wlf")), 10, &complete),
             QByteArray("0123456789"));
    QVERIFY(complete);
    // A file exactly as long as the limit is complete too.
    m_home->write(QStringLiteral("d.wlf"), "0123456789");
    QCOMPARE(WebListFile::readText(m_home->file(QStringLiteral("d.wlf")), 10, &complete),
             QByteArray("0123456789"));
    QVERIFY(complete);
}

void tst_WebListFile::absentFilesGiveNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << QStringLiteral("missing");
    QTest::newRow("folder") << QStringLiteral("folder");
    QTest::newRow("dangling link") << QStringLiteral("link");
}

void tst_WebListFile::absentFilesGiveNothing()
{
    QFETCH(QString, kind);
    const QString path = m_home->file(QStringLiteral("WebList/x.wlf"));
    QVERIFY(QDir().mkpath(m_home->file(QStringLiteral("WebList"))));
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(path));
    if (kind == QLatin1String("link"))
        QVERIFY(QFile::link(m_home->file(QStringLiteral("gone")), path));
    QCOMPARE(WebListFile::readIfFile(path), QStringList());
}

void tst_WebListFile::missingFileIsReportedWithPath()
{
    const QString path = m_home->file(QStringLiteral("WebList/gone.wlf"));
    try {
        WebListFile::read(path);
        QFAIL("no error");
    } catch (const DorvuError &e) {
        QCOMPARE(e.message(), S(u"ファイル ") + path + S(u" は開けません"));
    }
}

void tst_WebListFile::writeEndsEveryLine()
{
    const QString path = m_home->file(QStringLiteral("winlist"));
    WebListFile::write(path, {QStringLiteral("http://a/"), QString(), S(u"ニュース")});
    QCOMPARE(m_home->read(QStringLiteral("winlist")),
             QByteArray("http://a/\r\n\r\n\x83\x6a\x83\x85\x81\x5b\x83\x58\r\n"));
    WebListFile::write(path, {});
    QCOMPARE(m_home->read(QStringLiteral("winlist")), QByteArray());
}

void tst_WebListFile::writeFailureIsReported()
{
    const QString path = m_home->file(QStringLiteral("no-folder/a.wlf"));
    try {
        WebListFile::write(path, {QStringLiteral("x")});
        QFAIL("no error");
    } catch (const DorvuError &e) {
        QCOMPARE(e.message(), S(u"ファイル ") + path + S(u" を作成できません"));
    }
}

void tst_WebListFile::untouchedLinesKeepTheirBytes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QByteArray>("saved");
    const QByteArray odd("http://a/\xff\x80\r\nhttp://b/\xa0x");
    QTest::newRow("unchanged, no end") << odd << QString() << QString() << odd;
    QTest::newRow("lone LF becomes CR LF") << QByteArray("http://a/\nhttp://b/\n") << QString()
                                           << QString() << QByteArray("http://a/\r\nhttp://b/\r\n");
    QTest::newRow("one line changed") << odd << QString() << S(u"http://a/\xdcff\xdc80\nhttp://c/")
                                      << QByteArray("http://a/\xff\x80\r\nhttp://c/");
    QTest::newRow("line shown otherwise")
        << QByteArray("http://a/\x87\x9b\r\n") << S(u"http://a/?\n") << S(u"http://a/?\nx")
        << QByteArray("http://a/\x87\x9b\r\nx");
    QTest::newRow("typed text") << QByteArray() << QString() << S(u"ニュース\n")
                                << QByteArray("\x83\x6a\x83\x85\x81\x5b\x83\x58\r\n");
}

void tst_WebListFile::untouchedLinesKeepTheirBytes()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, shown);
    QFETCH(QString, edited);
    QFETCH(QByteArray, saved);
    WebListText text(file);
    if (!shown.isEmpty())
        text.setShown(shown);
    QCOMPARE(text.encode(edited.isEmpty() ? (shown.isEmpty() ? text.text() : shown) : edited),
             saved);
}

void tst_WebListFile::captions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("news.wlf") << QStringLiteral("news.wlf") << QStringLiteral("&news");
    QTest::newRow("a&b.wlf") << QStringLiteral("a&b.wlf") << QStringLiteral("&a&b");
    QTest::newRow("readme.txt") << QStringLiteral("readme.txt") << QStringLiteral("&readme");
    QTest::newRow("abc") << QStringLiteral("abc") << QStringLiteral("&");
    QTest::newRow("four bytes") << QStringLiteral("x.wl") << QStringLiteral("&");
    QTest::newRow("restore file") << S(u"以前の状態を復元.wlf") << S(u"&以前の状態を復元");
    QTest::newRow("two-byte extension") << S(u"リスト.あい") << S(u"&リスト.");
    QTest::newRow("halved character goes whole") << S(u"あい.wl") << S(u"&あ");
}

void tst_WebListFile::captions()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QCOMPARE(WebListMenuRules::itemCaption(name), caption);
}

void tst_WebListFile::listingSkipsFoldersAndSortsNumbers()
{
    QCOMPARE(WebListMenuRules::listFiles(m_home->file(QStringLiteral("WebList"))).size(), 0);
    for (int i = 1; i <= 300; ++i)
        m_home->write(QStringLiteral("WebList/list%1.wlf").arg(i), "x\r\n");
    m_home->write(QStringLiteral("WebList/.hidden"), "x\r\n");
    QVERIFY(QDir().mkpath(m_home->file(QStringLiteral("WebList/folder.wlf"))));
    const QList<WebListMenuRules::ListedFile> files =
        WebListMenuRules::listFiles(m_home->file(QStringLiteral("WebList")));
    QCOMPARE(files.size(), 301);
    QCOMPARE(files.at(0).name, QStringLiteral(".hidden"));
    QCOMPARE(files.at(1).name, QStringLiteral("list1.wlf"));
    QCOMPARE(files.at(2).name, QStringLiteral("list2.wlf"));
    QCOMPARE(files.at(10).name, QStringLiteral("list10.wlf"));
    QCOMPARE(files.last().name, QStringLiteral("list300.wlf"));
}

void tst_WebListFile::listingKeepsNamesOutsideTheLocale()
{
    QVERIFY(QDir().mkpath(m_home->file(QStringLiteral("WebList"))));
    const QByteArray native =
        QFile::encodeName(m_home->file(QStringLiteral("WebList/"))) + QByteArray("\xff\xfe.wlf");
    FILE *f = std::fopen(native.constData(), "wb");
    QVERIFY(f);
    std::fputs("http://odd/\r\n", f);
    std::fclose(f);
    const QList<WebListMenuRules::ListedFile> files =
        WebListMenuRules::listFiles(m_home->file(QStringLiteral("WebList")));
    QCOMPARE(files.size(), 1);
    QCOMPARE(files.first().nativeName, QByteArray("\xff\xfe.wlf"));
    const QStringList lines = WebListFile::read(native, files.first().name);
    std::remove(native.constData()); // a name the temporary folder cannot remove
    QCOMPARE(lines, QStringList{QStringLiteral("http://odd/")});
}

QTEST_GUILESS_MAIN(tst_WebListFile)
#include "tst_WebListFile.moc"
