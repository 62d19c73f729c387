// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "browser/PageWindowState.h"
#include "browser/TBrowserControls.h"
#include "browser/TPageWindowHost.h"
#include "engine/EngineKind.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QAction;
class QMdiSubWindow;
class QTreeWidgetItem;
class TBrowserChild;
class TEngineBrowser;
class TEngineFactory;
class TMainDisplay;
class TPageOpener;
class TWindowListView;

/// The main window's page windows and the operations on them, acting on the state they share
/// (PageWindowState: window list, window counter, closed-URL list, security flags, child window
/// state, text size), which the main window holds and hands in with its controls. Windows are
/// made by the page opener (TPageOpener); the tab strip and the window tree show the window
/// list (TWindowListView).
class TBrowserHost : public QObject, public TPageWindowHost
{
    Q_OBJECT

public:
    /// Acts on \a state, which outlives it, through the main window's \a controls.
    TBrowserHost(PageWindowState &state, const TBrowserControls &controls,
                 std::unique_ptr<TEngineFactory> factory, QObject *parent = nullptr);
    ~TBrowserHost() override;

    const TBrowserControls &controls() const { return m_controls; }
    /// What the main window shows for the openers and commands; null without a main window.
    TMainDisplay *display() const { return m_display; }
    void setDisplay(TMainDisplay *display) { m_display = display; }
    /// The main window's command \a name; null when it has none (or it is gone).
    QAction *command(const char *name) const;
    TEngineFactory *factory() const override { return m_factory.get(); }
    /// Windows opened from now on take their engines from \a factory (tests give the main
    /// window a light engine this way).
    void setFactory(std::unique_ptr<TEngineFactory> factory);
    WindowList &windowList() override { return m_state.windows; }
    const WindowList &windowList() const { return m_state.windows; }
    WindowCounter &windowCounter() { return m_state.counter; }
    ClosedUrlList &closedUrls() override { return m_state.closedUrls; }

    /// Opens \a url in a new page window of the default engine, captioned \a caption until the
    /// page reports its title. Does nothing at the tab limit. Throws DorvuError when the
    /// "MozPath" folder cannot be made current or the engine cannot be created; nothing is
    /// opened then.
    void OpenPage(const QString &caption, const QString &url) override;
    /// OpenPage for a window that window \a opener's page asked for: its tab goes right after
    /// the opener's ("Option_Tab"/"OpenerNext"). A private page's window is private too.
    void OpenPageFrom(int opener, const QString &caption, const QString &url,
                      bool privateWindow = false) override;
    /// OpenPage for a private window: its engine keeps cookies, cache and storage in memory
    /// only (TEngineBrowser::isPrivate); it is marked in its caption, tab and tree node, and
    /// leaves nothing in winlist or the closed-URL list.
    void OpenPrivatePage(const QString &caption, const QString &url);
    /// OpenPage for a window of a bulk open: it waits in a queue and loads when fewer than
    /// loadLimit() queued pages are loading, or at once when it is the active window at the
    /// end of an event-loop turn. Until then it shows \a url as its title (tab and tree too)
    /// and holds it in winlist.
    void OpenPageDeferred(const QString &caption, const QString &url);
    /// Queued pages that load at the same time: what this machine takes now
    /// (LoadConcurrency::limitHere), or the number setLoadLimit fixed.
    int loadLimit() const;
    /// Fixes loadLimit() at \a loads; below 1 it follows the machine again.
    void setLoadLimit(int loads);

    /// A tab for \a url that waits for its window (a bulk open's tabs behind the one in front):
    /// its address is in the tab strip, the tree and winlist, and it costs no engine and no
    /// widget until it is shown. Nothing at the tab limit.
    void AddWaitingTab(const QString &url);
    /// Whether the tab at \a pos waits for its window.
    bool isWaiting(int pos) const;
    /// The page window of the tab at \a pos, made first (and loading at once) when the tab
    /// waits; null for no such tab. Throws DorvuError as OpenPage does.
    TBrowserChild *windowAt(int pos);
    /// Makes the windows of the next few waiting tabs after \a pos ([Option_Tab] LookAhead),
    /// one to a turn of the event loop; they load from the queue.
    void LookAhead(int pos);

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
    bool listClose() const override { return m_listClose || m_parking; }
    bool parking() const override { return m_parking; }
    /// \a child's page was discarded out of sight: its window goes, and its tab waits again
    /// with the page's address, as a tab of a bulk open does.
    void parkWindow(TBrowserChild *child);
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
    SecurityFlags &securityFlags() override { return m_state.securityFlags; }

    /// Shows \a text in status bar panel 0.
    void setStatusText(const QString &text) override;
    /// The navigation buttons from \a states.
    void showCommandStates(bool back, bool forward, bool stop, bool reload) override;
    void showAddress(const QString &url) override;
    void followAddress(const QString &url) override;
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
    void pageVisited(TBrowserChild *child, const QString &url, const QString &title,
                     bool load) override;

Q_SIGNALS:
    /// A page window finished its creation (tests and benchmarks wait on it).
    void childOpened(TBrowserChild *child);
    /// The page of \a child, at \a url, finished loading (\a load: one more visit) or changed
    /// its title to \a title. The history records pages from this signal alone.
    void visited(TBrowserChild *child, const QString &url, const QString &title, bool load);

private:
    void subWindowActivated(QMdiSubWindow *window);
    void attachViews();
    template<typename T> void watch(T *&control);
    /// The close mark of the tab at \a pos: its window closes; a waiting tab just goes.
    void closeTabAt(int pos);
    /// When the last window has gone but tabs still wait, the selected one is shown.
    void showWaitingTab();

    PageWindowState &m_state;
    WindowList &m_list;
    TBrowserControls m_controls;
    std::unique_ptr<TEngineFactory> m_factory;
    TPageOpener *m_opener;
    TWindowListView *m_views = nullptr;
    TMainDisplay *m_display = nullptr;
    QPointer<TBrowserChild> m_active;
    int m_popupPosition = 0;
    bool m_listClose = false;
    bool m_parking = false;
    bool m_activationSync = false;
};
