// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QObject>
#include <QPointer>

class DownloadList;
class EngineDownload;
class Tfrm_Download;
class QWidget;

/// The downloads of the run, owned by the main window: takes every download the engines start,
/// puts it where config.ini says ([Download] Ask and Folder, read at each download) and keeps
/// the list, which outlives the downloads window.
class TDownloads : public QObject
{
    Q_OBJECT

public:
    /// \a owner: the window the save dialog and the downloads window belong to.
    explicit TDownloads(QWidget *owner);
    ~TDownloads() override;

    DownloadList &list() const { return *m_list; }
    /// The downloads window; null until first shown.
    Tfrm_Download *window() const;
    /// Ctrl+J: shows the downloads window, made on first use.
    void ShowWindow();

Q_SIGNALS:
    /// A line for the status bar: a download started, finished or failed.
    void message(const QString &text);

private:
    void DownloadRequested(EngineDownload *download);
    void DownloadDone(int row);
    void DownloadFailed(int row);

    QWidget *m_owner;
    DownloadList *m_list;
    QPointer<Tfrm_Download> m_window;
};
