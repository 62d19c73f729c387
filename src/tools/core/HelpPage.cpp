// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "tools/HelpPage.h"

#include <QDir>
#include <QFileInfo>

namespace HelpPage {

QString indexPath(const QString &programFolder, const QString &appDir)
{
    const QString index = QStringLiteral("help/index.htm");
    const QString candidates[] = {
        QDir(programFolder).absoluteFilePath(index),
        QDir(appDir).absoluteFilePath(index),
        QDir(appDir).absoluteFilePath(QStringLiteral("../share/dorvu/") + index),
    };
    for (const QString &candidate : candidates) {
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
    }
    return QDir::cleanPath(candidates[0]);
}

} // namespace HelpPage
