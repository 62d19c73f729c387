// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/StartupRules.h"

#include "common/DorvuError.h"
#include "common/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace StartupRules {

QString restoreFileName()
{
    return QStringLiteral("WebList/以前の状態を復元.wlf");
}

bool isIeEngine(const QString &lastEngine)
{
    return lastEngine == QLatin1String("IE");
}

QString lastEngineText(bool ieChecked)
{
    return ieChecked ? QStringLiteral("IE") : QStringLiteral("Gecko");
}

Qt::WindowState childStateFromSetting(int winSize)
{
    switch (winSize) {
    case 1:
        return Qt::WindowMaximized;
    case 2:
        return Qt::WindowMinimized;
    default:
        return Qt::WindowNoState;
    }
}

int settingFromChildState(Qt::WindowState state)
{
    switch (state) {
    case Qt::WindowMaximized:
        return 1;
    case Qt::WindowMinimized:
        return 2;
    default:
        return 0;
    }
}

void MoveWinListToRestoreFile(const QString &programFolder)
{
    const QString restore = programFolder + restoreFileName();
    const QString winlist = programFolder + QStringLiteral("winlist");
    const QFileInfo restoreInfo(restore);
    if (restoreInfo.exists() || restoreInfo.isSymLink()) {
        if (!QFile::remove(restore))
            throw DorvuError(QStringLiteral("ファイル %1 を削除できません").arg(restore));
    }
    if (!QFileInfo(winlist).isFile())
        return;
    if (!QDir().mkpath(restoreInfo.absolutePath()) || !QFile::rename(winlist, restore))
        throw DorvuError(
            QStringLiteral("ファイル %1 を %2 に移動できません").arg(winlist, restore));
}

void RemoveStaleTemporaries(const QString &programFolder)
{
    static const QStringList ownFiles{QStringLiteral("config.ini"), QStringLiteral("winlist"),
                                      QStringLiteral("BookMark.xml"), QStringLiteral("Close.txt"),
                                      QStringLiteral("CloseURL.txt")};
    TextFile::removeStaleTemporaries(programFolder, [](const QString &name) {
        return ownFiles.contains(name, Qt::CaseInsensitive);
    });
    TextFile::removeStaleTemporaries(
        programFolder + QStringLiteral("WebList"), [](const QString &name) {
            return name.endsWith(QLatin1String(".wlf"), Qt::CaseInsensitive);
        });
}

DeferredPlan planDeferredStartup(bool hasArguments, bool lastShutdownClean)
{
    DeferredPlan plan;
    // Every run marks itself unclean until its close, also one started from a link in another
    // program: a crash then offers its windows at the next start.
    plan.writeShutdownFalse = true;
    if (hasArguments)
        return plan;
    plan.offerRecovery = !lastShutdownClean;
    plan.openStartPage = lastShutdownClean;
    plan.checkConfigExists = true;
    return plan;
}

StartPage startPage(int type, const QString &path, const QString &programFolder)
{
    switch (type) {
    case 1:
        return {StartPage::Url, path};
    case 2:
        return {StartPage::List, path};
    case 3:
        return {StartPage::List, programFolder + restoreFileName()};
    default:
        return {};
    }
}

} // namespace StartupRules
