// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>
#include <Qt>

/// The start-up and shutdown decisions of the main window, as functions of their inputs.
namespace StartupRules {

/// "WebList/以前の状態を復元.wlf", relative to the program folder.
QString restoreFileName();

/// "General"/"LastEngine": only the exact text "IE" selects IE; anything else selects Gecko.
bool isIeEngine(const QString &lastEngine);
/// "IE" or "Gecko".
QString lastEngineText(bool ieChecked);

/// "General"/"WinSize": 1 maximized, 2 minimized, anything else normal.
Qt::WindowState childStateFromSetting(int winSize);
/// normal 0, maximized 1, minimized 2.
int settingFromChildState(Qt::WindowState state);

/// Start-up step 5: deletes the restore file if present, then renames "winlist" to it. No
/// "winlist": nothing happens (the restore file is gone all the same). The WebList folder is
/// created when a winlist has to move into it, so the last run's windows are not lost.
/// Throws DorvuError when the old restore file cannot be deleted or winlist cannot be moved.
void MoveWinListToRestoreFile(const QString &programFolder);

/// Deletes what writes of the program's own files (config.ini, winlist, BookMark.xml,
/// Close.txt, CloseURL.txt, the .wlf files of WebList) left behind when a run was killed in
/// the middle: their temporary files. Other files are never touched.
void RemoveStaleTemporaries(const QString &programFolder);

/// What the deferred start-up step does, given whether the program was started with
/// arguments and the shutdown flag read at its start.
struct DeferredPlan
{
    bool offerRecovery = false;
    bool writeShutdownFalse = false;
    bool openStartPage = false;
    /// Open the options dialog when config.ini still does not exist.
    bool checkConfigExists = false;
};
DeferredPlan planDeferredStartup(bool hasArguments, bool lastShutdownClean);

/// What the start page ("Option_StartUp") opens: nothing, one address, or every line of a web
/// list file (which may be missing).
struct StartPage
{
    enum Kind { Nothing, Url, List };
    Kind kind = Nothing;
    /// The address for Url, the file for List.
    QString path;
};
/// Type 1: \a path as it stands (also empty); 2: the list file \a path; 3: the restore file
/// of \a programFolder; any other type: nothing.
StartPage startPage(int type, const QString &path, const QString &programFolder);

} // namespace StartupRules
