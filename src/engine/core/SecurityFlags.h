// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/DownLoadControl.h"

class IniFile;

/// The main window's six security and multimedia switches. True means allowed (Java, Script,
/// ActiveX) or loaded and played (Image, BGM, Video).
struct SecurityFlags
{
    bool Java = false;
    bool Script = false;
    bool ActiveX = false;
    bool Image = false;
    bool BGM = false;
    bool Video = false;

    /// Reads "Java", "Script", "ActiveX" of "Option_Security" and "Image", "BGM", "Video" of
    /// "Option_Multimedia", each with default false.
    static SecurityFlags LoadSecurityFlags(const IniFile &ini);
    /// The same from config.ini in the program folder.
    static SecurityFlags LoadSecurityFlags();

    /// The download-control set of an IE page window under \a flags. Nothing else is ever set
    /// for a page window; with every switch off the set reports 0x780.
    static TDownLoadControl ApplySecurityFlags(const SecurityFlags &flags);
};
