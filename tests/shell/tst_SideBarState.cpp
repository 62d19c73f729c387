// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/SideBarState.h"

#include <QtTest>

class tst_SideBarState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void collapseRemembersAndReturns();
    void collapsedStateSurvivesStorage();
    void stripWidth_data();
    void stripWidth();
    void release_data();
    void release();
    void shownWidth_data();
    void shownWidth();
};

void tst_SideBarState::collapseRemembersAndReturns()
{
    SideBarState state(153, 0);
    state.toggleCollapse();
    QVERIFY(state.collapsed());
    QCOMPARE(state.width(), 11);
    QCOMPARE(state.memory(), 153);
    state.toggleCollapse();
    QVERIFY(!state.collapsed());
    QCOMPARE(state.width(), 153);
    QCOMPARE(state.memory(), 0);
}

void tst_SideBarState::collapsedStateSurvivesStorage()
{
    SideBarState before(240, 0);
    before.toggleCollapse();
    SideBarState after(before.storedWidth(900), before.storedMemory(900));
    QCOMPARE(after.shownWidth(900), 11);
    after.toggleCollapse();
    QCOMPARE(after.shownWidth(900), 240);
    // A bar collapsed at width 0 still counts as collapsed.
    SideBarState zero(0, 0);
    zero.toggleCollapse();
    QVERIFY(zero.collapsed());
}

void tst_SideBarState::stripWidth_data()
{
    QTest::addColumn<int>("shownWidth");
    QTest::addColumn<int>("strip");
    QTest::newRow("collapsed") << 11 << 2;
    QTest::newRow("narrow") << 13 << 4;
    QTest::newRow("open") << 153 << 6;
}

void tst_SideBarState::stripWidth()
{
    QFETCH(int, shownWidth);
    QFETCH(int, strip);
    QCOMPARE(SideBarState::stripWidth(shownWidth), strip);
}

void tst_SideBarState::release_data()
{
    QTest::addColumn<int>("pressX");
    QTest::addColumn<int>("releaseX");
    QTest::addColumn<int>("expected");
    // Collapse button at 143: the strip starts right of 150.
    QTest::newRow("drag to 300") << 151 << 300 << 300;
    QTest::newRow("released 5 pixels from the left edge") << 152 << 5 << 11;
    QTest::newRow("released left of the bar") << 152 << -30 << 11;
    QTest::newRow("press left of the strip") << 150 << 300 << 153;
    QTest::newRow("press on the page panel") << 20 << 300 << 153;
}

void tst_SideBarState::release()
{
    QFETCH(int, pressX);
    QFETCH(int, releaseX);
    QFETCH(int, expected);
    SideBarState state(153, 0);
    state.press(pressX, 143);
    state.release(releaseX);
    QCOMPARE(state.width(), expected);
    QCOMPARE(state.memory(), 0);
}

void tst_SideBarState::shownWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("memory");
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("storedMemory");
    QTest::newRow("as stored") << 153 << 0 << 153 << 0;
    QTest::newRow("zero") << 0 << 0 << 11 << 0;
    QTest::newRow("huge") << 100000 << 0 << 700 << 0;
    QTest::newRow("negative") << -20 << 0 << 11 << 0;
    QTest::newRow("collapsed to a huge width") << 11 << 100000 << 11 << 700;
    QTest::newRow("negative memory reads open") << 153 << -4 << 153 << 0;
}

void tst_SideBarState::shownWidth()
{
    QFETCH(int, width);
    QFETCH(int, memory);
    QFETCH(int, shown);
    QFETCH(int, storedMemory);
    const SideBarState state(width, memory);
    QCOMPARE(state.shownWidth(700), shown);
    QCOMPARE(state.storedWidth(700), shown);
    QCOMPARE(state.storedMemory(700), storedMemory);
}

QTEST_GUILESS_MAIN(tst_SideBarState)
#include "tst_SideBarState.moc"
