// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "weblist/TWebListOpener.h"

#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "browser/TMainDisplay.h"
#include "browser/TPageOpener.h"
#include "common/ConfirmBox.h"
#include "common/DorvuError.h"
#include "common/ErrorHandler.h"
#include "common/WebListFile.h"
#include "engine/TEngineBrowser.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <memory>

TWebListOpener::TWebListOpener(TBrowserHost *host, QObject *parent)
    : QObject(parent)
    , m_host(host)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &TWebListOpener::openNext);
}

TWebListOpener::~TWebListOpener()
{
    if (isRunning())
        qApp->removeEventFilter(this);
    delete m_progress;
}

void TWebListOpener::openLines(const QStringList &lines)
{
    if (lines.isEmpty() || !m_host)
        return;
    if (lines.size() > AskAbove &&
        !ConfirmBox::ask(
            mainWindow(), QStringLiteral("Dorvu"),
            QStringLiteral("%1 個のウィンドウを開きます。よろしいですか？").arg(lines.size())))
        return;
    const bool wasRunning = isRunning();
    m_pending.append(lines);
    m_total += int(lines.size());
    if (wasRunning) {
        // The joining lines are in winlist from now on, after those still to come.
        m_host->windowList().setPendingUrls(m_pending.mid(m_next));
        ErrorHandler::Run([this] { m_host->windowList().saveWinList(); });
        showProgress();
        return;
    }
    m_waitingTabs = TPageOpener::lookAhead() >= 0;
    qApp->installEventFilter(this);
    showProgress();
    // The first window opens at once, as a click on a short list expects.
    openNext();
}

void TWebListOpener::openFile(const QByteArray &nativePath, const QString &shownPath)
{
    openLines(WebListFile::read(nativePath, shownPath));
}

void TWebListOpener::openFileIfPresent(const QString &path)
{
    openLines(WebListFile::readIfFile(path));
}

void TWebListOpener::stop()
{
    if (isRunning())
        finish();
}

void TWebListOpener::openNext()
{
    // A few windows per turn of the event loop, for at most SliceMs: the list fills the tab
    // strip quickly, and painting and input still come between the turns.
    QElapsedTimer slice;
    slice.start();
    const int perTurn = m_waitingTabs ? WaitingTabsPerTurn : WindowsPerTurn;
    for (int i = 0; i < perTurn && slice.elapsed() < SliceMs; ++i) {
        if (!openOne())
            return;
    }
    m_timer.start();
}

bool TWebListOpener::openOne()
{
    if (!isRunning() || !m_host) {
        finish();
        return false;
    }
    // A message box shown while a window opens runs its own event loop: no second window may
    // open from inside it.
    m_timer.stop();
    const QString url = m_pending.at(m_next++);
    // The window's registration writes winlist with the lines still to come after it.
    m_host->windowList().setPendingUrls(m_pending.mid(m_next));
    bool opened = false;
    ErrorHandler::Run([&] {
        // The page in front loads at once. The others wait as tabs without windows, but for a
        // few that load behind it; or, with no look-ahead set, they get windows that queue.
        // Either way a long list neither starts every renderer together nor holds up the page
        // the user sees.
        if (m_opened < LoadAtOnce)
            m_host->OpenPage(QStringLiteral("londing"), url);
        else if (m_waitingTabs && !url.isEmpty())
            m_host->AddWaitingTab(url);
        else
            m_host->OpenPageDeferred(QStringLiteral("londing"), url);
        opened = true;
    });
    if (!isRunning())
        return false; // stopped while the window opened
    ++m_opened;
    // A window that cannot be made (no engine, no Gecko folder) ends the list, as the failure
    // of a handler ends the rest of it.
    if (!opened || m_next >= m_pending.size()) {
        finish();
        return false;
    }
    showProgress();
    const WindowList &list = m_host->windowList();
    if (m_opened == 1 && list.count() > 0) {
        TBrowserChild *first = m_host->childById(list.id(list.count() - 1));
        if (!m_waitingTabs) {
            continueAfterLoad(first);
            return false;
        }
        // Waiting tabs cost the first page little: they are listed from the next turn on,
        // and the windows ahead are made once it has loaded.
        lookAheadAfterLoad(first);
        m_timer.start();
        return false;
    }
    return true;
}

void TWebListOpener::lookAheadAfterLoad(TBrowserChild *child)
{
    if (!child)
        return;
    QPointer<TBrowserChild> first(child);
    auto done = std::make_shared<bool>(false);
    auto lookAhead = [this, first, done] {
        if (*done || !first || !m_host)
            return;
        *done = true;
        const int pos = m_host->windowList().positionOf(first->windowId());
        ErrorHandler::Run([&] { m_host->LookAhead(pos); });
    };
    connect(child->engine(), &TEngineBrowser::OnDocumentComplete, this, lookAhead);
    QTimer::singleShot(FirstPageWaitMs, this, lookAhead);
}

void TWebListOpener::continueAfterLoad(TBrowserChild *child)
{
    if (!child) {
        m_timer.start();
        return;
    }
    const int generation = ++m_waitGeneration;
    auto resume = [this, generation] {
        if (generation != m_waitGeneration || !isRunning() || m_timer.isActive())
            return;
        ++m_waitGeneration;
        m_timer.start();
    };
    connect(child->engine(), &TEngineBrowser::OnDocumentComplete, this, resume);
    connect(child, &QObject::destroyed, this, resume);
    QTimer::singleShot(FirstPageWaitMs, this, resume);
}

void TWebListOpener::showProgress()
{
    TMainDisplay *display = m_host ? m_host->display() : nullptr;
    if (!display)
        return;
    if (!m_progress) {
        m_progress = new QWidget;
        auto *layout = new QHBoxLayout(m_progress);
        layout->setContentsMargins(0, 0, 0, 0);
        m_count = new QLabel(m_progress);
        m_count->setObjectName(QStringLiteral("lblWebListCount"));
        m_stop = new QPushButton(QStringLiteral("中止"), m_progress);
        m_stop->setObjectName(QStringLiteral("btnWebListStop"));
        m_stop->setFocusPolicy(Qt::NoFocus);
        connect(m_stop, &QPushButton::clicked, this, &TWebListOpener::stop);
        layout->addWidget(m_count);
        layout->addWidget(m_stop);
        display->addStatusWidget(m_progress);
    }
    m_count->setText(QStringLiteral("%1 / %2").arg(m_opened).arg(m_total));
    m_progress->show();
}

void TWebListOpener::finish()
{
    m_timer.stop();
    if (m_host && (m_next < m_pending.size())) {
        // Stopped or failed: the lines not opened leave winlist.
        m_host->windowList().setPendingUrls({});
        ErrorHandler::Run([this] { m_host->windowList().saveWinList(); });
    } else if (m_host) {
        m_host->windowList().setPendingUrls({});
    }
    qApp->removeEventFilter(this);
    m_pending.clear();
    m_next = 0;
    m_opened = 0;
    m_total = 0;
    if (m_progress)
        m_progress->hide();
    Q_EMIT finished();
}

QWidget *TWebListOpener::mainWindow() const
{
    const TMainDisplay *display = m_host ? m_host->display() : nullptr;
    return display ? display->dialogParent() : nullptr;
}

bool TWebListOpener::eventFilter(QObject *watched, QEvent *event)
{
    // Esc stops the opening wherever it is typed in the main window, also inside a page; in
    // a dialog it keeps its own meaning.
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    auto *widget = qobject_cast<QWidget *>(watched);
    if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier || !widget ||
        !mainWindow() || widget->window() != mainWindow())
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    stop();
    return true;
}
