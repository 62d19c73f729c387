// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QAction;
class QCheckBox;

/// The options dialog "オプション". Its creation reads the settings and applies the Gecko
/// setting to the main window's engine menu at once.
class Tfrm_Option : public QDialog
{
    Q_OBJECT

public:
    /// The parts of the main window the dialog acts on.
    struct MainWindowParts
    {
        QAction *IE_item = nullptr;
        QAction *Moz_Item = nullptr;
        QAction *ChangeCtrl = nullptr;
        /// The click handling of IE_item.
        std::function<void()> IE_ItemClick;
        QString programFolder;
    };

    explicit Tfrm_Option(const MainWindowParts &main, QWidget *parent = nullptr);

    QCheckBox *chkMoz = nullptr;

    void FormCreate();
    void chkMozClick();

    /// The lines of CloseURL.txt as loaded at creation.
    const QStringList &popLines() const { return m_popLines; }

private:
    MainWindowParts m_main;
    int m_mozilla = 0;
    QStringList m_popLines;
};
