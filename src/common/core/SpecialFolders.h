// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QString>

/// The well-known folders the folder browser offers, as the desktop's places.
namespace SpecialFolders {

/// The special-folder ids the browser's eleven choices stand for.
enum Csidl {
    Desktop = 0,
    Programs = 2,
    Favorites = 6,
    Startup = 7,
    Recent = 8,
    SendTo = 9,
    StartMenu = 11,
    DesktopDirectory = 16,
    Drives = 17,
    Templates = 21,
};

/// The id of choice \a position (0 desktop, 1 manual, 2 drives, ... 10 templates); the manual
/// choice and positions out of range give Desktop.
Csidl csidlAt(int position);

/// Where the places are on this desktop.
struct Places
{
    QString home;
    QString desktop;    ///< XDG_DESKTOP_DIR
    QString templates;  ///< XDG_TEMPLATES_DIR
    QString dataHome;   ///< XDG_DATA_HOME
    QString configHome; ///< XDG_CONFIG_HOME

    /// From the environment and $XDG_CONFIG_HOME/user-dirs.dirs.
    static Places fromEnvironment();
};

/// The folder of \a csidl: desktop and desktop directory the desktop folder, drives "/",
/// favourites $HOME/Favorites, programs and start menu the applications folder of the data
/// home, startup the autostart folder, templates the templates folder. Empty for recent and
/// send-to, which have no place here.
QString path(Csidl csidl, const Places &places);

/// The folder a choice stands for. \a position is the choice (1 the manual one, taking
/// \a manualPath when that is an existing folder). The desktop as a root (also the fallback
/// root of an unusable choice) is the top of the tree and gives an empty text; as a selection
/// it is the desktop folder, as it is in place of an unusable selection.
QString resolve(int position, const QString &manualPath, const Places &places, bool asRoot);

/// The folder named \a name ("XDG_DESKTOP_DIR") in a user-dirs.dirs text, "$HOME/" expanded;
/// \a fallback when it is not set there or is not an absolute path.
QString userDir(const QByteArray &userDirsText, const QByteArray &name, const QString &home,
                const QString &fallback);

} // namespace SpecialFolders
