// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/DownLoadControl.h"

/// What a download-control set makes the Chromium engine do for one page. The engine has no
/// download-control property, so each flag is met by the nearest switch it has:
///
/// | Flag                    | Chromium engine                                                 |
/// |-------------------------|-----------------------------------------------------------------|
/// | CS_Images absent        | AutoLoadImages off; image requests refused                      |
/// | CS_Videos absent        | media requests (video and audio files) refused; playback only   |
/// |                         | on a user gesture                                               |
/// | CS_BGSounds absent      | the page's audio muted                                          |
/// | CS_NoScripts            | JavascriptEnabled off                                           |
/// | CS_NoJava,              | PluginsEnabled off (no Java or ActiveX exists in this engine;   |
/// | CS_NoActiveXRun         | plug-ins are the nearest thing)                                 |
/// | cs_NoActiveXDownLoad    | <object>/<embed> and plug-in requests refused                   |
/// | CS_DownLoadOnly         | nothing: the engine always shows what it loads                  |
/// | CS_ReSynchronize        | requests carry "Cache-Control: max-age=0" (revalidate)          |
/// | CS_NoCash               | requests carry "Pragma: no-cache" and "Cache-Control: no-cache",|
/// |                         | which make the HTTP cache fetch afresh                          |
/// | CS_NoFrame              | sub-frame requests and sub-frame navigations refused            |
/// | CS_ForceOffLine         | every http, https, ftp and ws request refused                   |
/// | CS_NoClientPull         | meta refresh and script redirects of a loaded page not followed |
/// | CS_Silent               | no script dialogs (alert, confirm and prompt answer "no")       |
/// | CS_OffLine              | nothing: the engine has no notion of "not connected"            |
struct DownLoadPolicy
{
    bool loadImages = true;
    bool loadMedia = true;
    bool muted = false;
    bool runScripts = true;
    bool plugins = true;
    bool loadObjects = true;
    bool revalidate = false;
    bool bypassCache = false;
    bool loadFrames = true;
    bool offline = false;
    bool followClientPull = true;
    bool silent = false;

    static DownLoadPolicy of(const TDownLoadControl &set);

    /// The request resources the engine may fetch, as far as the set decides.
    enum class Resource { MainFrame, SubFrame, Image, Media, Object, Other };
    /// Whether a request for \a resource with scheme \a scheme is refused.
    bool refuses(Resource resource, const QString &scheme) const;
};
