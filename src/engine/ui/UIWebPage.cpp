// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "UIWebPage.h"

#include "TUIWebBrowser.h"

UIWebPage::UIWebPage(QWebEngineProfile *profile, TUIWebBrowser *browser)
    : QWebEnginePage(profile, browser)
    , m_browser(browser)
{}

QWebEnginePage *UIWebPage::createWindow(WebWindowType)
{
    return m_browser->pageCreateWindow();
}

bool UIWebPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    return m_browser->pageAcceptNavigation(url, type, isMainFrame);
}

void UIWebPage::javaScriptAlert(const QUrl &securityOrigin, const QString &msg)
{
    if (!m_browser->policy().silent)
        QWebEnginePage::javaScriptAlert(securityOrigin, msg);
}

bool UIWebPage::javaScriptConfirm(const QUrl &securityOrigin, const QString &msg)
{
    if (m_browser->policy().silent)
        return false;
    return QWebEnginePage::javaScriptConfirm(securityOrigin, msg);
}

bool UIWebPage::javaScriptPrompt(const QUrl &securityOrigin, const QString &msg,
                                 const QString &defaultValue, QString *result)
{
    if (m_browser->policy().silent)
        return false;
    return QWebEnginePage::javaScriptPrompt(securityOrigin, msg, defaultValue, result);
}
