// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "HomeTest.h"
#include "settings/IniFile.h"
#include "shell/BandLayout.h"

#include <QtTest>

#include <memory>

using Bands = QList<BandLayout::Band>;

namespace {

QString order(const Bands &bands)
{
    QString text;
    for (const BandLayout::Band &b : bands)
        text += (b.rowBreak ? QStringLiteral("|") : QStringLiteral(" ")) + QString::number(b.id);
    return text;
}

} // namespace

class tst_BandLayout : public HomeTest
{
    Q_OBJECT

private Q_SLOTS:
    void restore_data();
    void restore();
    void widthsGoToTheStoredPositions();
    void writtenLayoutReadsBack();
    void fitWidth_data();
    void fitWidth();

private:
};

void tst_BandLayout::restore_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no section: buttons, address, search on rows of their own")
        << QByteArray() << QStringLiteral("|0|1|2");
    QTest::newRow("search, buttons: address takes the place left")
        << QByteArray("Band0ID=2\r\nBand1ID=0\r\nBand1Break=0\r\n") << QStringLiteral("|2 0|1");
    QTest::newRow("identity 9 moves nothing")
        << QByteArray("Band0ID=9\r\n") << QStringLiteral("|0|1|2");
    QTest::newRow("negative identity moves nothing")
        << QByteArray("Band0ID=-1\r\nBand1ID=2\r\n") << QStringLiteral("|0|2|1");
    QTest::newRow("both positions name one band")
        << QByteArray("Band0ID=2\r\nBand1ID=2\r\n") << QStringLiteral("|0|2|1");
    QTest::newRow("non-numeric identity")
        << QByteArray("Band0ID=abc\r\nBand1ID=x\r\n") << QStringLiteral("|0|1|2");
    QTest::newRow("first band breaks whatever it says")
        << QByteArray("Band0Break=0\r\nBand1Break=0\r\n") << QStringLiteral("|0 1|2");
}

void tst_BandLayout::restore()
{
    QFETCH(QByteArray, section);
    QFETCH(QString, expected);
    if (!section.isEmpty())
        m_home->write(QStringLiteral("config.ini"), "[Bar]\r\n" + section);
    QCOMPARE(order(BandLayout::restore(BandLayout::read(IniFile::config()))), expected);
}

void tst_BandLayout::widthsGoToTheStoredPositions()
{
    m_home->write(QStringLiteral("config.ini"),
                  "[Bar]\r\nBand0ID=1\r\nBand0Width=-40\r\nBand1ID=7\r\nBand1Width=x\r\n");
    const Bands bands = BandLayout::restore(BandLayout::read(IniFile::config()));
    QCOMPARE(order(bands), QStringLiteral("|1|0|2"));
    QCOMPARE(bands.at(0).width, -40);
    QCOMPARE(bands.at(1).width, 200);
    // The third band keeps its natural width.
    QCOMPARE(bands.at(2).width, 0);
}

void tst_BandLayout::writtenLayoutReadsBack()
{
    IniFile ini = IniFile::config();
    BandLayout::write(ini, {{2, 300, false}, {0, 180, false}, {1, 500, true}});
    QCOMPARE(ini.ReadInteger(QStringLiteral("Bar"), QStringLiteral("Band0ID"), -1), 2);
    QCOMPARE(ini.ReadInteger(QStringLiteral("Bar"), QStringLiteral("Band1ID"), -1), 0);
    QVERIFY(ini.ReadBool(QStringLiteral("Bar"), QStringLiteral("Band0Break"), false));
    QVERIFY(!ini.ReadBool(QStringLiteral("Bar"), QStringLiteral("Band1Break"), true));
    QCOMPARE(
        ini.ReadString(QStringLiteral("Bar"), QStringLiteral("Band2ID"), QStringLiteral("none")),
        QStringLiteral("none"));
    const Bands bands = BandLayout::restore(BandLayout::read(ini));
    QCOMPARE(order(bands), QStringLiteral("|2 0|1"));
    QCOMPARE(bands.at(0).width, 300);
    QCOMPARE(bands.at(1).width, 180);
}

void tst_BandLayout::fitWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("expected");
    QTest::newRow("fits") << 200 << 200;
    QTest::newRow("negative") << -5 << 40;
    QTest::newRow("huge") << 100000 << 1000;
}

void tst_BandLayout::fitWidth()
{
    QFETCH(int, width);
    QFETCH(int, expected);
    QCOMPARE(BandLayout::fitWidth(width, 40, 1000), expected);
}

QTEST_GUILESS_MAIN(tst_BandLayout)
#include "tst_BandLayout.moc"
