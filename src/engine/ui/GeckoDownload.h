// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/EngineDownload.h"
#include "engine/MozCtlApi.h"

/// A download of the WebKit module. The module's reports arrive inside its C callbacks; each is
/// passed on from the event loop, so no handler of ours runs (or waits on a box) inside one.
class GeckoDownload : public EngineDownload
{
    Q_OBJECT

public:
    ~GeckoDownload() override;

    /// Makes the module report its downloads to the download relay.
    static void watch(const MozCtlApi &api);

    void start(const QString &path) override;
    void cancel() override;

private:
    GeckoDownload(const MozCtlApi &api, MozCtlDownload *handle, const QUrl &url,
                  const QString &name, qint64 total);

    static void onStarted(void *, MozCtlDownload *handle, const char *uri, const char *name,
                          long long total);
    static void onProgress(void *, MozCtlDownload *handle, long long received, long long total);
    static void onFinished(void *, MozCtlDownload *handle, int ok, const char *message);
    static GeckoDownload *find(MozCtlDownload *handle);

    const MozCtlApi &m_api;
    /// Null once the module has ended the download.
    MozCtlDownload *m_handle;
};
