// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QIcon>
#include <QList>

class QAction;

/// The main window's picture list `ImageList1`, shared by the menus, the toolbar, the trees and
/// the dialogs of every subsystem (shared()).
/// Fixed indexes: 0 new, 1 back, 2 forward, 3 stop, 4 reload, 6 home, 11 bookmark folder,
/// 12 bookmark entry, 13 web list, 14 Gecko engine, 15 IE engine, 16 new from clipboard,
/// 17 private window.
/// Desktop theme icons where the theme has them, else pictures drawn here, so every index shows
/// on a bare machine; the two engine pictures are always drawn here so they never look alike.
class ImageList
{
public:
    static constexpr int Count = 18;
    /// The property of an action or item that tells which picture it shows.
    static constexpr char ImageIndexProperty[] = "ImageIndex";

    ImageList();
    /// The program's one list, made on first use (after the application object).
    static const ImageList &shared();

    int count() const { return int(m_icons.size()); }
    /// An empty icon for an index without a picture.
    QIcon icon(int index) const;
    /// Gives \a action the picture \a index and records the index on it.
    void apply(QAction *action, int index) const;
    /// The index recorded by apply(), -1 when none.
    static int imageIndex(const QAction *action);

    /// The picture drawn here for \a index, without looking at the theme.
    static QIcon drawnIcon(int index);

private:
    QList<QIcon> m_icons;
};
