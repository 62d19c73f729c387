// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "browser/ClosedUrlList.h"
#include "browser/TBrowserControls.h"
#include "browser/TPageWindowHost.h"
#include "browser/WindowCounter.h"
#include "browser/WindowList.h"
#include "engine/EngineKind.h"
#include "engine/SecurityFlags.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QAction;
class QMdiSubWindow;
class QTreeWidgetItem;
class TBrowserChild;
class TEngineBrowser;
class TEngineFactory;

/// The main window's page windows: the state they share (window list, window counter,
/// closed-URL list, switches, pop-up position, child window state, text size, security flags)
/// and the operations on them. Owned by the main window, which hands in its controls.
/// The tab strip and the window tree follow the window list.
class TBrowserHost : public QObject, public TPageWindowHost
{
    Q_OBJECT

public:
    TBrowserHost(const TBrowserControls &controls, std::unique_ptr<TEngineFactory> factory,
                 QObject *parent = nullptr);
    ~TBrowserHost() override;

    const TBrowserControls &controls() const { return m_controls; }
    /// The main window's command \a name; null when it has none (or it is gone).
    QAction *command(const char *name) const;
    TEngineFactory *factory() const override { return m_factory.get(); }
    /// Windows opened from now on take their engines from \a factory (tests give the main
    /// window a light engine this way).
    void setFactory(std::unique_ptr<TEngineFactory> factory);
    WindowList &windowList() override { return m_list; }
    const WindowList &windowList() const { return m_list; }
    WindowCounter &windowCounter() { return m_counter; }
    /// The main window's closed-URL list (or the host's own without one).
    ClosedUrlList &closedUrls() override;

    /// Opens \a url in a new page window of the default engine, captioned \a caption until the
    /// page reports its title. Does nothing at the tab limit. Throws DorvuError when the
    /// "MozPath" folder cannot be made current or the engine cannot be created; nothing is
    /// opened then.
    void OpenPage(const QString &caption, const QString &url) override;
    /// OpenPage for a window that window \a opener's page asked for: its tab goes right after
    /// the opener's ("Option_Tab"/"OpenerNext").
    void OpenPageFrom(int opener, const QString &caption, const QString &url) override;
    /// OpenPage for a window of a bulk open: it waits in a queue and loads when fewer than
    /// QueuedLoads queued pages are loading, or at once when it is the active window at the
    /// end of an event-loop turn. Until then it shows \a url as its title (tab and tree too)
    /// and holds it in winlist.
    void OpenPageDeferred(const QString &caption, const QString &url);
    /// Queued pages that load at the same time. More make every page of a long list wait for
    /// its share of two cores, and the page in front with them.
    static constexpr int QueuedLoads = 4;
    /// A queued page that does not finish in this time no longer holds back the next one.
    static constexpr int QueuedLoadTimeoutMs = 15000;

    /// IE while IE_item is checked (also when the controls have no engine items).
    EngineKind defaultEngine() const;

    /// Brings the window at tab position \a pos to the front.
    void ActivateWindowAt(int pos);
    /// The user selected tab \a index.
    void TabControl1Change(int index);
    /// The user selected a node of the window tree.
    void TreeWinChange(QTreeWidgetItem *node);
    /// A right or middle press on the tab strip hit tab \a index (-1: no tab).
    void HitTestTab(int index);

    /// The open page window carrying \a id, or null.
    TBrowserChild *childById(int id) const;
    /// The open page window at tab position \a pos, found through its ID.
    TBrowserChild *childAt(int pos) const;
    QList<TBrowserChild *> children() const;
    /// The active page window, null when none is open.
    TBrowserChild *activeChild() const override;
    int childCount() const;

    /// Tab position of the last right or middle press, -1 for none; 0 before any press.
    int popupPosition() const { return m_popupPosition; }
    void setPopupPosition(int pos) { m_popupPosition = pos; }
    /// Set while CloseWindowAt closes a window: its own removal then does nothing.
    bool listClose() const override { return m_listClose; }
    void setListClose(bool on) { m_listClose = on; }
    /// While set, a window that becomes active does not select its tab and node.
    bool activationSync() const override { return m_activationSync; }
    void setActivationSync(bool on) override { m_activationSync = on; }

    /// The state new page windows take (normal, maximized or minimized); page windows update
    /// it when resized.
    Qt::WindowState childWindowState() const override;
    void setChildWindowState(Qt::WindowState state) override;
    /// The current text size, 0 (smallest) to 4 (largest).
    int currentTextSize() const override;
    void setCurrentTextSize(int size);
    SecurityFlags &securityFlags() override { return m_securityFlags; }

    /// Shows \a text in status bar panel 0.
    void setStatusText(const QString &text) override;
    /// The navigation buttons from \a states.
    void showCommandStates(bool back, bool forward, bool stop, bool reload) override;
    void showAddress(const QString &url) override;
    int shownProgress() const override;
    void showProgress(int percent) override;
    CommandStates shownCommandStates() const override;
    void enableStop(bool on) override;
    void enablePageCommands(bool on) override;
    void enableSecurityMenus(bool on) override;
    void enableTextSizeMenu(bool on) override;
    void showTextSize(int size) override;
    /// The main image list's picture \a index.
    QIcon image(int index) const;

    // Called by the page windows.
    void childCreated(TBrowserChild *child) override;
    void childClosing(TBrowserChild *child) override;

Q_SIGNALS:
    /// A page window finished its creation (tests and benchmarks wait on it).
    void childOpened(TBrowserChild *child);

private:
    void placeChild(TBrowserChild *child);
    void subWindowActivated(QMdiSubWindow *window);
    void attachViews();
    template<typename T> void watch(T *&control);
    void entryAppended(int pos);
    void entryRemoved(int pos);
    void entryMoved(int from, int to);
    void entryChanged(int pos);
    void selectionChanged(int pos);
    void treeContextMenu(const QPoint &pos);
    void tabContextMenu(const QPoint &pos);

    TBrowserControls m_controls;
    std::unique_ptr<TEngineFactory> m_factory;
    WindowList m_list;
    WindowCounter m_counter;
    ClosedUrlList m_closedUrls;
    SecurityFlags m_securityFlags;
    QPointer<TBrowserChild> m_active;
    int m_popupPosition = 0;
    void openPage(const QString &caption, const QString &url, bool deferred, int opener);
    void pumpLoadQueue();
    QList<QPointer<TBrowserChild>> m_loadQueue;
    int m_queuedLoading = 0;
    bool m_listClose = false;
    bool m_activationSync = false;
    bool m_syncingViews = false;
    /// Set while the list follows a tab the user dragged: the strip has moved it already.
    bool m_tabDragged = false;
    Qt::WindowState m_childWindowState = Qt::WindowNoState;
    int m_textSize = 2;
};
