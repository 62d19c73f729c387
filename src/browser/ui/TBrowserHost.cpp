// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/TBrowserHost.h"

#include "browser/PageRules.h"
#include "browser/TBrowserChild.h"
#include "browser/TTabControl.h"
#include "browser/TTreeWinDelegate.h"
#include "browser/Tfrm_IE.h"
#include "browser/Tfrm_MZ.h"
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

constexpr int ImageRole = Qt::UserRole + 1;

void enableAction(QAction *action, bool enabled)
{
    if (action)
        action->setEnabled(enabled);
}

} // namespace

TBrowserHost::TBrowserHost(const TBrowserControls &controls,
                           std::unique_ptr<TEngineFactory> factory, QObject *parent)
    : QObject(parent)
    , m_controls(controls)
    , m_factory(std::move(factory))
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
    connect(&m_list, &WindowList::entryAppended, this, &TBrowserHost::entryAppended);
    connect(&m_list, &WindowList::saveFailed, this, &ErrorHandler::Report);
    connect(&m_list, &WindowList::entryRemoved, this, &TBrowserHost::entryRemoved);
    connect(&m_list, &WindowList::entryMoved, this, &TBrowserHost::entryMoved);
    connect(&m_list, &WindowList::entryChanged, this, &TBrowserHost::entryChanged);
    connect(&m_list, &WindowList::selectionChanged, this, &TBrowserHost::selectionChanged);
    if (m_controls.mdiArea)
        connect(m_controls.mdiArea, &QMdiArea::subWindowActivated, this,
                &TBrowserHost::subWindowActivated);
    if (TTabControl *tabs = m_controls.TabControl1) {
        connect(tabs, &QTabBar::currentChanged, this, [this](int index) {
            if (!m_syncingViews)
                ErrorHandler::Run([&] { TabControl1Change(index); });
        });
        connect(tabs, &TTabControl::nonLeftPressed, this, &TBrowserHost::HitTestTab);
        // A tab the user dragged elsewhere: the list follows, and the tree and winlist with it.
        connect(tabs, &QTabBar::tabMoved, this, [this](int from, int to) {
            if (m_syncingViews)
                return;
            m_tabDragged = true;
            ErrorHandler::Run([&] { m_list.move(from, to); });
            m_tabDragged = false;
        });
        connect(tabs, &QTabBar::tabCloseRequested, this, [this](int index) {
            ErrorHandler::Run([&] {
                if (TBrowserChild *child = childAt(index))
                    child->close();
            });
        });
        connect(tabs, &QWidget::customContextMenuRequested, this, &TBrowserHost::tabContextMenu);
    }
    if (QTreeWidget *tree = m_controls.TreeWin) {
        tree->setItemDelegate(new TTreeWinDelegate(tree));
        // One line per window: uniform rows keep selection and scrolling independent of the
        // number of windows.
        tree->setUniformRowHeights(true);
        tree->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *node) {
            if (!m_syncingViews)
                ErrorHandler::Run([&] { TreeWinChange(node); });
        });
        connect(tree, &QWidget::customContextMenuRequested, this, &TBrowserHost::treeContextMenu);
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
    openPage(caption, url, false, -1);
}

void TBrowserHost::OpenPageFrom(int opener, const QString &caption, const QString &url)
{
    openPage(caption, url, false, opener);
}

void TBrowserHost::OpenPageDeferred(const QString &caption, const QString &url)
{
    openPage(caption, url, true, -1);
}

void TBrowserHost::openPage(const QString &caption, const QString &url, bool deferred, int opener)
{
    const QString address = PageRules::cleanAddress(url);

    const IniFile ini = IniFile::config();
    const OptionGroups::Gecko gecko = OptionGroups::ReadGecko(ini);
    const QString mozPath = gecko.MozPath;
    const int mozilla = gecko.Mozilla;
    const OptionGroups::Tab tab = OptionGroups::ReadTab(ini);
    const bool len = tab.Len;
    const int maxLen = tab.MaxLen;
    const bool newWindowActive = OptionGroups::ReadWindow(ini).NewWindow_Active;
    const bool openerNext = SettingsKeys::read(ini, SettingsKeys::Option_Tab::OpenerNext);

    if (PageRules::tabLimitReached(len, maxLen, m_list.count()))
        return;

    if (mozilla == 1 && (mozPath.isEmpty() || !QDir::setCurrent(mozPath)))
        throw DorvuError(QStringLiteral("入出力エラー: %1 に移動できません").arg(mozPath));

    const int remembered = m_list.selected();
    const int rememberedId = remembered >= 0 ? m_list.id(remembered) : -1;
    const EngineKind kind = defaultEngine();

    // The engine comes first: when it cannot be made, no window and no entry exist.
    TEngineBrowser *engine = m_factory->create(kind, nullptr);

    const int id = m_counter.next();
    // Until its page reports its own address, the window is recorded with the one it was asked
    // to open, in the file at once: a crash while many windows open loses none of them.
    m_list.insert(opener >= 0 && openerNext ? m_list.placeAfter(opener) : m_list.count(), id, kind,
                  address, opener);

    TBrowserChild *child = nullptr;
    if (kind == EngineKind::IE) {
        auto *form = new Tfrm_IE(this, this, id, engine);
        child = form;
        placeChild(form);
        form->FormCreate();
    } else {
        auto *form = new Tfrm_MZ(this, this, id, engine);
        child = form;
        placeChild(form);
        form->FormCreate();
    }
    if (m_controls.mdiArea)
        m_controls.mdiArea->setActiveSubWindow(child);

    Q_EMIT childOpened(child);
    const bool waits = deferred && !address.isEmpty();
    // Tab, tree and title of a waiting window show the address until the page names itself.
    child->setWindowTitle(waits ? address : caption);
    if (waits)
        m_list.UpdateWindowEntry(id, address, address);
    // One write for the registration, before the page starts: a navigation may show a box
    // that holds everything up.
    ErrorHandler::Run([this] { m_list.saveWinList(); });
    if (waits) {
        child->deferNavigation(address);
        m_loadQueue.append(child);
        QMetaObject::invokeMethod(this, &TBrowserHost::pumpLoadQueue, Qt::QueuedConnection);
    } else {
        // The window stays whatever its first navigation makes of the address; a refused
        // address is shown and the window still goes to the front or back below.
        ErrorHandler::Run([&] { engine->Navigate(address); });
    }

    if (newWindowActive) {
        m_list.setSelected(m_list.positionOf(id));
    } else if (remembered >= 0 && m_list.positionOf(rememberedId) >= 0) {
        const int back = m_list.positionOf(rememberedId);
        m_list.setSelected(back);
        TabControl1Change(back);
    }
}

void TBrowserHost::pumpLoadQueue()
{
    while (m_queuedLoading < QueuedLoads && !m_loadQueue.isEmpty()) {
        TBrowserChild *child = m_loadQueue.takeFirst();
        if (!child || !child->startDeferredLoad())
            continue; // closed, or already loading because the user looked at it
        ++m_queuedLoading;
        // Exactly one of completion, timeout or the window's end frees its place.
        auto done = std::make_shared<bool>(false);
        QPointer<TBrowserHost> self(this);
        auto release = [self, done] {
            if (*done || !self)
                return;
            *done = true;
            --self->m_queuedLoading;
            QMetaObject::invokeMethod(self, &TBrowserHost::pumpLoadQueue, Qt::QueuedConnection);
        };
        connect(child->engine(), &TEngineBrowser::OnDocumentComplete, this, release);
        connect(child, &QObject::destroyed, this, release);
        QTimer::singleShot(QueuedLoadTimeoutMs, this, release);
    }
}

void TBrowserHost::placeChild(TBrowserChild *child)
{
    QMdiArea *area = m_controls.mdiArea;
    if (!area)
        return;
    area->addSubWindow(child);
    // A new window takes most of the child area, so its page shows without scrolling the area,
    // cascaded, so that windows opened together do not hide each other exactly.
    const QSize space = area->viewport()->size();
    if (space.width() > 0 && space.height() > 0)
        child->resize(qMax(320, space.width() * 3 / 4), qMax(240, space.height() * 3 / 4));
    const int step = int(area->subWindowList().size() - 1) % 8;
    child->move(step * 24, step * 24);
}

// --- selection ------------------------------------------------------------------------------

void TBrowserHost::ActivateWindowAt(int pos)
{
    if (pos < 0 || pos >= m_list.count())
        return;
    const int id = m_list.id(pos);
    for (TBrowserChild *child : children()) {
        if (child->windowId() != id)
            continue;
        if (!child->isVisible())
            child->show();
        if (m_controls.mdiArea)
            m_controls.mdiArea->setActiveSubWindow(child);
    }
}

void TBrowserHost::TabControl1Change(int index)
{
    ActivateWindowAt(index);
    m_list.setSelected(index);
}

void TBrowserHost::TreeWinChange(QTreeWidgetItem *node)
{
    if (!node || node->parent() || !m_controls.TreeWin)
        return;
    const int index = m_controls.TreeWin->indexOfTopLevelItem(node);
    ActivateWindowAt(index);
    m_list.setSelected(index);
}

void TBrowserHost::HitTestTab(int index)
{
    m_popupPosition = index;
}

void TBrowserHost::tabContextMenu(const QPoint &pos)
{
    if (m_controls.TabPopup && m_controls.TabControl1)
        m_controls.TabPopup->popup(m_controls.TabControl1->mapToGlobal(pos));
}

void TBrowserHost::treeContextMenu(const QPoint &pos)
{
    QTreeWidget *tree = m_controls.TreeWin;
    if (!tree)
        return;
    // The menu opened from the tree acts on the node that was clicked.
    QTreeWidgetItem *node = tree->itemAt(pos);
    m_popupPosition = node && !node->parent() ? tree->indexOfTopLevelItem(node) : -1;
    if (m_controls.TabPopup)
        m_controls.TabPopup->popup(tree->viewport()->mapToGlobal(pos));
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

void TBrowserHost::childClosing(TBrowserChild *child)
{
    if (m_active == child)
        m_active = nullptr;
}

ClosedUrlList &TBrowserHost::closedUrls()
{
    return m_controls.closedUrls ? *m_controls.closedUrls : m_closedUrls;
}

Qt::WindowState TBrowserHost::childWindowState() const
{
    return m_controls.childWindowState ? *m_controls.childWindowState : m_childWindowState;
}

void TBrowserHost::setChildWindowState(Qt::WindowState state)
{
    if (m_controls.childWindowState)
        *m_controls.childWindowState = state;
    else
        m_childWindowState = state;
}

int TBrowserHost::currentTextSize() const
{
    return m_controls.textSize ? *m_controls.textSize : m_textSize;
}

void TBrowserHost::setCurrentTextSize(int size)
{
    if (m_controls.textSize)
        *m_controls.textSize = size;
    else
        m_textSize = size;
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

// --- views of the window list ---------------------------------------------------------------

void TBrowserHost::entryAppended(int pos)
{
    const WindowList::Entry &e = m_list.at(pos);
    const int imageIndex = PageRules::imageOf(e.kind);
    m_syncingViews = true;
    if (TTabControl *tabs = m_controls.TabControl1)
        tabs->insertTab(pos, e.tabText);
    if (QTreeWidget *tree = m_controls.TreeWin) {
        auto *node = new QTreeWidgetItem(QStringList(e.nodeText));
        node->setData(0, ImageRole, imageIndex);
        node->setIcon(0, image(imageIndex));
        tree->insertTopLevelItem(pos, node);
    }
    m_syncingViews = false;
    selectionChanged(m_list.selected());
}

void TBrowserHost::entryRemoved(int pos)
{
    m_syncingViews = true;
    if (TTabControl *tabs = m_controls.TabControl1)
        tabs->removeTab(pos);
    if (QTreeWidget *tree = m_controls.TreeWin)
        delete tree->takeTopLevelItem(pos);
    m_syncingViews = false;
}

void TBrowserHost::entryMoved(int from, int to)
{
    m_syncingViews = true;
    // The tab strip has moved its tab itself when the user dragged it.
    if (TTabControl *tabs = m_controls.TabControl1; tabs && !m_tabDragged)
        tabs->moveTab(from, to);
    if (QTreeWidget *tree = m_controls.TreeWin) {
        if (QTreeWidgetItem *node = tree->takeTopLevelItem(from))
            tree->insertTopLevelItem(to, node);
    }
    m_syncingViews = false;
}

void TBrowserHost::entryChanged(int pos)
{
    const WindowList::Entry &e = m_list.at(pos);
    if (TTabControl *tabs = m_controls.TabControl1)
        tabs->setTabText(pos, e.tabText);
    if (QTreeWidget *tree = m_controls.TreeWin) {
        if (QTreeWidgetItem *node = tree->topLevelItem(pos))
            node->setText(0, e.nodeText);
    }
}

void TBrowserHost::selectionChanged(int pos)
{
    m_syncingViews = true;
    if (TTabControl *tabs = m_controls.TabControl1)
        tabs->setSelectedTab(pos);
    if (QTreeWidget *tree = m_controls.TreeWin) {
        QTreeWidgetItem *node = pos >= 0 ? tree->topLevelItem(pos) : nullptr;
        if (node) {
            tree->setCurrentItem(node);
        } else {
            tree->clearSelection();
            tree->setCurrentItem(nullptr);
        }
    }
    m_syncingViews = false;
}
