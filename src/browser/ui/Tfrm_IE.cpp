// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "Tfrm_IE.h"

#include "TEngineBrowser.h"

Tfrm_IE::Tfrm_IE(TBrowserHost *host, int windowId, TEngineBrowser *engine)
    : TBrowserChild(host, windowId, EngineKind::IE, engine)
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

void Tfrm_IE::TWeb_IEStatusTextChange(const QString &Text)
{
    statusTextChange(Text);
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
