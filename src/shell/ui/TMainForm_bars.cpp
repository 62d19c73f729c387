// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The bars of the main window: the three bands of the top bar, the side bar, the tab bar and
// the status bar at the bottom, around the child window area.
#include "shell/TMainForm.h"

#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "browser/TTabControl.h"
#include "common/CommandList.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"
#include "shell/BandLayout.h"
#include "shell/CompactTabStyle.h"
#include "shell/SideBarState.h"
#include "shell/TBand.h"
#include "shell/TSideBar.h"
#include "tools/TFindBar.h"
#include "tools/TSearchBar.h"

#include <QEvent>
#include <QLayout>
#include <QMetaObject>
#include <functional>

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace Bar = SettingsKeys::Bar;

namespace {

// The bottom bar fits its progress bar and status bar only when it is wider than this.
constexpr int kStatusFitWidth = 260;
constexpr int kProgressWidth = 130;
constexpr int kStatusMargin = 2;
// The child window area keeps at least this much of the window beside the side bar.
constexpr int kClientRoom = 100;

/// The widest the side bar may be: the child window area keeps its room beside it.
int sideBarRoom(const TMainForm *form)
{
    return form->width() - qMax(kClientRoom, form->mdiArea()->minimumSizeHint().width());
}

QToolBar *makeBand(TMainForm *form, const QString &name, const QString &title)
{
    auto *band = new TBand(title, form);
    band->setObjectName(name);
    band->setAllowedAreas(Qt::TopToolBarArea);
    band->setFloatable(false);
    band->setMovable(true);
    band->setIconSize(QSize(16, 16));
    return band;
}

/// The picture button of \a command; a screen reader calls it by the command's spoken name,
/// or by its hint.
void addButton(QToolBar *band, QAction *command)
{
    band->addAction(command);
    if (QWidget *button = band->widgetForAction(command)) {
        button->setObjectName(command->objectName());
        const QString spoken = command->property(CommandList::SpokenProperty).toString();
        button->setAccessibleName(spoken.isEmpty() ? command->toolTip() : spoken);
    }
}

QToolButton *makeTextButton(const QString &name, const QString &caption)
{
    auto *button = new QToolButton;
    button->setObjectName(name);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

/// Runs a callback after each event of one type on the widgets it watches, once the widget
/// has handled it.
class EventWatcher : public QObject
{
public:
    EventWatcher(QEvent::Type type, std::function<void()> callback, QObject *parent)
        : QObject(parent)
        , m_type(type)
        , m_callback(std::move(callback))
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == m_type)
            QMetaObject::invokeMethod(this, m_callback, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }

private:
    QEvent::Type m_type;
    std::function<void()> m_callback;
};

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
    for (const char *name : {"NewCtrl", "ClipNewCtrl", "BackCtrl", "FrwrdCtrl", "StopCtrl",
                             "ReLoadCtrl", "HomeCtrl", "ChangeCtrl"})
        addButton(ToolBar2, command(name));

    ToolBar3 = makeBand(this, QStringLiteral("ToolBar3"), QStringLiteral("アドレスバー"));
    lblAddress = new QLabel(QStringLiteral("アドレス"));
    lblAddress->setObjectName(QStringLiteral("lblAddress"));
    lblAddress->setContentsMargins(4, 0, 4, 0);
    txtAddress = new QLineEdit;
    txtAddress->setObjectName(QStringLiteral("txtAddress"));
    txtAddress->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    btnMove = makeTextButton(QStringLiteral("btnMove"), QStringLiteral("移動"));
    lblAddress->setBuddy(txtAddress);
    txtAddress->setAccessibleName(lblAddress->text());
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
    lblSearch->setBuddy(txtSearch);
    txtSearch->setAccessibleName(lblSearch->text());
    cmbSearch->setAccessibleName(QStringLiteral("検索エンジン"));
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
        // The button that shows what does not fit the band.
        if (auto *more =
                CoolBar1.at(i)->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
            more->setAccessibleName(CoolBar1.at(i)->windowTitle() +
                                    QStringLiteral("のその他のボタン"));
    }

    for (QWidget *edit : {static_cast<QWidget *>(txtAddress), static_cast<QWidget *>(txtSearch),
                          static_cast<QWidget *>(cmbSearch)})
        edit->addActions({command("EditCut1"), command("EditCopy1"), command("EditPaste1")});

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
    btnBar->setFixedWidth(SideBarState::ButtonWidth);
    btnBar->setAccessibleName(QStringLiteral("サイドバーを開く/閉じる"));
    btnBar->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    // Panel, button, and right of it a strip of the bar's own to drag (TSideBar sizes it). The
    // panel may shrink to a sliver when the bar is collapsed.
    JTabControl->setMinimumWidth(1);
    auto *jLayout = new QHBoxLayout(JBar);
    jLayout->setContentsMargins(0, 0, 2, 0);
    jLayout->setSpacing(0);
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
    lblZoom = new QLabel;
    lblZoom->setObjectName(QStringLiteral("lblZoom"));
    lblZoom->setAccessibleName(QStringLiteral("ズーム"));
    lblZoom->hide();
    StatusBar1->addPermanentWidget(lblZoom);
    ProgressBar1 = new QProgressBar;
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    // Placed by hand, not by a layout: in a narrow bottom bar both parts keep their widths
    // and the bar does not hold the window wider for them.
    StatusBar1->setParent(ToolBar1);
    ProgressBar1->setParent(ToolBar1);
    ToolBar1->setFixedHeight(
        qMax(StatusBar1->sizeHint().height(), ProgressBar1->sizeHint().height()) + kStatusMargin);
    ToolBar1->setMinimumWidth(1);
    ToolBar1->installEventFilter(new EventWatcher(
        QEvent::Resize, [this] { FitBars(); }, this));

    auto *middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    middle->addWidget(JBar);
    middle->addWidget(m_mdiArea, 1);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(middle, 1);
    FindBar = new TFindBar([this]() -> TEngineBrowser * {
        TBrowserChild *child = Browser ? Browser->activeChild() : nullptr;
        return child ? child->engine() : nullptr;
    });
    layout->addWidget(FindBar);
    layout->addWidget(TabBar);
    layout->addWidget(ToolBar1);

    SideBar = new TSideBar(
        JBar, btnBar, [this] { return sideBarRoom(this); }, this);
    SearchBar = new TSearchBar(
        txtSearch, cmbSearch, btnSearch,
        [this](const QString &caption, const QString &url) { OpenPage(caption, url); }, this);
    ConnectBars();
}

void TMainForm::ConnectBars()
{
    // A release over the top bar ends a band's drag.
    // After the band's own handling of the release, which drops a dragged band.
    auto *watcher = new EventWatcher(
        QEvent::MouseButtonRelease, [this] { CoolBar1MouseUp(); }, this);
    for (QToolBar *band : std::as_const(CoolBar1))
        band->installEventFilter(watcher);
}

namespace {

/// Puts the bands of \a form into the top area in \a order, each row starting where a band
/// breaks. A band keeps whether it is switched off.
void placeBands(TMainForm *form, const QList<BandLayout::Band> &order)
{
    QList<bool> hidden;
    for (QToolBar *band : std::as_const(form->CoolBar1)) {
        hidden.append(band->isHidden());
        form->removeToolBar(band);
    }
    for (int p = 0; p < order.size(); ++p) {
        const BandLayout::Band &b = order.at(p);
        auto *band = static_cast<TBand *>(form->CoolBar1.at(b.id));
        if (p > 0 && b.rowBreak)
            form->addToolBarBreak(Qt::TopToolBarArea);
        form->addToolBar(Qt::TopToolBarArea, band);
        band->setHidden(hidden.at(b.id));
        band->setBandWidth(
            b.width == 0
                ? 0
                : BandLayout::fitWidth(b.width, band->minimumSizeHint().width(), form->width()));
    }
}

/// The bands of \a form in reading order, row by row and left to right, with their widths
/// and breaks. A band switched off still has its place: it is shown for the measurement.
QList<BandLayout::Band> bandsInReadingOrder(TMainForm *form)
{
    QList<QToolBar *> switchedOff;
    for (QToolBar *band : std::as_const(form->CoolBar1)) {
        if (band->isHidden()) {
            band->setHidden(false);
            switchedOff.append(band);
        }
    }
    if (!switchedOff.isEmpty() || !form->isVisible())
        form->layout()->activate();
    QList<QToolBar *> bands = form->CoolBar1;
    std::stable_sort(bands.begin(), bands.end(), [](const QToolBar *a, const QToolBar *b) {
        const QPoint pa = a->geometry().topLeft();
        const QPoint pb = b->geometry().topLeft();
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    QList<BandLayout::Band> order;
    for (int p = 0; p < bands.size(); ++p) {
        const QToolBar *band = bands.at(p);
        const bool rowBreak = p == 0 || band->geometry().y() != bands.at(p - 1)->geometry().y();
        order.append(BandLayout::Band{static_cast<int>(form->CoolBar1.indexOf(band)), band->width(),
                                      rowBreak});
    }
    for (QToolBar *band : std::as_const(switchedOff))
        band->setHidden(true);
    return order;
}

void showBar(QWidget *bar, const QAction *item)
{
    bar->setVisible(item->isChecked());
}

} // namespace

void TMainForm::BandPositionRead()
{
    const IniFile ini = IniFile::config();
    const BandLayout::Stored stored = BandLayout::read(ini);
    command("mnuShow_default")->setChecked(SettingsKeys::read(ini, Bar::ToolBar));
    command("mnuShow_Address")->setChecked(SettingsKeys::read(ini, Bar::AddressBar));
    command("mnuShow_Status")->setChecked(SettingsKeys::read(ini, Bar::StatusBar));
    command("mnuShow_Tab")->setChecked(SettingsKeys::read(ini, Bar::TabBar));
    command("mnuShow_J")->setChecked(SettingsKeys::read(ini, Bar::JBar));
    command("mnuShow_Search")->setChecked(SettingsKeys::read(ini, Bar::Search));
    SideBar->restore(SideBarState(SettingsKeys::read(ini, Bar::JBarSize),
                                  SettingsKeys::read(ini, Bar::JBarMax)));
    placeBands(this, BandLayout::restore(stored));
}

void TMainForm::BandPositionWrite()
{
    IniFile ini = IniFile::config();
    BandLayout::write(ini, bandsInReadingOrder(this));
    SettingsKeys::write(ini, Bar::ToolBar, command("mnuShow_default")->isChecked());
    SettingsKeys::write(ini, Bar::AddressBar, command("mnuShow_Address")->isChecked());
    SettingsKeys::write(ini, Bar::StatusBar, command("mnuShow_Status")->isChecked());
    SettingsKeys::write(ini, Bar::TabBar, command("mnuShow_Tab")->isChecked());
    SettingsKeys::write(ini, Bar::JBar, command("mnuShow_J")->isChecked());
    SettingsKeys::write(ini, Bar::Search, command("mnuShow_Search")->isChecked());
    const int room = sideBarRoom(this);
    SettingsKeys::write(ini, Bar::JBarSize, SideBar->state().storedWidth(room));
    SettingsKeys::write(ini, Bar::JBarMax, SideBar->state().storedMemory(room));
}

void TMainForm::ViewToolBar()
{
    showBar(ToolBar2, command("mnuShow_default"));
    showBar(ToolBar3, command("mnuShow_Address"));
    showBar(ToolBar4, command("mnuShow_Search"));
    showBar(ToolBar1, command("mnuShow_Status"));
    showBar(TabBar, command("mnuShow_Tab"));
    showBar(JBar, command("mnuShow_J"));
}

void TMainForm::mnuShow_defaultClick()
{
    showBar(ToolBar2, command("mnuShow_default"));
}

void TMainForm::mnuShow_AddressClick()
{
    showBar(ToolBar3, command("mnuShow_Address"));
}

void TMainForm::mnuShow_SearchClick()
{
    showBar(ToolBar4, command("mnuShow_Search"));
}

void TMainForm::mnuShow_StatusClick()
{
    showBar(ToolBar1, command("mnuShow_Status"));
}

void TMainForm::mnuShow_TabClick()
{
    showBar(TabBar, command("mnuShow_Tab"));
}

void TMainForm::mnuShow_JClick()
{
    showBar(JBar, command("mnuShow_J"));
}

void TMainForm::SelectAddressClick()
{
    // A page of the other engine may hold the X focus: the window takes it back first.
    activateWindow();
    txtAddress->setFocus(Qt::ShortcutFocusReason);
    txtAddress->selectAll();
}

void TMainForm::SelectSearchClick()
{
    activateWindow();
    txtSearch->setFocus(Qt::ShortcutFocusReason);
    txtSearch->selectAll();
}

void TMainForm::mnuFullScreenClick()
{
    const bool full = !isFullScreen();
    // Toggled, so that a maximized window comes back maximized.
    setWindowState(windowState() ^ Qt::WindowFullScreen);
    command("mnuFullScreen")->setChecked(full);
    command("LeaveFullScreen")->setEnabled(full);
    if (full) {
        MainMenu1->hide();
        for (QWidget *bar : {static_cast<QWidget *>(ToolBar2), static_cast<QWidget *>(ToolBar3),
                             static_cast<QWidget *>(ToolBar4), ToolBar1, TabBar, JBar,
                             static_cast<QWidget *>(FindBar)})
            bar->hide();
    } else {
        MainMenu1->show();
        ViewToolBar();
    }
}

void TMainForm::FitBars()
{
    // The address box, the "移動" button and the tab strip follow their bars by layout. The
    // progress bar keeps 130 pixels and the status bar takes the rest, while there is room; in
    // a narrower bottom bar both keep their widths.
    const int width = ToolBar1->width();
    if (width > kStatusFitWidth) {
        const int height = ToolBar1->height() - kStatusMargin;
        const int statusWidth = width - kProgressWidth - 2 * kStatusMargin;
        StatusBar1->setGeometry(kStatusMargin, 0, statusWidth, height);
        ProgressBar1->setGeometry(kStatusMargin + statusWidth, 0, kProgressWidth, height);
    }
    SideBar->apply();
}

void TMainForm::CoolBar1MouseUp()
{
    // The address and search boxes fill their bands by layout; a band that has just moved is
    // laid out now rather than at the next paint.
    for (QToolBar *band : std::as_const(CoolBar1))
        band->layout()->activate();
}

void TMainForm::SetupSearchTable()
{
    SearchBar->SetupSearchTable();
}
