// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

class TEngineBrowser;
class TEngineFactory;

/// The hidden capture window of one new-window request. A page window's OnNewWindow2 slot calls
/// Capture(): the engine then drives the capture browser WebBrowser1, which notes the first
/// address it is sent to; once that address has completed loading, it is opened as an ordinary
/// page window through the open-page callback ("loading", address) unless the block list
/// matches it. The window is never shown and destroys itself when it is done.
///
/// A request whose address never completes (a redirect elsewhere, a failed load) must not leave
/// windows behind: a capture window destroys itself captureTimeout() milliseconds (60 s) after its
/// creation, and at most MaxPending capture windows live at once (a further request destroys the
/// oldest).
class Tfrm_tmpWeb : public QWidget
{
    Q_OBJECT

public:
    using OpenPageFn = std::function<void(const QString &caption, const QString &url)>;

    static constexpr int DefaultCaptureTimeoutMs = 60000;
    static constexpr int MaxPending = 16;

    /// The instance made at start-up with the other forms: it has no browser and is never used.
    explicit Tfrm_tmpWeb(QWidget *parent = nullptr);
    /// A capture window for one request of \a requester; WebBrowser1 is made by
    /// requester->CreateNewWindowBrowser(), so it is of the requesting engine's kind.
    Tfrm_tmpWeb(TEngineFactory *factory, TEngineBrowser *requester, OpenPageFn openPage);
    ~Tfrm_tmpWeb() override;

    /// The body of a page window's OnNewWindow2 slot: makes a capture window and hands its
    /// browser to the engine through \a ppDisp; *Cancel is left false. \a openPage is called at
    /// most once, with "loading" and the captured address.
    static void Capture(TEngineFactory *factory, TEngineBrowser *requester, TEngineBrowser **ppDisp,
                        bool *Cancel, OpenPageFn openPage);
    /// Capture windows alive at the moment (tests, leak checks).
    static int pendingCount();
    /// How long a capture window waits for its address to complete; tests shorten it.
    static int captureTimeout();
    static void setCaptureTimeout(int ms);

    TEngineBrowser *WebBrowser1 = nullptr;

    const QString &capturedUrl() const { return m_capturedUrl; }
    bool isDone() const { return m_done; }

    void FormCreate();
    /// A page inside the capture browser asking for yet another window: refused.
    void WebBrowser1NewWindow2(TEngineBrowser **ppDisp, bool *Cancel);
    void WebBrowser1BeforeNavigate2(const QString &URL);
    /// Serves both NavigateComplete2 and DocumentComplete.
    void WebBrowser1NavigateComplete2(const QString &URL);

Q_SIGNALS:
    /// Emitted when the window has finished (opened, blocked, timed out or evicted) and is
    /// about to be destroyed.
    void finished();

private:
    void finish();

    QString m_capturedUrl;
    bool m_firstNavigation = false;
    bool m_done = false;
    bool m_finishing = false;
    bool m_checking = false;
    OpenPageFn m_openPage;
    QTimer m_timeout;
};
