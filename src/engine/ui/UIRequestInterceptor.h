// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QWebEngineUrlRequestInterceptor>

struct DownLoadPolicy;

/// Refuses the requests of one page that its download-control set forbids (frames, images,
/// media, objects, or everything from the network when offline) and marks the rest for the
/// HTTP cache (no-cache, revalidate).
class UIRequestInterceptor : public QWebEngineUrlRequestInterceptor
{
    Q_OBJECT

public:
    /// \a policy belongs to the page's browser and outlives the interceptor.
    UIRequestInterceptor(const DownLoadPolicy *policy, QObject *parent);

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

private:
    const DownLoadPolicy *m_policy;
};
