// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/Tfrm_IE.h"

#include "browser/TPageWindowHost.h"
#include "browser/WindowList.h"
#include "engine/TEngineBrowser.h"

Tfrm_IE::Tfrm_IE(TPageWindowHost *host, QObject *hostObject, int windowId, TEngineBrowser *engine)
    : TBrowserChild(host, hostObject, windowId, engine)
    , TWeb_IE(engine)
{
    setObjectName(QStringLiteral("frm_IE"));
    engine->setObjectName(QStringLiteral("TWeb_IE"));
    connect(engine, &TEngineBrowser::OnTitleChange, this, &Tfrm_IE::TWeb_IETitleChange);
    connect(engine, &TEngineBrowser::OnStatusTextChange, this, &Tfrm_IE::TWeb_IEStatusTextChange);
    connect(engine, &TEngineBrowser::OnProgressChange, this, &Tfrm_IE::TWeb_IEProgressChange);
    connect(engine, &TEngineBrowser::OnCommandStateChange, this,
            &Tfrm_IE::TWeb_IECommandStateChange);
    // The engine goes on with what the slot hands back, so the call must be direct.
    connect(engine, &TEngineBrowser::OnNewWindow2, this, &Tfrm_IE::TWeb_IENewWindow2,
            Qt::DirectConnection);
}

void Tfrm_IE::FormCreate()
{
    createWindow();
}

void Tfrm_IE::FormActivate()
{
    activateWindow();
}

void Tfrm_IE::FormDeActivate()
{
    deactivateWindow();
}

void Tfrm_IE::deactivate()
{
    FormDeActivate();
}

void Tfrm_IE::FormResize()
{
    resizeWindow();
}

void Tfrm_IE::FormClose()
{
    closeWindow();
}

void Tfrm_IE::SubChange()
{
    subChange();
}

void Tfrm_IE::TWeb_IETitleChange(const QString &Text)
{
    titleChange(Text);
}

// Only the active IE window's status text reaches the status bar.
void Tfrm_IE::TWeb_IEStatusTextChange(const QString &Text)
{
    if (TPageWindowHost *h = host(); h && !isClosed() && h->activeChild() == this)
        h->setStatusText(Text);
}

void Tfrm_IE::prepareCreation()
{
    // The opener has set the engine's security switches already.
    TPageWindowHost *h = host();
    h->setActivationSync(false);
    m_textSize = h->currentTextSize();
}

void Tfrm_IE::finishCreation()
{
    setCommandStates(CommandStates());
    TPageWindowHost *h = host();
    const int pos = h->windowList().positionOf(windowId());
    if (pos >= 0)
        h->windowList().setSelected(pos);
}

void Tfrm_IE::showKindState()
{
    TPageWindowHost *h = host();
    h->enableSecurityMenus(true);
    h->showTextSize(m_textSize);
    h->enableTextSizeMenu(true);
}

// The three IE-only menus are enabled exactly while an IE window is active.
void Tfrm_IE::hideKindState()
{
    TPageWindowHost *h = host();
    h->enableSecurityMenus(false);
    h->enableTextSizeMenu(false);
}

void Tfrm_IE::TWeb_IEProgressChange(int Progress, int ProgressMax)
{
    progressChange(Progress, ProgressMax);
}

void Tfrm_IE::TWeb_IECommandStateChange(int Command, bool Enable)
{
    commandStateChange(Command, Enable);
}

void Tfrm_IE::TWeb_IENewWindow2(TEngineBrowser **ppDisp, bool *Cancel)
{
    newWindow2(ppDisp, Cancel);
}
