// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "browser/TBrowserChild.h"

/// An IE page window: its engine control TWeb_IE runs on Chromium, its security switches set
/// by the page opener. It keeps its own text size and drives the IE-only menus.
class Tfrm_IE : public TBrowserChild
{
    Q_OBJECT

public:
    /// Takes \a engine into the window. FormCreate runs once the window is in the main
    /// window's child area.
    Tfrm_IE(TPageWindowHost *host, QObject *hostObject, int windowId, TEngineBrowser *engine);

    TEngineBrowser *TWeb_IE = nullptr;

    EngineKind kind() const override { return EngineKind::IE; }

    void FormCreate();
    void FormActivate() override;
    void FormDeActivate();
    void FormResize() override;
    void FormClose() override;
    void SubChange();

    void TWeb_IETitleChange(const QString &Text);
    void TWeb_IEStatusTextChange(const QString &Text);
    void TWeb_IEProgressChange(int Progress, int ProgressMax);
    void TWeb_IECommandStateChange(int Command, bool Enable);
    void TWeb_IENewWindow2(TEngineBrowser **ppDisp, bool *Cancel);

    void deactivate() override;

protected:
    void prepareCreation() override;
    void finishCreation() override;
    void showKindState() override;
    void hideKindState() override;
    bool recordsMinimized() const override { return true; }
};
