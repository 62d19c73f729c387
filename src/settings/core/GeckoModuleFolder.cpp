// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/GeckoModuleFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace GeckoModuleFolder {

QString RegisterArgument(const QString &folder)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + FileName();
    return folder + QLatin1Char('/') + FileName();
}

QString RegisterProgram(const QString &appDir)
{
    return QDir(appDir).filePath(RegisterProgramName());
}

QStringList Candidates(const QString &appDir)
{
    QStringList folders{QDir(appDir).filePath(QStringLiteral("gecko"))};
#ifdef DORVU_GECKO_MODULE_RELDIR
    folders.append(
        QDir::cleanPath(QDir(appDir).filePath(QStringLiteral(DORVU_GECKO_MODULE_RELDIR))));
#endif
#ifdef DORVU_GECKO_MODULE_DIR
    folders.append(QStringLiteral(DORVU_GECKO_MODULE_DIR));
#endif
    return folders;
}

QString Proposed(const QStringList &candidates)
{
    for (const QString &folder : candidates)
        if (QFileInfo(QDir(folder).filePath(FileName())).isFile())
            return QDir::cleanPath(folder);
    return QString();
}

QString Proposed()
{
    return Proposed(Candidates(QCoreApplication::applicationDirPath()));
}

} // namespace GeckoModuleFolder
