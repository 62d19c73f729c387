// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "BrowserRig.h"

#include "common/ErrorHandler.h"
#include "FakeEngine.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserCommands.h"
#include "browser/TBrowserHost.h"
#include "browser/TTabControl.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QAction *action(QWidget *owner, const char *name, bool enabled = true, bool checkable = false)
{
    auto *a = new QAction(QString::fromLatin1(name), owner);
    a->setObjectName(QString::fromLatin1(name));
    a->setEnabled(enabled);
    a->setCheckable(checkable);
    return a;
}

} // namespace

BrowserRig::BrowserRig()
{
    ErrorHandler::setSink([this](const QString &text) { errors.append(text); });
    auto *layout = new QVBoxLayout(this);
    c.mainWindow = this;
    c.txtAddress = new QLineEdit(this);
    layout->addWidget(c.txtAddress);
    c.btnMove = new QToolButton(this);
    c.btnMove->setText(QStringLiteral("移動"));
    layout->addWidget(c.btnMove);
    c.mdiArea = new QMdiArea(this);
    layout->addWidget(c.mdiArea, 1);
    c.TabControl1 = new TTabControl(this);
    layout->addWidget(c.TabControl1);
    c.TabControl1->setMinimumHeight(26);
    c.TreeWin = new QTreeWidget(this);
    c.TreeWin->setHeaderHidden(true);
    c.TreeWin->setFixedHeight(150);
    layout->addWidget(c.TreeWin);
    c.ProgressBar1 = new QProgressBar(this);
    c.ProgressBar1->setRange(0, 100);
    layout->addWidget(c.ProgressBar1);
    c.StatusBar1 = new QStatusBar(this);
    c.StatusPanel0 = new QLabel(c.StatusBar1);
    c.StatusBar1->addWidget(c.StatusPanel0);
    layout->addWidget(c.StatusBar1);
    c.TabPopup = new QMenu(this);

    c.BackCtrl = action(this, "BackCtrl", false);
    c.FrwrdCtrl = action(this, "FrwrdCtrl", false);
    c.StopCtrl = action(this, "StopCtrl", false);
    c.ReLoadCtrl = action(this, "ReLoadCtrl", false);
    c.ChangeCtrl = action(this, "ChangeCtrl");
    c.FileNew1 = action(this, "FileNew1");
    c.FileClose1 = action(this, "FileClose1");
    c.mnuFile_SaveAs = action(this, "mnuFile_SaveAs", false);
    c.mnuEdit_slrAll = action(this, "mnuEdit_slrAll");
    c.mnuEdit_Copy = action(this, "mnuEdit_Copy");
    c.mnuTranslate = action(this, "mnuTranslate");
    c.mnuShow_Size = action(this, "mnuShow_Size", false);
    c.mnuSC = action(this, "mnuSC", false);
    c.mnuMC = action(this, "mnuMC", false);
    const char *sizes[5] = {"mnuSize_Min", "mnuSize_Small", "mnuSize_middle", "mnuSize_Large",
                            "mnuSize_Max"};
    for (int i = 0; i < 5; ++i)
        c.mnuSize[i] = action(this, sizes[i], true, true);
    c.IE_item = action(this, "IE_item", true, true);
    c.IE_item->setChecked(true);
    c.Moz_Item = action(this, "Moz_Item", true, true);
    c.mnuJava = action(this, "mnuJava", true, true);
    c.mnuScript = action(this, "mnuScript", true, true);
    c.mnuActiveX = action(this, "mnuActiveX", true, true);
    c.mnuImage = action(this, "mnuImage", true, true);
    c.mnuBGM = action(this, "mnuBGM", true, true);
    c.mnuVideo = action(this, "mnuVideo", true, true);

    auto fake = std::make_unique<FakeEngineFactory>();
    factory = fake.get();
    host = new TBrowserHost(c, std::move(fake), this);
    commands = new TBrowserCommands(host, this);
    commands->connectControls();
    resize(900, 700);
    show();
}

BrowserRig::~BrowserRig()
{
    ErrorHandler::setSink({});
}

void BrowserRig::open(const QString &url, const QString &caption)
{
    ErrorHandler::Run([&] { host->OpenPage(caption, url); });
}

TBrowserChild *BrowserRig::childAt(int pos) const
{
    return host->childAt(pos);
}

FakeEngine *BrowserRig::engineAt(int pos) const
{
    TBrowserChild *child = host->childAt(pos);
    return child ? static_cast<FakeEngine *>(child->engine()) : nullptr;
}

FakeEngine *BrowserRig::activeEngine() const
{
    TBrowserChild *child = host->activeChild();
    return child ? static_cast<FakeEngine *>(child->engine()) : nullptr;
}

QStringList BrowserRig::tabTexts() const
{
    QStringList list;
    for (int i = 0; i < c.TabControl1->count(); ++i)
        list.append(c.TabControl1->tabText(i));
    return list;
}

QStringList BrowserRig::nodeTexts() const
{
    QStringList list;
    for (int i = 0; i < c.TreeWin->topLevelItemCount(); ++i)
        list.append(c.TreeWin->topLevelItem(i)->text(0));
    return list;
}

QStringList BrowserRig::idTexts() const
{
    QStringList list;
    for (int i = 0; i < host->windowList().count(); ++i)
        list.append(host->windowList().idText(i));
    return list;
}

QStringList BrowserRig::urls() const
{
    return host->windowList().urls();
}

QString BrowserRig::statusText() const
{
    return c.StatusPanel0->text();
}
