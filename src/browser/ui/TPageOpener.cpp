// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/TPageOpener.h"

#include "browser/LoadConcurrency.h"
#include "browser/PageRules.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "browser/Tfrm_IE.h"
#include "browser/Tfrm_MZ.h"
#include "common/DorvuError.h"
#include "common/ErrorHandler.h"
#include "engine/SecurityFlags.h"
#include "engine/TEngineBrowser.h"
#include "engine/TEngineFactory.h"
#include "settings/IniFile.h"
#include "settings/OptionGroups.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QMdiArea>
#include <QTimer>

#include <memory>

namespace {

/// A queued page that does not finish in this time no longer holds back the next one.
constexpr int QueuedLoadTimeoutMs = 15000;

} // namespace

TPageOpener::TPageOpener(TBrowserHost *host)
    : QObject(host)
    , m_host(host)
{}

TPageOpener::~TPageOpener() = default;

int TPageOpener::lookAhead()
{
    return SettingsKeys::read(IniFile::config(), SettingsKeys::Option_Tab::LookAhead);
}

int TPageOpener::loadLimit() const
{
    return m_loadLimit > 0 ? m_loadLimit : LoadConcurrency::limitHere();
}

TEngineBrowser *TPageOpener::makeEngine(EngineKind kind, bool privateWindow)
{
    const OptionGroups::Gecko gecko = OptionGroups::ReadGecko(IniFile::config());
    if (gecko.Mozilla == 1 && (gecko.MozPath.isEmpty() || !QDir::setCurrent(gecko.MozPath)))
        throw DorvuError(QStringLiteral("入出力エラー: %1 に移動できません").arg(gecko.MozPath));
    TEngineFactory *factory = m_host->factory();
    TEngineBrowser *engine =
        privateWindow ? factory->createPrivate(kind, nullptr) : factory->create(kind, nullptr);
    // The engine is set up whole before its window is built. An IE window follows the security
    // switches as the file has them now, whatever the menu ticks say.
    if (engine && kind == EngineKind::IE) {
        SecurityFlags &flags = m_host->securityFlags();
        flags = SecurityFlags::LoadSecurityFlags();
        factory->setDownLoadControl(engine, SecurityFlags::ApplySecurityFlags(flags));
    }
    return engine;
}

TBrowserChild *TPageOpener::makeWindow(int id, EngineKind kind, TEngineBrowser *engine)
{
    TBrowserChild *child = nullptr;
    if (kind == EngineKind::IE) {
        auto *form = new Tfrm_IE(m_host, m_host, id, engine);
        child = form;
        placeChild(form);
        form->FormCreate();
    } else {
        auto *form = new Tfrm_MZ(m_host, m_host, id, engine);
        child = form;
        placeChild(form);
        form->FormCreate();
    }
    // A page discarded out of sight takes no window either: its tab waits again.
    QPointer<TBrowserChild> window(child);
    connect(engine, &TEngineBrowser::OnDiscarded, this, [this, window] {
        if (window)
            m_host->parkWindow(window);
    });
    return child;
}

void TPageOpener::open(const QString &caption, const QString &url, bool deferred, int opener,
                       bool privateWindow)
{
    const QString address = PageRules::cleanAddress(url);
    WindowList &list = m_host->windowList();

    const IniFile ini = IniFile::config();
    const OptionGroups::Tab tab = OptionGroups::ReadTab(ini);
    const bool newWindowActive = OptionGroups::ReadWindow(ini).NewWindow_Active;
    const bool openerNext = SettingsKeys::read(ini, SettingsKeys::Option_Tab::OpenerNext);
    if (PageRules::tabLimitReached(tab.Len, tab.MaxLen, list.count()))
        return;

    const int remembered = list.selected();
    const int rememberedId = remembered >= 0 ? list.id(remembered) : -1;
    const EngineKind kind = m_host->defaultEngine();
    // The engine comes first: when it cannot be made, no window and no entry exist.
    TEngineBrowser *engine = makeEngine(kind, privateWindow);

    const int id = m_host->windowCounter().next();
    // Until its page reports its own address, the window is recorded with the one it was asked
    // to open, in the file at once: a crash while many windows open loses none of them. A window
    // a page opened goes right behind it.
    list.insert(opener >= 0 && openerNext ? list.placeAfter(opener) : list.count(), id, kind,
                address, opener, QString(), privateWindow);

    TBrowserChild *child = makeWindow(id, kind, engine);
    if (QMdiArea *area = m_host->controls().mdiArea)
        area->setActiveSubWindow(child);

    Q_EMIT m_host->childOpened(child);
    const bool waits = deferred && !address.isEmpty();
    // Tab, tree and title of a waiting window show the address until the page names itself.
    child->setWindowTitle(waits ? address : caption);
    if (waits)
        list.UpdateWindowEntry(id, address, address);
    // One write for the registration, before the page starts: a navigation may show a box
    // that holds everything up.
    if (!privateWindow)
        ErrorHandler::Run([&list] { list.saveWinList(); });
    if (waits) {
        queueLoad(child, address);
    } else {
        // The window stays whatever its first navigation makes of the address; a refused
        // address is shown and the window still goes to the front or back below.
        ErrorHandler::Run([&] { engine->Navigate(address); });
    }

    if (newWindowActive) {
        list.setSelected(list.positionOf(id));
    } else if (remembered >= 0 && list.positionOf(rememberedId) >= 0) {
        const int back = list.positionOf(rememberedId);
        list.setSelected(back);
        m_host->TabControl1Change(back);
    }
}

void TPageOpener::addWaitingTab(const QString &url)
{
    const QString address = PageRules::cleanAddress(url);
    WindowList &list = m_host->windowList();
    const OptionGroups::Tab tab = OptionGroups::ReadTab(IniFile::config());
    if (PageRules::tabLimitReached(tab.Len, tab.MaxLen, list.count()))
        return;
    // Titled with its address from the start; winlist is not written for it here: a bulk open
    // holds the lines still to come in winlist already.
    list.append(m_host->windowCounter().next(), m_host->defaultEngine(), address, address);
}

TBrowserChild *TPageOpener::windowAt(int pos, Load load)
{
    WindowList &list = m_host->windowList();
    if (pos < 0 || pos >= list.count())
        return nullptr;
    const int id = list.id(pos);
    if (TBrowserChild *child = m_host->childById(id))
        return child;
    const EngineKind kind = list.kind(pos);
    const QString address = list.url(pos);
    // A private page discarded out of sight comes back in the private session.
    TEngineBrowser *engine = makeEngine(kind, list.isPrivate(pos));
    TBrowserChild *child = makeWindow(id, kind, engine);
    Q_EMIT m_host->childOpened(child);
    child->setWindowTitle(list.tabText(pos));
    if (address.isEmpty())
        return child;
    if (load == Load::Queued)
        queueLoad(child, address);
    else
        ErrorHandler::Run([&] { engine->Navigate(address); });
    return child;
}

void TPageOpener::lookAheadFrom(int pos)
{
    const WindowList &list = m_host->windowList();
    QList<int> ids;
    const int count = lookAhead();
    for (int next = pos + 1; next < list.count() && ids.size() < count; ++next) {
        if (!m_host->childById(list.id(next)))
            ids.append(list.id(next));
    }
    makeAhead(ids);
}

void TPageOpener::makeAhead(QList<int> ids)
{
    // One window to a turn of the event loop: making a window holds the loop up for a while.
    if (ids.isEmpty())
        return;
    QMetaObject::invokeMethod(
        this,
        [this, ids]() mutable {
            const int id = ids.takeFirst();
            const int pos = m_host->windowList().positionOf(id);
            if (pos >= 0 && !m_host->childById(id)) {
                // A window shown comes to the front: the one in front goes back there.
                QPointer<TBrowserChild> front = m_host->activeChild();
                ErrorHandler::Run([&] { windowAt(pos, Load::Queued); });
                QMdiArea *area = m_host->controls().mdiArea;
                if (front && area && area->activeSubWindow() != front)
                    area->setActiveSubWindow(front);
            }
            makeAhead(ids);
        },
        Qt::QueuedConnection);
}

void TPageOpener::queueLoad(TBrowserChild *child, const QString &address)
{
    child->deferNavigation(address);
    m_loadQueue.append(child);
    QMetaObject::invokeMethod(this, &TPageOpener::pumpLoadQueue, Qt::QueuedConnection);
}

void TPageOpener::pumpLoadQueue()
{
    const int limit = loadLimit();
    while (m_queuedLoading < limit && !m_loadQueue.isEmpty()) {
        TBrowserChild *child = m_loadQueue.takeFirst();
        if (!child || !child->startDeferredLoad())
            continue; // closed, or already loading because the user looked at it
        ++m_queuedLoading;
        // Exactly one of completion, timeout or the window's end frees its place.
        auto done = std::make_shared<bool>(false);
        QPointer<TPageOpener> self(this);
        auto release = [self, done] {
            if (*done || !self)
                return;
            *done = true;
            --self->m_queuedLoading;
            QMetaObject::invokeMethod(self, &TPageOpener::pumpLoadQueue, Qt::QueuedConnection);
        };
        connect(child->engine(), &TEngineBrowser::OnDocumentComplete, this, release);
        connect(child, &QObject::destroyed, this, release);
        QTimer::singleShot(QueuedLoadTimeoutMs, this, release);
    }
}

void TPageOpener::placeChild(TBrowserChild *child)
{
    QMdiArea *area = m_host->controls().mdiArea;
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
