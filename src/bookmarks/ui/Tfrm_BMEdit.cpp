// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "bookmarks/Tfrm_BMEdit.h"

#include "bookmarks/BookMarkFile.h"
#include "bookmarks/BookMarkTree.h"
#include "bookmarks/TBMEditTree.h"
#include "bookmarks/Tfrm_Import.h"
#include "common/DorvuError.h"
#include "common/ErrorHandler.h"

#include <QApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidgetItemIterator>

namespace {

const QString NewFolderName = QStringLiteral("新しいフォルダ");

Tfrm_BMEdit::Prompts defaultPrompts()
{
    Tfrm_BMEdit::Prompts prompts;
    prompts.beep = [] {
        QApplication::beep();
    };
    prompts.inform = [](QWidget *parent, const QString &text) {
        QMessageBox::information(parent, QStringLiteral("Dorvu"), text, QMessageBox::Ok);
    };
    prompts.input = [](QWidget *parent, const QString &caption, const QString &prompt,
                       const QString &text) {
        bool ok = false;
        const QString answer =
            QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, text, &ok);
        return ok ? answer : text;
    };
    return prompts;
}

} // namespace

Tfrm_BMEdit::Tfrm_BMEdit(QWidget *parent, Load load)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_prompts(defaultPrompts())
{
    setObjectName(QStringLiteral("frm_BMEdit"));
    setWindowTitle(QStringLiteral("ブックマークの編集"));
    CreateControls();
    ConnectHandlers();
    setFixedSize(453, 261);
    if (load == LoadNow)
        ErrorHandler::Run([this] { FormCreate(); });
}

void Tfrm_BMEdit::showEvent(QShowEvent *event)
{
    // A file of many thousand bookmarks costs nothing until the editor is used.
    if (!m_loaded)
        ErrorHandler::Run([this] { FormCreate(); });
    QDialog::showEvent(event);
}

void Tfrm_BMEdit::CreateControls()
{
    auto button = [this](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    TreeView1 = new TBMEditTree(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
    TreeView1->setEditTriggers(QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::SelectedClicked);
    lblName = new QLabel(QStringLiteral("名前："), this);
    txtName = new QLineEdit(this);
    txtName->setObjectName(QStringLiteral("txtName"));
    lblURL = new QLabel(QStringLiteral("URL："), this);
    txtURL = new QLineEdit(this);
    txtURL->setObjectName(QStringLiteral("txtURL"));
    btnAdd = button("btnAdd", QStringLiteral("追   加"));
    btnDel = button("btnDel", QStringLiteral("削　  除"));
    btnEdit = button("btnEdit", QStringLiteral("編　集"));
    btnMD = button("btnMD", QStringLiteral("フォルダの作成"));
    btnSubMD = button("btnSubMD", QStringLiteral("サブフォルダ作成"));
    btnImport = button("btnImport", QStringLiteral("インポート"));
    btnOK = button("btnOK", QStringLiteral("O   K"));
    btnCancel = button("btnCancel", QStringLiteral("キャンセル"));

    auto *fields = new QGridLayout;
    fields->addWidget(lblName, 0, 0);
    fields->addWidget(txtName, 0, 1);
    fields->addWidget(lblURL, 1, 0);
    fields->addWidget(txtURL, 1, 1);
    auto *left = new QVBoxLayout;
    left->addWidget(TreeView1, 1);
    left->addLayout(fields);
    auto *right = new QVBoxLayout;
    for (QPushButton *b : {btnAdd, btnDel, btnEdit, btnMD, btnSubMD, btnImport})
        right->addWidget(b);
    right->addStretch(1);
    right->addWidget(btnOK);
    right->addWidget(btnCancel);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](const char *name, const QString &caption) {
        QAction *a = PopupMenu1->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    popEdit = item("popEdit", QStringLiteral("編集(&E)"));
    popReName = item("popReName", QStringLiteral("名前の変更(&R)"));
    M1 = item("M1", QStringLiteral("サブフォルダの作成(&M)"));
    popDel = item("popDel", QStringLiteral("削除(&D)"));
    N1 = PopupMenu1->addSeparator();
    N1->setObjectName(QStringLiteral("N1"));
    popMoveUp = item("popMoveUp", QStringLiteral("上に移動&"));
    popMoveDown = item("popMoveDown", QStringLiteral("下に移動&"));
}

void Tfrm_BMEdit::ConnectHandlers()
{
    const auto bind = [this](auto *sender, auto signal, void (Tfrm_BMEdit::*handler)()) {
        ErrorHandler::Connect(sender, signal, this, handler);
    };
    bind(btnAdd, &QPushButton::clicked, &Tfrm_BMEdit::btnAddClick);
    bind(btnDel, &QPushButton::clicked, &Tfrm_BMEdit::btnDelClick);
    bind(btnEdit, &QPushButton::clicked, &Tfrm_BMEdit::btnEditClick);
    bind(btnMD, &QPushButton::clicked, &Tfrm_BMEdit::btnMDClick);
    bind(btnSubMD, &QPushButton::clicked, &Tfrm_BMEdit::btnSubMDClick);
    bind(btnImport, &QPushButton::clicked, &Tfrm_BMEdit::btnImportClick);
    bind(btnOK, &QPushButton::clicked, &Tfrm_BMEdit::btnOKClick);
    bind(btnCancel, &QPushButton::clicked, &Tfrm_BMEdit::btnCancelClick);
    bind(popEdit, &QAction::triggered, &Tfrm_BMEdit::btnEditClick);
    bind(popReName, &QAction::triggered, &Tfrm_BMEdit::popReNameClick);
    // The pop-up's sub-folder item does what the sub-folder button does.
    bind(M1, &QAction::triggered, &Tfrm_BMEdit::btnSubMDClick);
    bind(popDel, &QAction::triggered, &Tfrm_BMEdit::btnDelClick);
    bind(popMoveUp, &QAction::triggered, &Tfrm_BMEdit::popMoveUpClick);
    bind(popMoveDown, &QAction::triggered, &Tfrm_BMEdit::popMoveDownClick);
    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *node) { TreeView1Change(node); });
    connect(TreeView1, &TBMEditTree::dropped, this, &Tfrm_BMEdit::TreeView1DragDrop);
    connect(TreeView1, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        PopupMenu1->popup(TreeView1->viewport()->mapToGlobal(at));
    });
}

void Tfrm_BMEdit::FormCreate()
{
    TreeView1->clear();
    m_current = nullptr;
    m_loaded = true;
    m_unreadable.clear();
    QList<BookMarkNode> nodes;
    try {
        nodes = BookMarkFile::load(BookMarkFile::path());
    } catch (const DorvuError &error) {
        // The main window has said so already; OK says it again rather than lose the file.
        m_unreadable = error.message();
    }
    BookMarkTree::fill(TreeView1, nodes);
    // Every name renames in place here (F2, a click on the chosen item), not only new ones.
    for (QTreeWidgetItemIterator it(TreeView1); *it; ++it)
        (*it)->setFlags((*it)->flags() | Qt::ItemIsEditable);
}

void Tfrm_BMEdit::TreeView1Change(QTreeWidgetItem *node)
{
    m_current = node;
}

QTreeWidgetItem *Tfrm_BMEdit::currentOrDefault()
{
    if (!m_current) {
        // The topmost visible node: the first top-level node while the tree is not scrolled.
        m_current = TreeView1->isVisible() ? TreeView1->itemAt(QPoint(1, 1)) : nullptr;
        if (!m_current)
            m_current = TreeView1->topLevelItem(0);
    }
    return m_current;
}

QTreeWidgetItem *Tfrm_BMEdit::makeFolder() const
{
    return BookMarkTree::makeItem(
        BookMarkNode{NewFolderName, QString(), BookMarkNode::FolderImage, {}});
}

void Tfrm_BMEdit::startEditing(QTreeWidgetItem *item)
{
    TreeView1->setFocus();
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    TreeView1->scrollToItem(item);
    TreeView1->editItem(item);
}

void Tfrm_BMEdit::btnAddClick()
{
    if (!m_current && currentOrDefault()) {
        // From the topmost visible node on to the last node of its level.
        const int last = BookMarkTree::siblingCount(m_current) - 1;
        m_current =
            m_current->parent() ? m_current->parent()->child(last) : TreeView1->topLevelItem(last);
    }
    QTreeWidgetItem *current = m_current;
    QTreeWidgetItem *item = BookMarkTree::makeItem(
        BookMarkNode{txtName->text(), txtURL->text(), BookMarkNode::EntryImage, {}});
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    if (!current)
        TreeView1->addTopLevelItem(item);
    else if (BookMarkTree::isFolder(current))
        BookMarkTree::insertFirstChild(current, item);
    else
        BookMarkTree::insertBefore(current, item);
    TreeView1->setFocus();
}

void Tfrm_BMEdit::btnMDClick()
{
    QTreeWidgetItem *current = currentOrDefault();
    QTreeWidgetItem *folder = makeFolder();
    if (current)
        BookMarkTree::insertBefore(current, folder);
    else
        TreeView1->addTopLevelItem(folder);
    startEditing(folder);
}

void Tfrm_BMEdit::btnSubMDClick()
{
    QTreeWidgetItem *current = currentOrDefault();
    if (!current || !BookMarkTree::isFolder(current))
        return;
    QTreeWidgetItem *folder = makeFolder();
    BookMarkTree::insertFirstChild(current, folder);
    current->setExpanded(true);
    startEditing(folder);
}

void Tfrm_BMEdit::btnEditClick()
{
    QTreeWidgetItem *current = currentOrDefault();
    if (current && BookMarkTree::isEntry(current)) {
        const QString url = BookMarkTree::url(current);
        BookMarkTree::setUrl(current,
                             m_prompts.input(this, QStringLiteral("編集"), current->text(0), url));
    }
    TreeView1->setFocus();
}

void Tfrm_BMEdit::btnDelClick()
{
    QTreeWidgetItem *current = m_current;
    if (!current)
        return;
    m_current = nullptr;
    // Deleting the tree's own current item moves it on, which reports the new current node.
    delete current;
}

void Tfrm_BMEdit::popReNameClick()
{
    if (m_current)
        startEditing(m_current);
}

void Tfrm_BMEdit::popMoveUpClick()
{
    QTreeWidgetItem *node = TreeView1->currentItem();
    if (!node)
        return;
    const int at = BookMarkTree::position(node);
    if (at == 0) {
        m_prompts.beep();
        return;
    }
    QTreeWidgetItem *previous =
        node->parent() ? node->parent()->child(at - 1) : TreeView1->topLevelItem(at - 1);
    const bool expanded = node->isExpanded();
    BookMarkTree::take(node);
    BookMarkTree::insertBefore(previous, node);
    node->setExpanded(expanded);
    TreeView1->setCurrentItem(node);
}

void Tfrm_BMEdit::popMoveDownClick()
{
    QTreeWidgetItem *node = TreeView1->currentItem();
    if (!node)
        return;
    const int at = BookMarkTree::position(node);
    if (at + 1 >= BookMarkTree::siblingCount(node)) {
        m_prompts.beep();
        return;
    }
    QTreeWidgetItem *next =
        node->parent() ? node->parent()->child(at + 1) : TreeView1->topLevelItem(at + 1);
    const bool expanded = next->isExpanded();
    BookMarkTree::take(next);
    BookMarkTree::insertBefore(node, next);
    next->setExpanded(expanded);
}

void Tfrm_BMEdit::TreeView1DragDrop(QTreeWidgetItem *target)
{
    QTreeWidgetItem *source = TreeView1->currentItem();
    if (!source)
        return;
    if (target == source) {
        m_prompts.inform(this, QStringLiteral("同じ所に移動はできません。"));
        return;
    }
    if (BookMarkTree::isInside(target, source)) {
        m_prompts.inform(this, QStringLiteral("この移動はできません。"));
        return;
    }
    // The item moves whole: its subtree keeps its order.
    TreeView1->setUpdatesEnabled(false);
    const bool expanded = source->isExpanded();
    BookMarkTree::take(source);
    if (!target)
        TreeView1->addTopLevelItem(source);
    else if (BookMarkTree::isEntry(target))
        BookMarkTree::insertAfter(target, source);
    else
        target->addChild(source);
    source->setExpanded(expanded);
    TreeView1->setCurrentItem(source);
    TreeView1->setUpdatesEnabled(true);
}

void Tfrm_BMEdit::btnOKClick()
{
    // A failed save throws here: the dialog stays open and the main window keeps its tree.
    if (!m_unreadable.isEmpty())
        throw DorvuError(m_unreadable + QStringLiteral("\nファイルは書き換えません"));
    BookMarkFile::save(BookMarkFile::path(), BookMarkTree::nodes(TreeView1));
    if (m_afterSave)
        m_afterSave();
    close();
}

void Tfrm_BMEdit::btnCancelClick()
{
    FormCreate();
    close();
}

void Tfrm_BMEdit::btnImportClick()
{
    auto *wizard = new Tfrm_Import(TreeView1, this);
    wizard->show();
}
