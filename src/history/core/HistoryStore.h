// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "history/HistoryEntry.h"
#include "history/HistoryIndex.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariant>
#include <QVector>

#include <functional>

/// The history of visited pages, kept in an SQLite database (History.db in the program
/// folder), one row per address:
///
///   urls(id INTEGER PRIMARY KEY, url TEXT UNIQUE, title TEXT, visit_count INTEGER,
///        last_visit INTEGER)   -- last_visit in ms since the epoch, UTC; indexed
///
/// The database is written ahead (WAL) and readable by its owner only. Visits and titles are
/// queued and written together, one transaction every FlushDelayMs, so recording costs the UI
/// thread no disk wait; flush() writes the queue at once (at exit). A run killed at any moment
/// leaves the last committed transaction. A damaged file is renamed aside and a new one made.
/// Searches and completions run on an index in memory, read from the database on first use.
class HistoryStore : public QObject
{
    Q_OBJECT

public:
    static constexpr int FlushDelayMs = 300;

    explicit HistoryStore(QObject *parent = nullptr);
    ~HistoryStore() override;

    /// History.db in the program folder.
    static QString defaultPath();

    /// Opens the database at \a path, made (owner-only) when missing, and drops the entries
    /// not visited for \a days days. A file that is not a database, or a damaged one, is renamed
    /// to HistoryRules::corruptName and a new one made: the returned message, for the user,
    /// says so; it is empty otherwise. Throws DorvuError when no database can be opened there.
    QString open(const QString &path, int days);
    bool isOpen() const { return m_open; }
    QString path() const { return m_path; }

    /// While off, visits and titles are not recorded ([History] Enabled).
    void setEnabled(bool on) { m_enabled = on; }
    bool isEnabled() const { return m_enabled; }

    /// One more visit of \a url, titled \a title unless empty. Addresses that are not
    /// HistoryRules::isRecordable are ignored.
    void recordVisit(const QString &url, const QString &title);
    /// The page at \a url is now titled \a title; nothing when the address is not recorded.
    void updateTitle(const QString &url, const QString &title);
    /// Deletes the entry of \a url / those last visited on the local \a day / all entries.
    /// Throws DorvuError when the database cannot be written.
    void remove(const QString &url);
    void removeDay(QDate day);
    void clear();
    /// Writes the queued visits and titles now (once the database is open). A failure is
    /// reported by writeFailed.
    void flush();
    int pendingCount() const { return int(m_pending.size()); }

    /// The entries in memory, read from the database on first use.
    const HistoryIndex &index();
    /// The bookmarks the completions offer beside the history.
    void setBookmarks(const QList<HistoryEntry> &bookmarks);

    /// The clock of the visits, in ms since the epoch; tests set their own.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

Q_SIGNALS:
    /// Entries were added, retitled or deleted.
    void changed();
    /// A queued write failed (the queue is dropped); \a message is for the user. After a failure
    /// that is not a damaged file, the history is kept in memory only until the next start.
    void writeFailed(const QString &message);

private:
    struct Pending
    {
        bool visit;
        QString url;
        QString title;
        qint64 when;
    };
    enum class OpenResult { Ok, Damaged, Failed };
    OpenResult tryOpen(QString *error);
    void closeDatabase();
    /// Renames the damaged file (and its write-ahead files) aside, makes a new database and
    /// returns the message for the user.
    QString setAside();
    void createFile();
    void load();
    void queue(Pending op);
    /// Runs \a sql with \a values; throws DorvuError, setting a damaged file aside first.
    void exec(const QString &sql, const QVariantList &values = {});

    QString m_connection;
    QString m_path;
    bool m_open = false;
    bool m_enabled = true;
    bool m_loaded = false;
    bool m_broken = false;
    HistoryIndex m_index;
    QVector<Pending> m_pending;
    QTimer m_flushTimer;
    std::function<qint64()> m_clock;
};
