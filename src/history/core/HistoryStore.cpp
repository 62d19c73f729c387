// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "history/HistoryStore.h"

#include "common/DorvuError.h"
#include "common/ProgramFolder.h"
#include "history/HistoryRules.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <utility>

namespace {

int g_connections = 0;

/// SQLite's codes of a file that is damaged (SQLITE_CORRUPT) or no database (SQLITE_NOTADB).
bool isDamage(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt() & 0xFF;
    return code == 11 || code == 26;
}

QString errorText(const QString &path, const QSqlError &error)
{
    return QStringLiteral("履歴のデータベース %1 を使えません。\n%2")
        .arg(QFileInfo(path).fileName(), error.text());
}

const QString kVisit = QStringLiteral(
    "INSERT INTO urls(url, title, visit_count, last_visit) VALUES(?, coalesce(?, ''), 1, ?) "
    "ON CONFLICT(url) DO UPDATE SET visit_count = visit_count + 1, "
    "last_visit = max(last_visit, excluded.last_visit), "
    "title = CASE WHEN excluded.title <> '' THEN excluded.title ELSE urls.title END");
const QString kTitle = QStringLiteral("UPDATE urls SET title = ? WHERE url = ?");

} // namespace

HistoryStore::HistoryStore(QObject *parent)
    : QObject(parent)
    , m_connection(QStringLiteral("history-%1").arg(++g_connections))
    , m_clock([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(FlushDelayMs);
    connect(&m_flushTimer, &QTimer::timeout, this, &HistoryStore::flush);
}

HistoryStore::~HistoryStore()
{
    flush();
    closeDatabase();
}

QString HistoryStore::defaultPath()
{
    return ProgramFolder::file(QStringLiteral("History.db"));
}

void HistoryStore::createFile()
{
    if (QFileInfo::exists(m_path))
        return;
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw DorvuError(QStringLiteral("履歴のデータベース %1 を作れません。\n%2")
                             .arg(m_path, file.errorString()));
}

HistoryStore::OpenResult HistoryStore::tryOpen(QString *error)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    if (!db.open()) {
        *error = errorText(m_path, db.lastError());
        return isDamage(db.lastError()) ? OpenResult::Damaged : OpenResult::Failed;
    }
    QSqlQuery q(db);
    const auto run = [&](const QString &sql) {
        if (q.exec(sql))
            return true;
        *error = errorText(m_path, q.lastError());
        return false;
    };
    // NORMAL: a transaction is durable once in the log; only a power cut may lose the last.
    if (!run(QStringLiteral("PRAGMA journal_mode=WAL")) ||
        !run(QStringLiteral("PRAGMA synchronous=NORMAL")) ||
        !run(QStringLiteral("PRAGMA quick_check")))
        return isDamage(q.lastError()) ? OpenResult::Damaged : OpenResult::Failed;
    if (!q.next() || q.value(0).toString() != QLatin1String("ok")) {
        *error = QStringLiteral("integrity check failed");
        return OpenResult::Damaged;
    }
    if (!run(QStringLiteral("CREATE TABLE IF NOT EXISTS urls(id INTEGER PRIMARY KEY, "
                            "url TEXT NOT NULL UNIQUE, title TEXT NOT NULL DEFAULT '', "
                            "visit_count INTEGER NOT NULL DEFAULT 0, "
                            "last_visit INTEGER NOT NULL DEFAULT 0)")) ||
        !run(QStringLiteral("CREATE INDEX IF NOT EXISTS urls_last_visit ON urls(last_visit)")))
        return isDamage(q.lastError()) ? OpenResult::Damaged : OpenResult::Failed;
    // A database of another program, under this name: its table is not ours.
    if (!run(QStringLiteral("SELECT url, title, visit_count, last_visit FROM urls LIMIT 0")))
        return OpenResult::Damaged;
    return OpenResult::Ok;
}

void HistoryStore::closeDatabase()
{
    m_open = false;
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

QString HistoryStore::open(const QString &path, int days)
{
    flush();
    closeDatabase();
    m_path = path;
    m_loaded = false;
    m_broken = false;
    m_index.clear();
    createFile();
    QString message;
    QString error;
    switch (tryOpen(&error)) {
    case OpenResult::Ok:
        break;
    case OpenResult::Failed:
        closeDatabase();
        throw DorvuError(error);
    case OpenResult::Damaged:
        message = setAside();
        break;
    }
    m_open = true;
    exec(QStringLiteral("DELETE FROM urls WHERE last_visit < ?"),
         {HistoryRules::expiryCutoff(m_clock(), days)});
    return message;
}

QString HistoryStore::setAside()
{
    closeDatabase();
    const QString aside = HistoryRules::corruptName(m_path, QDateTime::currentDateTime());
    const bool moved = QFile::rename(m_path, aside);
    // The write-ahead files belong to the damaged file: they go with it.
    for (const char *suffix : {"-wal", "-shm"}) {
        const QString extra = m_path + QLatin1String(suffix);
        if (QFileInfo::exists(extra) && !QFile::rename(extra, aside + QLatin1String(suffix)))
            QFile::remove(extra);
    }
    if (!moved && !QFile::remove(m_path))
        throw DorvuError(QStringLiteral("壊れた履歴のデータベース %1 を移せません。").arg(m_path));
    m_index.clear();
    createFile();
    QString error;
    if (tryOpen(&error) != OpenResult::Ok) {
        closeDatabase();
        throw DorvuError(error);
    }
    m_open = true;
    return QStringLiteral("履歴のデータベースが壊れていたため %1 に移し、新しい履歴を始めました。")
        .arg(QFileInfo(aside).fileName());
}

void HistoryStore::exec(const QString &sql, const QVariantList &values)
{
    if (!m_open)
        return;
    QSqlError error;
    {
        QSqlQuery q(QSqlDatabase::database(m_connection, false));
        q.prepare(sql);
        for (const QVariant &value : values)
            q.addBindValue(value);
        if (q.exec())
            return;
        error = q.lastError();
    }
    if (isDamage(error))
        throw DorvuError(setAside());
    throw DorvuError(errorText(m_path, error));
}

void HistoryStore::queue(Pending op)
{
    m_pending.append(std::move(op));
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void HistoryStore::recordVisit(const QString &url, const QString &title)
{
    if (!m_enabled || !HistoryRules::isRecordable(url))
        return;
    const qint64 when = m_clock();
    queue({true, url, title, when});
    if (m_loaded) {
        m_index.visit(url, title, when);
        Q_EMIT changed();
    }
}

void HistoryStore::updateTitle(const QString &url, const QString &title)
{
    if (!m_enabled || title.isEmpty() || !HistoryRules::isRecordable(url))
        return;
    if (m_loaded) {
        const HistoryEntry *entry = m_index.find(url);
        if (!entry || entry->title == title)
            return;
        m_index.setTitle(url, title);
        Q_EMIT changed();
    }
    queue({false, url, title, 0});
}

void HistoryStore::flush()
{
    m_flushTimer.stop();
    // Before the database is open the queue waits for it.
    if (m_pending.isEmpty() || !m_open)
        return;
    const QVector<Pending> ops = std::exchange(m_pending, QVector<Pending>());
    if (m_broken)
        return;
    QSqlError error;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        QSqlQuery visit(db);
        QSqlQuery title(db);
        bool ok = db.transaction() && visit.prepare(kVisit) && title.prepare(kTitle);
        for (int i = 0; ok && i < ops.size(); ++i) {
            const Pending &op = ops.at(i);
            QSqlQuery &q = op.visit ? visit : title;
            if (op.visit) {
                q.addBindValue(op.url);
                q.addBindValue(op.title);
                q.addBindValue(op.when);
            } else {
                q.addBindValue(op.title);
                q.addBindValue(op.url);
            }
            ok = q.exec();
            if (!ok)
                error = q.lastError();
        }
        if (ok && db.commit())
            return;
        if (!error.isValid())
            error = db.lastError();
        db.rollback();
    }
    QString message;
    if (isDamage(error)) {
        try {
            message = setAside();
        } catch (const DorvuError &e) {
            m_broken = true;
            message = e.message();
        }
    } else {
        m_broken = true;
        message = errorText(m_path, error);
    }
    Q_EMIT writeFailed(message);
}

void HistoryStore::load()
{
    m_loaded = true;
    flush();
    m_index.clear();
    if (!m_open)
        return;
    QSqlError error;
    {
        QSqlQuery q(QSqlDatabase::database(m_connection, false));
        q.setForwardOnly(true);
        if (q.exec(QStringLiteral("SELECT url, title, visit_count, last_visit FROM urls"))) {
            while (q.next())
                m_index.insert({q.value(0).toString(), q.value(1).toString(), q.value(2).toInt(),
                                q.value(3).toLongLong(), false});
            if (!q.lastError().isValid())
                return;
        }
        error = q.lastError();
    }
    m_index.clear();
    if (isDamage(error)) {
        QString message;
        try {
            message = setAside();
        } catch (const DorvuError &e) {
            m_broken = true;
            message = e.message();
        }
        Q_EMIT writeFailed(message);
        return;
    }
    m_broken = true;
    Q_EMIT writeFailed(errorText(m_path, error));
}

const HistoryIndex &HistoryStore::index()
{
    if (!m_loaded)
        load();
    return m_index;
}

void HistoryStore::setBookmarks(const QList<HistoryEntry> &bookmarks)
{
    m_index.setBookmarks(bookmarks);
}

void HistoryStore::remove(const QString &url)
{
    flush();
    index();
    exec(QStringLiteral("DELETE FROM urls WHERE url = ?"), {url});
    m_index.remove(url);
    Q_EMIT changed();
}

void HistoryStore::removeDay(QDate day)
{
    flush();
    index();
    const qint64 from = HistoryRules::dayStart(day);
    const qint64 to = HistoryRules::dayEnd(day);
    exec(QStringLiteral("DELETE FROM urls WHERE last_visit >= ? AND last_visit < ?"), {from, to});
    m_index.removeVisitedBetween(from, to);
    Q_EMIT changed();
}

void HistoryStore::clear()
{
    m_pending.clear();
    m_flushTimer.stop();
    exec(QStringLiteral("DELETE FROM urls"));
    m_index.clear();
    m_loaded = true;
    Q_EMIT changed();
}
