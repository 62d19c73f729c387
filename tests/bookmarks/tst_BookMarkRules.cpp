// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "bookmarks/BookMarkRules.h"

#include <QtTest>

class tst_BookMarkRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensInNewWindow_data();
    void opensInNewWindow();
};

void tst_BookMarkRules::opensInNewWindow_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<int>("windows");
    QTest::addColumn<bool>("newWindow");
    QTest::newRow("0: active window") << 0 << 1 << false;
    QTest::newRow("1: new window") << 1 << 2 << true;
    QTest::newRow("2: active window") << 2 << 1 << false;
    QTest::newRow("-1: active window") << -1 << 3 << false;
    QTest::newRow("0 without windows: new window") << 0 << 0 << true;
    QTest::newRow("2 without windows: new window") << 2 << 0 << true;
}

void tst_BookMarkRules::opensInNewWindow()
{
    QFETCH(int, setting);
    QFETCH(int, windows);
    QFETCH(bool, newWindow);
    QCOMPARE(BookMarkRules::opensInNewWindow(setting, windows), newWindow);
}

QTEST_GUILESS_MAIN(tst_BookMarkRules)
#include "tst_BookMarkRules.moc"
