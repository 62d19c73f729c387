// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The module file handed to the registration program, and the folder offered as "MozPath".
#include "GeckoModuleFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestGeckoModuleFolder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void registerArgument_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("argument");
        QTest::newRow("trailing separator")
            << QStringLiteral("/opt/dorvu/gecko/") << QStringLiteral("/opt/dorvu/gecko/mozctl.so");
        QTest::newRow("none") << QStringLiteral("/opt/dorvu/gecko")
                              << QStringLiteral("/opt/dorvu/gecko/mozctl.so");
        QTest::newRow("empty folder") << QString() << QStringLiteral("/mozctl.so");
    }

    void registerArgument()
    {
        QFETCH(QString, folder);
        QFETCH(QString, argument);
        QCOMPARE(GeckoModuleFolder::RegisterArgument(folder), argument);
    }

    void proposedFolder()
    {
        QTemporaryDir dir;
        const QString empty = dir.filePath(QStringLiteral("empty"));
        const QString built = dir.filePath(QStringLiteral("gecko"));
        QVERIFY(QDir().mkpath(empty) && QDir().mkpath(built));
        QCOMPARE(GeckoModuleFolder::Proposed({empty, built}), QString());
        QFile module(built + QStringLiteral("/mozctl.so"));
        QVERIFY(module.open(QIODevice::WriteOnly));
        QCOMPARE(GeckoModuleFolder::Proposed({empty, built + QLatin1Char('/')}), built);
        QCOMPARE(GeckoModuleFolder::Candidates(dir.path()).value(0), built);
    }
};

QTEST_GUILESS_MAIN(TestGeckoModuleFolder)
#include "tst_GeckoModuleFolder.moc"
