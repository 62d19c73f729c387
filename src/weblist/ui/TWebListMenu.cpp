// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "weblist/TWebListMenu.h"

#include "browser/WindowList.h"
#include "common/DynamicMenu.h"
#include "common/ErrorHandler.h"
#include "weblist/TWebListOpener.h"
#include "weblist/Tfrm_WebList.h"
#include "weblist/WebListMenuRules.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

namespace {
// The item's file name as the file system holds it; its hint holds the name as text.
constexpr char NativeName[] = "nativeName";
constexpr int WebListImage = 13;
} // namespace

TWebListMenu::TWebListMenu(QMenu *mnuWebList, TWebListOpener *opener, QObject *parent)
    : QObject(parent)
    , m_menu(mnuWebList)
    , m_opener(opener)
{}

void TWebListMenu::connectControls(QAction *mnuWebList_Edit, QAction *mnuWebList_Add)
{
    ErrorHandler::Connect(mnuWebList_Edit, &QAction::triggered, this,
                          &TWebListMenu::mnuWebList_EditClick);
    ErrorHandler::Connect(mnuWebList_Add, &QAction::triggered, this,
                          &TWebListMenu::mnuWebList_AddClick);
}

void TWebListMenu::setEditor(Tfrm_WebList *editor)
{
    m_editor = editor;
    ErrorHandler::Connect(editor, &Tfrm_WebList::closedByButton, this,
                          [this] { EnumFiles(m_folder); });
}

void TWebListMenu::EnumFiles(const QString &folder)
{
    m_folder = folder;
    if (!m_menu)
        return;
    DynamicMenu::RemoveMenuItems(m_menu);
    const int fixed = DynamicMenu::fixedItemCount(m_menu);
    const QList<WebListMenuRules::ListedFile> files = WebListMenuRules::listFiles(folder);
    for (int i = 0; i < files.size(); ++i) {
        const WebListMenuRules::ListedFile &file = files.at(i);
        QAction *item = DynamicMenu::AddMenuItem(
            m_menu, WebListMenuRules::itemCaption(file.name), file.name, WebListImage, fixed + i,
            [this](QAction *chosen) { ErrorHandler::Run([&] { WebListItemClick(chosen); }); });
        item->setProperty(NativeName, file.nativeName);
    }
}

void TWebListMenu::WebListItemClick(QAction *item)
{
    if (!item || !m_opener)
        return;
    const QString folder = m_folder + QLatin1Char('/');
    QByteArray name = item->property(NativeName).toByteArray();
    if (name.isEmpty())
        name = QFile::encodeName(item->data().toString());
    m_opener->openFile(QFile::encodeName(folder) + name,
                       QFileInfo(folder + QFile::decodeName(name)).absoluteFilePath());
}

void TWebListMenu::mnuWebList_AddClick()
{
    if (!m_editor)
        return;
    m_editor->ShowEditor();
    const QString winlist = WindowList::winListPath();
    if (QFileInfo::exists(winlist))
        m_editor->ReplaceText(winlist);
}

void TWebListMenu::mnuWebList_EditClick()
{
    if (m_editor)
        m_editor->ShowEditor();
}
