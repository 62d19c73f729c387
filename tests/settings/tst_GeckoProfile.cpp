// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Where the engine's profile is, and the profile the engine makes at its first start.
#include "GeckoProfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestGeckoProfile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void baseFolder_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("mozPath");
        QTest::addColumn<QString>("expected");
        QTest::newRow("data folder exists")
            << QStringLiteral("<dir>/") << QStringLiteral("/opt/gecko")
            << QStringLiteral("<dir>/dorvu/Mozilla/Profiles/MozillaControl/");
        QTest::newRow("no data folder: MozPath's")
            << QStringLiteral("<dir>/missing/") << QStringLiteral("/opt/gecko")
            << QStringLiteral("/opt/gecko/Profiles/MozillaControl/");
        QTest::newRow("neither") << QString() << QString()
                                 << QStringLiteral("/Profiles/MozillaControl/");
    }

    void baseFolder()
    {
        QFETCH(QString, data);
        QFETCH(QString, mozPath);
        QFETCH(QString, expected);
        const QString dir = m_dir.path();
        data.replace(QStringLiteral("<dir>"), dir);
        expected.replace(QStringLiteral("<dir>"), dir);
        QCOMPARE(GeckoProfile::BaseFolder(data, mozPath), expected);
    }

    void profileFolderName()
    {
        const QString base = path(QStringLiteral("base/"));
        QVERIFY(QDir().mkpath(base));
        QCOMPARE(GeckoProfile::ProfileFolderName(base), QStringLiteral(".."));
        QCOMPARE(GeckoProfile::PrefsPath(base), base + QStringLiteral("../prefs.js"));

        QFile file(base + QStringLiteral("0-file"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(QDir(base).mkdir(QStringLiteral("zeta")));
        QVERIFY(QDir(base).mkdir(QStringLiteral("abc.default")));
        QCOMPARE(GeckoProfile::ProfileFolderName(base), QStringLiteral("abc.default"));
        QCOMPARE(GeckoProfile::ProfileFolderName(base + QStringLiteral("0-file")),
                 QStringLiteral(".."));
    }

    void ensureProfile()
    {
        const QString base = path(QStringLiteral("new/Profiles/MozillaControl/"));
        const QString made = GeckoProfile::EnsureProfile(base);
        QCOMPARE(made, base + QStringLiteral("default/"));
        QFile prefs(made + QStringLiteral("prefs.js"));
        QVERIFY(prefs.exists());
        QCOMPARE(prefs.size(), 0);
        // The second start finds it and leaves it.
        QVERIFY(prefs.open(QIODevice::WriteOnly));
        prefs.write("x");
        prefs.close();
        QCOMPARE(GeckoProfile::EnsureProfile(base), made);
        QCOMPARE(prefs.size(), 1);

        QFile notAFolder(path(QStringLiteral("plain")));
        QVERIFY(notAFolder.open(QIODevice::WriteOnly));
        QCOMPARE(GeckoProfile::EnsureProfile(notAFolder.fileName() + QLatin1Char('/')), QString());
    }
};

QTEST_GUILESS_MAIN(TestGeckoProfile)
#include "tst_GeckoProfile.moc"
