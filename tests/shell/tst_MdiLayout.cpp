// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/MdiLayout.h"

#include <QtTest>

class tst_MdiLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tilesCoverTheArea_data();
    void tilesCoverTheArea();
    void noWindowsNoPlaces();
    void iconsWrapUpwards();
    void cascadeKeepsAUsableSize_data();
    void cascadeKeepsAUsableSize();
};

void tst_MdiLayout::tilesCoverTheArea_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<int>("count");
    QTest::newRow("one") << QRect(0, 0, 300, 200) << 1;
    QTest::newRow("three into 200, remainder") << QRect(0, 0, 301, 200) << 3;
    QTest::newRow("offset area") << QRect(10, 20, 97, 53) << 4;
    QTest::newRow("more windows than pixels") << QRect(0, 0, 3, 3) << 5;
}

void tst_MdiLayout::tilesCoverTheArea()
{
    QFETCH(QRect, area);
    QFETCH(int, count);
    const QList<QRect> rows = MdiLayout::tileHorizontally(area, count);
    const QList<QRect> columns = MdiLayout::tileVertically(area, count);
    QCOMPARE(rows.size(), count);
    QCOMPARE(columns.size(), count);
    int top = area.top();
    int left = area.left();
    for (int i = 0; i < count; ++i) {
        QCOMPARE(rows.at(i).left(), area.left());
        QCOMPARE(rows.at(i).width(), area.width());
        QCOMPARE(rows.at(i).top(), top);
        top += rows.at(i).height();
        QCOMPARE(columns.at(i).top(), area.top());
        QCOMPARE(columns.at(i).height(), area.height());
        QCOMPARE(columns.at(i).left(), left);
        left += columns.at(i).width();
        QVERIFY(qAbs(rows.at(i).height() - area.height() / count) <= 1);
    }
    QCOMPARE(top, area.top() + area.height());
    QCOMPARE(left, area.left() + area.width());
}

void tst_MdiLayout::noWindowsNoPlaces()
{
    QVERIFY(MdiLayout::tileHorizontally(QRect(0, 0, 100, 100), 0).isEmpty());
    QVERIFY(MdiLayout::arrangeIcons(QRect(0, 0, 100, 100), QSize(0, 20), 3).isEmpty());
}

void tst_MdiLayout::iconsWrapUpwards()
{
    const QList<QPoint> places = MdiLayout::arrangeIcons(QRect(0, 0, 250, 300), QSize(100, 20), 3);
    QCOMPARE(places, (QList<QPoint>{QPoint(0, 280), QPoint(100, 280), QPoint(0, 260)}));
}

void tst_MdiLayout::cascadeKeepsAUsableSize_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<QRect>>("expected");
    QTest::newRow("large") << QRect(0, 0, 900, 600) << 3
                           << QList<QRect>{QRect(0, 0, 600, 400), QRect(30, 30, 600, 400),
                                           QRect(60, 60, 600, 400)};
    QTest::newRow("wraps") << QRect(10, 10, 390, 300) << 4
                           << QList<QRect>{QRect(10, 10, 320, 240), QRect(40, 40, 320, 240),
                                           QRect(70, 70, 320, 240), QRect(10, 10, 320, 240)};
    QTest::newRow("smaller than the least")
        << QRect(0, 0, 200, 100) << 2 << QList<QRect>{QRect(0, 0, 200, 100), QRect(0, 0, 200, 100)};
}

void tst_MdiLayout::cascadeKeepsAUsableSize()
{
    QFETCH(QRect, area);
    QFETCH(int, count);
    QFETCH(QList<QRect>, expected);
    QCOMPARE(MdiLayout::cascade(area, count, 30), expected);
}

QTEST_GUILESS_MAIN(tst_MdiLayout)
#include "tst_MdiLayout.moc"
