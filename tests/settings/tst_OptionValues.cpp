// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The options dialog's settings: what is shown for bad stored values, and the block list's
// round trip.
#include "HomeTest.h"
#include "common/SjisCodec.h"
#include "settings/IniFile.h"
#include "settings/OptionValues.h"
#include "settings/PopListLines.h"

#include <QtTest>

#include <memory>

class tst_OptionValues : public HomeTest
{
    Q_OBJECT

private Q_SLOTS:
    void tabNumbersShown_data();
    void tabNumbersShown();
    void blockListKeepsUntouchedBytes();

private:
    IniFile ini() const { return IniFile(m_home->file(QStringLiteral("config.ini"))); }
};

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
    v.Write(file, OptionValues::Visited{0, 0, 0, 1, 0, 0}); // page タブ only
    QCOMPARE(file.ReadString(QStringLiteral("Option_Tab"), QStringLiteral("MaxSize"), {}), maxSize);
    QCOMPARE(file.ReadString(QStringLiteral("Option_Tab"), QStringLiteral("MaxLen"), {}), maxLen);
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
