// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QWidget>

class DownloadList;
class QAction;
class QMenu;
class QPushButton;
class QTreeView;

/// The downloads window "ダウンロード": one row per download of the list (name, size, progress,
/// speed, state) with キャンセル, 開く and フォルダを開く for the chosen row, as buttons and in
/// the rows' pop-up menu. Closing it only hides it; the list belongs to the main window.
class Tfrm_Download : public QWidget
{
    Q_OBJECT

public:
    Tfrm_Download(DownloadList *list, QWidget *parent = nullptr);

    QTreeView *lvDownload = nullptr;
    QPushButton *btnCancel = nullptr;
    QPushButton *btnOpen = nullptr;
    QPushButton *btnFolder = nullptr;
    QMenu *popDownload = nullptr;

    /// Shows the window in front, restored from minimized.
    void ShowWindow();
    /// The chosen row of the list; -1 for none.
    int currentRow() const;

    void btnCancelClick();
    /// Opens the finished file with the desktop's program for it. Throws DorvuError when the
    /// desktop cannot.
    void btnOpenClick();
    /// Opens the folder the download is in. Throws DorvuError when the desktop cannot.
    void btnFolderClick();

private:
    void UpdateButtons();

    DownloadList *m_list;
    QAction *m_popCancel = nullptr;
    QAction *m_popOpen = nullptr;
    QAction *m_popFolder = nullptr;
};
