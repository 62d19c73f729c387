// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "browser/ChildWindowRules.h"
#include "engine/EngineKind.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

class TEngineBrowser;
class TPageWindowHost;

/// A page window: one engine control inside a child window of the main window. It turns its
/// engine's reports into the main window's display and keeps its own copy of what it shows
/// (button states, progress, title), put back whenever it becomes the active window.
/// Tfrm_IE and Tfrm_MZ carry the handlers and the behaviour of their engine kind; what they
/// share lives here. A page window reaches the main window only through TPageWindowHost.
class TBrowserChild : public QMdiSubWindow
{
    Q_OBJECT

public:
    ~TBrowserChild() override;

    int windowId() const { return m_windowId; }
    virtual EngineKind kind() const = 0;
    TEngineBrowser *engine() const { return m_engine; }
    const CommandStates &commandStates() const { return m_states; }
    bool isActiveFlag() const { return m_activeFlag; }
    int storedProgress() const { return m_progress; }
    const QString &pageTitle() const { return m_title; }
    /// Text size 0..4 of an IE window.
    int textSize() const { return m_textSize; }
    void setTextSize(int size) { m_textSize = size; }
    /// The last status text of a Gecko window.
    const QString &statusText() const { return m_statusText; }
    /// Whether the window's engine belongs to the private session.
    bool isPrivate() const;
    /// What a private window's caption ends with.
    static QString privateMark() { return QStringLiteral("（プライベート）"); }
    /// The caption without the private window's mark.
    QString caption() const;

    /// How long a waiting window must stay the active window before it loads by itself.
    static constexpr int ActiveLoadDelayMs = 60;

    /// Keeps \a address to load later: once the window is still the active window
    /// ActiveLoadDelayMs after it became it, or when startDeferredLoad is called, whichever
    /// comes first.
    void deferNavigation(const QString &address);
    /// Loads the kept address now; false when nothing was kept (or the window closes).
    bool startDeferredLoad();
    /// The address still waiting for the window's first activation.
    bool hasDeferredNavigation() const { return m_deferred; }
    /// The page's address, or the one still waiting to load.
    QString pageAddress() const;

    /// The window became the active page window / stopped being it.
    virtual void FormActivate() = 0;
    virtual void deactivate() = 0;

    /// Set once the window has started closing.
    bool isClosed() const { return m_closed; }

protected:
    /// \a hostObject is the QObject behind \a host: the page window stops reaching the host
    /// once it is gone (at exit they die in no fixed order).
    TBrowserChild(TPageWindowHost *host, QObject *hostObject, int windowId, TEngineBrowser *engine);

    /// The host while it lives, else null.
    TPageWindowHost *host() const { return m_hostObject ? m_host : nullptr; }

    void createWindow();
    void activateWindow();
    void deactivateWindow();
    void resizeWindow();
    void closeWindow();
    void subChange();
    void titleChange(const QString &text);
    void progressChange(int progress, int progressMax);
    void commandStateChange(int command, bool enable);
    void newWindow2(TEngineBrowser **ppDisp, bool *cancel);

    /// The handlers of the subclasses, run from the window's events.
    virtual void FormResize() = 0;
    virtual void FormClose() = 0;

    // What differs between the engine kinds, answered by Tfrm_IE and Tfrm_MZ.
    /// Creation before the window is shown.
    virtual void prepareCreation() = 0;
    /// Creation once the window is shown and laid out.
    virtual void finishCreation() {}
    /// The window's own part of the main window's display, on activation and when it ends.
    virtual void showKindState() {}
    virtual void hideKindState() {}
    /// Whether a minimized window is the state new windows take.
    virtual bool recordsMinimized() const = 0;

    void setCommandStates(const CommandStates &states) { m_states = states; }
    void setStatusTextStored(const QString &text) { m_statusText = text; }
    /// The text size an IE window keeps.
    int m_textSize = 2;

    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    /// A private window's caption always carries privateMark().
    void changeEvent(QEvent *event) override;

private:
    TPageWindowHost *m_host;
    QPointer<QObject> m_hostObject;
    int m_windowId;
    TEngineBrowser *m_engine;
    CommandStates m_states;
    bool m_activeFlag = false;
    bool m_created = false;
    bool m_closed = false;
    bool m_deferred = false;
    QString m_deferredAddress;
    void loadDeferred();
    int m_progress = 0;
    QString m_title;
    QString m_statusText;
    // A page may change its title a thousand times a second: the caption, tab, tree and
    // window list follow at most every TitleIntervalMs (a window out of sight less often).
    static constexpr int TitleIntervalMs = 250;
    static constexpr int HiddenTitleIntervalMs = 1000;
    QTimer *m_titleTimer = nullptr;
    bool m_titlePending = false;
    void applyTitle();
};
