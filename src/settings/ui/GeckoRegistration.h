// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

/// The options dialog's "Geckoをシステムに登録": asks for the engine's folder and has the
/// registration program check the module there. Nothing records the registration; the engine
/// is found through "MozPath" alone.
class GeckoRegistration
{
public:
    using Starter = std::function<bool(const QString &program, const QStringList &arguments)>;

    /// Shows the input box with \a proposedFolder (the dialog's txtMozPath). On OK starts
    /// dorvu-gecko-register with the module file of the confirmed folder and does not wait;
    /// the program reports in its own box. Cancel starts nothing. The folder is used for this
    /// check only. A program that cannot be started is reported by the common error handler.
    /// Returns whether the program was started.
    static bool Run(QWidget *parent, const QString &proposedFolder);

    /// Tests replace QProcess::startDetached; an empty starter restores it. Returns the
    /// previous one.
    static Starter setStarter(Starter starter);
};
