// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

#include <functional>

/// The folder that holds config.ini, winlist, Close.txt, CloseURL.txt and WebList/.
/// The executable's folder, or the folder named by DORVU_HOME (created when missing); when that
/// folder is not writable, or the executable is installed in a system bin folder,
/// $XDG_DATA_HOME/dorvu/ (default ~/.local/share/dorvu/, created).
/// Always ends with "/". Cheap to call: the answer is kept until DORVU_HOME or XDG_DATA_HOME
/// changes.
namespace ProgramFolder {

QString path();
/// path() + name.
QString file(const QString &name);

// The decision behind path(), open for tests.

/// True when \a folder exists or can be created and a file can really be created in it.
bool isWritableFolder(const QString &folder);
/// True for the bin folders of an installed program: /usr/bin, /usr/local/bin, /bin and the
/// install's own bin folder.
bool isInstalledFolder(const QString &folder);
/// $XDG_DATA_HOME/dorvu/, or <home>/.local/share/dorvu/ when \a xdgDataHome is empty or relative.
QString dataHomeFolder(const QString &xdgDataHome, const QString &homeDir);
/// \a dorvuHome (or \a appDir when it is empty and not an installed folder) with a trailing "/"
/// when \a writable says so, else dataHomeFolder(), which is created.
QString resolve(const QString &dorvuHome, const QString &appDir, const QString &xdgDataHome,
                const QString &homeDir,
                const std::function<bool(const QString &)> &writable = isWritableFolder);

} // namespace ProgramFolder
