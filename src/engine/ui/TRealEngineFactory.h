// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/TEngineFactory.h"

/// The engines of the application: IE windows get a TUIWebBrowser (Chromium), Gecko windows a
/// TMozillaBrowser (WebKit, from the module in the folder "MozPath" names).
class TRealEngineFactory : public TEngineFactory
{
public:
    /// Makes the Chromium page the first IE window will take (its engine profile with it), so
    /// that the engine sets itself up while the main window is still being built. The next
    /// create() of an IE control returns it; the first Gecko control drops it unused.
    static void prestart();

    TEngineBrowser *create(EngineKind kind, QWidget *parent) override;
    TEngineBrowser *createCaptureBrowser(TEngineBrowser *requester, QWidget *parent) override;
    TDownLoadControl downLoadControl(TEngineBrowser *engine) const override;
    void setDownLoadControl(TEngineBrowser *engine, const TDownLoadControl &set) override;
    void reapplyDownLoadControl(TEngineBrowser *engine) override;
};
