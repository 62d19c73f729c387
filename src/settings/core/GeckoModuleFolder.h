// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>
#include <QStringList>

/// The WebKit engine module mozctl.so, the folder that holds it ("MozPath") and the program
/// that checks an engine before use.
namespace GeckoModuleFolder {

inline QString FileName()
{
    return QStringLiteral("mozctl.so");
}
/// The registration program, installed beside dorvu.
inline QString RegisterProgramName()
{
    return QStringLiteral("dorvu-gecko-register");
}

/// The module file in \a folder: folder + "mozctl.so" when the folder ends with "/", else
/// folder + "/mozctl.so" (so an empty folder gives "/mozctl.so").
QString RegisterArgument(const QString &folder);
/// The registration program beside the program in \a appDir.
QString RegisterProgram(const QString &appDir);

/// Where a module of this build may be: the build folder's gecko/ beside the program in
/// \a appDir, then the module folder of an install seen from \a appDir as its bin folder
/// (<prefix>/bin -> <prefix>/<libdir>/dorvu/gecko), then the configured install folder.
QStringList Candidates(const QString &appDir);
/// The first of \a candidates holding the module, without trailing separator; empty if none.
QString Proposed(const QStringList &candidates);
/// Proposed(Candidates(<this program's folder>)): what to offer when "MozPath" is empty.
QString Proposed();

} // namespace GeckoModuleFolder
