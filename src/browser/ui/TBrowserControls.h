// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

class CommandList;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMenu;
class QProgressBar;
class QStatusBar;
class QTreeWidget;
class QWidget;
class TTabControl;

/// The text size commands, smallest first: text size n (0..4) is the n-th.
inline constexpr const char *TextSizeCommands[5] = {
    "mnuSize_Min", "mnuSize_Small", "mnuSize_middle", "mnuSize_Large", "mnuSize_Max"};

/// The main window's controls that the page windows and the page commands drive, and its
/// commands, which they find by name (BackCtrl, mnuFile_SaveAs, mnuSC, ...). The main window
/// fills it in once; every control it leaves null, and every command the list lacks, is simply
/// not driven.
struct TBrowserControls
{
    QWidget *mainWindow = nullptr;
    QMdiArea *mdiArea = nullptr;
    TTabControl *TabControl1 = nullptr;
    QTreeWidget *TreeWin = nullptr;
    QMenu *TabPopup = nullptr;
    QLineEdit *txtAddress = nullptr;
    QAbstractButton *btnMove = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    /// Panel 0 of the status bar; when null, the status bar's message is used.
    QLabel *StatusPanel0 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

    const CommandList *commands = nullptr;
};
