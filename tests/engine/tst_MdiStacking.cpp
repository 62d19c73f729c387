// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/MdiStacking.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// How much of a page in an MDI child window shows, among the child windows above it.
class tst_MdiStacking : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void coverAndShare_data();
    void coverAndShare();
    void raisingReportsAChange();
    void outsideAnAreaIsUncovered();
};

using Cover = MdiStacking::Cover;
Q_DECLARE_METATYPE(MdiStacking::Cover)

namespace {

// A child area on screen with two child windows: the page's own and one stacked above it.
struct TwoWindows
{
    QMdiArea area;
    QWidget *page = new QWidget;
    QMdiSubWindow *below = nullptr;
    QMdiSubWindow *above = nullptr;

    TwoWindows(const QRect &lower, const QRect &upper)
    {
        area.resize(800, 600);
        below = area.addSubWindow(page);
        above = area.addSubWindow(new QWidget);
        area.show();
        below->setGeometry(lower);
        above->setGeometry(upper);
        area.setActiveSubWindow(above);
    }
};

} // namespace

void tst_MdiStacking::coverAndShare_data()
{
    QTest::addColumn<QRect>("lower");
    QTest::addColumn<QRect>("upper");
    QTest::addColumn<bool>("upperShown");
    QTest::addColumn<Cover>("cover");
    QTest::addColumn<double>("minShare");
    QTest::addColumn<double>("maxShare");
    const QRect lower(0, 0, 300, 200);
    QTest::newRow("apart") << lower << QRect(320, 0, 100, 100) << true << Cover::Uncovered << 1.0
                           << 1.0;
    QTest::newRow("edge of a cascade")
        << lower << QRect(24, 24, 300, 200) << true << Cover::Partly << 0.0 << 0.25;
    QTest::newRow("half") << lower << QRect(150, -50, 300, 400) << true << Cover::Partly << 0.4
                          << 0.6;
    QTest::newRow("whole") << lower << QRect(-10, -10, 400, 300) << true << Cover::Whole << 0.0
                           << 0.0;
    QTest::newRow("hidden above") << lower << QRect(-10, -10, 400, 300) << false << Cover::Uncovered
                                  << 1.0 << 1.0;
    QTest::newRow("outside the viewport")
        << QRect(2000, 2000, 300, 200) << QRect(0, 0, 10, 10) << true << Cover::Whole << 0.0 << 0.0;
}

void tst_MdiStacking::coverAndShare()
{
    QFETCH(QRect, lower);
    QFETCH(QRect, upper);
    QFETCH(bool, upperShown);
    QFETCH(Cover, cover);
    QFETCH(double, minShare);
    QFETCH(double, maxShare);
    TwoWindows windows(lower, upper);
    QVERIFY(QTest::qWaitForWindowExposed(&windows.area));
    windows.above->setVisible(upperShown);
    QWidget *page = windows.page;
    MdiStacking stacking(page);
    stacking.watch();
    // The page is the contents of its child window, inside the frame: what covers the frame
    // covers the page.
    QCOMPARE(stacking.cover(page), cover);
    const double share = stacking.shownShare(page);
    QVERIFY2(share >= minShare && share <= maxShare, qPrintable(QString::number(share)));
}

void tst_MdiStacking::raisingReportsAChange()
{
    TwoWindows windows(QRect(0, 0, 300, 200), QRect(-10, -10, 400, 300));
    QVERIFY(QTest::qWaitForWindowExposed(&windows.area));
    QWidget *page = windows.page;
    MdiStacking stacking(page);
    stacking.watch();
    QSignalSpy changed(&stacking, &MdiStacking::changed);
    QVERIFY(changed.wait());
    QCOMPARE(stacking.cover(page), Cover::Whole);
    changed.clear();
    windows.area.setActiveSubWindow(windows.below);
    QVERIFY(changed.wait());
    QCOMPARE(changed.size(), 1); // a burst of events is one report
    QCOMPARE(stacking.cover(page), Cover::Uncovered);
}

void tst_MdiStacking::outsideAnAreaIsUncovered()
{
    QWidget window;
    auto *page = new QWidget(&window);
    MdiStacking stacking(page);
    stacking.watch();
    QVERIFY(!stacking.inChildArea());
    QCOMPARE(stacking.cover(page), Cover::Uncovered);
    QCOMPARE(stacking.shownShare(page), 1.0);
}

QTEST_MAIN(tst_MdiStacking)
#include "tst_MdiStacking.moc"
