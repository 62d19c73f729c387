// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/EngineDownload.h"

EngineDownload::EngineDownload(const QUrl &url, const QString &suggestedName, qint64 totalBytes,
                               QObject *parent)
    : QObject(parent)
    , m_url(url)
    , m_suggestedName(suggestedName)
    , m_totalBytes(totalBytes)
{}
