// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The pages of the options dialog, built once by its constructor.
#include "common/ErrorHandler.h"
#include "settings/OptionPages.h"
#include "settings/TColorSwatch.h"
#include "settings/TUpDown.h"
#include "settings/Tfrm_Option.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

template<typename Widget> Widget *named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

/// A page with a vertical layout whose items keep to the top.
QVBoxLayout *pageLayout(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(8, 4, 4, 4);
    return layout;
}

/// A line with an edit and the widgets after it.
QHBoxLayout *row(QVBoxLayout *page, const QList<QWidget *> &widgets, int indent = 0)
{
    auto *line = new QHBoxLayout;
    if (indent)
        line->addSpacing(indent);
    for (QWidget *w : widgets)
        line->addWidget(w);
    page->addLayout(line);
    return line;
}

} // namespace

void Tfrm_Option::CreatePages()
{
    TreeView1 = named(new QTreeWidget(this), "TreeView1");
    TreeView1->setHeaderHidden(true);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setMaximumWidth(140);
    QTreeWidgetItem *parentNode = nullptr;
    for (const OptionPages::Node &node : OptionPages::Nodes) {
        auto *item = node.child ? new QTreeWidgetItem(parentNode) : new QTreeWidgetItem(TreeView1);
        item->setText(0, node.text.toString());
        if (!node.child)
            parentNode = item;
    }
    PageCTL = named(new QStackedWidget(this), "PageCTL");
    TabSheet[OptionValues::General] = CreateGeneralPage();
    TabSheet[OptionValues::Window] = CreateWindowPage();
    TabSheet[OptionValues::Advert] = CreateAdvertPage();
    TabSheet[OptionValues::Tab] = CreateTabPage();
    TabSheet[OptionValues::StartUp] = CreateStartUpPage();
    TabSheet[OptionValues::Security] = CreateSecurityPage();
    for (int i = 0; i < OptionValues::PageCount; ++i) {
        TabSheet[i]->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
        PageCTL->addWidget(TabSheet[i]);
    }
    // No page is on show until a node is picked.
    auto *empty = new QWidget(PageCTL);
    PageCTL->addWidget(empty);
    PageCTL->setCurrentWidget(empty);

    Button1 = named(new QPushButton(QStringLiteral("OK"), this), "Button1");
    Button2 = named(new QPushButton(QStringLiteral("キャンセル"), this), "Button2");
    // Enter presses no button: the page list and the pattern list keep their own keys.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);
    ColorDialog1 = named(new QColorDialog(this), "ColorDialog1");
    OpenDialog1 = named(new QFileDialog(this), "OpenDialog1");
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setNameFilters(
        {QStringLiteral("WebListFile(*.wlf)"), QStringLiteral("その他(*)")});
    OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);

    auto *top = new QHBoxLayout;
    top->addWidget(TreeView1, 2);
    top->addWidget(PageCTL, 5);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(TreeView1, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *node) { ErrorHandler::Run([=] { TreeView1Change(node); }); });
    ErrorHandler::Connect(chkMoz, &QCheckBox::clicked, this, &Tfrm_Option::chkMozClick);
    ErrorHandler::Connect(chkTabSize, &QCheckBox::clicked, this, &Tfrm_Option::chkTabSizeClick);
    ErrorHandler::Connect(chkTabLen, &QCheckBox::clicked, this, &Tfrm_Option::chkTabLenClick);
    for (TColorSwatch *swatch : {ChColor1, BGColor1, ChColor2, BGColor2}) {
        ErrorHandler::Connect(swatch, &TColorSwatch::clicked, this,
                              [this, swatch] { ColorClick(swatch); });
    }
    for (int i = 0; i < 4; ++i) {
        connect(m_startupButtons[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                ErrorHandler::Run([=] { radStartupClick(i); });
        });
    }
    ErrorHandler::Connect(BitBtn1, &QPushButton::clicked, this, &Tfrm_Option::BitBtn1Click);
    ErrorHandler::Connect(BitBtn2, &QPushButton::clicked, this, &Tfrm_Option::BitBtn2Click);
    ErrorHandler::Connect(btnSetMZ, &QPushButton::clicked, this, &Tfrm_Option::btnSetMZClick);
    ErrorHandler::Connect(Button1, &QPushButton::clicked, this, &Tfrm_Option::Button1Click);
    ErrorHandler::Connect(Button2, &QPushButton::clicked, this, &Tfrm_Option::Button2Click);
}

QWidget *Tfrm_Option::CreateGeneralPage()
{
    auto *page = new QWidget(this);
    QVBoxLayout *layout = pageLayout(page);
    chkMoz = named(new QCheckBox(QStringLiteral("Geckoを使用する"), page), "chkMoz");
    layout->addWidget(chkMoz);
    txtMozPath = named(new QLineEdit(page), "txtMozPath");
    BitBtn1 = named(new QPushButton(QStringLiteral("..."), page), "BitBtn1");
    BitBtn1->setMaximumWidth(32);
    BitBtn1->setToolTip(QStringLiteral("Mozillaのあるフォルダを選択してください。"));
    row(layout, {txtMozPath, BitBtn1}, 16);
    btnSetMZ = named(new QPushButton(QStringLiteral("Geckoをシステムに登録"), page), "btnSetMZ");
    row(layout, {btnSetMZ}, 16)->addStretch(1);
    layout->addSpacing(6);
    layout->addWidget(new QLabel(QStringLiteral("翻訳"), page));
    radTrans1 = named(new QRadioButton(QStringLiteral("訳文のみを表示"), page), "radTrans1");
    radTrans2 = named(new QRadioButton(QStringLiteral("訳文と原文を表示"), page), "radTrans2");
    row(layout, {radTrans1}, 16);
    row(layout, {radTrans2}, 16);
    layout->addStretch(1);
    return page;
}

QWidget *Tfrm_Option::CreateWindowPage()
{
    auto *page = new QWidget(this);
    QVBoxLayout *layout = pageLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("自動的に新規ウインドウで開く"), page));
    chkWin1 = named(new QCheckBox(QStringLiteral("ブックマーク"), page), "chkWin1");
    chkWin2 = named(new QCheckBox(QStringLiteral("アドレスバー"), page), "chkWin2");
    row(layout, {chkWin1}, 16);
    row(layout, {chkWin2}, 16);
    layout->addSpacing(6);
    layout->addWidget(new QLabel(QStringLiteral("新しいウィンドウをアクティブにする"), page));
    chkActive3 = named(new QCheckBox(QStringLiteral("有効にする"), page), "chkActive3");
    row(layout, {chkActive3}, 16);
    layout->addStretch(1);
    return page;
}

QWidget *Tfrm_Option::CreateAdvertPage()
{
    auto *page = new QWidget(this);
    QVBoxLayout *layout = pageLayout(page);
    chkPop = named(new QCheckBox(QStringLiteral("Pop広告を削除"), page), "chkPop");
    layout->addWidget(chkPop);
    PopList = named(new QPlainTextEdit(page), "PopList");
    PopList->setLineWrapMode(QPlainTextEdit::NoWrap);
    PopList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    PopList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Patterns are plain addresses: no input method, and Tab leaves the list.
    PopList->setAttribute(Qt::WA_InputMethodEnabled, false);
    PopList->setTabChangesFocus(true);
    layout->addWidget(PopList, 1);
    return page;
}

QWidget *Tfrm_Option::CreateTabPage()
{
    auto *page = new QWidget(this);
    QVBoxLayout *layout = pageLayout(page);
    auto upDownRow = [&](QCheckBox *box, QLineEdit *edit, TUpDown *upDown) {
        layout->addWidget(box);
        edit->setMaximumWidth(60);
        row(layout, {new QLabel(QStringLiteral("最大："), page), edit, upDown}, 16)->addStretch(1);
    };
    chkTabSize = named(new QCheckBox(QStringLiteral("タブ幅を固定する"), page), "chkTabSize");
    txtTabSize = named(new QLineEdit(page), "txtTabSize");
    UpDown1 =
        named(new TUpDown(txtTabSize, OptionValues::MaxSizeMin, OptionValues::MaxSizeMax, page),
              "UpDown1");
    upDownRow(chkTabSize, txtTabSize, UpDown1);
    chkTabLen = named(new QCheckBox(QStringLiteral("タブの数を制限する"), page), "chkTabLen");
    txtTabLen = named(new QLineEdit(page), "txtTabLen");
    UpDown2 = named(new TUpDown(txtTabLen, OptionValues::MaxLenMin, OptionValues::MaxLenMax, page),
                    "UpDown2");
    upDownRow(chkTabLen, txtTabLen, UpDown2);

    cmbTabType = named(new QComboBox(page), "cmbTabType");
    cmbTabType->setEditable(true);
    cmbTabType->setInsertPolicy(QComboBox::NoInsert);
    cmbTabType->addItems({QStringLiteral("タブ"), QStringLiteral("ボタン")});
    row(layout, {new QLabel(QStringLiteral("タブの種類："), page), cmbTabType})->addStretch(1);

    auto *colours = new QGridLayout;
    colours->addWidget(new QLabel(QStringLiteral("文字色"), page), 0, 1);
    colours->addWidget(new QLabel(QStringLiteral("背景色"), page), 0, 2);
    ColorPanel1 = named(new QLabel(QStringLiteral("アクティブなタブ"), page), "ColorPanel1");
    ColorPanel2 = named(new QLabel(QStringLiteral("アクティブじゃないタブ"), page), "ColorPanel2");
    ChColor1 = named(new TColorSwatch(page), "ChColor1");
    BGColor1 = named(new TColorSwatch(page), "BGColor1");
    ChColor2 = named(new TColorSwatch(page), "ChColor2");
    BGColor2 = named(new TColorSwatch(page), "BGColor2");
    int line = 1;
    for (QLabel *panel : {ColorPanel1, ColorPanel2}) {
        panel->setAutoFillBackground(true);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setAlignment(Qt::AlignCenter);
        panel->setMinimumHeight(20);
        colours->addWidget(panel, line++, 0);
    }
    colours->addWidget(ChColor1, 1, 1);
    colours->addWidget(BGColor1, 1, 2);
    colours->addWidget(ChColor2, 2, 1);
    colours->addWidget(BGColor2, 2, 2);
    colours->setColumnStretch(0, 1);
    layout->addLayout(colours);
    layout->addStretch(1);
    return page;
}

QWidget *Tfrm_Option::CreateStartUpPage()
{
    auto *page = new QWidget(this);
    QVBoxLayout *layout = pageLayout(page);
    const char *names[] = {"radNone", "radLastWin", "radURL", "radWebList"};
    for (int i = 0; i < 4; ++i) {
        m_startupButtons[i] = named(
            new QRadioButton(OptionPages::StartupChoices[i].caption.toString(), page), names[i]);
        layout->addWidget(m_startupButtons[i]);
    }
    radNone = m_startupButtons[0];
    radLastWin = m_startupButtons[1];
    radURL = m_startupButtons[2];
    radWebList = m_startupButtons[3];
    txtStartPath = named(new QLineEdit(page), "txtStartPath");
    BitBtn2 = named(new QPushButton(QStringLiteral("..."), page), "BitBtn2");
    BitBtn2->setMaximumWidth(32);
    row(layout, {txtStartPath, BitBtn2}, 16);
    layout->addStretch(1);
    return page;
}

QWidget *Tfrm_Option::CreateSecurityPage()
{
    auto *page = new QWidget(this);
    QVBoxLayout *layout = pageLayout(page);
    auto group = [&](const QString &title, const QList<QCheckBox *> &boxes) {
        auto *box = new QGroupBox(title, page);
        auto *inner = new QHBoxLayout(box);
        for (QCheckBox *check : boxes)
            inner->addWidget(check);
        inner->addStretch(1);
        layout->addWidget(box);
    };
    chkJava = named(new QCheckBox(QStringLiteral("Java"), page), "chkJava");
    chkScript = named(new QCheckBox(QStringLiteral("Script"), page), "chkScript");
    chkActiveX = named(new QCheckBox(QStringLiteral("ActiveX"), page), "chkActiveX");
    group(QStringLiteral("セキュリティ"), {chkJava, chkScript, chkActiveX});
    chkImege = named(new QCheckBox(QStringLiteral("画像"), page), "chkImege");
    chkBGM = named(new QCheckBox(QStringLiteral("ＢＧＭ"), page), "chkBGM");
    chkVideo = named(new QCheckBox(QStringLiteral("ビデオ"), page), "chkVideo");
    group(QStringLiteral("マルチメディア"), {chkImege, chkBGM, chkVideo});
    layout->addStretch(1);
    return page;
}
