// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QPointer>
#include <QWebEnginePage>

class TEngineBrowser;

/// The page given to the Chromium engine when a new-window request is answered with a browser
/// of another engine kind: it takes the first address the engine sends it, hands it to that
/// browser's Navigate and removes itself. The new window's script link to its opener is lost,
/// which a browser of another engine could not keep anyway.
class NewWindowRelay : public QWebEnginePage
{
    Q_OBJECT

public:
    NewWindowRelay(QWebEngineProfile *profile, TEngineBrowser *target);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    QPointer<TEngineBrowser> m_target;
    bool m_done = false;
};
