// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QObject>

class EngineDownload;

/// Where both engines hand the downloads they start. Each engine's downloads belong to the
/// whole process (the Chromium profile, the WebKit context), not to a page, so there is one
/// relay; the downloads list connects to it.
class DownloadRelay : public QObject
{
    Q_OBJECT

public:
    static DownloadRelay &instance();

    /// Emits requested() for \a download, which has no parent. A download that no receiver
    /// takes over is cancelled and deleted.
    void offer(EngineDownload *download);

Q_SIGNALS:
    /// A new download waits for its file. A receiver takes \a download over by becoming its
    /// parent, and starts or cancels it before it returns.
    void requested(EngineDownload *download);

private:
    DownloadRelay() = default;
};
