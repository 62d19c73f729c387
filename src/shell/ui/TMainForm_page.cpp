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
    TPageCommands::Actions a;
    a.mnuFile_SaveAs = mnuFile_SaveAs;
    a.mnuEdit_Copy = mnuEdit_Copy;
    a.mnuEdit_slrAll = mnuEdit_slrAll;
    a.mnuSize[0] = mnuSize_Min;
    a.mnuSize[1] = mnuSize_Small;
    a.mnuSize[2] = mnuSize_middle;
    a.mnuSize[3] = mnuSize_Large;
    a.mnuSize[4] = mnuSize_Max;
    a.mnuTranslate = mnuTranslate;
    a.Help2 = Help2;
    a.mnuIEOption = mnuIEOption;
    a.HelpAbout1 = HelpAbout1;
    a.mnuExtract = mnuExtract;
    a.popExtract = popExtract;
    PageCommands->connectActions(a);
    // Link extraction needs a page, as the other page commands do.
    mnuExtract->setEnabled(mnuTranslate->isEnabled());
    connect(mnuTranslate, &QAction::enabledChanged, mnuExtract, &QAction::setEnabled);
}
