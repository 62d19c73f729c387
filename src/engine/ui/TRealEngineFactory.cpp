// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/TRealEngineFactory.h"

#include "common/ErrorHandler.h"
#include "engine/TMozillaBrowser.h"
#include "engine/TUIWebBrowser.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"

namespace {

TEngineBrowser *makeEngine(EngineKind kind, QWidget *parent, bool privateSession)
{
    if (kind == EngineKind::Gecko)
        return TMozillaBrowser::create(parent, privateSession);
    // A Chromium page out of sight sleeps after the minutes [Option_Tab] Sleep gives (0: never).
    auto *browser = new TUIWebBrowser(parent, privateSession);
    const int minutes = SettingsKeys::read(IniFile::config(), SettingsKeys::Option_Tab::Sleep);
    browser->setSleepAfter(int(qBound(0, minutes, 24 * 60)) * 60 * 1000);
    return browser;
}

} // namespace

TEngineBrowser *TRealEngineFactory::create(EngineKind kind, QWidget *parent)
{
    return makeEngine(kind, parent, false);
}

TEngineBrowser *TRealEngineFactory::createPrivate(EngineKind kind, QWidget *parent)
{
    return makeEngine(kind, parent, true);
}

TEngineBrowser *TRealEngineFactory::createCaptureBrowser(TEngineBrowser *requester, QWidget *parent)
{
    // Called while the engine waits for its answer (inside a C callback for WebKit): a browser
    // that cannot be made is refused with null, and the reason shown once the engine has
    // gone on.
    TEngineBrowser *browser = nullptr;
    ErrorHandler::RunInCallback([&] { browser = requester->CreateNewWindowBrowser(parent); });
    // The hidden page runs no scripts, Java or plug-ins, bypasses the cache and follows no
    // client-pull refresh, whichever engine asked; host options stay at the page windows'
    // defaults.
    if (auto *gecko = qobject_cast<TMozillaBrowser *>(browser))
        gecko->setDownLoadControl(TDownLoadControl::captureSet());
    else if (browser)
        setDownLoadControl(browser, TDownLoadControl::captureSet());
    return browser;
}

TDownLoadControl TRealEngineFactory::downLoadControl(TEngineBrowser *engine) const
{
    if (auto *ie = qobject_cast<TUIWebBrowser *>(engine))
        return ie->DownLoadControl();
    return TDownLoadControl();
}

void TRealEngineFactory::setDownLoadControl(TEngineBrowser *engine, const TDownLoadControl &set)
{
    if (auto *ie = qobject_cast<TUIWebBrowser *>(engine))
        ie->setDownLoadControl(set);
}

void TRealEngineFactory::reapplyDownLoadControl(TEngineBrowser *engine)
{
    if (auto *ie = qobject_cast<TUIWebBrowser *>(engine))
        ie->AmbientPropertyChange();
}
