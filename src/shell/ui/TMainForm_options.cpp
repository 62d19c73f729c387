// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The options command and what the options dialog needs of the main window beyond its changes.
#include "shell/TMainForm.h"

#include "common/TSHBrowseForFolderEx.h"
#include "settings/Tfrm_Option.h"

void TMainForm::mnuOptionClick()
{
    // A fresh dialog per use: it reads the file again and has only 全般 visited. It goes when
    // it is closed; the hidden one made at start stays.
    auto *dialog = new Tfrm_Option(this, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    dialog->activateWindow();
}

bool TMainForm::browseForFolder(QWidget *owner, const QString &caption, QString *folder)
{
    TSHBrowseForFolderEx selectFolder(owner);
    selectFolder.Caption = caption;
    if (!selectFolder.Execute())
        return false;
    *folder = selectFolder.FolderName();
    return true;
}
