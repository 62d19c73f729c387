// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "bookmarks/Tfrm_Import.h"

#include "bookmarks/BookMarkHtml.h"
#include "bookmarks/BookMarkTree.h"
#include "bookmarks/FavoritesWalk.h"
#include "common/ErrorHandler.h"
#include "common/TSHBrowseForFolderEx.h"

#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr char PageNumberProperty[] = "PageNumber";

/// Appends a plain node named \a name holding \a nodes to \a tree's top level, collapsed.
void appendRoot(QTreeWidget *tree, const QString &name, const QList<BookMarkNode> &nodes)
{
    QTreeWidgetItem *root =
        BookMarkTree::makeItem(BookMarkNode{name, QString(), BookMarkNode::PlainImage, nodes});
    tree->addTopLevelItem(root);
    root->setExpanded(false);
}

} // namespace

Tfrm_Import::Tfrm_Import(QTreeWidget *tree, QWidget *parent)
    : QDialog(parent)
    , m_tree(tree)
{
    setObjectName(QStringLiteral("frm_Import"));
    setWindowTitle(QStringLiteral("ImportWizard"));
    m_askFolder = [](QWidget *parent, const QString &caption) {
        TSHBrowseForFolderEx selectFolder(parent);
        selectFolder.Caption = caption;
        // Favorites live under the home folder, if anywhere.
        selectFolder.SelectFolder = sfManual;
        selectFolder.SelectFolderName = QDir::homePath();
        return selectFolder.Execute() ? selectFolder.FolderName() : QString();
    };
    m_inform = [](QWidget *parent, const QString &text) {
        QMessageBox::information(parent, QStringLiteral("Dorvu"), text, QMessageBox::Ok);
    };
    CreateControls();
    setFixedSize(305, 186);
    FormCreate();
}

void Tfrm_Import::CreateControls()
{
    lblTitle = new QLabel(QStringLiteral("ブックマークのインポートを行います"), this);
    QFont bold = lblTitle->font();
    bold.setBold(true);
    lblTitle->setFont(bold);

    PageControl1 = new QStackedWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    auto page = [this](int number, const QString &text) {
        auto *sheet = new QWidget;
        sheet->setObjectName(QStringLiteral("TabSheet%1").arg(number));
        sheet->setProperty(PageNumberProperty, number);
        auto *layout = new QVBoxLayout(sheet);
        auto *label = new QLabel(text, sheet);
        label->setWordWrap(true);
        layout->addWidget(label);
        PageControl1->addWidget(sheet);
        return layout;
    };
    QVBoxLayout *one = page(1, QStringLiteral("どちらをインポートしますか？"));
    radIE = new QRadioButton(QStringLiteral("Internet Explorer"));
    radIE->setObjectName(QStringLiteral("radIE"));
    radNN = new QRadioButton(QStringLiteral("Netscape Navigator"));
    radNN->setObjectName(QStringLiteral("radNN"));
    one->addWidget(radIE);
    one->addWidget(radNN);
    one->addStretch(1);
    QVBoxLayout *two =
        page(2, QStringLiteral("インポートするbookmark.htmの場所を指定してください。"));
    auto *file = new QHBoxLayout;
    Edit1 = new QLineEdit;
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Button3 = new QPushButton(QStringLiteral("参照"));
    Button3->setObjectName(QStringLiteral("Button3"));
    file->addWidget(Edit1, 1);
    file->addWidget(Button3);
    two->addLayout(file);
    two->addStretch(1);
    page(3, QStringLiteral("完了をクリックすればインポートが完了します。"))->addStretch(1);

    btnBack = new QPushButton(QStringLiteral("戻る"));
    btnBack->setObjectName(QStringLiteral("btnBack"));
    btnNext = new QPushButton(QStringLiteral("次へ"));
    btnNext->setObjectName(QStringLiteral("btnNext"));
    Button1 = new QPushButton(QStringLiteral("キャンセル"));
    Button1->setObjectName(QStringLiteral("Button1"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnBack);
    buttons->addWidget(btnNext);
    buttons->addWidget(Button1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addWidget(PageControl1, 1);
    layout->addLayout(buttons);

    ErrorHandler::Connect(radIE, &QRadioButton::clicked, this, &Tfrm_Import::radIEClick);
    ErrorHandler::Connect(radNN, &QRadioButton::clicked, this, &Tfrm_Import::radNNClick);
    ErrorHandler::Connect(btnNext, &QPushButton::clicked, this, &Tfrm_Import::btnNextClick);
    ErrorHandler::Connect(btnBack, &QPushButton::clicked, this, &Tfrm_Import::btnBackClick);
    ErrorHandler::Connect(Button3, &QPushButton::clicked, this, &Tfrm_Import::Button3Click);
    connect(Button1, &QPushButton::clicked, this, &QWidget::close);
}

void Tfrm_Import::FormCreate()
{
    showPage(1);
    btnBack->setEnabled(false);
    radIEClick();
    radIE->setChecked(true);
}

int Tfrm_Import::pageNumber() const
{
    return PageControl1->currentWidget()->property(PageNumberProperty).toInt();
}

void Tfrm_Import::showPage(int number)
{
    PageControl1->setCurrentIndex(number - 1);
}

void Tfrm_Import::radIEClick()
{
    m_mode = QStringLiteral("IE");
}

void Tfrm_Import::radNNClick()
{
    m_mode = QStringLiteral("NN");
}

void Tfrm_Import::btnNextClick()
{
    switch (pageNumber()) {
    case 1:
        btnBack->setEnabled(true);
        if (m_mode == QLatin1String("IE")) {
            showPage(3);
            btnNext->setText(QStringLiteral("完了"));
        } else {
            showPage(2);
        }
        break;
    case 2:
        showPage(3);
        btnNext->setText(QStringLiteral("完了"));
        break;
    case 3:
        if (m_mode == QLatin1String("IE"))
            ImportIEFavorites();
        else
            ImportBookMarkFile();
        close();
        break;
    }
}

void Tfrm_Import::btnBackClick()
{
    switch (pageNumber()) {
    case 2:
        showPage(1);
        btnBack->setEnabled(false);
        break;
    case 3:
        btnNext->setText(QStringLiteral("次へ"));
        showPage(m_mode == QLatin1String("IE") ? 1 : 2);
        break;
    }
}

void Tfrm_Import::Button3Click()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QString(), QDir::homePath(),
        QStringLiteral("HTMLファイル (*.htm *.html);;その他（*.*） (*)"));
    if (!path.isEmpty())
        Edit1->setText(path);
}

void Tfrm_Import::ImportIEFavorites()
{
    QString folder = FavoritesWalk::favoritesFolder(QDir::homePath());
    if (folder.isEmpty())
        folder = m_askFolder(this, QStringLiteral("お気に入りのフォルダを選択してください。"));
    if (folder.isEmpty())
        return;
    // A large folder is listed beside the event loop, so the windows keep painting; the
    // wizard takes no input meanwhile.
    QList<BookMarkNode> nodes;
    QThread *walker = QThread::create([&nodes, folder] { nodes = FavoritesWalk::walk(folder); });
    QEventLoop loop;
    connect(walker, &QThread::finished, &loop, &QEventLoop::quit);
    setEnabled(false);
    walker->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    walker->wait();
    delete walker;
    setEnabled(true);
    appendRoot(m_tree, QStringLiteral("Internet Explorer"), nodes);
}

void Tfrm_Import::ImportBookMarkFile()
{
    if (Edit1->text().isEmpty())
        return;
    const BookMarkHtml::Result result = BookMarkHtml::load(Edit1->text());
    appendRoot(m_tree, QStringLiteral("Netscape Navigator"), result.nodes);
    if (result.replaced > 0) {
        m_inform(this,
                 QStringLiteral("Shift_JIS で表せない文字を含む名前と URL が %1 件ありました。"
                                "近い文字か「?」に置き換えました。")
                     .arg(result.replaced));
    }
}
