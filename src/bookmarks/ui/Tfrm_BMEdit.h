// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidgetItem;
class TBMEditTree;

/// The bookmark editor. Made once at start-up, hidden; afterwards only shown and hidden. It
/// works on its own copy of the bookmarks: OK writes BookMark.xml and refreshes the main
/// window, Cancel reloads the copy from the file.
class Tfrm_BMEdit : public QDialog
{
    Q_OBJECT

public:
    /// What the editor asks of the user; tests replace them.
    struct Prompts
    {
        std::function<void()> beep;
        /// An information box with an OK button.
        std::function<void(QWidget *parent, const QString &text)> inform;
        /// An input box; returns \a text when cancelled.
        std::function<QString(QWidget *parent, const QString &caption, const QString &prompt,
                              const QString &text)>
            input;
    };

    /// What the editor shows is read from the file at once, or (\a LoadOnFirstShow: the main
    /// window's editor, made at the start) when it is first shown.
    enum Load { LoadNow, LoadOnFirstShow };
    explicit Tfrm_BMEdit(QWidget *parent = nullptr, Load load = LoadNow);

    /// Run after a successful OK: the main window reloads its tree and menu.
    void setAfterSave(std::function<void()> afterSave) { m_afterSave = std::move(afterSave); }
    void setPrompts(const Prompts &prompts) { m_prompts = prompts; }
    /// The node the buttons act on, null before anything was chosen.
    QTreeWidgetItem *currentNode() const { return m_current; }

    TBMEditTree *TreeView1 = nullptr;
    QLabel *lblName = nullptr;
    QLineEdit *txtName = nullptr;
    QLabel *lblURL = nullptr;
    QLineEdit *txtURL = nullptr;
    QPushButton *btnAdd = nullptr;
    QPushButton *btnDel = nullptr;
    QPushButton *btnEdit = nullptr;
    QPushButton *btnMD = nullptr;
    QPushButton *btnSubMD = nullptr;
    QPushButton *btnImport = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QAction *popEdit = nullptr;
    QAction *popReName = nullptr;
    QAction *M1 = nullptr;
    QAction *popDel = nullptr;
    QAction *N1 = nullptr;
    QAction *popMoveUp = nullptr;
    QAction *popMoveDown = nullptr;

    void FormCreate();
    void TreeView1Change(QTreeWidgetItem *node);
    void btnAddClick();
    void btnMDClick();
    void btnSubMDClick();
    void btnEditClick();
    void btnDelClick();
    void popReNameClick();
    void popMoveUpClick();
    void popMoveDownClick();
    void TreeView1DragDrop(QTreeWidgetItem *target);
    void btnOKClick();
    void btnCancelClick();
    void btnImportClick();

private:
    void CreateControls();
    void ConnectHandlers();
    /// The current node, or else the topmost visible node, which becomes current.
    QTreeWidgetItem *currentOrDefault();
    QTreeWidgetItem *makeFolder() const;
    void startEditing(QTreeWidgetItem *item);

    QTreeWidgetItem *m_current = nullptr;
    bool m_loaded = false;
    void showEvent(QShowEvent *event) override;
    // Why the file could not be read; then OK keeps it as it is instead of writing this tree.
    QString m_unreadable;
    std::function<void()> m_afterSave;
    Prompts m_prompts;
};
