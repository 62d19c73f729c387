// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/SpecialFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <iterator>

namespace SpecialFolders {

Csidl csidlAt(int position)
{
    static constexpr Csidl kTable[] = {Desktop,   Desktop,  Drives,   DesktopDirectory,
                                       Favorites, Programs, Recent,   SendTo,
                                       StartMenu, Startup,  Templates};
    if (position < 0 || position >= int(std::size(kTable)))
        return Desktop;
    return kTable[position];
}

QString userDir(const QByteArray &userDirsText, const QByteArray &name, const QString &home,
                const QString &fallback)
{
    // Lines of the form XDG_DESKTOP_DIR="$HOME/Desktop"; the first one counts.
    const QList<QByteArray> lines = userDirsText.split('\n');
    for (const QByteArray &raw : lines) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('#') || !line.startsWith(QByteArray(name + '=')))
            continue;
        QByteArray value = line.mid(name.size() + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        QString folder = QString::fromUtf8(value);
        if (folder == QLatin1String("$HOME"))
            folder = home;
        else if (folder.startsWith(QLatin1String("$HOME/")))
            folder = home + folder.mid(5);
        if (!QDir::isAbsolutePath(folder))
            return fallback;
        return QDir::cleanPath(folder);
    }
    return fallback;
}

Places Places::fromEnvironment()
{
    auto env = [](const char *name, const QString &fallback) {
        const QString value = qEnvironmentVariable(name);
        return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : fallback;
    };
    Places p;
    p.home = QDir::homePath();
    p.dataHome = env("XDG_DATA_HOME", p.home + QStringLiteral("/.local/share"));
    p.configHome = env("XDG_CONFIG_HOME", p.home + QStringLiteral("/.config"));
    QByteArray userDirs;
    QFile file(p.configHome + QStringLiteral("/user-dirs.dirs"));
    if (file.open(QIODevice::ReadOnly))
        userDirs = file.read(64 * 1024);
    p.desktop = userDir(userDirs, "XDG_DESKTOP_DIR", p.home, p.home + QStringLiteral("/Desktop"));
    p.templates =
        userDir(userDirs, "XDG_TEMPLATES_DIR", p.home, p.home + QStringLiteral("/Templates"));
    return p;
}

QString path(Csidl csidl, const Places &places)
{
    switch (csidl) {
    case Desktop:
    case DesktopDirectory:
        return places.desktop;
    case Drives:
        return QStringLiteral("/");
    case Favorites:
        // Where the bookmark import looks for the favourites.
        return places.home + QStringLiteral("/Favorites");
    case Programs:
    case StartMenu:
        return places.dataHome + QStringLiteral("/applications");
    case Startup:
        return places.configHome + QStringLiteral("/autostart");
    case Templates:
        return places.templates;
    case Recent:
    case SendTo:
        break;
    }
    return QString();
}

QString resolve(int position, const QString &manualPath, const Places &places, bool asRoot)
{
    if (position == 1 && !manualPath.isEmpty()) {
        const QFileInfo info(manualPath);
        if (info.isDir())
            return QDir::cleanPath(info.absoluteFilePath());
    }
    const Csidl csidl = csidlAt(position);
    QString folder = csidl == Desktop ? QString() : path(csidl, places);
    if (!folder.isEmpty() && !QFileInfo(folder).isDir())
        folder.clear();
    if (folder.isEmpty() && !asRoot)
        folder = places.desktop;
    return folder;
}

} // namespace SpecialFolders
