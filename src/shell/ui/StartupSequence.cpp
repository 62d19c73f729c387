// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/StartupSequence.h"

#include "bookmarks/Tfrm_BMEdit.h"
#include "browser/Tfrm_tmpWeb.h"
#include "settings/Tfrm_MZOption.h"
#include "settings/Tfrm_Option.h"
#include "shell/TMainForm.h"
#include "tools/TAboutBox.h"
#include "tools/Tfrm_Extract.h"
#include "weblist/TWebListMenu.h"
#include "weblist/Tfrm_WebList.h"

StartupSequence::StartupSequence(const QStringList &arguments)
    : m_mainForm(std::make_unique<TMainForm>(arguments))
{
    TMainForm *main = m_mainForm.get();

    // The options dialog acts on the main window through its option target.
    main->frm_Option = new Tfrm_Option(main, main);
    main->frm_BMEdit = new Tfrm_BMEdit(main, Tfrm_BMEdit::LoadOnFirstShow);
    main->frm_BMEdit->setAfterSave([main] {
        main->LoadBookMarkTree();
        main->BuildBookMarkMenu();
    });
    main->AboutBox = new TAboutBox(main);
    m_tmpWeb = std::make_unique<Tfrm_tmpWeb>();
    main->frm_tmpWeb = m_tmpWeb.get();
    main->frm_WebList = new Tfrm_WebList(main->programFolder(), main);
    main->WebListMenu->setEditor(main->frm_WebList);
    main->frm_Extract = new Tfrm_Extract(main);
    main->frm_MZOption = new Tfrm_MZOption(main);
    main->ConnectPageCommands();
    main->show();
}

StartupSequence::~StartupSequence()
{
    if (m_mainForm)
        m_mainForm->frm_tmpWeb = nullptr;
    m_tmpWeb.reset();
    m_mainForm.reset();
}
