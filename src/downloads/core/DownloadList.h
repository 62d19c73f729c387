// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QList>
#include <QUrl>

class EngineDownload;

/// The downloads of this run, oldest first, one row each. The list owns the engine downloads it
/// is given and writes each into a partial file beside its target ("<target>.part"); only a
/// complete download is renamed to the target. A cancelled or failed one loses its partial
/// file and never takes the target's name, nor does one still running when the list goes.
class DownloadList : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class State { Running, Done, Cancelled, Failed };
    enum Column { NameColumn, SizeColumn, ProgressColumn, SpeedColumn, StateColumn, ColumnCount };
    /// ProgressColumn's value: percent done, -1 while the size is unknown.
    static constexpr int ProgressRole = Qt::UserRole;

    struct Entry
    {
        QString name;
        QUrl url;
        /// The file it becomes; its final name once Done.
        QString target;
        QString partial;
        qint64 received = 0;
        /// -1 while unknown.
        qint64 total = -1;
        /// Bytes a second over the last second or so.
        qint64 speed = 0;
        State state = State::Running;
        QString error;
        /// The user chose the target: an existing file of that name is replaced at the end.
        bool replace = false;
    };

    explicit DownloadList(QObject *parent = nullptr);
    ~DownloadList() override;

    /// Where a download named \a name goes in \a folder without asking: a name that no file,
    /// partial file or running download of the list has.
    QString freePath(const QString &folder, const QString &name) const;
    /// Takes \a download over, starts it into the partial file of \a target and lists it;
    /// returns its row. With \a replace the target is overwritten at the end, otherwise a
    /// file that took its name meanwhile keeps it and the download gets a free name.
    int add(EngineDownload *download, const QString &target, bool replace);
    /// Stops a running download; its row becomes Cancelled once the engine has stopped.
    void cancel(int row);

    int count() const { return int(m_entries.size()); }
    const Entry &entry(int row) const { return m_entries.at(row).entry; }

    /// "512 B", "1.5 KB", "12.3 MB", "1.0 GB".
    static QString sizeText(qint64 bytes);
    static QString stateText(State state);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

Q_SIGNALS:
    /// Row \a row is complete under its target's name.
    void downloadDone(int row);
    /// Row \a row failed (not cancelled); its error says why.
    void downloadFailed(int row);

private:
    struct Item
    {
        Entry entry;
        EngineDownload *download = nullptr;
        bool cancelling = false;
        QElapsedTimer clock;
        qint64 clockBytes = 0;
    };
    int rowOf(const EngineDownload *download) const;
    void onProgress(EngineDownload *download, qint64 received, qint64 total);
    void onFinished(EngineDownload *download);
    void onFailed(EngineDownload *download, const QString &reason);
    /// Ends row \a row in \a state: the engine download goes, and the partial file unless Done.
    void end(int row, State state, const QString &error = {});
    void changed(int row);

    QList<Item> m_entries;
};
