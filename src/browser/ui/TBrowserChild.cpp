// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/TBrowserChild.h"

#include "browser/BlockList.h"
#include "browser/ClosedUrlList.h"
#include "browser/TPageWindowHost.h"
#include "browser/Tfrm_tmpWeb.h"
#include "browser/WindowList.h"
#include "common/ErrorHandler.h"
#include "engine/TEngineBrowser.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>

TBrowserChild::TBrowserChild(TPageWindowHost *host, QObject *hostObject, int windowId,
                             TEngineBrowser *engine)
    : QMdiSubWindow(nullptr)
    , m_host(host)
    , m_hostObject(hostObject)
    , m_windowId(windowId)
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
    // Ctrl+W is the main window's close of the active window, the same close: a key with two
    // owners would reach neither.
    if (QMenu *menu = systemMenu()) {
        for (QAction *action : menu->actions()) {
            if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)))
                action->setShortcuts({});
        }
    }
    connect(this, &QMdiSubWindow::windowStateChanged, this, [this] {
        if (m_created && !m_closed)
            FormResize();
    });
    // The address the engine reports with the load: the page may be on its way elsewhere.
    connect(engine, &TEngineBrowser::OnDocumentComplete, this, [this](const QString &url) {
        if (TPageWindowHost *host = this->host(); host && !m_closed)
            host->pageVisited(this, url, m_title, true);
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
    TPageWindowHost *host = this->host();
    if (!host)
        return;
    m_created = true;
    prepareCreation();
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
    m_activeFlag = true;
    FormResize();
    finishCreation();
    host->childCreated(this);
}

void TBrowserChild::deferNavigation(const QString &address)
{
    m_deferred = true;
    m_deferredAddress = address;
    // A window left in front (new windows active) loads as well, once it stays there.
    QTimer::singleShot(ActiveLoadDelayMs, this, &TBrowserChild::loadDeferred);
}

QString TBrowserChild::pageAddress() const
{
    return m_deferred ? m_deferredAddress : m_engine->LocationURL();
}

void TBrowserChild::loadDeferred()
{
    TPageWindowHost *host = this->host();
    if (host && host->activeChild() == this)
        startDeferredLoad();
}

bool TBrowserChild::startDeferredLoad()
{
    if (!m_deferred || m_closed)
        return false;
    m_deferred = false;
    ErrorHandler::Run([this] { m_engine->Navigate(m_deferredAddress); });
    return true;
}

void TBrowserChild::activateWindow()
{
    TPageWindowHost *host = this->host();
    if (!host)
        return;
    m_activeFlag = true;
    // Opening a window activates it for a moment even when the window before it comes back to
    // the front at once, and a bulk open brings every new window to the front in turn: only a
    // window still in front a little later loads.
    if (m_deferred) {
        QTimer::singleShot(ActiveLoadDelayMs, this, &TBrowserChild::loadDeferred);
        host->showAddress(m_deferredAddress);
    } else {
        host->showAddress(m_engine->LocationURL());
    }
    if (!m_engine->Busy())
        m_progress = 0;
    host->showProgress(m_progress);
    host->showCommandStates(m_states.back, m_states.forward, m_states.stop, m_states.reload);
    host->enablePageCommands(true);
    showKindState();
    if (!host->activationSync()) {
        const int pos = host->windowList().positionOf(m_windowId);
        if (pos >= 0)
            host->windowList().setSelected(pos);
    }
}

void TBrowserChild::deactivateWindow()
{
    m_activeFlag = false;
    if (host())
        hideKindState();
}

void TBrowserChild::resizeWindow()
{
    TPageWindowHost *host = this->host();
    if (!host)
        return;
    const Qt::WindowStates state = windowState();
    if (state & Qt::WindowMinimized) {
        if (recordsMinimized())
            host->setChildWindowState(Qt::WindowMinimized);
    } else if (state & Qt::WindowMaximized) {
        host->setChildWindowState(Qt::WindowMaximized);
    } else {
        host->setChildWindowState(Qt::WindowNoState);
    }
}

void TBrowserChild::subChange()
{
    TPageWindowHost *host = this->host();
    if (!host)
        return;
    host->showProgress(0);
    host->showAddress(QString());
    host->setStatusText(QString());
    host->showCommandStates(false, false, false, false);
}

void TBrowserChild::closeWindow()
{
    TPageWindowHost *host = this->host();
    if (!host)
        return;
    // The bars and page menus show the active window: a window closing behind it leaves them
    // alone, or the front window would show no address and no buttons until reactivated.
    const bool shown = host->activeChild() == this || !host->activeChild();
    m_activeFlag = false;
    if (shown) {
        subChange();
        host->enablePageCommands(false);
        host->enableTextSizeMenu(false);
        hideKindState();
    }
    host->childClosing(this);
    // A failing winlist write is shown; the window still closes and is still recorded.
    if (!host->listClose())
        ErrorHandler::Run([&] { host->windowList().RemoveWindowEntry(m_windowId); });
    // A private window leaves no address behind to be opened again.
    if (!host->parking() && !isPrivate())
        host->closedUrls().append(pageAddress());
    if (shown)
        host->showAddress(QString());
}

void TBrowserChild::titleChange(const QString &text)
{
    if (!host() || m_closed)
        return;
    m_title = text;
    if (!m_titleTimer) {
        m_titleTimer = new QTimer(this);
        m_titleTimer->setSingleShot(true);
        connect(m_titleTimer, &QTimer::timeout, this, [this] {
            if (m_titlePending)
                applyTitle();
        });
    }
    // The first change shows at once; later ones within the interval wait for its end.
    if (m_titleTimer->isActive()) {
        m_titlePending = true;
        return;
    }
    applyTitle();
}

void TBrowserChild::applyTitle()
{
    TPageWindowHost *host = this->host();
    m_titlePending = false;
    if (!host || m_closed)
        return;
    const bool inSight = isVisible() && !isMinimized();
    m_titleTimer->start(inSight ? TitleIntervalMs : HiddenTitleIntervalMs);
    const QString text = m_title;
    // A missing block list is shown and only the blocking step is given up.
    ErrorHandler::Run([&] {
        if (BlockList::IsBlockedURL(text))
            m_engine->Stop();
    });
    setWindowTitle(text);
    const QString url = m_engine->LocationURL();
    ErrorHandler::Run([&] { host->windowList().UpdateWindowEntry(m_windowId, text, url); });
    if (host->activeChild() == this)
        host->followAddress(url);
    host->pageVisited(this, url, text, false);
}

void TBrowserChild::progressChange(int progress, int progressMax)
{
    TPageWindowHost *host = this->host();
    if (!host || m_closed)
        return;
    const bool active = host->activeChild() == this;
    const int current = active ? host->shownProgress() : m_progress;
    const ProgressResult r = ChildWindowRules::progress(kind(), progress, progressMax, current);
    // Kept in the background too, so that activation shows whether the page still loads.
    m_states.stop = r.stop;
    if (!active)
        return;
    host->showProgress(r.bar);
    m_progress = r.bar;
    host->enableStop(r.stop);
}

void TBrowserChild::commandStateChange(int command, bool enable)
{
    TPageWindowHost *host = this->host();
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
    TPageWindowHost *host = this->host();
    if (!host)
        return;
    QPointer<QObject> alive = m_hostObject;
    // A private page's new window stays private, also when this window has gone meanwhile.
    const bool privateWindow = isPrivate();
    Tfrm_tmpWeb::Capture(host->factory(), m_engine, ppDisp, cancel,
                         [host, alive, opener = m_windowId, privateWindow](const QString &caption,
                                                                           const QString &url) {
                             ErrorHandler::Run([&] {
                                 if (alive)
                                     host->OpenPageFrom(opener, caption, url, privateWindow);
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

bool TBrowserChild::isPrivate() const
{
    return m_engine && m_engine->isPrivate();
}

QString TBrowserChild::caption() const
{
    QString text = windowTitle();
    if (isPrivate() && text.endsWith(privateMark()))
        text.chop(privateMark().size());
    return text;
}

void TBrowserChild::changeEvent(QEvent *event)
{
    QMdiSubWindow::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange && isPrivate() &&
        !windowTitle().endsWith(privateMark()))
        setWindowTitle(windowTitle() + privateMark());
}

void TBrowserChild::resizeEvent(QResizeEvent *event)
{
    QMdiSubWindow::resizeEvent(event);
    if (m_created && !m_closed)
        FormResize();
}
