// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/DownLoadControl.h"
#include "engine/EngineKind.h"

class QWidget;
class TEngineBrowser;

/// Where page windows get their engine control. The application uses the real engines;
/// tests plug in a light engine of their own.
class TEngineFactory
{
public:
    virtual ~TEngineFactory() = default;

    /// A new engine control of \a kind. Throws DorvuError when the engine cannot be created
    /// (for example the WebKit module is missing from the folder "MozPath" names).
    virtual TEngineBrowser *create(EngineKind kind, QWidget *parent) = 0;
    /// create() for a page of the private session (TEngineBrowser::isPrivate). Throws
    /// DorvuError as create() does, and where the engines have no private session.
    virtual TEngineBrowser *createPrivate(EngineKind kind, QWidget *parent);
    /// The hidden browser of a capture window, which takes over \a requester's new-window
    /// request (of the requester's kind, related to it as that engine needs), with the
    /// capture window's download-control set. Null when the engine refuses or the browser
    /// cannot be made (the reason is reported once the engine has gone on); never throws.
    virtual TEngineBrowser *createCaptureBrowser(TEngineBrowser *requester, QWidget *parent) = 0;

    /// The download-control set of an IE engine control.
    virtual TDownLoadControl downLoadControl(TEngineBrowser *engine) const = 0;
    virtual void setDownLoadControl(TEngineBrowser *engine, const TDownLoadControl &set) = 0;
    /// Makes the page on show take up the engine's current set (the switches' announcement).
    /// Throws DorvuError when the engine cannot do it.
    virtual void reapplyDownLoadControl(TEngineBrowser *engine) = 0;
};
