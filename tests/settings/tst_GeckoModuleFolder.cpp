// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The module file handed to the registration program, and the folder offered as "MozPath".
#include "settings/GeckoModuleFolder.h"

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
        QTest::newRow("trailing separator") << "/opt/gecko/"
                                            << "/opt/gecko/mozctl.so";
        QTest::newRow("none") << "/opt/gecko"
                              << "/opt/gecko/mozctl.so";
        QTest::newRow("empty folder") << ""
                                      << "/mozctl.so";
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
        const QString built = GeckoModuleFolder::Candidates(dir.path()).value(0);
        QCOMPARE(built, dir.filePath(QStringLiteral("gecko")));
        QVERIFY(QDir().mkpath(built));
        QCOMPARE(GeckoModuleFolder::Proposed({dir.path(), built}), QString());
        QFile module(built + QStringLiteral("/mozctl.so"));
        QVERIFY(module.open(QIODevice::WriteOnly));
        QCOMPARE(GeckoModuleFolder::Proposed({dir.path(), built + QStringLiteral("/")}), built);
    }

    void installedFolderBesideProgram()
    {
        // An installed program in <prefix>/bin finds the module of its own prefix first.
        const QString installed =
            GeckoModuleFolder::Candidates(QStringLiteral("/opt/x/bin")).value(1);
        QVERIFY2(installed.startsWith(QStringLiteral("/opt/x/lib")), qPrintable(installed));
        QVERIFY2(installed.endsWith(QStringLiteral("/dorvu/gecko")), qPrintable(installed));
    }
};

QTEST_GUILESS_MAIN(TestGeckoModuleFolder)
#include "tst_GeckoModuleFolder.moc"
