// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/PageZoom.h"
#include "engine/TextZoom.h"

#include <QtTest>

class tst_PageZoom : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void step_data();
    void step();
};

void tst_PageZoom::step_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("to");
    QTest::newRow("in from normal") << 100 << 1 << 110;
    QTest::newRow("out from normal") << 100 << -1 << 90;
    QTest::newRow("two in") << 100 << 2 << 125;
    QTest::newRow("largest stays") << 500 << 1 << 500;
    QTest::newRow("smallest stays") << 25 << -1 << 25;
    QTest::newRow("between steps, in") << 120 << 1 << 125;
    QTest::newRow("between steps, out") << 120 << -1 << 110;
    QTest::newRow("beyond the largest") << 900 << -1 << 400;
    QTest::newRow("none") << 120 << 0 << 120;
    // The design's text sizes are zooms of Chromium pages and step on from there.
    QTest::newRow("largest text size, in")
        << PageZoom::percentOf(TextZoom::factor(TextZoom::Largest)) << 1 << 175;
    QTest::newRow("smallest text size, out")
        << PageZoom::percentOf(TextZoom::factor(TextZoom::Smallest)) << -1 << 67;
}

void tst_PageZoom::step()
{
    QFETCH(int, from);
    QFETCH(int, steps);
    QFETCH(int, to);
    QCOMPARE(PageZoom::step(from, steps), to);
}

QTEST_GUILESS_MAIN(tst_PageZoom)
#include "tst_PageZoom.moc"
