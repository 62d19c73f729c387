// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "downloads/TDownloads.h"

#include "common/DialogFolder.h"
#include "common/ErrorHandler.h"
#include "downloads/DownloadList.h"
#include "downloads/DownloadTarget.h"
#include "downloads/Tfrm_Download.h"
#include "engine/DownloadRelay.h"
#include "engine/EngineDownload.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"

#include <QFileDialog>

TDownloads::TDownloads(QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
    , m_list(new DownloadList(this))
{
    connect(&DownloadRelay::instance(), &DownloadRelay::requested, this,
            &TDownloads::DownloadRequested);
    connect(m_list, &DownloadList::downloadDone, this, &TDownloads::DownloadDone);
    connect(m_list, &DownloadList::downloadFailed, this, &TDownloads::DownloadFailed);
}

TDownloads::~TDownloads()
{
    delete m_window;
}

Tfrm_Download *TDownloads::window() const
{
    return m_window;
}

void TDownloads::ShowWindow()
{
    if (!m_window)
        m_window = new Tfrm_Download(m_list, m_owner);
    m_window->ShowWindow();
}

void TDownloads::DownloadRequested(EngineDownload *download)
{
    // Another main window's list has it already.
    if (download->parent())
        return;
    ErrorHandler::Run([&] {
        const IniFile config = IniFile::config();
        const QString name = DownloadTarget::fileName(download->suggestedName(), download->url());
        if (!SettingsKeys::read(config, SettingsKeys::Download::Ask)) {
            const QString folder =
                DownloadTarget::folder(SettingsKeys::read(config, SettingsKeys::Download::Folder));
            m_list->add(download, m_list->freePath(folder, name), false);
        } else {
            const QString path = QFileDialog::getSaveFileName(
                m_owner, QStringLiteral("名前を付けて保存"), DialogFolder::suggest(name));
            DialogFolder::remember(path);
            // Not taken: the relay drops the download.
            if (path.isEmpty())
                return;
            // The dialog has asked before replacing a file of that name.
            m_list->add(download, path, true);
        }
        Q_EMIT message(
            QStringLiteral("ダウンロード開始: %1").arg(m_list->entry(m_list->count() - 1).name));
    });
}

void TDownloads::DownloadDone(int row)
{
    Q_EMIT message(QStringLiteral("ダウンロード完了: %1").arg(m_list->entry(row).name));
}

void TDownloads::DownloadFailed(int row)
{
    const DownloadList::Entry &entry = m_list->entry(row);
    Q_EMIT message(QStringLiteral("ダウンロード失敗: %1").arg(entry.name));
    ErrorHandler::Report(
        QStringLiteral("%1 をダウンロードできませんでした (%2)").arg(entry.name, entry.error));
}
