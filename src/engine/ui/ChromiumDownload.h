// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/EngineDownload.h"

#include <QPointer>

class QWebEngineDownloadRequest;
class QWebEngineProfile;

/// A download of the Chromium engine (not a saved page: each browser watches its own saves).
class ChromiumDownload : public EngineDownload
{
    Q_OBJECT

public:
    /// Hands the downloads of \a profile to the download relay.
    static void watch(QWebEngineProfile *profile);
    /// A download still running stops with its object.
    ~ChromiumDownload() override;

    void start(const QString &path) override;
    void cancel() override;

private:
    explicit ChromiumDownload(QWebEngineDownloadRequest *request);
    void onFinished();

    QPointer<QWebEngineDownloadRequest> m_request;
    bool m_ended = false;
};
