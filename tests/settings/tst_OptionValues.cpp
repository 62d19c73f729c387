// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The options dialog's settings: what is shown for bad stored values, what each page writes,
// the start-up buttons and the block list's round trip.
#include "DorvuError.h"
#include "IniFile.h"
#include "OptionPages.h"
#include "OptionValues.h"
#include "PopListLines.h"
#include "SjisCodec.h"
#include "TestHome.h"

#include <QtTest>

#include <memory>

namespace {

OptionValues::Visited only(std::initializer_list<OptionValues::Page> pages)
{
    OptionValues::Visited visited{};
    for (OptionValues::Page p : pages)
        visited[p] = 1;
    return visited;
}

} // namespace

class tst_OptionValues : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void tabNumbersShown_data();
    void tabNumbersShown();
    void pagesWriteTheirKeys_data();
    void pagesWriteTheirKeys();
    void nonIntegerStopsAfterEarlierKeys_data();
    void nonIntegerStopsAfterEarlierKeys();
    void startupChoices_data();
    void startupChoices();
    void blockListKeepsUntouchedBytes();

private:
    IniFile ini() const { return IniFile(m_home->file(QStringLiteral("config.ini"))); }
    std::unique_ptr<TestHome> m_home;
};

void tst_OptionValues::init()
{
    m_home = std::make_unique<TestHome>();
    QVERIFY(m_home->isValid());
}

void tst_OptionValues::tabNumbersShown_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("maxSize");
    QTest::addColumn<QString>("maxLen");
    QTest::newRow("missing") << QByteArray() << "75"
                             << "0";
    QTest::newRow("empty") << QByteArray("MaxSize=\r\nMaxLen=\r\n") << "75"
                           << "0";
    QTest::newRow("letters") << QByteArray("MaxSize=abc\r\nMaxLen=x1\r\n") << "75"
                             << "0";
    QTest::newRow("hex") << QByteArray("MaxSize=$4B\r\nMaxLen=0x10\r\n") << "75"
                         << "16";
    QTest::newRow("above range") << QByteArray("MaxSize=301\r\nMaxLen=5000\r\n") << "300"
                                 << "100";
    QTest::newRow("huge") << QByteArray("MaxSize=99999999999\r\nMaxLen=2147483647\r\n") << "75"
                          << "100";
    QTest::newRow("negative") << QByteArray("MaxSize=-5\r\nMaxLen=-2147483648\r\n") << "0"
                              << "0";
}

void tst_OptionValues::tabNumbersShown()
{
    QFETCH(QByteArray, stored);
    QFETCH(QString, maxSize);
    QFETCH(QString, maxLen);
    m_home->write(QStringLiteral("config.ini"), "[Option_Tab]\r\n" + stored);
    const OptionValues v = OptionValues::Read(ini());
    QCOMPARE(v.MaxSize, maxSize);
    QCOMPARE(v.MaxLen, maxLen);
    // What is shown is what goes back.
    IniFile file = ini();
    v.Write(file, only({OptionValues::Tab}));
    QCOMPARE(file.ReadString(QStringLiteral("Option_Tab"), QStringLiteral("MaxSize"), {}), maxSize);
    QCOMPARE(file.ReadString(QStringLiteral("Option_Tab"), QStringLiteral("MaxLen"), {}), maxLen);
}

void tst_OptionValues::pagesWriteTheirKeys_data()
{
    QTest::addColumn<OptionValues::Visited>("visited");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("general only")
        << only({OptionValues::General})
        << QByteArray("[Option_Main]\r\nMozPath=\r\nMozilla=0\r\nTranslate=0\r\n");
    QTest::newRow("tab: all nine")
        << only({OptionValues::Tab})
        << QByteArray("[Option_Tab]\r\nfix=0\r\nMaxSize=75\r\nLen=0\r\nMaxLen=0\r\nTabType=0\r\n"
                      "ActivateChColor=clWindowText\r\nActivateBGColor=clBtnFace\r\n"
                      "DeActivateChColor=clWindowText\r\nDeActivateBGColor=clBtnFace\r\n");
    QTest::newRow("pages in sheet order")
        << only({OptionValues::Security, OptionValues::Advert, OptionValues::Window,
                 OptionValues::StartUp})
        << QByteArray("[Option_Window]\r\nBookMark=0\r\nAddressBar=0\r\nNewWindow_Active=0\r\n"
                      "\r\n[Option_advertisemen]\r\nCloseURL=0\r\n"
                      "\r\n[Option_StartUp]\r\nType=0\r\nPath=\r\n"
                      "\r\n[Option_Security]\r\nJava=0\r\nScript=0\r\nActiveX=0\r\n"
                      "\r\n[Option_Multimedia]\r\nImage=0\r\nBGM=0\r\nVideo=0\r\n");
    QTest::newRow("none") << only({}) << QByteArray();
}

void tst_OptionValues::pagesWriteTheirKeys()
{
    QFETCH(OptionValues::Visited, visited);
    QFETCH(QByteArray, file);
    IniFile config = ini();
    OptionValues::Read(config).Write(config, visited);
    QCOMPARE(m_home->read(QStringLiteral("config.ini")), file);
}

void tst_OptionValues::nonIntegerStopsAfterEarlierKeys_data()
{
    QTest::addColumn<bool>("sizeBad");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("size") << true << "7a" << QStringList{QStringLiteral("fix")};
    QTest::newRow("count") << false << " "
                           << QStringList{QStringLiteral("fix"), QStringLiteral("MaxSize"),
                                          QStringLiteral("Len")};
}

void tst_OptionValues::nonIntegerStopsAfterEarlierKeys()
{
    QFETCH(bool, sizeBad);
    QFETCH(QString, text);
    QFETCH(QStringList, written);
    IniFile config = ini();
    OptionValues v;
    v.MaxSize = sizeBad ? text : QStringLiteral("10");
    v.MaxLen = sizeBad ? QStringLiteral("3") : text;
    try {
        v.Write(config, only({OptionValues::Tab, OptionValues::StartUp}));
        QFAIL("no error");
    } catch (const DorvuError &e) {
        QCOMPARE(e.message(), QStringLiteral("'%1' は整数ではありません").arg(text));
    }
    QStringList keys;
    for (const char *key : {"fix", "MaxSize", "Len", "MaxLen", "TabType"}) {
        if (!config.ReadString(QStringLiteral("Option_Tab"), QString::fromLatin1(key), {}).isNull())
            keys << QString::fromLatin1(key);
    }
    QCOMPARE(keys, written);
    QVERIFY(!m_home->read(QStringLiteral("config.ini")).contains("Option_StartUp"));
}

void tst_OptionValues::startupChoices_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("choice");
    QTest::newRow("nothing") << 0 << 0;
    QTest::newRow("url") << 1 << 2;
    QTest::newRow("web list") << 2 << 3;
    QTest::newRow("last windows") << 3 << 1;
    QTest::newRow("seven") << 7 << -1;
    QTest::newRow("negative") << -1 << -1;
}

void tst_OptionValues::startupChoices()
{
    QFETCH(int, type);
    QFETCH(int, choice);
    QCOMPARE(OptionPages::choiceOfType(type), choice);
    if (choice >= 0)
        QCOMPARE(OptionPages::StartupChoices[choice].type, type);
}

void tst_OptionValues::blockListKeepsUntouchedBytes()
{
    // Two lines with bytes that are no Shift_JIS, shown alike; one ordinary line; an empty
    // last line.
    const QStringList file =
        SjisCodec::decode("*ad\x81\r\n*ad\xFF\r\n*banner*\r\n\r\n").split(QStringLiteral("\r\n"));
    const PopListLines lines(file.mid(0, 4));
    QCOMPARE(lines.text(), QString::fromUtf8("*ad\uFFFD\n*ad\uFFFD\n*banner*\n"));
    QCOMPARE(lines.linesFor(lines.text()), file.mid(0, 4));
    // A line added at the top moves the others; they still come back as they were.
    const QStringList edited = lines.linesFor(QStringLiteral("*new*\n") + lines.text());
    QCOMPARE(edited.mid(1), file.mid(0, 4));
    // A line the user changed is saved as shown.
    QCOMPARE(lines.linesFor(QString::fromUtf8("*ad\uFFFDx")),
             QStringList{QString::fromUtf8("*ad\uFFFDx")});
    QCOMPARE(PopListLines().linesFor(QString()), QStringList());
}

QTEST_GUILESS_MAIN(tst_OptionValues)
#include "tst_OptionValues.moc"
