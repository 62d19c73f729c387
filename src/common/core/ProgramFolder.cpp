// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QTemporaryFile>

namespace {

QString withSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

QString executableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Before the application object exists (or in tools without one): the kernel's link.
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    const QString target = self.canonicalFilePath();
    return target.isEmpty() ? QDir::currentPath() : QFileInfo(target).absolutePath();
}

struct Cache
{
    QMutex mutex;
    bool valid = false;
    bool homeSet = false;
    QByteArray home;
    QByteArray xdg;
    QString appDir;
    QString path;
};

Cache &cache()
{
    static Cache c;
    return c;
}

} // namespace

namespace ProgramFolder {

bool isWritableFolder(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        return false;
    if (!QFileInfo(folder).isDir())
        return false;
    // A real attempt: access() says yes to root everywhere, even on /proc.
    QTemporaryFile probe(withSlash(folder) + QStringLiteral(".dorvu-probe-XXXXXX"));
    return probe.open();
}

QString dataHomeFolder(const QString &xdgDataHome, const QString &homeDir)
{
    // The XDG rule: a relative $XDG_DATA_HOME is invalid and ignored.
    const QString base = (!xdgDataHome.isEmpty() && QDir::isAbsolutePath(xdgDataHome))
                             ? xdgDataHome
                             : withSlash(homeDir) + QStringLiteral(".local/share");
    return withSlash(QDir::cleanPath(withSlash(base) + QStringLiteral("dorvu")));
}

bool isInstalledFolder(const QString &folder)
{
    QStringList installed{QStringLiteral("/usr/bin"), QStringLiteral("/usr/local/bin"),
                          QStringLiteral("/bin")};
#ifdef DORVU_INSTALL_BINDIR
    installed.append(QStringLiteral(DORVU_INSTALL_BINDIR));
#endif
    const QString clean = QDir::cleanPath(folder);
    for (const QString &one : std::as_const(installed))
        if (clean == QDir::cleanPath(one))
            return true;
    return false;
}

QString resolve(const QString &dorvuHome, const QString &appDir, const QString &xdgDataHome,
                const QString &homeDir, const std::function<bool(const QString &)> &writable)
{
    // Absolute: page opening may change the current folder later.
    const QString candidate =
        withSlash(QFileInfo(dorvuHome.isEmpty() ? appDir : dorvuHome).absoluteFilePath());
    // An installed program never writes beside itself, even where it could (as root).
    const bool installed = dorvuHome.isEmpty() && isInstalledFolder(candidate);
    if (!installed && writable(candidate))
        return candidate;
    const QString fallback = dataHomeFolder(xdgDataHome, homeDir);
    QDir().mkpath(fallback);
    return fallback;
}

QString path()
{
    Cache &c = cache();
    const bool homeSet = qEnvironmentVariableIsSet("DORVU_HOME");
    const QByteArray home = qgetenv("DORVU_HOME");
    const QByteArray xdg = qgetenv("XDG_DATA_HOME");
    QMutexLocker lock(&c.mutex);
    // The executable's folder never changes once the application object exists.
    if (c.valid && c.homeSet == homeSet && c.home == home && c.xdg == xdg)
        return c.path;

    const QString appDir = home.isEmpty() ? executableFolder() : QString();
    c.path = resolve(QFile::decodeName(home), appDir, QFile::decodeName(xdg), QDir::homePath(),
                     isWritableFolder);
    c.homeSet = homeSet;
    c.home = home;
    c.xdg = xdg;
    c.appDir = appDir;
    c.valid = true;
    return c.path;
}

QString file(const QString &name)
{
    return path() + name;
}

} // namespace ProgramFolder
