// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

/// The built dorvu program, run as a child process by end-to-end tests and benchmarks.
class DorvuProcess
{
public:
    /// The build folder: DORVU_BUILD_DIR (CTest sets it), else the folder of the running
    /// program (run by hand, tests and benchmarks sit in the build folder).
    static QString buildDir();
    /// The dorvu executable in buildDir().
    static QString path();
    /// Starts dorvu with \a arguments, \a home as its program folder (DORVU_HOME) and
    /// \a runtime as XDG_RUNTIME_DIR: a lock and socket of the caller's own, so other dorvu
    /// processes on the machine stay apart. Its error output goes to the caller's unless
    /// \a channels says otherwise.
    static std::unique_ptr<QProcess>
    start(const QStringList &arguments, const QString &home, const QString &runtime,
          QProcess::ProcessChannelMode channels = QProcess::ForwardedErrorChannel);
    /// Ends \a process with SIGTERM; kills it when it has not ended within 20 s.
    static void terminate(QProcess &process);
};
