// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/EngineKind.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVector>

/*
 * winlist (program folder): a web list file (WebListFile.h) of the URL of every open page
 * window in tab order. Rewritten whole at once when a window is registered (with the address
 * it was asked to open, so a crash before its page reports anything still finds it there) and
 * when one is removed; title reports are gathered for SaveDelayMs and written together, so a
 * page whose title changes all the time does not rewrite the file at every change. Private
 * windows are never written: crash recovery cannot bring them back.
 */

/// The record of the open page windows, in tab order. Each position holds four items that
/// always move together: the tab text, the tree node (text and engine kind), the window ID
/// and the URL. The tab strip and the window tree are views that follow the signals.
/// Positions and IDs are full ints: nothing here is limited to 255 windows.
class WindowList : public QObject
{
    Q_OBJECT

public:
    struct Entry
    {
        QString tabText;
        QString nodeText;
        EngineKind kind = EngineKind::IE;
        int id = 0;
        QString url;
        /// The window whose page opened this one from a link; -1 for none.
        int opener = -1;
        /// A window of the private session: shown, never written to winlist.
        bool privateWindow = false;
    };

    /// Title reports within this time are written together.
    static constexpr int SaveDelayMs = 100;

    explicit WindowList(QObject *parent = nullptr);
    /// Writes a report still waiting (a failure is only logged: nobody can be told anymore).
    ~WindowList() override;

    int count() const { return int(m_entries.size()); }
    const Entry &at(int pos) const { return m_entries.at(pos); }
    QString tabText(int pos) const { return m_entries.at(pos).tabText; }
    QString nodeText(int pos) const { return m_entries.at(pos).nodeText; }
    QString idText(int pos) const { return QString::number(m_entries.at(pos).id); }
    int id(int pos) const { return m_entries.at(pos).id; }
    QString url(int pos) const { return m_entries.at(pos).url; }
    EngineKind kind(int pos) const { return m_entries.at(pos).kind; }
    bool isPrivate(int pos) const { return m_entries.at(pos).privateWindow; }
    QStringList urls() const;

    /// The last position whose window ID equals \a id; 0 when none does (also when empty).
    int FindWindowPosition(int id) const;
    /// The last position whose window ID equals \a id, or -1.
    int positionOf(int id) const;
    /// The position \a step tabs to the right of \a pos (to the left when negative), wrapping
    /// round at either end; -1 when the list is empty. A \a pos of -1 (no tab) counts as the
    /// place before the first tab.
    int stepFrom(int pos, int step) const;

    /// Appends the entry of a new window: tab and node \a title ("loading" when empty), URL
    /// \a url, the address the window was asked to open ("about:blank" when empty). The file is
    /// not written.
    void append(int id, EngineKind kind, const QString &url = QString(),
                const QString &title = QString());
    /// append at position \a pos (0..count()), for a window opened by window \a opener; a
    /// private window when \a privateWindow.
    void insert(int pos, int id, EngineKind kind, const QString &url, int opener,
                const QString &title = QString(), bool privateWindow = false);
    /// Where a window that window \a opener opens goes: after the opener and the windows it
    /// opened before, right behind it; at the end when no entry carries \a opener.
    int placeAfter(int opener) const;
    /// Moves the entry at \a from to \a to (the tab was dragged there), the selection with
    /// its window, then rewrites winlist. Throws as removeAt.
    void move(int from, int to);
    /// Removes the four items at \a pos, then rewrites winlist. Throws DorvuError when the
    /// file cannot be written; the list is already changed then.
    void removeAt(int pos);
    /// removeAt for the window \a id; nothing at all when no entry carries it.
    void RemoveWindowEntry(int id);
    /// A title report: tab text, node text and URL of window \a id; winlist is written within
    /// SaveDelayMs. Nothing when no entry carries the ID (a report must never land on another
    /// window's entry).
    void UpdateWindowEntry(int id, const QString &title, const QString &url);

    /// The selected tab, -1 for none. Removing an entry keeps the selection on the same
    /// window; removing the selected entry leaves no selection.
    int selected() const { return m_selected; }
    void setSelected(int pos);

    /// Addresses a bulk open has still to open; the file lists them after the open windows, so
    /// a crash in the middle of opening a list (a recovery among them) loses none of it. Not
    /// written by itself.
    void setPendingUrls(const QStringList &urls) { m_pending = urls; }
    /// Writes the URLs of the windows that are not private to winlist now. Throws DorvuError
    /// "ファイル %s を作成できません" on failure.
    void saveWinList();
    /// Writes the reports still waiting now; nothing when none waits. Throws as saveWinList.
    void flushWinList();
    bool saveWaiting() const { return m_saveTimer.isActive(); }
    static QString winListPath();

Q_SIGNALS:
    void entryAppended(int pos);
    void entryRemoved(int pos);
    void entryMoved(int from, int to);
    /// Tab text, node text or URL of \a pos changed.
    void entryChanged(int pos);
    void selectionChanged(int pos);
    /// A delayed write failed, with its message.
    void saveFailed(const QString &message);

private:
    QVector<Entry> m_entries;
    int m_selected = -1;
    QTimer m_saveTimer;
    QStringList m_pending;
};
