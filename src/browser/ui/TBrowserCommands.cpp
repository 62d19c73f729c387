// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/TBrowserCommands.h"

#include "browser/PageRules.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "browser/TMainDisplay.h"
#include "common/CommandList.h"
#include "common/DialogFolder.h"
#include "common/ErrorHandler.h"
#include "common/ImageList.h"
#include "engine/PageZoom.h"
#include "engine/SecurityFlags.h"
#include "engine/TEngineBrowser.h"
#include "engine/TEngineFactory.h"
#include "settings/OptionGroups.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>

TBrowserCommands::TBrowserCommands(TBrowserHost *host, QObject *parent)
    : QObject(parent)
    , m_host(host)
{
    chooseFile = [this] {
        const TMainDisplay *display = m_host->display();
        const QString path = QFileDialog::getOpenFileName(
            display ? display->dialogParent() : nullptr, QString(), DialogFolder::start(),
            QStringLiteral("すべてのファイル (*)"));
        DialogFolder::remember(path);
        return path;
    };
}

void TBrowserCommands::connectControls()
{
    const TBrowserControls &c = m_host->controls();
    if (c.commands) {
        const CommandList &commands = *c.commands;
        commands.onTriggered("FileNew1", this, [this] { FileNew1Execute(); });
        commands.onTriggered("NewCtrl", this, [this] { NewCtrlClick(); });
        commands.onTriggered("mnuPrivateWindow", this, [this] { mnuPrivateWindowClick(); });
        commands.onTriggered("ClipNewCtrl", this, [this] { ClipNewCtrlClick(); });
        commands.onTriggered("mnuNew_Cilp", this, [this] { mnuNew_CilpClick(); });
        commands.onTriggered("FileOpen1", this, [this] { FileOpen1Execute(); });
        commands.onTriggered("FileClose1", this, [this] { FileClose1Execute(); });
        commands.onTriggered("BackCtrl", this, [this] { BackCtrlClick(); });
        commands.onTriggered("FrwrdCtrl", this, [this] { FrwrdCtrlClick(); });
        commands.onTriggered("StopCtrl", this, [this] { StopCtrlClick(); });
        commands.onTriggered("ReLoadCtrl", this, [this] { ReLoadCtrlClick(); });
        commands.onTriggered("NextTab", this, [this] { StepTab(1); });
        commands.onTriggered("PrevTab", this, [this] { StepTab(-1); });
        commands.onTriggered("ReopenClosed", this, [this] { ReopenClosedClick(); });
        commands.onTriggered("ZoomIn", this, [this] { ZoomBy(1); });
        commands.onTriggered("ZoomOut", this, [this] { ZoomBy(-1); });
        commands.onTriggered("ZoomReset", this, [this] { ZoomResetClick(); });
        // A checkable item has already toggled its tick when it reports the click; the switch
        // commands toggle it themselves, from the tick the user saw.
        const auto bindSwitch = [&](const char *name,
                                    void (TBrowserCommands::*handler)(QAction *)) {
            QAction *item = commands.find(name);
            commands.onTriggered(name, this, [this, item, handler] {
                if (item->isCheckable())
                    item->setChecked(!item->isChecked());
                (this->*handler)(item);
            });
        };
        bindSwitch("mnuJava", &TBrowserCommands::mnuJavaClick);
        bindSwitch("mnuScript", &TBrowserCommands::mnuScriptClick);
        bindSwitch("mnuActiveX", &TBrowserCommands::mnuActiveXClick);
        bindSwitch("mnuImage", &TBrowserCommands::mnuImageClick);
        bindSwitch("mnuBGM", &TBrowserCommands::mnuBGMClick);
        bindSwitch("mnuVideo", &TBrowserCommands::mnuVideoClick);
    }
    if (QAbstractButton *move = c.btnMove)
        ErrorHandler::Connect(move, &QAbstractButton::clicked, this,
                              &TBrowserCommands::btnMoveClick);
    // Enter in the address box runs Move; the key itself goes no further.
    if (QLineEdit *address = c.txtAddress)
        ErrorHandler::Connect(address, &QLineEdit::returnPressed, this,
                              &TBrowserCommands::btnMoveClick);
}

// --- new windows ----------------------------------------------------------------------------

void TBrowserCommands::FileNew1Execute()
{
    const EngineKind kind = m_host->defaultEngine();
    m_host->OpenPage(PageRules::newWindowCaption(kind), PageRules::newWindowAddress(kind));
}

void TBrowserCommands::NewCtrlClick()
{
    if (QAction *action = m_host->command("FileNew1"))
        action->trigger();
    else
        FileNew1Execute();
}

void TBrowserCommands::mnuPrivateWindowClick()
{
    const EngineKind kind = m_host->defaultEngine();
    m_host->OpenPrivatePage(PageRules::newWindowCaption(kind), PageRules::newWindowAddress(kind));
}

void TBrowserCommands::mnuNew_CilpClick()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QString text = clipboard ? clipboard->text() : QString();
    m_host->OpenPage(PageRules::newWindowCaption(m_host->defaultEngine()), text);
}

void TBrowserCommands::ClipNewCtrlClick()
{
    if (QAction *item = m_host->command("mnuNew_Cilp"))
        item->trigger();
    else
        mnuNew_CilpClick();
}

void TBrowserCommands::FileOpen1Execute()
{
    const QString file = chooseFile ? chooseFile() : QString();
    if (!file.isEmpty())
        m_host->OpenPage(QString(), file);
}

void TBrowserCommands::FileClose1Execute()
{
    if (TBrowserChild *child = m_host->activeChild())
        child->close();
}

// --- the active window's engine -------------------------------------------------------------

void TBrowserCommands::BackCtrlClick()
{
    if (TBrowserChild *child = m_host->activeChild())
        child->engine()->GoBack();
}

void TBrowserCommands::FrwrdCtrlClick()
{
    if (TBrowserChild *child = m_host->activeChild())
        child->engine()->GoForward();
}

void TBrowserCommands::StopCtrlClick()
{
    if (TBrowserChild *child = m_host->activeChild())
        child->engine()->Stop();
}

void TBrowserCommands::ReLoadCtrlClick()
{
    if (TBrowserChild *child = m_host->activeChild())
        child->engine()->Refresh();
}

void TBrowserCommands::btnMoveClick()
{
    const int mode = OptionGroups::ReadWindow().AddressBar;
    const TMainDisplay *display = m_host->display();
    // Read before New: a new window's activation puts its own address into the box.
    const QString text = display ? display->typedAddress() : QString();
    if (PageRules::moveOpensNewWindow(mode, m_host->childCount() > 0))
        FileNew1Execute();
    if (text.isEmpty())
        return;
    // Typed text goes to the engine as it stands: no address clean-up on this path.
    if (TBrowserChild *child = m_host->activeChild())
        child->engine()->Navigate(text);
}

void TBrowserCommands::StepTab(int step)
{
    const WindowList &list = m_host->windowList();
    const TBrowserChild *child = m_host->activeChild();
    const int from = child ? list.positionOf(child->windowId()) : list.selected();
    const int to = list.stepFrom(from, step);
    if (to >= 0)
        m_host->TabControl1Change(to);
}

void TBrowserCommands::ReopenClosedClick()
{
    const QString url = m_host->closedUrls().takeLast();
    if (!url.isEmpty())
        m_host->OpenPage(QStringLiteral("loading"), url);
}

void TBrowserCommands::ZoomBy(int steps)
{
    if (TBrowserChild *child = m_host->activeChild())
        child->engine()->ZoomBy(steps);
}

void TBrowserCommands::ZoomResetClick()
{
    if (TBrowserChild *child = m_host->activeChild())
        child->engine()->SetZoomPercent(PageZoom::Normal);
}

// --- default engine -------------------------------------------------------------------------

void TBrowserCommands::setDefaultEngine(bool ie)
{
    if (QAction *item = m_host->command("IE_item"))
        item->setChecked(ie);
    if (QAction *item = m_host->command("Moz_Item"))
        item->setChecked(!ie);
    if (QAction *toggle = m_host->command("ChangeCtrl")) {
        const int image = ie ? PageRules::ImageIE : PageRules::ImageGecko;
        ImageList::shared().apply(toggle, image);
    }
}

void TBrowserCommands::IE_ItemClick()
{
    setDefaultEngine(true);
}

void TBrowserCommands::Moz_ItemClick()
{
    setDefaultEngine(false);
}

void TBrowserCommands::ChangeCtrlClick()
{
    // Runs the other item's handling directly, so it works while Moz_Item is disabled.
    if (m_host->defaultEngine() == EngineKind::IE)
        Moz_ItemClick();
    else
        IE_ItemClick();
}

// --- security and multimedia switches -------------------------------------------------------

void TBrowserCommands::switchFlag(QAction *item, bool *flag)
{
    if (item) {
        const bool on = !item->isChecked();
        item->setChecked(on);
        *flag = on;
    } else {
        *flag = !*flag;
    }
    TBrowserChild *child = m_host->activeChild();
    if (!child || child->kind() != EngineKind::IE)
        return;
    TEngineBrowser *engine = child->engine();
    m_host->factory()->setDownLoadControl(
        engine, SecurityFlags::ApplySecurityFlags(m_host->securityFlags()));
    m_host->factory()->reapplyDownLoadControl(engine);
    engine->Refresh();
}

void TBrowserCommands::mnuJavaClick(QAction *Sender)
{
    switchFlag(Sender, &m_host->securityFlags().Java);
}

void TBrowserCommands::mnuScriptClick(QAction *Sender)
{
    switchFlag(Sender, &m_host->securityFlags().Script);
}

void TBrowserCommands::mnuActiveXClick(QAction *Sender)
{
    switchFlag(Sender, &m_host->securityFlags().ActiveX);
}

void TBrowserCommands::mnuImageClick(QAction *Sender)
{
    switchFlag(Sender, &m_host->securityFlags().Image);
}

void TBrowserCommands::mnuBGMClick(QAction *Sender)
{
    switchFlag(Sender, &m_host->securityFlags().BGM);
}

void TBrowserCommands::mnuVideoClick(QAction *Sender)
{
    switchFlag(Sender, &m_host->securityFlags().Video);
}
