// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/Tfrm_tmpWeb.h"

#include "browser/BlockList.h"
#include "common/ErrorHandler.h"
#include "engine/TEngineBrowser.h"
#include "engine/TEngineFactory.h"

#include <QList>

namespace {

/// Capture windows of pending requests, oldest first.
QList<Tfrm_tmpWeb *> &pending()
{
    static QList<Tfrm_tmpWeb *> list;
    return list;
}

int g_captureTimeout = Tfrm_tmpWeb::DefaultCaptureTimeoutMs;

} // namespace

Tfrm_tmpWeb::Tfrm_tmpWeb(QWidget *parent)
    : QWidget(parent)
{
    // The instance made at start-up: no browser, no timer, not counted as pending.
    FormCreate();
}

Tfrm_tmpWeb::Tfrm_tmpWeb(TEngineFactory *factory, TEngineBrowser *requester, OpenPageFn openPage)
    : QWidget(nullptr)
    , m_openPage(std::move(openPage))
{
    FormCreate();
    // Counted as pending only once it has a browser: a window without one is finished by
    // Capture at once, and nothing may point at it afterwards.
    WebBrowser1 = factory->createCaptureBrowser(requester, this);
    if (!WebBrowser1)
        return;
    pending().append(this);
    m_timeout.setSingleShot(true);
    m_timeout.setInterval(g_captureTimeout);
    connect(&m_timeout, &QTimer::timeout, this, &Tfrm_tmpWeb::finish);
    m_timeout.start();
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    // OnNewWindow2 is answered before the engine goes on, so it needs a direct call.
    connect(WebBrowser1, &TEngineBrowser::OnNewWindow2, this, &Tfrm_tmpWeb::WebBrowser1NewWindow2,
            Qt::DirectConnection);
    connect(WebBrowser1, &TEngineBrowser::OnBeforeNavigate2, this,
            &Tfrm_tmpWeb::WebBrowser1BeforeNavigate2);
    connect(WebBrowser1, &TEngineBrowser::OnNavigateComplete2, this,
            &Tfrm_tmpWeb::WebBrowser1NavigateComplete2);
    connect(WebBrowser1, &TEngineBrowser::OnDocumentComplete, this,
            &Tfrm_tmpWeb::WebBrowser1NavigateComplete2);
}

Tfrm_tmpWeb::~Tfrm_tmpWeb()
{
    pending().removeAll(this);
}

void Tfrm_tmpWeb::Capture(TEngineFactory *factory, TEngineBrowser *requester,
                          TEngineBrowser **ppDisp, bool *Cancel, OpenPageFn openPage)
{
    Q_UNUSED(Cancel); // the request goes on, into the capture browser
    // Requests whose address never completes must not pile up.
    while (pending().size() >= MaxPending)
        pending().first()->finish();
    auto *form = new Tfrm_tmpWeb(factory, requester, std::move(openPage));
    if (!form->WebBrowser1) {
        form->finish();
        *ppDisp = nullptr;
        return;
    }
    *ppDisp = form->WebBrowser1;
}

int Tfrm_tmpWeb::pendingCount()
{
    return int(pending().size());
}

int Tfrm_tmpWeb::captureTimeout()
{
    return g_captureTimeout;
}

void Tfrm_tmpWeb::setCaptureTimeout(int ms)
{
    g_captureTimeout = ms;
}

void Tfrm_tmpWeb::FormCreate()
{
    setObjectName(QStringLiteral("frm_tmpWeb"));
    setAttribute(Qt::WA_DontShowOnScreen);
    m_capturedUrl.clear();
    m_firstNavigation = false;
    m_done = false;
}

void Tfrm_tmpWeb::WebBrowser1NewWindow2(TEngineBrowser **ppDisp, bool *Cancel)
{
    Q_UNUSED(ppDisp);
    *Cancel = true;
}

void Tfrm_tmpWeb::WebBrowser1BeforeNavigate2(const QString &URL)
{
    // Later navigations (redirects, frames) are not followed.
    if (!m_firstNavigation)
        m_capturedUrl = URL;
    m_firstNavigation = true;
}

void Tfrm_tmpWeb::WebBrowser1NavigateComplete2(const QString &URL)
{
    if (m_finishing || m_checking || !m_firstNavigation || URL != m_capturedUrl)
        return;
    if (!m_done) {
        bool blocked = false;
        bool checked = false;
        // The error box of a failed check runs its own event loop; completions arriving
        // meanwhile must not start a second check.
        m_checking = true;
        ErrorHandler::Run([&] {
            blocked = BlockList::IsBlockedURL(URL);
            checked = true;
        });
        m_checking = false;
        if (!checked)
            return; // stays open: a later completion of the same address tries again
        // Done before opening: a failing open is reported once, not again at the next
        // completion report.
        m_done = true;
        if (!blocked && m_openPage) {
            const OpenPageFn openPage = m_openPage;
            ErrorHandler::Run([&] { openPage(QStringLiteral("loading"), URL); });
        }
    }
    finish();
}

void Tfrm_tmpWeb::finish()
{
    if (m_finishing)
        return;
    m_finishing = true;
    m_timeout.stop();
    pending().removeAll(this);
    if (WebBrowser1)
        WebBrowser1->disconnect(this);
    Q_EMIT finished();
    close();
    deleteLater();
}
