// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The platform the program starts on, for each combination of the display variables.
#include "shell/PlatformChoice.h"

#include <QFileInfo>
#include <QtTest>

class tst_PlatformChoice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choose_data();
    void choose();
    void xServerReachable();
};

void tst_PlatformChoice::choose_data()
{
    QTest::addColumn<QByteArray>("qpa");
    QTest::addColumn<QByteArray>("wayland");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("platform");
    QTest::addColumn<bool>("needsX");

    QTest::newRow("Wayland with XWayland")
        << QByteArray() << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("xcb") << true;
    QTest::newRow("Wayland without XWayland")
        << QByteArray() << QByteArray("wayland-0") << QByteArray() << QByteArray() << true;
    QTest::newRow("X11") << QByteArray() << QByteArray() << QByteArray(":0") << QByteArray()
                         << true;
    QTest::newRow("no display") << QByteArray() << QByteArray() << QByteArray() << QByteArray()
                                << true;
    QTest::newRow("user's Wayland") << QByteArray("wayland") << QByteArray("wayland-0")
                                    << QByteArray(":0") << QByteArray() << false;
    QTest::newRow("user's xcb") << QByteArray("xcb") << QByteArray("wayland-0") << QByteArray()
                                << QByteArray() << true;
    QTest::newRow("xcb with options")
        << QByteArray("xcb:nograb") << QByteArray() << QByteArray(":0") << QByteArray() << true;
    QTest::newRow("list starting with xcb")
        << QByteArray("xcb;wayland") << QByteArray() << QByteArray(":0") << QByteArray() << true;
    QTest::newRow("offscreen") << QByteArray("offscreen") << QByteArray() << QByteArray()
                               << QByteArray() << false;
}

void tst_PlatformChoice::choose()
{
    QFETCH(QByteArray, qpa);
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, platform);
    QFETCH(bool, needsX);

    const PlatformChoice::Decision decision = PlatformChoice::Choose(qpa, wayland, display);
    QCOMPARE(decision.platform, platform);
    QCOMPARE(decision.needsX, needsX);
}

void tst_PlatformChoice::xServerReachable()
{
    QVERIFY(!PlatformChoice::XServerReachable(QByteArray()));
    int unused = 90;
    while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(unused)))
        ++unused;
    QVERIFY(!PlatformChoice::XServerReachable(':' + QByteArray::number(unused)));
    // Under Xvfb the test's own display answers.
    const QByteArray display = qgetenv("DISPLAY");
    if (!display.isEmpty())
        QVERIFY(PlatformChoice::XServerReachable(display));
}

QTEST_GUILESS_MAIN(tst_PlatformChoice)
#include "tst_PlatformChoice.moc"
