// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/NewWindowRelay.h"

#include "common/ErrorHandler.h"
#include "engine/TEngineBrowser.h"

#include <QTimer>

NewWindowRelay::NewWindowRelay(QWebEngineProfile *profile, TEngineBrowser *target)
    : QWebEnginePage(profile, target)
    , m_target(target)
{
    // A request that never navigates (window.open() without an address) must not leave the
    // page behind for the life of the target.
    QTimer::singleShot(60000, this, &QObject::deleteLater);
}

bool NewWindowRelay::acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame)
{
    if (!isMainFrame || m_done)
        return false;
    m_done = true;
    if (m_target) {
        const QString address = url.toString();
        QPointer<TEngineBrowser> target = m_target;
        // The engine is inside its navigation call: navigate the other browser afterwards.
        QTimer::singleShot(0, target, [target, address] {
            ErrorHandler::Run([&] { target->Navigate(address); });
        });
    }
    deleteLater();
    return false;
}
