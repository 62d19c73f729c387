// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

/// Where the WebKit engine keeps its profile: a base folder holding profile folders, the
/// first of which (in name order) holds the engine's data and prefs.js.
///
/// The base folder is <data>/dorvu/Mozilla/Profiles/MozillaControl/ when the per-user data
/// folder <data> ($XDG_DATA_HOME, default ~/.local/share) exists, else
/// "MozPath" + "/Profiles/MozillaControl/".
namespace GeckoProfile {

/// The logged-on user's login name; empty when the system gives none.
QString NetworkUserName();
/// $XDG_DATA_HOME, or <home>/.local/share when it is unset or relative; with a trailing "/".
QString UserDataFolder();
/// The base folder for \a dataFolder and \a mozPath (a folder without trailing separator).
QString BaseFolder(const QString &dataFolder, const QString &mozPath);
/// BaseFolder(UserDataFolder(), mozPath).
QString BaseFolder(const QString &mozPath);
/// The name of the first sub-folder of \a base in name order; ".." when there is none (or
/// \a base is no readable folder), so that the path built from it names no file.
QString ProfileFolderName(const QString &base);
/// base + ProfileFolderName(base) + "/prefs.js".
QString PrefsPath(const QString &base);
/// The profile folder (with a trailing "/") in \a base. When \a base has none yet, makes
/// base/default/ with an empty prefs.js. Empty when no profile folder can be had.
QString EnsureProfile(const QString &base);

} // namespace GeckoProfile
