// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "browser/ClosedUrlList.h"
#include "common/ImageList.h"
#include "settings/TOptionsTarget.h"

#include <QMainWindow>
#include <QStringList>

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

class TAboutBox;
class Tfrm_BMEdit;
class Tfrm_Extract;
class Tfrm_MZOption;
class Tfrm_Option;
class Tfrm_WebList;
class Tfrm_tmpWeb;
class TBookMarkView;
class TBrowserCommands;
class TCloseCommands;
class TPageCommands;
class TBrowserHost;
class TTabControl;
class TSearchBar;
class TSideBar;
class TWebListMenu;
class TWebListOpener;

/// The main frame window: menus, bars, the child window area and the state shared by the
/// subsystems. Named components are public members under their own names, so the subsystems can
/// be handed pointers to them. Menu and toolbar items are QActions; a submenu is a QMenu (its
/// enabled state is that of its menuAction()).
class TMainForm : public QMainWindow, public TOptionsTarget
{
    Q_OBJECT

public:
    /// \a arguments: the command line without the program name; opened by the deferred
    /// start-up step.
    explicit TMainForm(const QStringList &arguments, QWidget *parent = nullptr);
    ~TMainForm() override;

    // --- MainMenu1 --------------------------------------------------------------------------
    QMenuBar *MainMenu1 = nullptr;
    QMenu *File1 = nullptr;
    QMenu *FileNewItem = nullptr;
    QAction *mnuNew_blank = nullptr;
    QAction *mnuNew_Cilp = nullptr;
    QAction *FileOpenItem = nullptr;
    QAction *FileCloseItem = nullptr;
    QAction *mnuFile_SaveAs = nullptr;
    QAction *N9 = nullptr;
    QMenu *mnuLeastURL = nullptr;
    QAction *mnuLeastURL_Child = nullptr;
    QAction *N1 = nullptr;
    QAction *FileExitItem = nullptr;

    QMenu *mnuEdit = nullptr;
    QAction *mnuEdit_Copy = nullptr;
    QAction *N5 = nullptr;
    QAction *mnuEdit_slrAll = nullptr;

    QMenu *mnuShow = nullptr;
    QMenu *mnuShow_Bar = nullptr;
    QAction *mnuShow_default = nullptr;
    QAction *mnuShow_Address = nullptr;
    QAction *mnuShow_Status = nullptr;
    QAction *mnuShow_Tab = nullptr;
    QAction *mnuShow_J = nullptr;
    QAction *mnuShow_Search = nullptr;
    QAction *N2 = nullptr;
    QMenu *mnuShow_Size = nullptr;
    QAction *mnuSize_Max = nullptr;
    QAction *mnuSize_Large = nullptr;
    QAction *mnuSize_middle = nullptr;
    QAction *mnuSize_Small = nullptr;
    QAction *mnuSize_Min = nullptr;
    QAction *N13 = nullptr;
    QAction *mnuTranslate = nullptr;

    QMenu *mnuBookMark = nullptr;
    QAction *mnuBMEdit = nullptr;
    QAction *N4 = nullptr;

    QMenu *mnuWebList = nullptr;
    QAction *mnuWebList_Edit = nullptr;
    QAction *mnuWebList_Add = nullptr;
    QAction *N7 = nullptr;

    QMenu *Tool1 = nullptr;
    QMenu *EngineItem = nullptr;
    QAction *IE_item = nullptr;
    QAction *Moz_Item = nullptr;
    QAction *N10 = nullptr;
    QMenu *mnuSC = nullptr;
    QAction *mnuJava = nullptr;
    QAction *mnuScript = nullptr;
    QAction *mnuActiveX = nullptr;
    QMenu *mnuMC = nullptr;
    QAction *mnuImage = nullptr;
    QAction *mnuBGM = nullptr;
    QAction *mnuVideo = nullptr;
    QAction *N11 = nullptr;
    QAction *mnuOption = nullptr;
    QAction *mnuIEOption = nullptr;
    QAction *mnuMZOption = nullptr;
    QAction *N14 = nullptr;
    QAction *mnuExtract = nullptr;

    QMenu *Window1 = nullptr;

    QMenu *Help1 = nullptr;
    QAction *Help2 = nullptr;
    QAction *N12 = nullptr;
    QAction *HelpAboutItem = nullptr;

    // --- ActionList1 ------------------------------------------------------------------------
    QList<QAction *> ActionList1;
    QAction *FileNew1 = nullptr;
    QAction *FileOpen1 = nullptr;
    QAction *FileClose1 = nullptr;
    QAction *FileExit1 = nullptr;
    QAction *EditCut1 = nullptr;
    QAction *EditCopy1 = nullptr;
    QAction *EditPaste1 = nullptr;
    QAction *WindowCascade1 = nullptr;
    QAction *WindowTileHorizontal1 = nullptr;
    QAction *WindowTileVertical1 = nullptr;
    QAction *WindowMinimizeAll1 = nullptr;
    QAction *WindowArrangeAll1 = nullptr;
    QAction *HelpAbout1 = nullptr;

    // --- TabPopup ---------------------------------------------------------------------------
    QMenu *TabPopup = nullptr;
    QMenu *N3 = nullptr;
    QAction *popAddClose = nullptr;
    QAction *popAddBookMark = nullptr;
    QAction *N6 = nullptr;
    QMenu *N8 = nullptr;
    QAction *mnu_AllClose = nullptr;
    QAction *mnu_AllCloseNotMe = nullptr;
    QAction *popTabClose = nullptr;
    QAction *N15 = nullptr;
    QAction *popExtract = nullptr;

    const ImageList *ImageList1 = nullptr;

    // --- Bars -------------------------------------------------------------------------------
    /// The bands of the top bar by identity: ToolBar2 (0), ToolBar3 (1), ToolBar4 (2). They are
    /// toolbars of the main window's top area, each on its own row by default.
    QList<QToolBar *> CoolBar1;
    QToolBar *ToolBar2 = nullptr;
    QAction *NewCtrl = nullptr;
    QAction *ClipNewCtrl = nullptr;
    QAction *BackCtrl = nullptr;
    QAction *FrwrdCtrl = nullptr;
    QAction *StopCtrl = nullptr;
    QAction *ReLoadCtrl = nullptr;
    QAction *HomeCtrl = nullptr;
    QAction *ChangeCtrl = nullptr;
    QToolBar *ToolBar3 = nullptr;
    QLabel *lblAddress = nullptr;
    QLineEdit *txtAddress = nullptr;
    QToolButton *btnMove = nullptr;
    QToolBar *ToolBar4 = nullptr;
    QLabel *lblSearch = nullptr;
    QLineEdit *txtSearch = nullptr;
    QComboBox *cmbSearch = nullptr;
    QToolButton *btnSearch = nullptr;

    QWidget *JBar = nullptr;
    QTabWidget *JTabControl = nullptr;
    QTreeWidget *TreeView1 = nullptr;
    QTreeWidget *TreeWin = nullptr;
    QToolButton *btnBar = nullptr;
    /// The side bar's width, collapse button and edge drag.
    TSideBar *SideBar = nullptr;
    /// The search bar's services and searches.
    TSearchBar *SearchBar = nullptr;

    QWidget *TabBar = nullptr;
    TTabControl *TabControl1 = nullptr;

    QWidget *ToolBar1 = nullptr;
    /// Panel 0 is the status bar's message (showMessage / currentMessage).
    QStatusBar *StatusBar1 = nullptr;
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
    TBrowserCommands *BrowserCommands = nullptr;
    /// The tab pop-up's close commands, "CloseURＬに追加" and the recently-closed submenu.
    TCloseCommands *CloseCommands = nullptr;
    /// Save as, copy, select all, text size, translation, help, network settings, the about
    /// box and link extraction. Made once the about box and the link dialog exist.
    TPageCommands *PageCommands = nullptr;
    void ConnectPageCommands();
    /// The bookmark tree of the side bar and the bookmark menu.
    TBookMarkView *BookMarks = nullptr;
    /// Opens web lists window by window; the web list menu and its two commands.
    TWebListOpener *WebListOpener = nullptr;
    TWebListMenu *WebListMenu = nullptr;
    /// URL sequence and ID sequence of the window list; window counter (starts at -1).
    QStringList urlList() const;
    QStringList idList() const;
    int windowCounter() const;
    ClosedUrlList &closedUrls() { return m_closedUrls; }
    /// The state every new child window takes; child windows update it when resized.
    Qt::WindowState childWindowState() const { return m_childWindowState; }
    void setChildWindowState(Qt::WindowState state) { m_childWindowState = state; }
    /// Current text size, 0 (smallest) to 4.
    int mojiSize() const { return m_mojiSize; }
    void setMojiSize(int size) { m_mojiSize = size; }
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
    void FormResize();
    void FormClose();
    void RunDeferredStartup();
    void OpenCommandLine();

    void FileExit1Execute();
    void IE_ItemClick();
    void Moz_ItemClick();
    void ChangeCtrlClick();
    /// The toolbar's Home button: the start page as the settings are now.
    void HomeCtrlClick();

    void EditCut1Execute();
    void EditCopy1Execute();
    void EditPaste1Execute();
    void WindowCascade1Execute();
    void WindowTileHorizontal1Execute();
    void WindowTileVertical1Execute();
    void WindowMinimizeAll1Execute();
    void WindowArrangeAll1Execute();

    // The bands, recovery, the Gecko options, the start page and the web list folder.
    void BandPositionRead();
    void BandPositionWrite();
    void ViewToolBar();
    void CoolBar1MouseUp();
    void OfferRecovery();
    /// Shows the one Gecko preferences dialog, not modal.
    void mnuMZOptionClick();
    void OpenStartPage();
    void EnumFiles(const QString &folder);
    void SetupSearchTable();
    /// View > ツールバー: each switches its bar on or off as its tick says.
    void mnuShow_defaultClick();
    void mnuShow_AddressClick();
    void mnuShow_SearchClick();
    void mnuShow_StatusClick();
    void mnuShow_TabClick();
    void mnuShow_JClick();
    void ReadMojiSize();
    void mnuOptionClick();

    // What the options dialog changes at once.
    void setGeckoEnabled(bool on) override;
    void applyTabStrip(int fixedWidth, int tabType) override;
    void setSwitchTicks(const OptionGroups::Security &ticks) override;
    bool browseForFolder(QWidget *owner, const QString &caption, QString *folder) override;

    // Bookmarks: the side bar tree and the menu from BookMark.xml, and the editor.
    void LoadBookMarkTree();
    void BuildBookMarkMenu();
    /// Opens a chosen bookmark in the active window or a new one ("Option_Window"/"BookMark").
    void OpenBookMark(const QString &url);
    void mnuBMEditClick();
    void popAddBookMarkClick();

    /// Tab strip set-up of start-up: fixed tab width, tab style and position.
    void SetFixedTabWidth(int width);
    void SetTabType(int tabType);

Q_SIGNALS:
    /// The main window has closed (FormClose has run): the program ends, even while one of its
    /// dialogs is on screen.
    void closed();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    QMenu *createPopupMenu() override;

private:
    void CreateMenus();
    void CreateActions();
    void CreateTabPopup();
    void CreateBars();
    void CreateSideAndBottomBars(QWidget *central);
    void ConnectBars();
    /// FormResize's part for the bars.
    void FitBars();
    void ConnectHandlers();
    void CreateBrowser();
    void CreateBookMarks();
    void CreateWebLists();
    void RebuildWindowList();
    QAction *LinkedItem(QMenu *menu, const QString &name, QAction *action);
    QWidget *FocusedEdit() const;

    QStringList m_arguments;
    QMdiArea *m_mdiArea = nullptr;
    QString m_programFolder;
    ClosedUrlList m_closedUrls;
    Qt::WindowState m_childWindowState = Qt::WindowNoState;
    int m_mojiSize = 2;
    bool m_startupPending = false;
    bool m_commandLine = false;
};
