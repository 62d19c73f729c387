// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The main window's side of the bookmarks: the tree and menu, opening a chosen bookmark and
// opening the editor.
#include "shell/TMainForm.h"

#include "bookmarks/BookMarkRules.h"
#include "bookmarks/TBookMarkView.h"
#include "bookmarks/Tfrm_BMEdit.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "engine/TEngineBrowser.h"
#include "history/HistoryStore.h"
#include "settings/IniFile.h"

#include <QAction>
#include <QLineEdit>

void TMainForm::CreateBookMarks()
{
    BookMarks = new TBookMarkView(
        TreeView1, commandMenu("mnuBookMark"), [this](const QString &url) { OpenBookMark(url); },
        this);
}

void TMainForm::LoadBookMarkTree()
{
    BookMarks->LoadBookMarkTree();
    // The address box offers the bookmarks beside the history.
    QList<HistoryEntry> entries;
    const auto add = [&entries](const auto &self, const QList<BookMarkNode> &nodes) -> void {
        for (const BookMarkNode &node : nodes) {
            if (node.isEntry() && !node.url.isEmpty())
                entries.append({node.url, node.text, 0, 0, true});
            self(self, node.children);
        }
    };
    add(add, BookMarks->nodes());
    History->setBookmarks(entries);
}

void TMainForm::BuildBookMarkMenu()
{
    BookMarks->BuildBookMarkMenu();
}

void TMainForm::OpenBookMark(const QString &url)
{
    txtAddress->setText(url);
    // Read as a number: only 1 means a new window.
    const auto key = SettingsKeys::Option_Window::BookMark;
    const int setting =
        IniFile::config().ReadInteger(key.section.toString(), key.name.toString(), 0);
    if (BookMarkRules::opensInNewWindow(setting, Browser->childCount()))
        OpenPage(QString(), txtAddress->text());
    else if (TBrowserChild *child = Browser->activeChild())
        child->engine()->Navigate(txtAddress->text());
}

void TMainForm::mnuBMEditClick()
{
    BookMarks->unselect();
    if (!frm_BMEdit)
        return;
    frm_BMEdit->show();
    frm_BMEdit->setWindowState(Qt::WindowNoState);
    frm_BMEdit->raise();
    frm_BMEdit->activateWindow();
    frm_BMEdit->txtURL->setText(txtAddress->text());
    if (TBrowserChild *child = Browser->activeChild())
        frm_BMEdit->txtName->setText(child->caption());
}

void TMainForm::popAddBookMarkClick()
{
    mnuBMEditClick();
}
