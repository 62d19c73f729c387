// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "browser/PageWindowState.h"
#include "browser/TMainDisplay.h"
#include "common/CommandList.h"
#include "settings/TOptionsTarget.h"

#include <QMainWindow>
#include <QStringList>

#include <initializer_list>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMenu;
class QMenuBar;
class QProgressBar;
class QStatusBar;
class QTabBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class QTreeWidget;

class AddressCompleter;
class HistoryStore;
class TAboutBox;
class TBrowserChild;
class Tfrm_History;
class Tfrm_BMEdit;
class Tfrm_Extract;
class Tfrm_MZOption;
class Tfrm_Option;
class Tfrm_WebList;
class Tfrm_tmpWeb;
class TBookMarkView;
class TBrowserCommands;
class TCloseCommands;
class TFindBar;
class TPageCommands;
class TBrowserHost;
class TDownloads;
class TTabControl;
class TSearchBar;
class TSideBar;
class TWebListMenu;
class TWebListOpener;

/// The main frame window: menus, bars, the child window area and the state shared by the
/// subsystems. Its commands (menu items, toolbar buttons, submenus) live in commands() under
/// their fixed names, from which the menus and bars are built; the bars' other widgets are
/// members under their own names. A submenu's enabled state is that of its menu action.
class TMainForm : public QMainWindow, public TOptionsTarget, public TMainDisplay
{
    Q_OBJECT

public:
    /// \a arguments: the command line without the program name; opened by the deferred
    /// start-up step.
    explicit TMainForm(const QStringList &arguments, QWidget *parent = nullptr);
    ~TMainForm() override;

    // --- Commands ---------------------------------------------------------------------------
    /// Every command of the main window under its fixed name: ActionList1 (FileNew1, EditCut1,
    /// WindowCascade1, ...), the items of MainMenu1 and TabPopup, the buttons of ToolBar2, and
    /// the submenus (File1, mnuSC, ...) by their menu actions. The menus and bars are built
    /// from it.
    const CommandList &commands() const { return *m_commands; }
    /// The commands of ActionList1, which carry their category ("ファイル", "編集", ...).
    QList<QAction *> ActionList1() const;
    QMenuBar *MainMenu1 = nullptr;

    // --- Bars -------------------------------------------------------------------------------
    /// The bands of the top bar by identity: ToolBar2 (0), ToolBar3 (1), ToolBar4 (2). They are
    /// toolbars of the main window's top area, each on its own row by default.
    QList<QToolBar *> CoolBar1;
    QToolBar *ToolBar2 = nullptr;
    QToolBar *ToolBar3 = nullptr;
    QLabel *lblAddress = nullptr;
    QLineEdit *txtAddress = nullptr;
    QToolButton *btnMove = nullptr;
    QToolBar *ToolBar4 = nullptr;
    QLineEdit *txtSearch = nullptr;
    QComboBox *cmbSearch = nullptr;

    QWidget *JBar = nullptr;
    QTabWidget *JTabControl = nullptr;
    QTreeWidget *TreeView1 = nullptr;
    QTreeWidget *TreeWin = nullptr;
    QToolButton *btnBar = nullptr;
    /// The side bar's width, collapse button and edge drag.
    TSideBar *SideBar = nullptr;

    QWidget *TabBar = nullptr;
    TTabControl *TabControl1 = nullptr;

    QWidget *ToolBar1 = nullptr;
    /// Panel 0 is the status bar's message (showMessage / currentMessage).
    QStatusBar *StatusBar1 = nullptr;
    /// The active page's zoom, shown while it is not 100 %.
    QLabel *lblZoom = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

    // --- Forms made at start-up beside the main window (owned by the start-up sequence) -----
    Tfrm_Option *frm_Option = nullptr;
    Tfrm_BMEdit *frm_BMEdit = nullptr;
    TAboutBox *AboutBox = nullptr;
    Tfrm_tmpWeb *frm_tmpWeb = nullptr;
    Tfrm_WebList *frm_WebList = nullptr;
    Tfrm_Extract *frm_Extract = nullptr;
    Tfrm_MZOption *frm_MZOption = nullptr;

    // --- Shared state -----------------------------------------------------------------------
    /// The child window area.
    QMdiArea *mdiArea() const { return m_mdiArea; }
    QString programFolder() const override { return m_programFolder; }
    /// The page windows: window list, window counter, OpenPage and the page commands.
    TBrowserHost *Browser = nullptr;
    /// Save as, copy, select all, text size, translation, help, network settings, the about
    /// box and link extraction. Made once the about box and the link dialog exist.
    TPageCommands *PageCommands = nullptr;
    void ConnectPageCommands();
    /// Opens web lists window by window; the web list menu and its two commands.
    TWebListOpener *WebListOpener = nullptr;
    TWebListMenu *WebListMenu = nullptr;
    /// The downloads of the run and their window (ツール > ダウンロード, Ctrl+J).
    TDownloads *Downloads = nullptr;
    /// URL sequence and ID sequence of the window list; window counter (starts at -1).
    QStringList urlList() const;
    QStringList idList() const;
    int windowCounter() const;
    ClosedUrlList &closedUrls() { return m_pageState.closedUrls; }
    /// The state every new child window takes; child windows update it when resized.
    Qt::WindowState childWindowState() const { return m_pageState.childWindowState; }
    void setChildWindowState(Qt::WindowState state) { m_pageState.childWindowState = state; }
    /// Current text size, 0 (smallest) to 4.
    int mojiSize() const { return m_pageState.textSize; }
    bool startupPending() const { return m_startupPending; }
    bool commandLine() const { return m_commandLine; }
    /// True while the default engine (the engine of new windows) is IE.
    bool defaultEngineIsIE() const;

    // --- Operations -------------------------------------------------------------------------
    /// Opens \a url in a new child window with the initial caption \a caption.
    void OpenPage(const QString &caption, const QString &url);
    /// A hand-over from a second start: value 2 opens \a text ("loading") and beeps.
    void WMCopyData(quint32 value, const QString &text);

    void FormCreate();
    void FormClose();

    void IE_ItemClick();
    void Moz_ItemClick();
    void ChangeCtrlClick();

    void WindowCascade1Execute();

    // The web list folder and the search services.
    void EnumFiles(const QString &folder);
    void SetupSearchTable();

    // What the options dialog changes at once.
    void setGeckoEnabled(bool on) override;
    void applyTabStrip(int fixedWidth, int tabType) override;
    void setSwitchTicks(const OptionGroups::Security &ticks) override;
    bool browseForFolder(QWidget *owner, const QString &caption, QString *folder) override;

    // What the openers and page commands are shown.
    QWidget *dialogParent() const override;
    QString typedAddress() const override;
    void addStatusWidget(QWidget *widget) override;

    // Bookmarks: the side bar tree and the menu from BookMark.xml, and the editor.
    void LoadBookMarkTree();
    void BuildBookMarkMenu();

    // The history (History.db), its window and the address box's completion list.
    HistoryStore *History = nullptr;
    Tfrm_History *frm_History = nullptr;
    AddressCompleter *Completer = nullptr;
    /// The one place where the pages of the page windows reach the history: a finished load of
    /// \a url in \a child (\a load) is a visit, a title change retitles it.
    void RecordVisit(TBrowserChild *child, const QString &url, const QString &title, bool load);
    /// View > 履歴, Ctrl+H: shows the history window.
    void mnuHistoryClick();

Q_SIGNALS:
    /// The main window has closed (FormClose has run): the program ends, even while one of its
    /// dialogs is on screen.
    void closed();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    QMenu *createPopupMenu() override;

private:
    // Handlers, steps and parts that only the main window itself uses.
    QLabel *lblSearch = nullptr;
    QToolButton *btnSearch = nullptr;
    /// The search bar's services and searches.
    TSearchBar *SearchBar = nullptr;
    TBrowserCommands *BrowserCommands = nullptr;
    /// The tab pop-up's close commands, "CloseURＬに追加" and the recently-closed submenu.
    TCloseCommands *CloseCommands = nullptr;
    /// Find in page, under the child window area.
    TFindBar *FindBar = nullptr;
    /// The bookmark tree of the side bar and the bookmark menu.
    TBookMarkView *BookMarks = nullptr;
    void setMojiSize(int size) { m_pageState.textSize = size; }
    void FormResize();
    void RunDeferredStartup();
    void OpenCommandLine();
    void FileExit1Execute();
    /// The toolbar's Home button: the start page as the settings are now.
    void HomeCtrlClick();
    void EditCut1Execute();
    void EditCopy1Execute();
    void EditPaste1Execute();
    void WindowTileHorizontal1Execute();
    void WindowTileVertical1Execute();
    void WindowMinimizeAll1Execute();
    void WindowArrangeAll1Execute();
    void BandPositionRead();
    void BandPositionWrite();
    void ViewToolBar();
    void CoolBar1MouseUp();
    void OfferRecovery();
    /// Shows the one Gecko preferences dialog, not modal.
    void mnuMZOptionClick();
    void OpenStartPage();
    /// View > ツールバー: each switches its bar on or off as its tick says.
    void mnuShow_defaultClick();
    void mnuShow_AddressClick();
    void mnuShow_SearchClick();
    void mnuShow_StatusClick();
    void mnuShow_TabClick();
    void mnuShow_JClick();
    /// Ctrl+L, F6, Alt+D: the address box takes the focus with its text selected.
    void SelectAddressClick();
    /// Ctrl+K: the search box likewise.
    void SelectSearchClick();
    /// F11: full screen without the menu bar and the bars, or back to the bars the View menu
    /// ticks; Esc leaves it too.
    void mnuFullScreenClick();
    void ReadMojiSize();
    void mnuOptionClick();
    /// Opens a chosen bookmark in the active window or a new one ("Option_Window"/"BookMark").
    void OpenBookMark(const QString &url);
    void mnuBMEditClick();
    void popAddBookMarkClick();
    /// Tab strip set-up of start-up: fixed tab width, tab style and position.
    void SetFixedTabWidth(int width);
    void SetTabType(int tabType);

    void CreateMenus();
    void CreateActions();
    /// The keys every browser has (TMainForm_keys.cpp).
    void CreateEverydayCommands();
    void CreateTabPopup();
    void CreateBars();
    void CreateSideAndBottomBars(QWidget *central);
    void ConnectBars();
    /// FormResize's part for the bars.
    void FitBars();
    void CreateBrowser();
    /// The active page's zoom into lblZoom.
    void ShowZoom();
    void CreateBookMarks();
    void CreateHistory();
    /// Opens History.db as config.ini's [History] says; a message (a damaged file set aside)
    /// is returned for the caller to show.
    QString OpenHistory();
    void CreateWebLists();
    void CreateDownloads();
    void RebuildWindowList();
    /// The command \a name, which the main window registers itself.
    QAction *command(const char *name) const;
    /// The submenu \a name, which the main window registers itself.
    QMenu *commandMenu(const char *name) const;
    /// Registers the menu item \a name bound to the command \a linked: its caption (unless
    /// \a caption is given), its shortcut shown, enabled with it, running it.
    QAction *LinkedItem(const char *name, const char *linked, const QString &caption = {});
    /// Makes the submenu \a name, registered by its menu action.
    QMenu *NewMenu(const char *name, const QString &caption);
    /// Fills \a menu with the commands and submenus named in \a items, in order; an item
    /// "-N1" adds a separator named N1.
    void FillMenu(QMenu *menu, std::initializer_list<const char *> items);
    QWidget *FocusedEdit() const;

    CommandList *m_commands = nullptr;
    QStringList m_arguments;
    QMdiArea *m_mdiArea = nullptr;
    QString m_programFolder;
    /// What the page windows share; the host acts on it.
    PageWindowState m_pageState;
    bool m_startupPending = false;
    bool m_commandLine = false;
};
