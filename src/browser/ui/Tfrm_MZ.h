// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "browser/TBrowserChild.h"

/// A Gecko page window: its engine control TWeb_MZ runs on WebKit. It starts from the button
/// states on show, and shows its status text also from behind other windows.
class Tfrm_MZ : public TBrowserChild
{
    Q_OBJECT

public:
    /// Takes \a engine into the window. FormCreate runs once the window is in the main
    /// window's child area.
    Tfrm_MZ(TPageWindowHost *host, QObject *hostObject, int windowId, TEngineBrowser *engine);

    TEngineBrowser *TWeb_MZ = nullptr;

    EngineKind kind() const override { return EngineKind::Gecko; }

    void FormCreate();
    void FormActivate() override;
    void FormDeactivate();
    void FormResize() override;
    void FormClose() override;
    void SubChange();

    void TWeb_MZTitleChange(const QString &Text);
    void TWeb_MZStatusTextChange(const QString &Text);
    void TWeb_MZProgressChange(int Progress, int ProgressMax);
    void TWeb_MZCommandStateChange(int Command, bool Enable);
    void TWeb_MZNewWindow2(TEngineBrowser **ppDisp, bool *Cancel);

    void deactivate() override;

protected:
    void prepareCreation() override;
    /// A minimized Gecko window leaves the state new windows take alone.
    bool recordsMinimized() const override { return false; }
};
