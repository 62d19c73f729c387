// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/PageDialogs.h"

#include <QWebEnginePage>

class TUIWebBrowser;

/// The page of one TUIWebBrowser: hands the engine's questions (new window, navigation,
/// script dialogs) to its browser.
class UIWebPage : public QWebEnginePage
{
    Q_OBJECT

public:
    UIWebPage(QWebEngineProfile *profile, TUIWebBrowser *browser);

protected:
    QWebEnginePage *createWindow(WebWindowType type) override;
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg,
                          const QString &defaultValue, QString *result) override;

private:
    PageDialogs::Answer ask(PageDialogs::Kind kind, const QUrl &origin, const QString &message,
                            const QString &defaultText = QString());

    TUIWebBrowser *m_browser;
    PageDialogs m_dialogs;
};
