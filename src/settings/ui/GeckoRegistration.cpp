// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/GeckoRegistration.h"

#include "common/ErrorHandler.h"
#include "settings/GeckoModuleFolder.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QProcess>

namespace {

GeckoRegistration::Starter g_starter;

} // namespace

bool GeckoRegistration::Run(QWidget *parent, const QString &proposedFolder)
{
    bool ok = false;
    const QString folder =
        QInputDialog::getText(parent, QStringLiteral("Geckoをシステムに登録"),
                              QStringLiteral("mozillaをインストールしたフォルダを書いてください"),
                              QLineEdit::Normal, proposedFolder, &ok);
    if (!ok)
        return false;
    const QString program =
        GeckoModuleFolder::RegisterProgram(QCoreApplication::applicationDirPath());
    const QStringList arguments{GeckoModuleFolder::RegisterArgument(folder)};
    const bool started =
        g_starter ? g_starter(program, arguments) : QProcess::startDetached(program, arguments);
    // Without the program nothing at all would answer the user.
    if (!started)
        ErrorHandler::Report(QStringLiteral("%1 を起動できません").arg(program));
    return started;
}

GeckoRegistration::Starter GeckoRegistration::setStarter(Starter starter)
{
    Starter previous = std::move(g_starter);
    g_starter = std::move(starter);
    return previous;
}
