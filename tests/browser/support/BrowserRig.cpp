// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "BrowserRig.h"

#include "FakeEngine.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserCommands.h"
#include "browser/TBrowserHost.h"
#include "browser/TTabControl.h"
#include "common/CommandList.h"
#include "common/ErrorHandler.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using Tick = CommandList::Tick;

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

    commandList = new CommandList(this);
    for (const char *name : {"BackCtrl", "FrwrdCtrl", "StopCtrl", "ReLoadCtrl", "mnuFile_SaveAs",
                             "mnuShow_Size", "mnuSC", "mnuMC"})
        commandList->add({name, QString::fromLatin1(name), {}, -1, Tick::None, false});
    for (const char *name :
         {"ChangeCtrl", "FileNew1", "FileClose1", "mnuEdit_slrAll", "mnuEdit_Copy", "mnuTranslate"})
        commandList->add({name, QString::fromLatin1(name)});
    for (const char *name : TextSizeCommands)
        commandList->add({name, QString::fromLatin1(name), {}, -1, Tick::Off});
    for (const char *name :
         {"Moz_Item", "mnuJava", "mnuScript", "mnuActiveX", "mnuImage", "mnuBGM", "mnuVideo"})
        commandList->add({name, QString::fromLatin1(name), {}, -1, Tick::Off});
    commandList->add({"IE_item", QStringLiteral("IE_item"), {}, -1, Tick::On});
    c.commands = commandList;

    auto fake = std::make_unique<FakeEngineFactory>();
    factory = fake.get();
    host = new TBrowserHost(state, c, std::move(fake), this);
    host->setDisplay(this);
    commands = new TBrowserCommands(host, this);
    commands->connectControls();
    resize(900, 700);
    show();
}

BrowserRig::~BrowserRig()
{
    // The page windows go before the state they share, as the main window's do.
    if (c.mdiArea) {
        for (QMdiSubWindow *window : c.mdiArea->subWindowList()) {
            QObject::disconnect(window, &QMdiSubWindow::windowStateChanged, window, nullptr);
            delete window;
        }
    }
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

QAction *BrowserRig::command(const char *name) const
{
    return commandList->action(name);
}

QString BrowserRig::typedAddress() const
{
    return c.txtAddress->text();
}

void BrowserRig::addStatusWidget(QWidget *widget)
{
    c.StatusBar1->addPermanentWidget(widget);
}
