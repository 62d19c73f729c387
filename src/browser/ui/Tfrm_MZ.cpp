// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/Tfrm_MZ.h"

#include "browser/TPageWindowHost.h"
#include "engine/TEngineBrowser.h"

Tfrm_MZ::Tfrm_MZ(TPageWindowHost *host, QObject *hostObject, int windowId, TEngineBrowser *engine)
    : TBrowserChild(host, hostObject, windowId, engine)
    , TWeb_MZ(engine)
{
    setObjectName(QStringLiteral("frm_MZ"));
    engine->setObjectName(QStringLiteral("TWeb_MZ"));
    connect(engine, &TEngineBrowser::OnTitleChange, this, &Tfrm_MZ::TWeb_MZTitleChange);
    connect(engine, &TEngineBrowser::OnStatusTextChange, this, &Tfrm_MZ::TWeb_MZStatusTextChange);
    connect(engine, &TEngineBrowser::OnProgressChange, this, &Tfrm_MZ::TWeb_MZProgressChange);
    connect(engine, &TEngineBrowser::OnCommandStateChange, this,
            &Tfrm_MZ::TWeb_MZCommandStateChange);
    // The engine goes on with what the slot hands back, so the call must be direct.
    connect(engine, &TEngineBrowser::OnNewWindow2, this, &Tfrm_MZ::TWeb_MZNewWindow2,
            Qt::DirectConnection);
}

void Tfrm_MZ::FormCreate()
{
    createWindow();
}

void Tfrm_MZ::FormActivate()
{
    activateWindow();
}

void Tfrm_MZ::FormDeactivate()
{
    deactivateWindow();
}

void Tfrm_MZ::deactivate()
{
    FormDeactivate();
}

void Tfrm_MZ::FormResize()
{
    resizeWindow();
}

void Tfrm_MZ::FormClose()
{
    closeWindow();
}

void Tfrm_MZ::SubChange()
{
    subChange();
}

void Tfrm_MZ::TWeb_MZTitleChange(const QString &Text)
{
    titleChange(Text);
}

// A Gecko window's status text reaches the status bar also from behind other windows.
void Tfrm_MZ::TWeb_MZStatusTextChange(const QString &Text)
{
    if (TPageWindowHost *h = host(); h && !isClosed()) {
        setStatusTextStored(Text);
        h->setStatusText(Text);
    }
}

void Tfrm_MZ::prepareCreation()
{
    TPageWindowHost *h = host();
    h->setActivationSync(false);
    setWindowTitle(QStringLiteral("Gecko"));
    CommandStates states = h->shownCommandStates();
    states.reload = false;
    setCommandStates(states);
}

void Tfrm_MZ::TWeb_MZProgressChange(int Progress, int ProgressMax)
{
    progressChange(Progress, ProgressMax);
}

void Tfrm_MZ::TWeb_MZCommandStateChange(int Command, bool Enable)
{
    commandStateChange(Command, Enable);
}

void Tfrm_MZ::TWeb_MZNewWindow2(TEngineBrowser **ppDisp, bool *Cancel)
{
    newWindow2(ppDisp, Cancel);
}
