// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/DownloadRelay.h"

#include "engine/EngineDownload.h"

#include <QCoreApplication>

DownloadRelay &DownloadRelay::instance()
{
    static DownloadRelay *relay = [] {
        auto *r = new DownloadRelay;
        r->setParent(QCoreApplication::instance());
        return r;
    }();
    return *relay;
}

void DownloadRelay::offer(EngineDownload *download)
{
    Q_EMIT requested(download);
    if (download->parent())
        return;
    // Nobody keeps a list of downloads (a test of one engine, say): nothing may go to disk
    // unseen.
    download->cancel();
    download->deleteLater();
}
