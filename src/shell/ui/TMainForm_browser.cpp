// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The main window's side of the page windows: its controls handed to the browser host, and the
// operations that forward to it.
#include "shell/TMainForm.h"

#include "browser/TBrowserChild.h"
#include "browser/TBrowserCommands.h"
#include "browser/TBrowserHost.h"
#include "browser/TCloseCommands.h"
#include "browser/TTabControl.h"
#include "engine/PageZoom.h"
#include "engine/TEngineBrowser.h"
#include "engine/TRealEngineFactory.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QStatusBar>
#include <QToolButton>

void TMainForm::CreateBrowser()
{
    TBrowserControls c;
    c.mainWindow = this;
    c.mdiArea = m_mdiArea;
    c.TabControl1 = TabControl1;
    c.TreeWin = TreeWin;
    c.TabPopup = commandMenu("TabPopup");
    c.txtAddress = txtAddress;
    c.btnMove = btnMove;
    c.StatusBar1 = StatusBar1;
    c.ProgressBar1 = ProgressBar1;
    c.commands = m_commands;
    Browser = new TBrowserHost(m_pageState, c, std::make_unique<TRealEngineFactory>(), this);
    Browser->setDisplay(this);
    BrowserCommands = new TBrowserCommands(Browser, this);
    BrowserCommands->connectControls();
    CloseCommands = new TCloseCommands(Browser, this);
    CloseCommands->connectControls(*m_commands);
    connect(Browser, &TBrowserHost::childOpened, this, [this](TBrowserChild *child) {
        connect(child->engine(), &TEngineBrowser::OnZoomChange, this, &TMainForm::ShowZoom);
    });
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &TMainForm::ShowZoom);
}

void TMainForm::ShowZoom()
{
    const TBrowserChild *child = Browser->activeChild();
    const int percent = child ? child->engine()->ZoomPercent() : PageZoom::Normal;
    lblZoom->setText(QStringLiteral("ズーム %1%").arg(percent));
    lblZoom->setVisible(percent != PageZoom::Normal);
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
    command("Moz_Item")->setEnabled(on);
    if (!on && command("Moz_Item")->isChecked())
        IE_ItemClick();
    command("ChangeCtrl")->setEnabled(on);
}

void TMainForm::applyTabStrip(int fixedWidth, int tabType)
{
    if (fixedWidth >= 0)
        SetFixedTabWidth(fixedWidth);
    SetTabType(tabType);
}

void TMainForm::setSwitchTicks(const OptionGroups::Security &ticks)
{
    command("mnuJava")->setChecked(ticks.Java);
    command("mnuScript")->setChecked(ticks.Script);
    command("mnuActiveX")->setChecked(ticks.ActiveX);
    command("mnuImage")->setChecked(ticks.Image);
    command("mnuBGM")->setChecked(ticks.BGM);
    command("mnuVideo")->setChecked(ticks.Video);
}

void TMainForm::SetFixedTabWidth(int width)
{
    TabControl1->setFixedTabWidth(width);
}

void TMainForm::SetTabType(int tabType)
{
    TabControl1->setTabType(tabType);
}

QWidget *TMainForm::dialogParent() const
{
    return const_cast<TMainForm *>(this);
}

QString TMainForm::typedAddress() const
{
    return txtAddress->text();
}

void TMainForm::addStatusWidget(QWidget *widget)
{
    StatusBar1->addPermanentWidget(widget);
}
