// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "history/HistoryIndex.h"

#include "history/HistoryRules.h"

#include <QStringList>
#include <QStringMatcher>

#include <algorithm>
#include <cstring>

namespace {

/// What is searched for: the folded text without line breaks, which separate the segments.
QString needle(const QString &text)
{
    QString folded = HistoryRules::fold(text);
    folded.remove(QLatin1Char('\n'));
    return folded;
}

bool newerFirst(const HistoryEntry &a, const HistoryEntry &b)
{
    if (a.lastVisit != b.lastVisit)
        return a.lastVisit > b.lastVisit;
    return a.url < b.url;
}

} // namespace

void HistoryIndex::appendSegment(int item)
{
    Item &it = m_items[item];
    const QByteArray url = HistoryRules::fold(it.entry.url).remove(QLatin1Char('\n')).toUtf8();
    const QByteArray title = HistoryRules::fold(it.entry.title).remove(QLatin1Char('\n')).toUtf8();
    it.start = int(m_text.size());
    it.urlLength = int(url.size());
    const qsizetype slashes = url.indexOf("://");
    it.hostStart = slashes < 0 ? -1 : int(slashes) + 3;
    it.wwwStart =
        it.hostStart >= 0 && url.mid(it.hostStart).startsWith("www.") ? it.hostStart + 4 : -1;
    m_segmentStart.append(it.start);
    m_segmentItem.append(item);
    m_text += url + '\n' + title + '\n';
}

void HistoryIndex::insert(const HistoryEntry &entry)
{
    const auto found = m_byUrl.constFind(entry.url);
    if (found != m_byUrl.constEnd()) {
        Item &it = m_items[*found];
        const bool retitled = it.entry.title != entry.title;
        if (retitled)
            m_deadChars += it.urlLength + 2 + int(it.entry.title.size());
        it.entry = entry;
        if (retitled) {
            appendSegment(*found);
            if (m_deadChars > 4096 && m_deadChars > m_text.size() / 2)
                compact();
        }
        return;
    }
    m_items.append({entry, -1, 0, -1, -1, m_bookmarkByUrl.contains(entry.url)});
    const int item = int(m_items.size()) - 1;
    m_byUrl.insert(entry.url, item);
    appendSegment(item);
}

void HistoryIndex::visit(const QString &url, const QString &title, qint64 when)
{
    HistoryEntry entry;
    if (const HistoryEntry *old = find(url))
        entry = *old;
    entry.url = url;
    if (!title.isEmpty())
        entry.title = title;
    ++entry.visits;
    entry.lastVisit = std::max(entry.lastVisit, when);
    insert(entry);
}

bool HistoryIndex::setTitle(const QString &url, const QString &title)
{
    const HistoryEntry *old = find(url);
    if (!old)
        return false;
    if (old->title == title)
        return true;
    HistoryEntry entry = *old;
    entry.title = title;
    insert(entry);
    return true;
}

bool HistoryIndex::remove(const QString &url)
{
    const auto found = m_byUrl.constFind(url);
    if (found == m_byUrl.constEnd())
        return false;
    Item &it = m_items[*found];
    m_deadChars += it.urlLength + 2 + int(it.entry.title.size());
    it.start = -1;
    it.entry = HistoryEntry();
    m_byUrl.erase(found);
    ++m_removed;
    if (m_removed > 1024 && m_removed > m_items.size() / 2)
        compact();
    return true;
}

int HistoryIndex::removeVisitedBetween(qint64 from, qint64 to)
{
    QStringList gone;
    for (const Item &it : std::as_const(m_items)) {
        if (it.start >= 0 && it.entry.lastVisit >= from && it.entry.lastVisit < to)
            gone.append(it.entry.url);
    }
    for (const QString &url : std::as_const(gone))
        remove(url);
    compact();
    return int(gone.size());
}

void HistoryIndex::clear()
{
    m_items.clear();
    m_byUrl.clear();
    m_text.clear();
    m_segmentStart.clear();
    m_segmentItem.clear();
    m_deadChars = 0;
    m_removed = 0;
}

void HistoryIndex::compact()
{
    QVector<Item> live;
    live.reserve(m_byUrl.size());
    for (const Item &it : std::as_const(m_items)) {
        if (it.start >= 0)
            live.append(it);
    }
    clear();
    m_items.reserve(live.size());
    for (const Item &it : std::as_const(live))
        insert(it.entry);
}

void HistoryIndex::setBookmarks(const QList<HistoryEntry> &bookmarks)
{
    m_bookmarks.clear();
    m_bookmarkKeys.clear();
    m_bookmarkByUrl.clear();
    for (HistoryEntry b : bookmarks) {
        if (b.url.isEmpty() || m_bookmarkByUrl.contains(b.url))
            continue;
        b.bookmarked = true;
        m_bookmarkByUrl.insert(b.url, int(m_bookmarks.size()));
        m_bookmarkKeys.append(needle(b.url) + QLatin1Char('\n') + needle(b.title));
        m_bookmarks.append(b);
    }
    for (Item &it : m_items)
        it.bookmarked = it.start >= 0 && m_bookmarkByUrl.contains(it.entry.url);
}

const HistoryEntry *HistoryIndex::find(const QString &url) const
{
    const auto found = m_byUrl.constFind(url);
    return found == m_byUrl.constEnd() ? nullptr : &m_items.at(*found).entry;
}

QList<HistoryEntry> HistoryIndex::all() const
{
    QList<HistoryEntry> list;
    list.reserve(m_byUrl.size());
    for (const Item &it : m_items) {
        if (it.start >= 0)
            list.append(it.entry);
    }
    std::sort(list.begin(), list.end(), newerFirst);
    return list;
}

template<typename Found> void HistoryIndex::scan(const QByteArray &folded, Found &&found) const
{
    const char *text = m_text.constData();
    const qsizetype length = m_text.size();
    const int segments = int(m_segmentStart.size());
    int segment = 0;
    qsizetype pos = 0;
    while (pos < length) {
        const void *hit =
            memmem(text + pos, size_t(length - pos), folded.constData(), size_t(folded.size()));
        if (!hit)
            break;
        pos = static_cast<const char *>(hit) - text;
        // Matches come in the order of the text: the segment only moves forward.
        while (segment + 1 < segments && m_segmentStart.at(segment + 1) <= pos)
            ++segment;
        const int start = m_segmentStart.at(segment);
        const int item = m_segmentItem.at(segment);
        const Item &it = m_items.at(item);
        // A segment of a removed item or of an old title is skipped.
        if (it.start == start) {
            const int offset = int(pos - start);
            found(item, offset == 0 || offset == it.hostStart || offset == it.wwwStart);
        }
        pos = segment + 1 < segments ? m_segmentStart.at(segment + 1) : length;
    }
}

QList<HistoryEntry> HistoryIndex::search(const QString &text, int limit) const
{
    const QByteArray folded = needle(text).toUtf8();
    QList<HistoryEntry> list;
    if (folded.isEmpty()) {
        list = all();
    } else {
        scan(folded, [&](int item, bool) { list.append(m_items.at(item).entry); });
        std::sort(list.begin(), list.end(), newerFirst);
    }
    if (limit > 0 && list.size() > limit)
        list.resize(limit);
    return list;
}

QList<HistoryEntry> HistoryIndex::complete(const QString &typed, qint64 nowMs, int limit) const
{
    const QString foldedText = needle(typed.trimmed());
    const QByteArray folded = foldedText.toUtf8();
    if (folded.isEmpty() || limit <= 0)
        return {};
    struct Ranked
    {
        const HistoryEntry *entry;
        bool addressStart;
        bool bookmarked;
        double score;
    };
    const auto better = [](const Ranked &a, const Ranked &b) {
        if (a.addressStart != b.addressStart)
            return a.addressStart;
        if (a.score != b.score)
            return a.score > b.score;
        if (a.entry->lastVisit != b.entry->lastVisit)
            return a.entry->lastVisit > b.entry->lastVisit;
        return a.entry->url.size() < b.entry->url.size();
    };
    // The best \a limit so far, best first: most matches are turned away by the last one.
    QVector<Ranked> best;
    best.reserve(limit + 1);
    const auto offer = [&](const Ranked &r) {
        if (best.size() == limit && !better(r, best.last()))
            return;
        best.insert(std::upper_bound(best.begin(), best.end(), r, better), r);
        if (best.size() > limit)
            best.removeLast();
    };
    scan(folded, [&](int item, bool addressStart) {
        const Item &it = m_items.at(item);
        offer({&it.entry, addressStart, it.bookmarked,
               HistoryRules::score(it.entry.visits, nowMs - it.entry.lastVisit, it.bookmarked)});
    });
    const QStringMatcher matcher(foldedText);
    for (int i = 0; i < m_bookmarks.size(); ++i) {
        const HistoryEntry &b = m_bookmarks.at(i);
        if (m_byUrl.contains(b.url))
            continue;
        const QString &key = m_bookmarkKeys.at(i);
        const qsizetype offset = matcher.indexIn(key);
        if (offset < 0)
            continue;
        const qsizetype urlLength = key.indexOf(QLatin1Char('\n'));
        const bool atStart =
            offset < urlLength &&
            HistoryRules::isAddressStart(QStringView(key).left(urlLength), int(offset));
        offer({&b, atStart, true, HistoryRules::score(0, 0, true)});
    }
    QList<HistoryEntry> list;
    list.reserve(best.size());
    for (const Ranked &r : std::as_const(best)) {
        list.append(*r.entry);
        list.last().bookmarked = r.bookmarked;
    }
    return list;
}
