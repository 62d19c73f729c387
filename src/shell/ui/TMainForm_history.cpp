// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The main window's side of the history: recording the pages, the history window, the address
// box's completions.
#include "shell/TMainForm.h"

#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "common/ErrorHandler.h"
#include "history/AddressCompleter.h"
#include "history/HistoryStore.h"
#include "history/Tfrm_History.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"

#include <QLineEdit>
#include <QToolButton>

void TMainForm::CreateHistory()
{
    History = new HistoryStore(this);
    connect(History, &HistoryStore::writeFailed, this, &ErrorHandler::Report);
    connect(Browser, &TBrowserHost::visited, this, &TMainForm::RecordVisit);
    Completer = new AddressCompleter(
        txtAddress, History, [this] { btnMove->click(); }, this);
}

QString TMainForm::OpenHistory()
{
    namespace Keys = SettingsKeys::History;
    const IniFile ini = IniFile::config();
    History->setEnabled(SettingsKeys::read(ini, Keys::Enabled));
    return History->open(HistoryStore::defaultPath(), SettingsKeys::read(ini, Keys::Days));
}

void TMainForm::RecordVisit(TBrowserChild *child, const QString &url, const QString &title,
                            bool load)
{
    // A private window's browsing leaves nothing behind.
    if (child && child->isPrivate())
        return;
    if (load)
        History->recordVisit(url, title);
    else
        History->updateTitle(url, title);
}

void TMainForm::mnuHistoryClick()
{
    if (!frm_History)
        frm_History = new Tfrm_History(
            History, [this](const QString &url) { OpenPage(QStringLiteral("loading"), url); },
            this);
    frm_History->show();
    frm_History->raise();
    frm_History->activateWindow();
}
