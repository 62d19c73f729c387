// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "browser/ClosedUrlList.h"
#include "browser/WindowCounter.h"
#include "browser/WindowList.h"
#include "engine/SecurityFlags.h"

#include <Qt>

/// What the page windows share: the window list and counter, the closed-URL list, the
/// security switches, the state new windows take and the current text size. The main window
/// owns it and hands it by reference to the page-window host and through it to the windows.
struct PageWindowState
{
    WindowList windows;
    WindowCounter counter;
    ClosedUrlList closedUrls;
    SecurityFlags securityFlags;
    /// Normal, maximized or minimized: what new page windows take; they update it when resized.
    Qt::WindowState childWindowState = Qt::WindowNoState;
    /// 0 (smallest) to 4 (largest); the setting may hold any byte, which ticks no size.
    int textSize = 2;
};
