// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Where the engine's profile is, and the profile the engine makes at its first start.
#include "settings/GeckoProfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestGeckoProfile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void baseFolder()
    {
        QTemporaryDir dir;
        QCOMPARE(GeckoProfile::BaseFolder(dir.path() + QStringLiteral("/"), QStringLiteral("/m")),
                 dir.path() + QStringLiteral("/dorvu/Mozilla/Profiles/MozillaControl/"));
        QCOMPARE(
            GeckoProfile::BaseFolder(dir.filePath(QStringLiteral("none")), QStringLiteral("/m")),
            QStringLiteral("/m/Profiles/MozillaControl/"));
    }

    // Listings come in no fixed order: "." and ".." are never taken for the profile.
    void profileFolderName()
    {
        QTemporaryDir dir;
        const QString base = dir.path() + QStringLiteral("/");
        QCOMPARE(GeckoProfile::PrefsPath(base), base + QStringLiteral("../prefs.js"));
        QFile file(base + QStringLiteral("0-file"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(QDir(base).mkdir(QStringLiteral("zeta")) &&
                QDir(base).mkdir(QStringLiteral("abc")));
        QCOMPARE(GeckoProfile::ProfileFolderName(base), QStringLiteral("abc"));
        QCOMPARE(GeckoProfile::ProfileFolderName(file.fileName()), QStringLiteral(".."));
    }

    void ensureProfile()
    {
        QTemporaryDir dir;
        const QString base = dir.filePath(QStringLiteral("new/Profiles/MozillaControl/"));
        const QString made = GeckoProfile::EnsureProfile(base);
        QCOMPARE(made, base + QStringLiteral("default/"));
        QFile prefs(made + QStringLiteral("prefs.js"));
        QVERIFY(prefs.exists());
        QVERIFY(prefs.open(QIODevice::Append) && prefs.write("x") == 1);
        prefs.close();
        QCOMPARE(GeckoProfile::EnsureProfile(base), made); // found, not made again
        QCOMPARE(prefs.size(), 1);
        QCOMPARE(GeckoProfile::EnsureProfile(prefs.fileName() + QStringLiteral("/")), QString());
    }
};

QTEST_GUILESS_MAIN(TestGeckoProfile)
#include "tst_GeckoProfile.moc"
