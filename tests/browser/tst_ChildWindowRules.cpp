// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/ChildWindowRules.h"

#include <QtTest>

Q_DECLARE_METATYPE(EngineKind)

class tst_ChildWindowRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void progress_data();
    void progress();
    void commandState();
};

void tst_ChildWindowRules::progress_data()
{
    QTest::addColumn<EngineKind>("kind");
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("bar");
    QTest::addColumn<int>("expectedBar");
    QTest::addColumn<bool>("stop");
    const EngineKind ie = EngineKind::IE;
    const EngineKind gecko = EngineKind::Gecko;
    QTest::newRow("IE half") << ie << 50 << 100 << 0 << 50 << true;
    QTest::newRow("IE integer division") << ie << 1 << 3 << 0 << 33 << true;
    QTest::newRow("IE both 0") << ie << 0 << 0 << 40 << 0 << false;
    QTest::newRow("IE 99") << ie << 99 << 100 << 0 << 99 << true;
    QTest::newRow("IE max 0, progress not 0: unchanged") << ie << 5 << 0 << 40 << 40 << false;
    QTest::newRow("IE done empties the bar") << ie << 100 << 100 << 50 << 0 << false;
    QTest::newRow("IE byte counts do not overflow")
        << ie << 2000000000 << 2100000000 << 0 << 95 << true;
    QTest::newRow("IE beyond the end ends the load") << ie << 300 << 100 << 0 << 0 << false;
    QTest::newRow("IE negative clamps") << ie << -1 << 100 << 10 << 0 << false;
    QTest::newRow("Gecko half") << gecko << 1 << 2 << 0 << 50 << true;
    QTest::newRow("Gecko 100 drops to 0") << gecko << 10 << 10 << 70 << 0 << false;
    QTest::newRow("Gecko max 0 leaves the bar") << gecko << 3 << 0 << 60 << 60 << true;
    QTest::newRow("Gecko progress 0 leaves the bar") << gecko << 0 << 10 << 60 << 60 << true;
}

void tst_ChildWindowRules::progress()
{
    QFETCH(EngineKind, kind);
    QFETCH(int, progress);
    QFETCH(int, max);
    QFETCH(int, bar);
    QFETCH(int, expectedBar);
    QFETCH(bool, stop);
    const ProgressResult r = ChildWindowRules::progress(kind, progress, max, bar);
    QCOMPARE(r.bar, expectedBar);
    QCOMPARE(r.stop, stop);
}

void tst_ChildWindowRules::commandState()
{
    CommandStates s;
    ChildWindowRules::commandState(&s, 1, true);
    QVERIFY(s.forward);
    QVERIFY(!s.back);
    QVERIFY(s.reload);
    ChildWindowRules::commandState(&s, 2, true);
    QVERIFY(s.back);
    // Other commands store nothing but still mark reload.
    CommandStates t;
    ChildWindowRules::commandState(&t, -1, true);
    QVERIFY(!t.back && !t.forward && !t.stop);
    QVERIFY(t.reload);
    ChildWindowRules::commandState(&s, 1, false);
    QVERIFY(!s.forward);
    QVERIFY(s.back);
}

QTEST_GUILESS_MAIN(tst_ChildWindowRules)
#include "tst_ChildWindowRules.moc"
