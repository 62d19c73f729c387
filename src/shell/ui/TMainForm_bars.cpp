// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The bars of the main window: the three bands of the top bar, the side bar, the tab bar and
// the status bar at the bottom, around the child window area.
#include "TMainForm.h"

#include "CompactTabStyle.h"

#include "TTabControl.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QToolBar *makeBand(TMainForm *form, const QString &name, const QString &title)
{
    auto *band = new QToolBar(title, form);
    band->setObjectName(name);
    band->setAllowedAreas(Qt::TopToolBarArea);
    band->setFloatable(false);
    band->setMovable(true);
    band->setIconSize(QSize(16, 16));
    return band;
}

QAction *makeButton(QToolBar *band, const QString &name, const QString &hint)
{
    auto *action = new QAction(band);
    action->setObjectName(name);
    action->setToolTip(hint);
    band->addAction(action);
    if (QWidget *button = band->widgetForAction(action))
        button->setObjectName(name);
    return action;
}

QToolButton *makeTextButton(const QString &name, const QString &caption)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

QTreeWidget *makeTree(const QString &name)
{
    auto *tree = new QTreeWidget;
    tree->setObjectName(name);
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    return tree;
}

} // namespace

void TMainForm::CreateBars()
{
    ToolBar2 = makeBand(this, QStringLiteral("ToolBar2"), QStringLiteral("標準"));
    NewCtrl = makeButton(ToolBar2, QStringLiteral("NewCtrl"), QStringLiteral("新規作成"));
    ClipNewCtrl = makeButton(ToolBar2, QStringLiteral("ClipNewCtrl"),
                             QStringLiteral("クリップボードで新規作成"));
    BackCtrl = makeButton(ToolBar2, QStringLiteral("BackCtrl"), QStringLiteral("戻る"));
    FrwrdCtrl = makeButton(ToolBar2, QStringLiteral("FrwrdCtrl"), QStringLiteral("進む"));
    StopCtrl = makeButton(ToolBar2, QStringLiteral("StopCtrl"), QString());
    ReLoadCtrl = makeButton(ToolBar2, QStringLiteral("ReLoadCtrl"), QString());
    HomeCtrl = makeButton(ToolBar2, QStringLiteral("HomeCtrl"), QString());
    ChangeCtrl =
        makeButton(ToolBar2, QStringLiteral("ChangeCtrl"), QStringLiteral("エンジンの切り替え"));
    ImageList1->apply(NewCtrl, 0);
    ImageList1->apply(ClipNewCtrl, 16);
    ImageList1->apply(BackCtrl, 1);
    ImageList1->apply(FrwrdCtrl, 2);
    ImageList1->apply(StopCtrl, 3);
    ImageList1->apply(ReLoadCtrl, 4);
    ImageList1->apply(HomeCtrl, 6);
    ImageList1->apply(ChangeCtrl, 15);
    for (QAction *button : {BackCtrl, FrwrdCtrl, StopCtrl, ReLoadCtrl})
        button->setEnabled(false);

    ToolBar3 = makeBand(this, QStringLiteral("ToolBar3"), QStringLiteral("アドレスバー"));
    lblAddress = new QLabel(QStringLiteral("アドレス"));
    lblAddress->setObjectName(QStringLiteral("lblAddress"));
    lblAddress->setContentsMargins(4, 0, 4, 0);
    txtAddress = new QLineEdit;
    txtAddress->setObjectName(QStringLiteral("txtAddress"));
    txtAddress->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    btnMove = makeTextButton(QStringLiteral("btnMove"), QStringLiteral("移動"));
    ToolBar3->addWidget(lblAddress);
    ToolBar3->addWidget(txtAddress);
    ToolBar3->addWidget(btnMove);

    ToolBar4 = makeBand(this, QStringLiteral("ToolBar4"), QStringLiteral("検索バー"));
    lblSearch = new QLabel(QStringLiteral("検索"));
    lblSearch->setObjectName(QStringLiteral("lblSearch"));
    lblSearch->setContentsMargins(4, 0, 4, 0);
    txtSearch = new QLineEdit;
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    txtSearch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    cmbSearch = new QComboBox;
    cmbSearch->setObjectName(QStringLiteral("cmbSearch"));
    cmbSearch->setEditable(true);
    cmbSearch->setMinimumContentsLength(14);
    btnSearch = makeTextButton(QStringLiteral("btnSearch"), QStringLiteral("Find"));
    ToolBar4->addWidget(lblSearch);
    ToolBar4->addWidget(txtSearch);
    ToolBar4->addWidget(cmbSearch);
    ToolBar4->addWidget(btnSearch);

    // Identity order; each band starts a row of its own until the saved layout says otherwise.
    CoolBar1 = {ToolBar2, ToolBar3, ToolBar4};
    for (int i = 0; i < CoolBar1.size(); ++i) {
        if (i > 0)
            addToolBarBreak(Qt::TopToolBarArea);
        addToolBar(Qt::TopToolBarArea, CoolBar1.at(i));
    }

    for (QWidget *edit : {static_cast<QWidget *>(txtAddress), static_cast<QWidget *>(txtSearch),
                          static_cast<QWidget *>(cmbSearch)})
        edit->addActions({EditCut1, EditCopy1, EditPaste1});

    auto *central = new QWidget;
    central->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(central);
    CreateSideAndBottomBars(central);
}

void TMainForm::CreateSideAndBottomBars(QWidget *central)
{
    JBar = new QWidget;
    JBar->setObjectName(QStringLiteral("JBar"));
    JBar->setFixedWidth(153);
    JTabControl = new QTabWidget;
    JTabControl->setObjectName(QStringLiteral("JTabControl"));
    JTabControl->setUsesScrollButtons(false);
    // Both captions whole at the default width: narrow padding and a slightly smaller font.
    JTabControl->setElideMode(Qt::ElideNone);
    auto *compact = new CompactTabStyle;
    compact->setParent(this);
    JTabControl->tabBar()->setStyle(compact);
    QFont tabFont = JTabControl->tabBar()->font();
    tabFont.setPointSizeF(tabFont.pointSizeF() * 0.85);
    JTabControl->tabBar()->setFont(tabFont);
    TreeView1 = makeTree(QStringLiteral("TreeView1"));
    TreeWin = makeTree(QStringLiteral("TreeWin"));
    JTabControl->addTab(TreeView1, QStringLiteral("BookMark"));
    JTabControl->addTab(TreeWin, QStringLiteral("WinsManager"));
    btnBar = new QToolButton;
    btnBar->setObjectName(QStringLiteral("btnBar"));
    btnBar->setFixedWidth(8);
    btnBar->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    auto *jLayout = new QHBoxLayout(JBar);
    jLayout->setContentsMargins(0, 0, 0, 0);
    jLayout->setSpacing(2);
    jLayout->addWidget(JTabControl);
    jLayout->addWidget(btnBar);

    m_mdiArea = new QMdiArea;
    m_mdiArea->setObjectName(QStringLiteral("MDIClient"));
    m_mdiArea->setViewMode(QMdiArea::SubWindowView);
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    TabBar = new QWidget;
    TabBar->setObjectName(QStringLiteral("TabBar"));
    // Owner-drawn; it sets its own size and elision rules and its context menu policy.
    TabControl1 = new TTabControl;
    auto *tabLayout = new QHBoxLayout(TabBar);
    tabLayout->setContentsMargins(0, 0, 0, 0);
    tabLayout->addWidget(TabControl1, 1);

    ToolBar1 = new QWidget;
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    StatusBar1 = new QStatusBar;
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    ProgressBar1 = new QProgressBar;
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedWidth(130);
    auto *statusLayout = new QHBoxLayout(ToolBar1);
    statusLayout->setContentsMargins(2, 0, 2, 2);
    statusLayout->addWidget(StatusBar1, 1);
    statusLayout->addWidget(ProgressBar1);

    auto *middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    middle->addWidget(JBar);
    middle->addWidget(m_mdiArea, 1);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(middle, 1);
    layout->addWidget(TabBar);
    layout->addWidget(ToolBar1);
}
