// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "downloads/DownloadList.h"

#include "downloads/DownloadTarget.h"
#include "engine/EngineDownload.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

DownloadList::DownloadList(QObject *parent)
    : QAbstractTableModel(parent)
{}

DownloadList::~DownloadList()
{
    for (int row = 0; row < count(); ++row) {
        Item &item = m_entries[row];
        if (item.entry.state != State::Running)
            continue;
        item.cancelling = true;
        item.download->disconnect(this);
        item.download->cancel();
        QFile::remove(item.entry.partial);
    }
}

QString DownloadList::freePath(const QString &folder, const QString &name) const
{
    QStringList taken;
    for (const Item &item : m_entries) {
        if (item.entry.state == State::Running)
            taken << item.entry.target << item.entry.partial;
    }
    return DownloadTarget::freePath(folder, name, taken);
}

int DownloadList::add(EngineDownload *download, const QString &target, bool replace)
{
    download->setParent(this);
    Item item;
    item.download = download;
    item.entry.name = QFileInfo(target).fileName();
    item.entry.url = download->url();
    item.entry.target = target;
    item.entry.partial = DownloadTarget::partialPath(target);
    item.entry.total = download->totalBytes();
    item.entry.replace = replace;
    item.clock.start();
    const int row = count();
    beginInsertRows({}, row, row);
    m_entries.append(item);
    endInsertRows();

    connect(
        download, &EngineDownload::progress, this,
        [this, download](qint64 received, qint64 total) { onProgress(download, received, total); });
    connect(download, &EngineDownload::finished, this, [this, download] { onFinished(download); });
    connect(download, &EngineDownload::failed, this,
            [this, download](const QString &reason) { onFailed(download, reason); });
    QDir().mkpath(QFileInfo(target).absolutePath());
    download->start(m_entries.at(row).entry.partial);
    return row;
}

void DownloadList::cancel(int row)
{
    if (row < 0 || row >= count() || m_entries.at(row).entry.state != State::Running)
        return;
    m_entries[row].cancelling = true;
    m_entries.at(row).download->cancel();
}

int DownloadList::rowOf(const EngineDownload *download) const
{
    for (int row = 0; row < count(); ++row) {
        if (m_entries.at(row).download == download)
            return row;
    }
    return -1;
}

void DownloadList::onProgress(EngineDownload *download, qint64 received, qint64 total)
{
    const int row = rowOf(download);
    if (row < 0 || m_entries.at(row).entry.state != State::Running)
        return;
    Item &item = m_entries[row];
    item.entry.received = received;
    item.entry.total = total;
    const qint64 elapsed = item.clock.elapsed();
    if (elapsed >= 1000) {
        item.entry.speed = (received - item.clockBytes) * 1000 / elapsed;
        item.clockBytes = received;
        item.clock.restart();
    }
    changed(row);
}

void DownloadList::onFinished(EngineDownload *download)
{
    const int row = rowOf(download);
    if (row < 0 || m_entries.at(row).entry.state != State::Running)
        return;
    Entry &entry = m_entries[row].entry;
    if (!QFileInfo::exists(entry.partial)) {
        end(row, State::Failed, QStringLiteral("書き込んだファイルが見つかりません"));
        return;
    }
    bool renamed = false;
    if (entry.replace) {
        // rename(2) replaces the old file in one step.
        renamed = std::rename(QFile::encodeName(entry.partial).constData(),
                              QFile::encodeName(entry.target).constData()) == 0;
    } else {
        // A file that has taken the name meanwhile keeps it.
        if (QFileInfo::exists(entry.target))
            entry.target = freePath(QFileInfo(entry.target).absolutePath(), entry.name);
        renamed = QFile::rename(entry.partial, entry.target);
    }
    if (!renamed) {
        end(row, State::Failed,
            QStringLiteral("%1 に名前を変えられません")
                .arg(QDir::toNativeSeparators(entry.target)));
        return;
    }
    entry.name = QFileInfo(entry.target).fileName();
    QFileInfo done(entry.target);
    entry.received = done.size();
    entry.total = entry.received;
    end(row, State::Done);
}

void DownloadList::onFailed(EngineDownload *download, const QString &reason)
{
    const int row = rowOf(download);
    if (row < 0 || m_entries.at(row).entry.state != State::Running)
        return;
    if (m_entries.at(row).cancelling)
        end(row, State::Cancelled);
    else
        end(row, State::Failed, reason);
}

void DownloadList::end(int row, State state, const QString &error)
{
    Item &item = m_entries[row];
    item.entry.state = state;
    item.entry.error = error;
    item.entry.speed = 0;
    if (state != State::Done)
        QFile::remove(item.entry.partial);
    item.download->disconnect(this);
    item.download->deleteLater();
    item.download = nullptr;
    changed(row);
    if (state == State::Done)
        Q_EMIT downloadDone(row);
    else if (state == State::Failed)
        Q_EMIT downloadFailed(row);
}

void DownloadList::changed(int row)
{
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

QString DownloadList::sizeText(qint64 bytes)
{
    if (bytes < 1024)
        return QStringLiteral("%1 B").arg(bytes);
    const char *units[] = {"KB", "MB", "GB", "TB"};
    double value = double(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 3) {
        value /= 1024;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(value, 0, 'f', 1).arg(QLatin1String(units[unit]));
}

QString DownloadList::stateText(State state)
{
    switch (state) {
    case State::Running:
        return QStringLiteral("ダウンロード中");
    case State::Done:
        return QStringLiteral("完了");
    case State::Cancelled:
        return QStringLiteral("キャンセル");
    case State::Failed:
        return QStringLiteral("失敗");
    }
    return {};
}

int DownloadList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

int DownloadList::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DownloadList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const Entry &e = entry(index.row());
    if (role == ProgressRole) {
        if (e.state == State::Done)
            return 100;
        return e.total > 0 ? int(qBound(qint64(0), e.received * 100 / e.total, qint64(100))) : -1;
    }
    if (role == Qt::ToolTipRole) {
        if (index.column() == StateColumn && !e.error.isEmpty())
            return e.error;
        return QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(e.target), e.url.toString());
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case NameColumn:
        return e.name;
    case SizeColumn:
        if (e.state == State::Running)
            return e.total >= 0
                       ? QStringLiteral("%1 / %2").arg(sizeText(e.received), sizeText(e.total))
                       : sizeText(e.received);
        return e.state == State::Done ? sizeText(e.total) : QString();
    case ProgressColumn:
        return data(index, ProgressRole);
    case SpeedColumn:
        return e.state == State::Running && e.speed > 0
                   ? QStringLiteral("%1/秒").arg(sizeText(e.speed))
                   : QString();
    case StateColumn:
        return stateText(e.state);
    default:
        return {};
    }
}

QVariant DownloadList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn:
        return QStringLiteral("名前");
    case SizeColumn:
        return QStringLiteral("サイズ");
    case ProgressColumn:
        return QStringLiteral("進行状況");
    case SpeedColumn:
        return QStringLiteral("速度");
    case StateColumn:
        return QStringLiteral("状態");
    default:
        return {};
    }
}
