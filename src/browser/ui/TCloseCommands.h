// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class CommandList;
class TBrowserHost;

/// Closing page windows from the tab pop-up menu, the block list's "add this page" command and
/// the recently-closed submenu. Windows are addressed by tab position and found through their
/// window ID. Every handler may throw DorvuError; connectControls runs them inside the common
/// error handler.
class TCloseCommands : public QObject
{
    Q_OBJECT

public:
    explicit TCloseCommands(TBrowserHost *host, QObject *parent = nullptr);

    /// Connects the tab pop-up items of \a commands (popTabClose, popAddClose, mnu_AllClose,
    /// mnu_AllCloseNotMe) and the opening of its recently-closed submenu mnuLeastURL (whose last
    /// item is the empty design-time item). Commands the list lacks are skipped.
    void connectControls(const CommandList &commands);

    /// Closes the page window at tab position \a pos and removes its entry from the window
    /// list and winlist. Nothing for a position that holds no window.
    void CloseWindowAt(int pos);
    /// Appends the current address of the window at \a pos to CloseURL.txt as a new pattern.
    /// Throws DorvuError when the file cannot be read or written; nothing is added then.
    void AddToCloseURL(int pos);

    void popTabCloseClick();
    void popAddCloseClick();
    void mnu_AllCloseClick();
    void mnu_AllCloseNotMeClick();
    /// Rebuilds \a mnuLeastURL from the closed-URL list, numbered from the oldest address;
    /// the menu's last item stays at the end.
    void mnuLeastURLClick(QMenu *mnuLeastURL);
    /// Opens the address carried by the clicked item of the recently-closed submenu.
    void ClosedURLItemClick(QAction *Sender);

private:
    bool isWindowPosition(int pos) const;

    QPointer<TBrowserHost> m_host;
};
