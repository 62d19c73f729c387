// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The main window's side of the web lists: the opener and the menu it hands its controls to.
#include "shell/TMainForm.h"

#include "common/ErrorHandler.h"
#include "weblist/TWebListMenu.h"
#include "weblist/TWebListOpener.h"

void TMainForm::CreateWebLists()
{
    WebListOpener = new TWebListOpener(Browser, this);
    WebListMenu = new TWebListMenu(commandMenu("mnuWebList"), WebListOpener, this);
    WebListMenu->connectControls(command("mnuWebList_Edit"), command("mnuWebList_Add"));
}

void TMainForm::HomeCtrlClick()
{
    ErrorHandler::Run([this] { OpenStartPage(); });
}
