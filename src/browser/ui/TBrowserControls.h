// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <Qt>

class ClosedUrlList;
class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMenu;
class QProgressBar;
class QStatusBar;
class QTreeWidget;
class QWidget;
class TTabControl;

/// The main window's controls that the page windows and the page commands drive. The main
/// window fills it in once; every pointer it leaves null is simply not driven.
struct TBrowserControls
{
    QWidget *mainWindow = nullptr;
    QMdiArea *mdiArea = nullptr;
    TTabControl *TabControl1 = nullptr;
    QTreeWidget *TreeWin = nullptr;
    QMenu *TabPopup = nullptr;

    QAction *BackCtrl = nullptr;
    QAction *FrwrdCtrl = nullptr;
    QAction *StopCtrl = nullptr;
    QAction *ReLoadCtrl = nullptr;
    QAction *ChangeCtrl = nullptr;
    QLineEdit *txtAddress = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    /// Panel 0 of the status bar; when null, the status bar's message is used.
    QLabel *StatusPanel0 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

    QAction *FileNew1 = nullptr;
    QAction *NewCtrl = nullptr;
    QAction *ClipNewCtrl = nullptr;
    QAction *mnuNew_Cilp = nullptr;
    QAction *FileOpen1 = nullptr;
    QAction *FileClose1 = nullptr;
    QAbstractButton *btnMove = nullptr;
    QAction *mnuFile_SaveAs = nullptr;
    QAction *mnuEdit_slrAll = nullptr;
    QAction *mnuEdit_Copy = nullptr;
    QAction *mnuTranslate = nullptr;
    /// Submenus are driven through their menu actions.
    QAction *mnuShow_Size = nullptr;
    QAction *mnuSC = nullptr;
    QAction *mnuMC = nullptr;
    /// mnuSize_Min, mnuSize_Small, mnuSize_middle, mnuSize_Large, mnuSize_Max.
    QAction *mnuSize[5] = {};

    QAction *IE_item = nullptr;
    QAction *Moz_Item = nullptr;

    QAction *mnuJava = nullptr;
    QAction *mnuScript = nullptr;
    QAction *mnuActiveX = nullptr;
    QAction *mnuImage = nullptr;
    QAction *mnuBGM = nullptr;
    QAction *mnuVideo = nullptr;

    /// State the main window keeps for itself; left null, the host keeps its own.
    ClosedUrlList *closedUrls = nullptr;
    Qt::WindowState *childWindowState = nullptr;
    int *textSize = nullptr;
};
