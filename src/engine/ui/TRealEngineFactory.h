// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/TEngineFactory.h"

/// The engines of the application: IE windows get a TUIWebBrowser (Chromium), Gecko windows a
/// TMozillaBrowser (WebKit, from the module in the folder "MozPath" names).
class TRealEngineFactory : public TEngineFactory
{
public:
    TEngineBrowser *create(EngineKind kind, QWidget *parent) override;
    TEngineBrowser *createPrivate(EngineKind kind, QWidget *parent) override;
    TEngineBrowser *createCaptureBrowser(TEngineBrowser *requester, QWidget *parent) override;
    TDownLoadControl downLoadControl(TEngineBrowser *engine) const override;
    void setDownLoadControl(TEngineBrowser *engine, const TDownLoadControl &set) override;
    void reapplyDownLoadControl(TEngineBrowser *engine) override;
};
