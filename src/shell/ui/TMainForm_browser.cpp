// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The main window's side of the page windows: its controls handed to the browser host, and the
// operations that forward to it.
#include "shell/TMainForm.h"

#include "browser/TBrowserCommands.h"
#include "browser/TBrowserHost.h"
#include "browser/TCloseCommands.h"
#include "engine/TRealEngineFactory.h"
#include "browser/TTabControl.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

void TMainForm::CreateBrowser()
{
    TBrowserControls c;
    c.mainWindow = this;
    c.mdiArea = m_mdiArea;
    c.TabControl1 = TabControl1;
    c.TreeWin = TreeWin;
    c.TabPopup = TabPopup;
    c.BackCtrl = BackCtrl;
    c.FrwrdCtrl = FrwrdCtrl;
    c.StopCtrl = StopCtrl;
    c.ReLoadCtrl = ReLoadCtrl;
    c.ChangeCtrl = ChangeCtrl;
    c.txtAddress = txtAddress;
    c.StatusBar1 = StatusBar1;
    c.ProgressBar1 = ProgressBar1;
    c.FileNew1 = FileNew1;
    c.NewCtrl = NewCtrl;
    c.ClipNewCtrl = ClipNewCtrl;
    c.mnuNew_Cilp = mnuNew_Cilp;
    c.FileOpen1 = FileOpen1;
    c.FileClose1 = FileClose1;
    c.btnMove = btnMove;
    c.mnuFile_SaveAs = mnuFile_SaveAs;
    c.mnuEdit_slrAll = mnuEdit_slrAll;
    c.mnuEdit_Copy = mnuEdit_Copy;
    c.mnuTranslate = mnuTranslate;
    c.mnuShow_Size = mnuShow_Size->menuAction();
    c.mnuSC = mnuSC->menuAction();
    c.mnuMC = mnuMC->menuAction();
    c.mnuSize[0] = mnuSize_Min;
    c.mnuSize[1] = mnuSize_Small;
    c.mnuSize[2] = mnuSize_middle;
    c.mnuSize[3] = mnuSize_Large;
    c.mnuSize[4] = mnuSize_Max;
    c.IE_item = IE_item;
    c.Moz_Item = Moz_Item;
    c.mnuJava = mnuJava;
    c.mnuScript = mnuScript;
    c.mnuActiveX = mnuActiveX;
    c.mnuImage = mnuImage;
    c.mnuBGM = mnuBGM;
    c.mnuVideo = mnuVideo;
    c.closedUrls = &m_closedUrls;
    c.childWindowState = &m_childWindowState;
    c.textSize = &m_mojiSize;
    Browser = new TBrowserHost(c, std::make_unique<TRealEngineFactory>(), this);
    BrowserCommands = new TBrowserCommands(Browser, this);
    BrowserCommands->connectControls();
    CloseCommands = new TCloseCommands(Browser, this);
    CloseCommands->connectControls(popTabClose, popAddClose, mnu_AllClose, mnu_AllCloseNotMe,
                                   mnuLeastURL);
}

void TMainForm::OpenPage(const QString &caption, const QString &url)
{
    Browser->OpenPage(caption, url);
}

QStringList TMainForm::urlList() const
{
    return Browser->windowList().urls();
}

QStringList TMainForm::idList() const
{
    QStringList ids;
    const WindowList &list = Browser->windowList();
    for (int i = 0; i < list.count(); ++i)
        ids.append(list.idText(i));
    return ids;
}

int TMainForm::windowCounter() const
{
    return Browser->windowCounter().value();
}

void TMainForm::IE_ItemClick()
{
    BrowserCommands->IE_ItemClick();
}

void TMainForm::Moz_ItemClick()
{
    BrowserCommands->Moz_ItemClick();
}

void TMainForm::ChangeCtrlClick()
{
    BrowserCommands->ChangeCtrlClick();
}

void TMainForm::setGeckoEnabled(bool on)
{
    Moz_Item->setEnabled(on);
    if (!on && Moz_Item->isChecked())
        IE_ItemClick();
    ChangeCtrl->setEnabled(on);
}

void TMainForm::applyTabStrip(int fixedWidth, int tabType)
{
    if (fixedWidth >= 0)
        SetFixedTabWidth(fixedWidth);
    SetTabType(tabType);
}

void TMainForm::setSwitchTicks(const OptionGroups::Security &ticks)
{
    mnuJava->setChecked(ticks.Java);
    mnuScript->setChecked(ticks.Script);
    mnuActiveX->setChecked(ticks.ActiveX);
    mnuImage->setChecked(ticks.Image);
    mnuBGM->setChecked(ticks.BGM);
    mnuVideo->setChecked(ticks.Video);
}

void TMainForm::SetFixedTabWidth(int width)
{
    TabControl1->setFixedTabWidth(width);
}

void TMainForm::SetTabType(int tabType)
{
    TabControl1->setTabType(tabType);
}
