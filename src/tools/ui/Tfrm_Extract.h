// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QDialog>

#include <functional>

class QPlainTextEdit;
class QPushButton;

/// The link extraction dialog: a list of links, one per line, that can be edited and saved as
/// a Shift_JIS text file. Made once at start-up; キャンセル only hides it, so the list stays
/// until something replaces it.
class Tfrm_Extract : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_Extract(QWidget *parent = nullptr);

    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

    /// The save dialog: no filter, no default extension. Returns the chosen file, empty when
    /// cancelled. Tests put their own chooser here.
    std::function<QString()> SaveDialog1;

    /// The memo's lines: a final line end does not add an empty line.
    QStringList lines() const;
    void setLines(const QStringList &lines);

    /// Writes the lines to \a path, Shift_JIS with CR LF after every line, over any file there.
    /// Throws DorvuError "ファイル %s を作成できません".
    void saveTo(const QString &path) const;

    void Button1Click();
    void Button2Click();
};
