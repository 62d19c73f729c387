// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/LoadConcurrency.h"

#include <QTemporaryDir>
#include <QTest>

#include <limits>

class tst_LoadConcurrency : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void limitFollowsIdleCores_data();
    void limitFollowsIdleCores();
    void loadAverageReadsTheFirstField_data();
    void loadAverageReadsTheFirstField();
};

void tst_LoadConcurrency::limitFollowsIdleCores_data()
{
    QTest::addColumn<int>("cores");
    QTest::addColumn<double>("load");
    QTest::addColumn<int>("limit");
    QTest::newRow("quiet 2 cores") << 2 << 0.0 << 8;
    QTest::newRow("unknown load is quiet") << 2 << -1.0 << 8;
    QTest::newRow("one core busy") << 2 << 1.0 << 4;
    QTest::newRow("all busy still moves") << 2 << 2.0 << 1;
    QTest::newRow("overloaded") << 2 << 9.5 << 1;
    QTest::newRow("not a number") << 2 << std::numeric_limits<double>::quiet_NaN() << 8;
    QTest::newRow("many cores capped") << 64 << 0.0 << 16;
    QTest::newRow("no cores reported") << 0 << 0.0 << 4;
}

void tst_LoadConcurrency::limitFollowsIdleCores()
{
    QFETCH(int, cores);
    QFETCH(double, load);
    QTEST(LoadConcurrency::limit(cores, load), "limit");
}

void tst_LoadConcurrency::loadAverageReadsTheFirstField_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("load");
    QTest::newRow("usual") << QByteArray("0.52 0.58 0.59 2/345 6789\n") << 0.52;
    QTest::newRow("empty") << QByteArray() << -1.0;
    QTest::newRow("garbage") << QByteArray("\xff\xfe load") << -1.0;
    QTest::newRow("negative") << QByteArray("-3 1 1") << -1.0;
}

void tst_LoadConcurrency::loadAverageReadsTheFirstField()
{
    QFETCH(QByteArray, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("loadavg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    QTEST(LoadConcurrency::loadAverage(path), "load");
    QCOMPARE(LoadConcurrency::loadAverage(dir.filePath(QStringLiteral("missing"))), -1.0);
}

QTEST_GUILESS_MAIN(tst_LoadConcurrency)
#include "tst_LoadConcurrency.moc"
