// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/EngineKind.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class TBrowserChild;
class TBrowserHost;
class TEngineBrowser;

/// Opens the host's page windows: makes the engine, then its window, and registers it in the
/// window list. Keeps the queue of bulk-opened pages that wait for their turn to load, and makes
/// the windows of tabs that waited without one (waiting tabs: an entry of the window list with
/// its address in the tab strip, the tree and winlist, and no engine or widget yet).
class TPageOpener : public QObject
{
    Q_OBJECT

public:
    /// How a window made for a waiting tab starts its page.
    enum class Load { Now, Queued };

    explicit TPageOpener(TBrowserHost *host);
    ~TPageOpener() override;

    /// TBrowserHost::OpenPage (\a deferred false), OpenPageDeferred (true) and, with the ID of
    /// the window whose page asked for it, OpenPageFrom (\a opener; -1 for none). A private
    /// window (\a privateWindow) gets an engine of the private session and stays out of winlist.
    void open(const QString &caption, const QString &url, bool deferred, int opener,
              bool privateWindow = false);
    /// A waiting tab for \a url at the end of the list; nothing at the tab limit.
    void addWaitingTab(const QString &url);
    /// The window of the tab at \a pos: the one it has, or one made now for a waiting tab,
    /// loading as \a load says. Null for no such tab. Throws DorvuError when the engine cannot
    /// be made; the tab then goes on waiting.
    TBrowserChild *windowAt(int pos, Load load);
    /// Makes windows for up to lookAhead() waiting tabs after \a pos; they load from the queue.
    void lookAheadFrom(int pos);
    /// Windows a bulk open makes ahead of the tab in front ([Option_Tab] LookAhead); below 0
    /// every line of a bulk open gets its window at once.
    static int lookAhead();

    /// Queued pages that load at the same time (see TBrowserHost::loadLimit).
    int loadLimit() const;
    void setLoadLimit(int loads) { m_loadLimit = loads; }

private:
    /// The engine of a new window of \a kind, private or not. Throws DorvuError when the
    /// "MozPath" folder cannot be made current or the engine cannot be created.
    TEngineBrowser *makeEngine(EngineKind kind, bool privateWindow);
    TBrowserChild *makeWindow(int id, EngineKind kind, TEngineBrowser *engine);
    void placeChild(TBrowserChild *child);
    /// Makes the windows of the waiting tabs \a ids, one to a turn of the event loop.
    void makeAhead(QList<int> ids);
    void queueLoad(TBrowserChild *child, const QString &address);
    void pumpLoadQueue();

    TBrowserHost *m_host;
    QList<QPointer<TBrowserChild>> m_loadQueue;
    int m_queuedLoading = 0;
    int m_loadLimit = 0;
};
