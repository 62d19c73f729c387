// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/GeckoProfile.h"

#include "common/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

namespace GeckoProfile {

QString NetworkUserName()
{
    if (const passwd *entry = getpwuid(getuid()))
        if (entry->pw_name)
            return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

QString UserDataFolder()
{
    QString folder =
        ProgramFolder::dataHomeFolder(qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath());
    folder.chop(QStringLiteral("dorvu/").size());
    return folder;
}

QString BaseFolder(const QString &dataFolder, const QString &mozPath)
{
    if (!dataFolder.isEmpty() && QFileInfo(dataFolder).isDir())
        return QDir(dataFolder).filePath(QStringLiteral("dorvu/Mozilla/Profiles/MozillaControl/"));
    return mozPath + QStringLiteral("/Profiles/MozillaControl/");
}

QString BaseFolder(const QString &mozPath)
{
    return BaseFolder(UserDataFolder(), mozPath);
}

QString ProfileFolderName(const QString &base)
{
    // Directory listings come in no fixed order, "." and ".." included: sort, skip those.
    const QStringList folders =
        QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    return folders.isEmpty() ? QStringLiteral("..") : folders.first();
}

QString PrefsPath(const QString &base)
{
    return base + ProfileFolderName(base) + QStringLiteral("/prefs.js");
}

QString EnsureProfile(const QString &base)
{
    QString name = ProfileFolderName(base);
    if (name == QLatin1String("..")) {
        name = QStringLiteral("default");
        if (!QDir().mkpath(base + name))
            return QString();
        QFile prefs(base + name + QStringLiteral("/prefs.js"));
        if (!prefs.exists() && !prefs.open(QIODevice::WriteOnly))
            return QString();
    }
    const QString profile = base + name + QLatin1Char('/');
    return QFileInfo(profile).isDir() ? profile : QString();
}

} // namespace GeckoProfile
