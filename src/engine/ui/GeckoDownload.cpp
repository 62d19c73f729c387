// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/GeckoDownload.h"

#include "engine/DownloadRelay.h"

#include <QFile>
#include <QHash>

namespace {

// The module's downloads still running, by handle.
QHash<MozCtlDownload *, GeckoDownload *> &running()
{
    static QHash<MozCtlDownload *, GeckoDownload *> map;
    return map;
}

} // namespace

GeckoDownload::GeckoDownload(const MozCtlApi &api, MozCtlDownload *handle, const QUrl &url,
                             const QString &name, qint64 total)
    : EngineDownload(url, name, total)
    , m_api(api)
    , m_handle(handle)
{
    running().insert(handle, this);
}

GeckoDownload::~GeckoDownload()
{
    if (!m_handle)
        return;
    MozCtlDownload *handle = m_handle;
    running().remove(handle);
    m_handle = nullptr;
    m_api.cancelDownload(handle);
}

void GeckoDownload::watch(const MozCtlApi &api)
{
    static const MozCtlDownloadEvents events{onStarted, onProgress, onFinished};
    api.setDownloadHandler(&events, const_cast<MozCtlApi *>(&api));
}

GeckoDownload *GeckoDownload::find(MozCtlDownload *handle)
{
    return running().value(handle);
}

void GeckoDownload::onStarted(void *api, MozCtlDownload *handle, const char *uri, const char *name,
                              long long total)
{
    auto *download =
        new GeckoDownload(*static_cast<const MozCtlApi *>(api), handle,
                          QUrl(QString::fromUtf8(uri)), QString::fromUtf8(name), qint64(total));
    QMetaObject::invokeMethod(
        download, [download] { DownloadRelay::instance().offer(download); }, Qt::QueuedConnection);
}

void GeckoDownload::onProgress(void *, MozCtlDownload *handle, long long received, long long total)
{
    GeckoDownload *download = find(handle);
    if (!download)
        return;
    QMetaObject::invokeMethod(
        download,
        [download, received, total] {
            download->setTotalBytes(total);
            Q_EMIT download->progress(received, total);
        },
        Qt::QueuedConnection);
}

void GeckoDownload::onFinished(void *, MozCtlDownload *handle, int ok, const char *message)
{
    GeckoDownload *download = find(handle);
    if (!download)
        return;
    running().remove(handle);
    download->m_handle = nullptr;
    const QString reason = QString::fromUtf8(message);
    QMetaObject::invokeMethod(
        download,
        [download, ok, reason] {
            if (ok)
                Q_EMIT download->finished();
            else
                Q_EMIT download->failed(reason);
        },
        Qt::QueuedConnection);
}

void GeckoDownload::start(const QString &path)
{
    if (m_handle)
        m_api.setDownloadDestination(m_handle, QFile::encodeName(path).constData());
}

void GeckoDownload::cancel()
{
    if (m_handle)
        m_api.cancelDownload(m_handle);
}
