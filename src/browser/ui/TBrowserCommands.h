// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QObject>

#include <functional>

class QAction;
class TBrowserHost;

/// The main window's page commands: new windows (blank, clipboard, file), back, forward,
/// stop, reload, the address bar's Move, the choice of engine for new windows, and the six
/// security and multimedia switches. Each handler is a thin layer over OpenPage or over one
/// engine command of the active page window.
class TBrowserCommands : public QObject
{
    Q_OBJECT

public:
    explicit TBrowserCommands(TBrowserHost *host, QObject *parent = nullptr);

    /// Connects the main window's commands, the Move button and the address box to the
    /// handlers below, each run inside the common error handler. The engine items and the
    /// toggle (IE_item, Moz_Item, ChangeCtrl) are left to the owner, which runs them at start-up
    /// too.
    void connectControls();

    void FileNew1Execute();
    void NewCtrlClick();
    /// Ctrl+Shift+N: a blank window of the default engine in the private session, as New
    /// opens one.
    void mnuPrivateWindowClick();
    void mnuNew_CilpClick();
    void ClipNewCtrlClick();
    void FileOpen1Execute();
    /// Closes the active page window, as its own close box does.
    void FileClose1Execute();
    void BackCtrlClick();
    void FrwrdCtrlClick();
    void StopCtrlClick();
    void ReLoadCtrlClick();
    void btnMoveClick();
    /// Ctrl+Tab and Ctrl+Shift+Tab: the window \a step tabs away from the active one, wrapping
    /// round at either end.
    void StepTab(int step);
    /// Ctrl+Shift+T: opens the newest closed address again and takes it off the list.
    void ReopenClosedClick();
    /// Ctrl++, Ctrl+- (\a steps zoom steps) and Ctrl+0 (back to 100 %) on the active page.
    void ZoomBy(int steps);
    void ZoomResetClick();
    void IE_ItemClick();
    void Moz_ItemClick();
    void ChangeCtrlClick();

    void mnuJavaClick(QAction *Sender);
    void mnuScriptClick(QAction *Sender);
    void mnuActiveXClick(QAction *Sender);
    void mnuImageClick(QAction *Sender);
    void mnuBGMClick(QAction *Sender);
    void mnuVideoClick(QAction *Sender);

    /// The file dialog of File Open; tests put their own chooser here. Returns the chosen file,
    /// empty when cancelled.
    std::function<QString()> chooseFile;

private:
    void switchFlag(QAction *item, bool *flag);
    void setDefaultEngine(bool ie);

    TBrowserHost *m_host;
};
