// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/WindowList.h"

#include "common/DorvuError.h"
#include "common/ProgramFolder.h"
#include "common/WebListFile.h"

QStringList WindowList::urls() const
{
    QStringList list;
    list.reserve(m_entries.size());
    for (const Entry &e : m_entries)
        list.append(e.url);
    return list;
}

int WindowList::positionOf(int id) const
{
    for (int i = count() - 1; i >= 0; --i) {
        if (m_entries.at(i).id == id)
            return i;
    }
    return -1;
}

int WindowList::stepFrom(int pos, int step) const
{
    const int n = count();
    if (n == 0)
        return -1;
    if (pos < 0 || pos >= n)
        pos = step > 0 ? -1 : n;
    return ((pos + step) % n + n) % n;
}

WindowList::WindowList(QObject *parent)
    : QObject(parent)
{
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(SaveDelayMs);
    connect(&m_saveTimer, &QTimer::timeout, this, [this] {
        try {
            saveWinList();
        } catch (const DorvuError &e) {
            Q_EMIT saveFailed(e.message());
        }
    });
}

WindowList::~WindowList()
{
    try {
        flushWinList();
    } catch (const DorvuError &e) {
        qWarning("%s", qPrintable(e.message()));
    }
}

int WindowList::FindWindowPosition(int id) const
{
    const int pos = positionOf(id);
    return pos < 0 ? 0 : pos;
}

void WindowList::append(int id, EngineKind kind, const QString &url, const QString &title)
{
    insert(count(), id, kind, url, -1, title);
}

void WindowList::insert(int pos, int id, EngineKind kind, const QString &url, int opener,
                        const QString &title, bool privateWindow)
{
    pos = qBound(0, pos, count());
    Entry e;
    e.tabText = title.isEmpty() ? QStringLiteral("loading") : title;
    e.nodeText = e.tabText;
    e.kind = kind;
    e.id = id;
    e.url = url.isEmpty() ? QStringLiteral("about:blank") : url;
    e.opener = opener;
    e.privateWindow = privateWindow;
    m_entries.insert(pos, e);
    if (m_selected >= pos)
        ++m_selected;
    Q_EMIT entryAppended(pos);
}

int WindowList::placeAfter(int opener) const
{
    int pos = positionOf(opener);
    if (pos < 0)
        return count();
    ++pos;
    while (pos < count() && m_entries.at(pos).opener == opener)
        ++pos;
    return pos;
}

void WindowList::move(int from, int to)
{
    if (from < 0 || from >= count() || to < 0 || to >= count() || from == to)
        return;
    m_entries.move(from, to);
    if (m_selected == from)
        m_selected = to;
    else if (from < m_selected && m_selected <= to)
        --m_selected;
    else if (to <= m_selected && m_selected < from)
        ++m_selected;
    Q_EMIT entryMoved(from, to);
    Q_EMIT selectionChanged(m_selected);
    saveWinList();
}

void WindowList::removeAt(int pos)
{
    if (pos < 0 || pos >= count())
        return;
    m_entries.remove(pos);
    int selected = m_selected;
    if (selected == pos)
        selected = -1;
    else if (selected > pos)
        --selected;
    m_selected = selected;
    Q_EMIT entryRemoved(pos);
    Q_EMIT selectionChanged(m_selected);
    saveWinList();
}

void WindowList::RemoveWindowEntry(int id)
{
    const int pos = positionOf(id);
    if (pos >= 0)
        removeAt(pos);
}

void WindowList::UpdateWindowEntry(int id, const QString &title, const QString &url)
{
    const int pos = positionOf(id);
    if (pos < 0)
        return;
    Entry &e = m_entries[pos];
    e.tabText = title;
    e.nodeText = title;
    e.url = url;
    const bool written = !e.privateWindow;
    Q_EMIT entryChanged(pos);
    // Not restarted by later reports: a title that changes all the time is still written
    // every SaveDelayMs.
    if (written && !m_saveTimer.isActive())
        m_saveTimer.start();
}

void WindowList::setSelected(int pos)
{
    if (pos < -1 || pos >= count())
        pos = -1;
    if (pos == m_selected)
        return;
    m_selected = pos;
    Q_EMIT selectionChanged(pos);
}

QString WindowList::winListPath()
{
    return ProgramFolder::file(QStringLiteral("winlist"));
}

void WindowList::saveWinList()
{
    m_saveTimer.stop();
    QStringList lines;
    lines.reserve(m_entries.size() + m_pending.size());
    for (const Entry &e : std::as_const(m_entries)) {
        if (!e.privateWindow)
            lines.append(e.url);
    }
    WebListFile::write(winListPath(), lines + m_pending);
}

void WindowList::flushWinList()
{
    if (m_saveTimer.isActive())
        saveWinList();
}
