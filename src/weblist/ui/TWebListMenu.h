// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class QMenu;
class Tfrm_WebList;
class TWebListOpener;

/// The web list menu "Webリスト(&L)": its three fixed items, then one item per file of the
/// WebList folder, which opens every line of that file. The menu mirrors the folder as it was
/// at the last EnumFiles. Handlers run inside the common error handler.
class TWebListMenu : public QObject
{
    Q_OBJECT

public:
    /// \a mnuWebList holds the fixed items; \a opener opens the lists.
    TWebListMenu(QMenu *mnuWebList, TWebListOpener *opener, QObject *parent = nullptr);

    /// Connects "Webリストを編集(&E)" and "現在状態を追加".
    void connectControls(QAction *mnuWebList_Edit, QAction *mnuWebList_Add);
    /// The editor that the two commands show; its "閉じる" rebuilds the menu from the folder of
    /// the last EnumFiles.
    void setEditor(Tfrm_WebList *editor);

    /// Rebuilds the file items after the fixed ones from \a folder, in name order. No folder:
    /// the fixed items alone.
    void EnumFiles(const QString &folder);
    /// Opens the list file named by \a item. Throws DorvuError "ファイル %s は開けません" (the
    /// full path) when it is gone; nothing opens then.
    void WebListItemClick(QAction *item);
    /// Shows the editor with the URLs of the open windows (winlist), keeping its file name.
    void mnuWebList_AddClick();
    /// Shows the editor.
    void mnuWebList_EditClick();

private:
    QPointer<QMenu> m_menu;
    TWebListOpener *m_opener;
    QString m_folder;
    QPointer<Tfrm_WebList> m_editor;
};
