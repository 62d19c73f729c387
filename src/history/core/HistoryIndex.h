// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "history/HistoryEntry.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QVector>

/// The history held in memory for what must answer while the user types: the address box's
/// completions and the history window's search. Every entry's address and title are kept
/// folded (HistoryRules::fold) in one UTF-8 text, so that a search is one pass of the C
/// library's memmem over it, whatever the number of entries (a UTF-8 needle only ever matches
/// whole characters).
class HistoryIndex
{
public:
    /// Adds \a entry, or replaces the entry of its address.
    void insert(const HistoryEntry &entry);
    /// One more visit of \a url at \a when; \a title replaces the title unless empty.
    void visit(const QString &url, const QString &title, qint64 when);
    /// A new title for an address already held; false when it is not held.
    bool setTitle(const QString &url, const QString &title);
    bool remove(const QString &url);
    /// Removes the entries last visited in [\a from, \a to); returns how many.
    int removeVisitedBetween(qint64 from, qint64 to);
    void clear();
    /// The bookmarks offered among the completions; their addresses count as bookmarked.
    void setBookmarks(const QList<HistoryEntry> &bookmarks);

    int count() const { return int(m_byUrl.size()); }
    /// The entry of \a url; null when none.
    const HistoryEntry *find(const QString &url) const;
    /// Every entry, the most recently visited first.
    QList<HistoryEntry> all() const;

    /// Entries whose address or title contains \a text (folded), the most recently visited
    /// first; all of them for an empty text; at most \a limit (0: no limit).
    QList<HistoryEntry> search(const QString &text, int limit = 0) const;
    /// Completions of \a typed among the entries and the bookmarks: those whose address starts
    /// with it (ignoring the scheme and "www.") first, then the other matches, each group by
    /// HistoryRules::score at \a nowMs; at most \a limit. None for an empty text.
    QList<HistoryEntry> complete(const QString &typed, qint64 nowMs, int limit) const;

private:
    struct Item
    {
        HistoryEntry entry;
        /// The offset of the item's segment in m_text; -1 for a removed item.
        int start = -1;
        int urlLength = 0;
        /// Where the host starts in the folded address, and after its "www."; -1 for none.
        int hostStart = -1;
        int wwwStart = -1;
        bool bookmarked = false;
    };
    void appendSegment(int item);
    /// Calls \a found(item, addressStart) for each item whose segment holds \a folded, with
    /// whether its first match there starts the address, in the order of the text.
    template<typename Found> void scan(const QByteArray &folded, Found &&found) const;
    /// Rebuilds the text without the segments of removed items and old titles.
    void compact();

    QVector<Item> m_items;
    QHash<QString, int> m_byUrl;
    /// The folded "address \n title \n" of every item, in segments; old segments stay until
    /// the next compaction.
    QByteArray m_text;
    /// The starts of the segments in m_text, ascending, with the item each belongs to.
    QVector<int> m_segmentStart;
    QVector<int> m_segmentItem;
    int m_deadChars = 0;
    int m_removed = 0;
    QList<HistoryEntry> m_bookmarks;
    QVector<QString> m_bookmarkKeys;
    QHash<QString, int> m_bookmarkByUrl;
};
