// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class TOptionsTarget;

/// The options dialog "オプション". Its creation reads the settings and applies the Gecko
/// setting to the main window's engine menu at once.
class Tfrm_Option : public QDialog
{
    Q_OBJECT

public:
    /// \a main is changed at once by the dialog's boxes and by OK.
    explicit Tfrm_Option(TOptionsTarget *main, QWidget *parent = nullptr);

    QCheckBox *chkMoz = nullptr;

    void FormCreate();
    void chkMozClick();

    /// The lines of CloseURL.txt as loaded at creation.
    const QStringList &popLines() const { return m_popLines; }

private:
    TOptionsTarget *m_main;
    int m_mozilla = 0;
    QStringList m_popLines;
};
