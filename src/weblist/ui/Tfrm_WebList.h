// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "weblist/WebListText.h"

#include <QDialog>

class QFileDialog;
class QLabel;
class QPlainTextEdit;
class QPushButton;

/// The web list editor "WebListの編集": a web list as plain text, one URL per line, loaded
/// from and saved to files of the WebList folder. Made once at start-up, hidden; afterwards
/// only shown and hidden, so text, file name and current file last for the run. Modeless.
class Tfrm_WebList : public QDialog
{
    Q_OBJECT

public:
    /// The most text the text area takes (8 MiB): a larger file is refused, as a text area
    /// that holds it would no longer answer the keyboard.
    static constexpr qint64 MemoLimit = qint64(8) * 1024 * 1024;

    /// \a programFolder fixes the WebList folder for the run.
    explicit Tfrm_WebList(const QString &programFolder, QWidget *parent = nullptr);

    QLabel *lblName = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *btnLoad = nullptr;
    QPushButton *btnSave = nullptr;
    QPushButton *btnSaveAs = nullptr;
    QPushButton *btnClose = nullptr;
    QFileDialog *OpenDialog1 = nullptr;
    QFileDialog *SaveDialog1 = nullptr;

    /// The full path of the file last loaded or saved under a new name; empty at first.
    QString currentFile() const { return m_currentFile; }
    QString webListFolder() const { return m_folder; }

    void FormCreate();
    void btnLoadClick();
    void btnSaveClick();
    void btnSaveAsClick();
    void btnCloseClick();

    /// Shows the editor, restored from minimized, in front.
    void ShowEditor();
    /// Replaces the text with the list file \a path; the current file stays. Throws DorvuError
    /// "ファイル %s は開けません", or "文字列の大きさが メモ の制限を越えました" for a text
    /// beyond MemoLimit; the text stays then.
    void ReplaceText(const QString &path);
    /// Writes the text to \a path. Throws DorvuError "ファイル %s を作成できません".
    void SaveText(const QString &path);

Q_SIGNALS:
    /// "閉じる" was pressed: the web list menu is to be built anew. The close box does not
    /// send it.
    void closedByButton();

private:
    QString runDialog(QFileDialog *dialog);
    void setCurrentFile(const QString &path);

    QString m_folder;
    QString m_currentFile;
    WebListText m_text;
};
