// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "DorvuProcess.h"

#include <QCoreApplication>
#include <QProcessEnvironment>

namespace {
constexpr int kEndTimeout = 20000;
}

QString DorvuProcess::buildDir()
{
    const QString dir = qEnvironmentVariable("DORVU_BUILD_DIR");
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

QString DorvuProcess::path()
{
    return buildDir() + QStringLiteral("/dorvu");
}

std::unique_ptr<QProcess> DorvuProcess::start(const QStringList &arguments, const QString &home,
                                              const QString &runtime,
                                              QProcess::ProcessChannelMode channels)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DORVU_HOME"), home);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(channels);
    process->start(path(), arguments);
    return process;
}

void DorvuProcess::terminate(QProcess &process)
{
    process.terminate();
    if (!process.waitForFinished(kEndTimeout)) {
        process.kill();
        process.waitForFinished(kEndTimeout);
    }
}
