// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;

/// The import wizard: brings the Favorites folder's Internet Shortcuts ("IE") or a bookmark
/// HTML file ("NN") into the bookmark editor's tree, under a plain root node named after the
/// source. Made anew for each import.
class Tfrm_Import : public QDialog
{
    Q_OBJECT

public:
    /// Asks for a folder; empty when the user cancels.
    using FolderPrompt = std::function<QString(QWidget *parent, const QString &caption)>;
    using Inform = std::function<void(QWidget *parent, const QString &text)>;

    /// \a tree: the editor's tree, which the import adds to.
    explicit Tfrm_Import(QTreeWidget *tree, QWidget *parent = nullptr);

    /// Asks for the Favorites folder when the home folder has none.
    void setFolderPrompt(FolderPrompt prompt) { m_askFolder = std::move(prompt); }
    void setInform(Inform inform) { m_inform = std::move(inform); }
    QString mode() const { return m_mode; }
    /// The number (1 to 3) of the page shown.
    int pageNumber() const;

    QLabel *lblTitle = nullptr;
    QStackedWidget *PageControl1 = nullptr;
    QRadioButton *radIE = nullptr;
    QRadioButton *radNN = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *btnBack = nullptr;
    QPushButton *btnNext = nullptr;
    QPushButton *Button1 = nullptr;

    void FormCreate();
    void radIEClick();
    void radNNClick();
    void btnNextClick();
    void btnBackClick();
    void Button3Click();
    void ImportIEFavorites();
    void ImportBookMarkFile();

private:
    void CreateControls();
    void showPage(int number);

    QTreeWidget *m_tree;
    QString m_mode;
    FolderPrompt m_askFolder;
    Inform m_inform;
};
