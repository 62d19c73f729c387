// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

/// The folder that holds config.ini, winlist, Close.txt, CloseURL.txt and WebList/.
/// The executable's folder, or the folder named by DORVU_HOME; when that folder is not
/// writable, $XDG_DATA_HOME/dorvu/ (created). Always ends with "/".
namespace ProgramFolder {

QString path();
/// path() + name.
QString file(const QString &name);

} // namespace ProgramFolder
