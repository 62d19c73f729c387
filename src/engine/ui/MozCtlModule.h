// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/MozCtlApi.h"
#include "settings/GeckoModuleFolder.h"

#include <QString>

/// Loads the WebKit engine module mozctl.so at run time and initialises GTK once, on the
/// GLib main context that Qt's event loop already iterates.
///
/// Before the engine starts, the module is given its profile base folder: GeckoProfile's
/// BaseFolder of the folder it was loaded from (that is, "MozPath").
///
/// The first module loaded stays loaded for the rest of the run (GTK cannot be initialised
/// twice); a failed load leaves nothing behind, so a corrected "MozPath" works on the next try.
class MozCtlModule
{
public:
    static QString fileName() { return GeckoModuleFolder::FileName(); }

    /// The folder to load from: the override when set, else "MozPath" of "Option_Main".
    static QString folder();
    /// Replaces "MozPath" as the module's folder (tests); an empty text restores it.
    static void setFolderOverride(const QString &folder);

    /// The module's interface, loading and initialising it on first use. Throws DorvuError
    /// "Geckoエンジン (<file>) を読み込めません: <reason>" when the file is missing, is no
    /// module of this version, or there is no X11 display.
    static const MozCtlApi &api();
    /// api() for the module \a file itself, not the one in folder(); the module already
    /// loaded when there is one.
    static const MozCtlApi &open(const QString &file);
    static bool isLoaded();
    /// Tests: browsers made from now on use \a api instead of the module's interface (a copy
    /// of it with one function failing, say); null restores the module's.
    static void setApiOverride(const MozCtlApi *api);
    /// The module's interface version and the WebKitGTK version it runs on, as the about box
    /// shows them ("mozctl 2 / WebKitGTK 2.42.1"). Throws as api() does.
    static QString engineVersion();
};
