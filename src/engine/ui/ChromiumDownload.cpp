// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/ChromiumDownload.h"

#include "engine/DownloadRelay.h"

#include <QFileInfo>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

ChromiumDownload::ChromiumDownload(QWebEngineDownloadRequest *request)
    : EngineDownload(request->url(), request->suggestedFileName(), request->totalBytes())
    , m_request(request)
{
    connect(request, &QWebEngineDownloadRequest::receivedBytesChanged, this, [this] {
        setTotalBytes(m_request->totalBytes());
        Q_EMIT progress(m_request->receivedBytes(), m_request->totalBytes());
    });
    connect(request, &QWebEngineDownloadRequest::isFinishedChanged, this,
            &ChromiumDownload::onFinished);
    // The private session's profile goes with its last window, and its downloads with it.
    connect(request, &QObject::destroyed, this, [this] {
        if (!m_ended)
            Q_EMIT failed(QStringLiteral("ウィンドウが閉じられました"));
    });
}

ChromiumDownload::~ChromiumDownload()
{
    if (m_request) {
        disconnect(m_request, nullptr, this, nullptr);
        if (!m_request->isFinished())
            m_request->cancel();
    }
}

void ChromiumDownload::watch(QWebEngineProfile *profile)
{
    QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile,
                     [](QWebEngineDownloadRequest *request) {
                         if (request->isSavePageDownload() ||
                             request->state() != QWebEngineDownloadRequest::DownloadRequested)
                             return;
                         DownloadRelay::instance().offer(new ChromiumDownload(request));
                     });
}

void ChromiumDownload::start(const QString &path)
{
    if (!m_request)
        return;
    const QFileInfo target(path);
    m_request->setDownloadDirectory(target.absolutePath());
    m_request->setDownloadFileName(target.fileName());
    m_request->accept();
}

void ChromiumDownload::cancel()
{
    if (m_request && !m_request->isFinished())
        m_request->cancel();
}

void ChromiumDownload::onFinished()
{
    if (!m_request || !m_request->isFinished() || m_ended)
        return;
    m_ended = true;
    if (m_request->state() == QWebEngineDownloadRequest::DownloadCompleted) {
        Q_EMIT finished();
        return;
    }
    const QString reason = m_request->state() == QWebEngineDownloadRequest::DownloadCancelled
                               ? QStringLiteral("cancelled")
                               : m_request->interruptReasonString();
    Q_EMIT failed(reason);
}
