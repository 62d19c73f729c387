// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

/// Where the help pages are.
namespace HelpPage {

/// The help start page: "help/index.htm" under the program folder when it is there; else
/// beside the executable (a build, or a program folder that moved to the data folder); else
/// in the installed data folder (<prefix>/share/dorvu/help/). The first candidate when none
/// exists. Independent of the current folder.
QString indexPath(const QString &programFolder, const QString &appDir);

} // namespace HelpPage
