// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The main window's side of the downloads: the list it owns, its window and the status bar.
#include "shell/TMainForm.h"

#include "downloads/TDownloads.h"
#include "engine/TEngineBrowser.h"

#include <QAction>
#include <QStatusBar>

void TMainForm::CreateDownloads()
{
    Downloads = new TDownloads(this);
    connect(Downloads, &TDownloads::message, StatusBar1,
            [this](const QString &text) { StatusBar1->showMessage(text); });
    // Ctrl+J works anywhere in the main window, and a page of either engine leaves it to us.
    QAction *show = command("mnuDownload");
    addAction(show);
    show->setProperty(TEngineBrowser::HostKeyProperty, true);
}
