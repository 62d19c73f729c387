// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "browser/ChildWindowRules.h"

#include <Qt>

class ClosedUrlList;
class QString;
class SecurityFlags;
class TBrowserChild;
class TEngineFactory;
class WindowList;

/// What a page window may ask of the main window: show the active window's address, status
/// text, progress and button states, enable the page commands, and reach the state the page
/// windows share. TBrowserHost implements it for the main window; page windows know nothing
/// else of either.
class TPageWindowHost
{
public:
    virtual ~TPageWindowHost() = default;

    // --- what the main window shows of the active page window ----------------------------
    virtual void showAddress(const QString &url) = 0;
    /// The active page's address after its title changed: what the user is typing into the
    /// address bar stays.
    virtual void followAddress(const QString &url) = 0;
    virtual void setStatusText(const QString &text) = 0;
    virtual int shownProgress() const = 0;
    virtual void showProgress(int percent) = 0;
    virtual void showCommandStates(bool back, bool forward, bool stop, bool reload) = 0;
    /// The states the back, forward and stop buttons show now (reload stays false).
    virtual CommandStates shownCommandStates() const = 0;
    virtual void enableStop(bool on) = 0;
    /// Save as, select all, copy and translation.
    virtual void enablePageCommands(bool on) = 0;
    /// The security and multimedia submenus, which act on IE windows only.
    virtual void enableSecurityMenus(bool on) = 0;
    virtual void enableTextSizeMenu(bool on) = 0;
    /// Ticks the text size item \a size (0..4; any other value ticks none).
    virtual void showTextSize(int size) = 0;

    // --- state the page windows share ----------------------------------------------------
    virtual WindowList &windowList() = 0;
    virtual ClosedUrlList &closedUrls() = 0;
    virtual SecurityFlags &securityFlags() = 0;
    virtual TEngineFactory *factory() const = 0;
    virtual TBrowserChild *activeChild() const = 0;
    /// Set while the closing commands close windows one by one: a window's own removal then
    /// does nothing.
    virtual bool listClose() const = 0;
    /// Set while a discarded page's window closes back into a waiting tab: its address is not
    /// a closed one.
    virtual bool parking() const { return false; }
    virtual bool activationSync() const = 0;
    virtual void setActivationSync(bool on) = 0;
    virtual Qt::WindowState childWindowState() const = 0;
    virtual void setChildWindowState(Qt::WindowState state) = 0;
    virtual int currentTextSize() const = 0;
    /// Opens a page in a new window (a captured new-window request). Throws DorvuError.
    virtual void OpenPage(const QString &caption, const QString &url) = 0;
    /// OpenPage for a new window that the page of window \a opener asked for; a private window
    /// when that page was private (\a privateWindow).
    virtual void OpenPageFrom(int opener, const QString &caption, const QString &url,
                              bool privateWindow = false) = 0;

    virtual void childCreated(TBrowserChild *child) = 0;
    virtual void childClosing(TBrowserChild *child) = 0;
    /// \a child's page at \a url finished loading (\a load) or is now titled \a title.
    virtual void pageVisited(TBrowserChild *child, const QString &url, const QString &title,
                             bool load) = 0;
};
