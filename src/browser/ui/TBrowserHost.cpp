// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/TBrowserHost.h"

#include "browser/PageRules.h"
#include "browser/TBrowserChild.h"
#include "browser/TPageOpener.h"
#include "browser/TTabControl.h"
#include "browser/TWindowListView.h"
#include "common/CommandList.h"
#include "common/DorvuError.h"
#include "common/ErrorHandler.h"
#include "common/ImageList.h"
#include "engine/TEngineBrowser.h"
#include "engine/TEngineFactory.h"
#include "settings/IniFile.h"
#include "settings/OptionGroups.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

namespace {

void enableAction(QAction *action, bool enabled)
{
    if (action)
        action->setEnabled(enabled);
}

} // namespace

TBrowserHost::TBrowserHost(PageWindowState &state, const TBrowserControls &controls,
                           std::unique_ptr<TEngineFactory> factory, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_list(state.windows)
    , m_controls(controls)
    , m_factory(std::move(factory))
    , m_opener(new TPageOpener(this))
{
    attachViews();
}

TBrowserHost::~TBrowserHost() = default;

QAction *TBrowserHost::command(const char *name) const
{
    return m_controls.commands ? m_controls.commands->find(name) : nullptr;
}

void TBrowserHost::setFactory(std::unique_ptr<TEngineFactory> factory)
{
    m_factory = std::move(factory);
}

template<typename T> void TBrowserHost::watch(T *&control)
{
    // The main window's controls and this object die in no fixed order at exit: a control
    // that goes first is simply no longer driven.
    if (control)
        connect(control, &QObject::destroyed, this, [&control] { control = nullptr; });
}

void TBrowserHost::attachViews()
{
    TBrowserControls &c = m_controls;
    watch(c.mainWindow);
    watch(c.mdiArea);
    watch(c.TabControl1);
    watch(c.TreeWin);
    watch(c.TabPopup);
    watch(c.txtAddress);
    watch(c.StatusBar1);
    watch(c.StatusPanel0);
    watch(c.ProgressBar1);
    watch(c.btnMove);
    watch(c.commands);
    connect(&m_list, &WindowList::saveFailed, this, &ErrorHandler::Report);
    if (m_controls.mdiArea)
        connect(m_controls.mdiArea, &QMdiArea::subWindowActivated, this,
                &TBrowserHost::subWindowActivated);
    m_views = new TWindowListView(m_list, c.TabControl1, c.TreeWin, c.TabPopup, this);
    connect(m_views, &TWindowListView::selected, this,
            [this](int pos) { ErrorHandler::Run([&] { TabControl1Change(pos); }); });
    connect(m_views, &TWindowListView::pressedAt, this, &TBrowserHost::HitTestTab);
    connect(m_views, &TWindowListView::closeRequested, this,
            [this](int pos) { ErrorHandler::Run([&] { closeTabAt(pos); }); });
}

void TBrowserHost::closeTabAt(int pos)
{
    if (TBrowserChild *child = childAt(pos)) {
        child->close();
    } else if (pos >= 0 && pos < m_list.count()) {
        // A waiting tab has no window to close: its address is the closed one.
        if (!m_list.isPrivate(pos))
            closedUrls().append(m_list.url(pos));
        m_list.removeAt(pos);
    }
}

// --- page opening ---------------------------------------------------------------------------

EngineKind TBrowserHost::defaultEngine() const
{
    QAction *ie = command("IE_item");
    if (ie && !ie->isChecked())
        return EngineKind::Gecko;
    return EngineKind::IE;
}

void TBrowserHost::OpenPage(const QString &caption, const QString &url)
{
    m_opener->open(caption, url, false, -1);
}

void TBrowserHost::OpenPageFrom(int opener, const QString &caption, const QString &url,
                                bool privateWindow)
{
    m_opener->open(caption, url, false, opener, privateWindow);
}

void TBrowserHost::OpenPrivatePage(const QString &caption, const QString &url)
{
    m_opener->open(caption, url, false, -1, true);
}

void TBrowserHost::OpenPageDeferred(const QString &caption, const QString &url)
{
    m_opener->open(caption, url, true, -1);
}

TBrowserChild *TBrowserHost::windowAt(int pos)
{
    return m_opener->windowAt(pos, TPageOpener::Load::Now);
}

void TBrowserHost::AddWaitingTab(const QString &url)
{
    m_opener->addWaitingTab(url);
}

void TBrowserHost::LookAhead(int pos)
{
    m_opener->lookAheadFrom(pos);
}

bool TBrowserHost::isWaiting(int pos) const
{
    return pos >= 0 && pos < m_list.count() && !childAt(pos);
}

int TBrowserHost::loadLimit() const
{
    return m_opener->loadLimit();
}

void TBrowserHost::setLoadLimit(int loads)
{
    m_opener->setLoadLimit(loads);
}

// --- selection ------------------------------------------------------------------------------

void TBrowserHost::ActivateWindowAt(int pos)
{
    if (pos < 0 || pos >= m_list.count())
        return;
    TBrowserChild *child = childAt(pos);
    if (!child) {
        // A waiting tab becomes a window when it is shown, and the next few load behind it.
        child = m_opener->windowAt(pos, TPageOpener::Load::Now);
        m_opener->lookAheadFrom(pos);
    }
    if (!child)
        return;
    if (!child->isVisible())
        child->show();
    if (m_controls.mdiArea)
        m_controls.mdiArea->setActiveSubWindow(child);
}

void TBrowserHost::TabControl1Change(int index)
{
    ActivateWindowAt(index);
    m_list.setSelected(index);
}

void TBrowserHost::TreeWinChange(QTreeWidgetItem *node)
{
    const int index = m_views->positionOfNode(node);
    if (index < 0)
        return;
    ActivateWindowAt(index);
    m_list.setSelected(index);
}

void TBrowserHost::HitTestTab(int index)
{
    m_popupPosition = index;
}

// --- page windows ---------------------------------------------------------------------------

QList<TBrowserChild *> TBrowserHost::children() const
{
    QList<TBrowserChild *> list;
    if (!m_controls.mdiArea)
        return list;
    for (QMdiSubWindow *window : m_controls.mdiArea->subWindowList()) {
        if (auto *child = qobject_cast<TBrowserChild *>(window))
            list.append(child);
    }
    return list;
}

TBrowserChild *TBrowserHost::activeChild() const
{
    return m_active;
}

int TBrowserHost::childCount() const
{
    return int(children().size());
}

TBrowserChild *TBrowserHost::childById(int id) const
{
    for (TBrowserChild *child : children()) {
        if (child->windowId() == id)
            return child;
    }
    return nullptr;
}

TBrowserChild *TBrowserHost::childAt(int pos) const
{
    if (pos < 0 || pos >= m_list.count())
        return nullptr;
    return childById(m_list.id(pos));
}

void TBrowserHost::subWindowActivated(QMdiSubWindow *window)
{
    auto *child = qobject_cast<TBrowserChild *>(window);
    // Null also comes when the main window loses the focus: the page window stays active.
    if (!child || child == m_active)
        return;
    if (m_active)
        m_active->deactivate();
    m_active = child;
    ErrorHandler::Run([&] { child->FormActivate(); });
}

void TBrowserHost::childCreated(TBrowserChild *) {}

void TBrowserHost::pageVisited(TBrowserChild *child, const QString &url, const QString &title,
                               bool load)
{
    Q_EMIT visited(child, url, title, load);
}

void TBrowserHost::childClosing(TBrowserChild *child)
{
    if (m_active == child)
        m_active = nullptr;
    if (!m_parking)
        QMetaObject::invokeMethod(this, &TBrowserHost::showWaitingTab, Qt::QueuedConnection);
}

void TBrowserHost::showWaitingTab()
{
    if (m_active || m_list.count() == 0)
        return;
    for (TBrowserChild *child : children()) {
        if (!child->isClosed())
            return;
    }
    // The tab strip has already moved to a neighbour of the closed tab.
    int pos = m_list.selected();
    if (pos < 0)
        pos = m_views->currentTab();
    if (pos < 0 || pos >= m_list.count())
        pos = 0;
    ErrorHandler::Run([&] { TabControl1Change(pos); });
}

void TBrowserHost::parkWindow(TBrowserChild *child)
{
    if (!child || child->isClosed() || child == m_active)
        return;
    const int pos = m_list.positionOf(child->windowId());
    if (pos < 0)
        return;
    m_list.UpdateWindowEntry(child->windowId(), m_list.tabText(pos), child->pageAddress());
    m_parking = true;
    child->close();
    m_parking = false;
}

Qt::WindowState TBrowserHost::childWindowState() const
{
    return m_state.childWindowState;
}

void TBrowserHost::setChildWindowState(Qt::WindowState state)
{
    m_state.childWindowState = state;
}

int TBrowserHost::currentTextSize() const
{
    return m_state.textSize;
}

void TBrowserHost::setCurrentTextSize(int size)
{
    m_state.textSize = size;
}

void TBrowserHost::setStatusText(const QString &text)
{
    if (m_controls.StatusPanel0)
        m_controls.StatusPanel0->setText(text);
    else if (m_controls.StatusBar1)
        m_controls.StatusBar1->showMessage(text);
}

void TBrowserHost::showCommandStates(bool back, bool forward, bool stop, bool reload)
{
    enableAction(command("BackCtrl"), back);
    enableAction(command("FrwrdCtrl"), forward);
    enableAction(command("StopCtrl"), stop);
    enableAction(command("ReLoadCtrl"), reload);
}

void TBrowserHost::showAddress(const QString &url)
{
    if (m_controls.txtAddress)
        m_controls.txtAddress->setText(url);
}

void TBrowserHost::followAddress(const QString &url)
{
    QLineEdit *box = m_controls.txtAddress;
    if (!box || box->text() == url || (box->hasFocus() && box->isModified()))
        return;
    // A box taken with Ctrl+L has its text selected for typing over; it stays so.
    const bool whole = box->hasFocus() && box->selectedText() == box->text();
    box->setText(url);
    if (whole)
        box->selectAll();
}

int TBrowserHost::shownProgress() const
{
    return m_controls.ProgressBar1 ? m_controls.ProgressBar1->value() : 0;
}

void TBrowserHost::showProgress(int percent)
{
    if (m_controls.ProgressBar1)
        m_controls.ProgressBar1->setValue(percent);
}

CommandStates TBrowserHost::shownCommandStates() const
{
    CommandStates states;
    const auto enabled = [this](const char *name) {
        QAction *action = command(name);
        return action && action->isEnabled();
    };
    states.back = enabled("BackCtrl");
    states.forward = enabled("FrwrdCtrl");
    states.stop = enabled("StopCtrl");
    return states;
}

void TBrowserHost::enableStop(bool on)
{
    enableAction(command("StopCtrl"), on);
}

void TBrowserHost::enablePageCommands(bool on)
{
    for (const char *name : {"mnuFile_SaveAs", "mnuEdit_slrAll", "mnuEdit_Copy", "mnuTranslate"})
        enableAction(command(name), on);
}

void TBrowserHost::enableSecurityMenus(bool on)
{
    enableAction(command("mnuSC"), on);
    enableAction(command("mnuMC"), on);
}

void TBrowserHost::enableTextSizeMenu(bool on)
{
    enableAction(command("mnuShow_Size"), on);
}

void TBrowserHost::showTextSize(int size)
{
    for (int i = 0; i < 5; ++i) {
        if (QAction *item = command(TextSizeCommands[i]))
            item->setChecked(i == size);
    }
}

QIcon TBrowserHost::image(int index) const
{
    return ImageList::shared().icon(index);
}
