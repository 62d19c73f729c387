// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/CloseRules.h"

#include <QtTest>

class tst_CloseRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void allCloseNotMeTargets_data();
    void allCloseNotMeTargets();
    void closedUrlCaption_data();
    void closedUrlCaption();
};

void tst_CloseRules::allCloseNotMeTargets_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("keep");
    QTest::addColumn<QList<int>>("targets");
    QTest::newRow("no window") << 0 << 0 << QList<int>();
    QTest::newRow("one window") << 1 << 0 << QList<int>();
    QTest::newRow("keep C of A B C D") << 4 << 2 << QList<int>{0, 0, 1};
    QTest::newRow("keep first") << 4 << 0 << QList<int>{1, 1, 1};
    QTest::newRow("keep second to last") << 4 << 2 << QList<int>{0, 0, 1};
    QTest::newRow("keep last") << 4 << 3 << QList<int>{0, 0, 0};
    QTest::newRow("none keeps last") << 4 << -1 << QList<int>{0, 0, 0};
    QTest::newRow("beyond keeps last") << 3 << 7 << QList<int>{0, 0};
    QTest::newRow("two windows keep first") << 2 << 0 << QList<int>{1};
}

void tst_CloseRules::allCloseNotMeTargets()
{
    QFETCH(int, count);
    QFETCH(int, keep);
    QFETCH(QList<int>, targets);
    QCOMPARE(CloseRules::allCloseNotMeTargets(count, keep), targets);

    // Simulated on a row of windows: exactly one is left, the kept one when it exists.
    QList<int> windows;
    for (int i = 0; i < count; ++i)
        windows.append(i);
    for (int t : targets)
        windows.removeAt(t);
    if (count > 1) {
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows.first(), keep >= 0 && keep < count - 1 ? keep : count - 1);
    }
}

void tst_CloseRules::closedUrlCaption_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("caption");
    QTest::newRow("first") << 0 << QStringLiteral("http://a/") << QStringLiteral("&1．http://a/");
    QTest::newRow("tenth") << 9 << QStringLiteral("http://j/") << QStringLiteral("&10．http://j/");
    QTest::newRow("empty address shows the number") << 2 << QString() << QStringLiteral("&3．");
    QTest::newRow("ampersand in the address is shown")
        << 0 << QStringLiteral("http://a/?x=1&y=2") << QStringLiteral("&1．http://a/?x=1&&y=2");
}

void tst_CloseRules::closedUrlCaption()
{
    QFETCH(int, index);
    QFETCH(QString, url);
    QFETCH(QString, caption);
    QCOMPARE(CloseRules::closedUrlCaption(index, url), caption);
}

QTEST_GUILESS_MAIN(tst_CloseRules)
#include "tst_CloseRules.moc"
