// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "ChromiumFlags.h"

#include <QtTest>

class tst_ChromiumFlags : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void processModel_data();
    void processModel();
};

void tst_ChromiumFlags::processModel_data()
{
    QTest::addColumn<QByteArray>("flags");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("none") << QByteArray() << QByteArray("--process-per-site");
    QTest::newRow("others kept") << QByteArray(" --disable-gpu ")
                                 << QByteArray("--disable-gpu --process-per-site");
    QTest::newRow("user's model") << QByteArray("--process-per-tab --disable-gpu")
                                  << QByteArray("--process-per-tab --disable-gpu");
    QTest::newRow("user's limit") << QByteArray("--renderer-process-limit=2")
                                  << QByteArray("--renderer-process-limit=2");
    QTest::newRow("a longer flag is not a model")
        << QByteArray("--process-per-site-x") << QByteArray("--process-per-site-x --process-per-site");
}

void tst_ChromiumFlags::processModel()
{
    QFETCH(QByteArray, flags);
    QFETCH(QByteArray, expected);
    QCOMPARE(ChromiumFlags::withProcessModel(flags), expected);
}

QTEST_GUILESS_MAIN(tst_ChromiumFlags)
#include "tst_ChromiumFlags.moc"
