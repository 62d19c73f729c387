// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "ChildWindowRules.h"
#include "EngineKind.h"

#include <QMdiSubWindow>
#include <QPointer>

class TBrowserHost;
class TEngineBrowser;

/// A page window: one engine control inside a child window of the main window. It turns its
/// engine's reports into the main window's display and keeps its own copy of what it shows
/// (button states, progress, title), put back whenever it becomes the active window.
/// Tfrm_IE and Tfrm_MZ carry the handlers of their engine kind; the behaviour they share
/// lives here.
class TBrowserChild : public QMdiSubWindow
{
    Q_OBJECT

public:
    ~TBrowserChild() override;

    int windowId() const { return m_windowId; }
    EngineKind kind() const { return m_kind; }
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

    /// The window became the active page window / stopped being it.
    virtual void FormActivate() = 0;
    virtual void deactivate() = 0;

protected:
    TBrowserChild(TBrowserHost *host, int windowId, EngineKind kind, TEngineBrowser *engine);

    void createWindow();
    void activateWindow();
    void deactivateWindow();
    void resizeWindow();
    void closeWindow();
    void subChange();
    void titleChange(const QString &text);
    void statusTextChange(const QString &text);
    void progressChange(int progress, int progressMax);
    void commandStateChange(int command, bool enable);
    void newWindow2(TEngineBrowser **ppDisp, bool *cancel);

    /// The handlers of the subclasses, run from the window's events.
    virtual void FormResize() = 0;
    virtual void FormClose() = 0;

    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

    QPointer<TBrowserHost> m_host;

private:
    int m_windowId;
    EngineKind m_kind;
    TEngineBrowser *m_engine;
    CommandStates m_states;
    bool m_activeFlag = false;
    bool m_created = false;
    bool m_closed = false;
    int m_progress = 0;
    QString m_title;
    int m_textSize = 2;
    QString m_statusText;
};
