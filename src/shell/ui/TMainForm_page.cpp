// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The main window's page commands, wired to the menus once the dialogs they show exist.
#include "shell/TMainForm.h"

#include "tools/TPageCommands.h"

#include <QAction>

void TMainForm::ConnectPageCommands()
{
    if (PageCommands)
        return;
    PageCommands = new TPageCommands(Browser, AboutBox, frm_Extract, this);
    PageCommands->connectActions(*m_commands);
    // Link extraction needs a page, as the other page commands do.
    command("mnuExtract")->setEnabled(command("mnuTranslate")->isEnabled());
    connect(command("mnuTranslate"), &QAction::enabledChanged, command("mnuExtract"),
            &QAction::setEnabled);
}
