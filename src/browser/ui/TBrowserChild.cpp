// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "TBrowserChild.h"

#include "BlockList.h"
#include "ErrorHandler.h"
#include "SecurityFlags.h"
#include "TBrowserHost.h"
#include "TEngineBrowser.h"
#include "TEngineFactory.h"
#include "Tfrm_tmpWeb.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {

void enableAction(QAction *action, bool enabled)
{
    if (action)
        action->setEnabled(enabled);
}

} // namespace

TBrowserChild::TBrowserChild(TBrowserHost *host, int windowId, EngineKind kind,
                             TEngineBrowser *engine)
    : QMdiSubWindow(nullptr)
    , m_host(host)
    , m_windowId(windowId)
    , m_kind(kind)
    , m_engine(engine)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // The engine fills the window whatever the frame's insets are.
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    engine->setParent(page);
    layout->addWidget(engine);
    setWidget(page);
    resize(640, 480);
    connect(this, &QMdiSubWindow::windowStateChanged, this, [this] {
        if (m_created && !m_closed)
            FormResize();
    });
}

TBrowserChild::~TBrowserChild()
{
    // Windows destroyed with the main window run no closing steps, and their engines must not
    // reach this half-destroyed window any more.
    if (m_engine)
        m_engine->disconnect(this);
}

void TBrowserChild::createWindow()
{
    TBrowserHost *host = m_host;
    const TBrowserControls &c = host->controls();
    m_created = true;
    if (m_kind == EngineKind::IE) {
        // The switches as the file has them now, whatever the menu ticks say.
        host->securityFlags() = SecurityFlags::LoadSecurityFlags();
        host->factory()->setDownLoadControl(
            m_engine, SecurityFlags::ApplySecurityFlags(host->securityFlags()));
        host->setActivationSync(false);
        m_textSize = host->currentTextSize();
    } else {
        host->setActivationSync(false);
        setWindowTitle(QStringLiteral("Gecko"));
        m_states.back = c.BackCtrl && c.BackCtrl->isEnabled();
        m_states.forward = c.FrwrdCtrl && c.FrwrdCtrl->isEnabled();
        m_states.stop = c.StopCtrl && c.StopCtrl->isEnabled();
    }
    switch (host->childWindowState()) {
    case Qt::WindowMaximized:
        showMaximized();
        break;
    case Qt::WindowMinimized:
        showMinimized();
        break;
    default:
        show();
        break;
    }
    if (m_kind == EngineKind::IE)
        m_states = CommandStates();
    m_activeFlag = true;
    FormResize();
    if (m_kind == EngineKind::IE) {
        const int pos = host->windowList().positionOf(m_windowId);
        if (pos >= 0)
            host->windowList().setSelected(pos);
    }
    host->childCreated(this);
}

void TBrowserChild::activateWindow()
{
    TBrowserHost *host = m_host;
    if (!host)
        return;
    const TBrowserControls &c = host->controls();
    m_activeFlag = true;
    if (c.txtAddress)
        c.txtAddress->setText(m_engine->LocationURL());
    if (!m_engine->Busy())
        m_progress = 0;
    if (c.ProgressBar1)
        c.ProgressBar1->setValue(m_progress);
    host->showCommandStates(m_states.back, m_states.forward, m_states.stop, m_states.reload);
    enableAction(c.mnuFile_SaveAs, true);
    enableAction(c.mnuEdit_slrAll, true);
    enableAction(c.mnuEdit_Copy, true);
    enableAction(c.mnuTranslate, true);
    if (m_kind == EngineKind::IE) {
        enableAction(c.mnuSC, true);
        enableAction(c.mnuMC, true);
        for (int i = 0; i < 5; ++i) {
            if (c.mnuSize[i])
                c.mnuSize[i]->setChecked(i == m_textSize);
        }
        enableAction(c.mnuShow_Size, true);
    }
    if (!host->activationSync()) {
        const int pos = host->windowList().positionOf(m_windowId);
        if (pos >= 0)
            host->windowList().setSelected(pos);
    }
}

void TBrowserChild::deactivateWindow()
{
    m_activeFlag = false;
    if (m_kind != EngineKind::IE || !m_host)
        return;
    const TBrowserControls &c = m_host->controls();
    enableAction(c.mnuSC, false);
    enableAction(c.mnuMC, false);
    enableAction(c.mnuShow_Size, false);
}

void TBrowserChild::resizeWindow()
{
    if (!m_host)
        return;
    const Qt::WindowStates state = windowState();
    if (state & Qt::WindowMinimized) {
        // A minimized Gecko window leaves the shared state alone.
        if (m_kind == EngineKind::IE)
            m_host->setChildWindowState(Qt::WindowMinimized);
    } else if (state & Qt::WindowMaximized) {
        m_host->setChildWindowState(Qt::WindowMaximized);
    } else {
        m_host->setChildWindowState(Qt::WindowNoState);
    }
}

void TBrowserChild::subChange()
{
    if (!m_host)
        return;
    const TBrowserControls &c = m_host->controls();
    if (c.ProgressBar1)
        c.ProgressBar1->setValue(0);
    if (c.txtAddress)
        c.txtAddress->clear();
    m_host->setStatusText(QString());
    m_host->showCommandStates(false, false, false, false);
}

void TBrowserChild::closeWindow()
{
    TBrowserHost *host = m_host;
    if (!host)
        return;
    const TBrowserControls &c = host->controls();
    // The bars and page menus show the active window: a window closing behind it leaves them
    // alone, or the front window would show no address and no buttons until reactivated.
    const bool shown = host->activeChild() == this || !host->activeChild();
    m_activeFlag = false;
    if (shown) {
        subChange();
        enableAction(c.mnuFile_SaveAs, false);
        enableAction(c.mnuEdit_slrAll, false);
        enableAction(c.mnuEdit_Copy, false);
        enableAction(c.mnuShow_Size, false);
        enableAction(c.mnuTranslate, false);
        if (m_kind == EngineKind::IE) {
            enableAction(c.mnuSC, false);
            enableAction(c.mnuMC, false);
        }
    }
    host->childClosing(this);
    // A failing winlist write is shown; the window still closes and is still recorded.
    if (!host->listClose())
        ErrorHandler::Run([&] { host->windowList().RemoveWindowEntry(m_windowId); });
    host->closedUrls().append(m_engine->LocationURL());
    if (shown && c.txtAddress)
        c.txtAddress->clear();
}

void TBrowserChild::titleChange(const QString &text)
{
    TBrowserHost *host = m_host;
    if (!host || m_closed)
        return;
    m_title = text;
    // A missing block list is shown and only the blocking step is given up.
    ErrorHandler::Run([&] {
        if (BlockList::IsBlockedURL(text))
            m_engine->Stop();
    });
    setWindowTitle(text);
    const QString url = m_engine->LocationURL();
    ErrorHandler::Run([&] { host->windowList().UpdateWindowEntry(m_windowId, text, url); });
    if (host->activeChild() == this && host->controls().txtAddress)
        host->controls().txtAddress->setText(url);
}

void TBrowserChild::statusTextChange(const QString &text)
{
    if (!m_host || m_closed)
        return;
    if (m_kind == EngineKind::Gecko) {
        m_statusText = text;
        m_host->setStatusText(text);
    } else if (m_host->activeChild() == this) {
        m_host->setStatusText(text);
    }
}

void TBrowserChild::progressChange(int progress, int progressMax)
{
    if (!m_host || m_closed)
        return;
    QProgressBar *bar = m_host->controls().ProgressBar1;
    const bool active = m_host->activeChild() == this;
    const int current = active && bar ? bar->value() : m_progress;
    const ProgressResult r = ChildWindowRules::progress(m_kind, progress, progressMax, current);
    // Kept in the background too, so that activation shows whether the page still loads.
    m_states.stop = r.stop;
    if (!active)
        return;
    if (bar)
        bar->setValue(r.bar);
    m_progress = r.bar;
    enableAction(m_host->controls().StopCtrl, r.stop);
}

void TBrowserChild::commandStateChange(int command, bool enable)
{
    TBrowserHost *host = m_host;
    if (!host || m_closed)
        return;
    ChildWindowRules::commandState(&m_states, command, enable);
    if (TBrowserChild *active = host->activeChild()) {
        const CommandStates &s = active->commandStates();
        host->showCommandStates(s.back, s.forward, s.stop, s.reload);
    }
    ErrorHandler::Run([&] {
        if (BlockList::IsBlockedURL(m_title))
            close();
    });
}

void TBrowserChild::newWindow2(TEngineBrowser **ppDisp, bool *cancel)
{
    QPointer<TBrowserHost> host = m_host;
    Tfrm_tmpWeb::Capture(m_host->factory(), m_engine, ppDisp, cancel,
                         [host](const QString &caption, const QString &url) {
                             ErrorHandler::Run([&] {
                                 if (host)
                                     host->OpenPage(caption, url);
                             });
                         });
}

void TBrowserChild::closeEvent(QCloseEvent *event)
{
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    QMdiSubWindow::closeEvent(event);
}

void TBrowserChild::resizeEvent(QResizeEvent *event)
{
    QMdiSubWindow::resizeEvent(event);
    if (m_created && !m_closed)
        FormResize();
}
