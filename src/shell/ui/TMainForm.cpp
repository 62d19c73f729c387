// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/TMainForm.h"

#include "browser/TBrowserHost.h"
#include "browser/TTabControl.h"
#include "common/ConfirmBox.h"
#include "common/ErrorHandler.h"
#include "common/ProgramFolder.h"
#include "common/StartupTrace.h"
#include "engine/ComposedWindow.h"
#include "history/HistoryStore.h"
#include "settings/IniFile.h"
#include "settings/OptionGroups.h"
#include "settings/Tfrm_MZOption.h"
#include "shell/StartupRules.h"
#include "weblist/TWebListMenu.h"
#include "weblist/TWebListOpener.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QTabBar>

namespace General = SettingsKeys::General;

TMainForm::TMainForm(const QStringList &arguments, QWidget *parent)
    : QMainWindow(parent)
    , m_arguments(arguments)
{
    setObjectName(QStringLiteral("TMainForm"));
    setWindowTitle(QStringLiteral("Dorvu"));
    // Neither position nor size is stored: every start takes most of the screen.
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1000, 750);
    resize(QSize(screen.width() * 4 / 5, screen.height() * 4 / 5).expandedTo(QSize(800, 600)));
    // Pages of both engines live side by side in this window: it is composed for Chromium's
    // views from the start, so it is never made anew under a WebKit page.
    ComposedWindow::prepare(this);
    CreateActions();
    CreateMenus();
    CreateTabPopup();
    CreateBars();
    CreateBrowser();
    CreateBookMarks();
    CreateHistory();
    CreateWebLists();
    CreateDownloads();
    FormCreate();
}

TMainForm::~TMainForm()
{
    // Page windows go with the main window, without their closing steps. Their own reactions
    // to state changes must not run while they are half destroyed.
    if (m_mdiArea) {
        const QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList();
        for (QMdiSubWindow *window : windows) {
            QObject::disconnect(window, &QMdiSubWindow::windowStateChanged, window, nullptr);
            delete window;
        }
    }
}

void TMainForm::FormCreate()
{
    ErrorHandler::Run([this] {
        // 1-3: the window list's sequences and counter start empty with Browser; the
        // closed-URL list.
        m_pageState.closedUrls = ClosedUrlList();
        m_startupPending = true;
        m_programFolder = ProgramFolder::path();
        BandPositionRead();
        // Temporary files of writes that a killed run left half done.
        StartupRules::RemoveStaleTemporaries(m_programFolder);
        // 5: a failed move is reported on its own; the rest of the set-up still runs.
        ErrorHandler::Run([this] { StartupRules::MoveWinListToRestoreFile(m_programFolder); });

        const IniFile ini = IniFile::config();
        if (StartupRules::isIeEngine(SettingsKeys::read(ini, General::LastEngine)))
            IE_ItemClick();
        else
            Moz_ItemClick();
        if (OptionGroups::ReadGecko(ini).Mozilla == 0)
            command("Moz_Item")->setEnabled(false);
        const OptionGroups::Tab tab = OptionGroups::ReadTab(ini);
        if (tab.fix == 1)
            SetFixedTabWidth(tab.MaxSize);
        m_pageState.childWindowState =
            StartupRules::childStateFromSetting(SettingsKeys::read(ini, General::WinSize));
        SetTabType(tab.TabType);
        TabControl1->setCloseButtons(
            SettingsKeys::read(ini, SettingsKeys::Option_Tab::CloseButton));

        const OptionGroups::Security security = OptionGroups::ReadSecurity(ini);
        command("mnuJava")->setChecked(security.Java);
        command("mnuScript")->setChecked(security.Script);
        command("mnuActiveX")->setChecked(security.ActiveX);
        command("mnuImage")->setChecked(security.Image);
        command("mnuBGM")->setChecked(security.BGM);
        command("mnuVideo")->setChecked(security.Video);

        SetupSearchTable();
        if (cmbSearch->count() > 0)
            cmbSearch->setCurrentIndex(0);
        // A file that cannot be read is reported on its own; the rest of the set-up still runs.
        ErrorHandler::Run([this] { LoadBookMarkTree(); });
        EnumFiles(m_programFolder + QStringLiteral("WebList"));
        ViewToolBar();
        CoolBar1MouseUp();
        command("mnuFile_SaveAs")->setEnabled(false);
        // Submenus are switched through their menu actions only: a disabled QMenu widget would
        // stay disabled when an IE window enables the action again.
        commandMenu("mnuSC")->menuAction()->setEnabled(false);
        commandMenu("mnuMC")->menuAction()->setEnabled(false);
        ReadMojiSize();
        commandMenu("mnuShow_Size")->menuAction()->setEnabled(false);
        BuildBookMarkMenu();
    });
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainForm::FormResize()
{
    FitBars();
    if (!m_startupPending)
        return;
    // Pages open once the window is on screen, after this resize has been laid out.
    StartupTrace::mark("first resize");
    m_startupPending = false;
    QMetaObject::invokeMethod(
        this, [this] { RunDeferredStartup(); }, Qt::QueuedConnection);
}

void TMainForm::RunDeferredStartup()
{
    StartupTrace::mark("deferred start-up");
    ErrorHandler::Run([this] {
        const bool lastClean = SettingsKeys::read(IniFile::config(), General::shutdown);
        OpenCommandLine();
        const StartupRules::DeferredPlan plan =
            StartupRules::planDeferredStartup(m_commandLine, lastClean);
        if (plan.offerRecovery)
            OfferRecovery();
        if (plan.writeShutdownFalse) {
            // A failed write is reported; the check below then offers the options dialog.
            ErrorHandler::Run([] {
                IniFile ini = IniFile::config();
                SettingsKeys::write(ini, General::shutdown, false);
            });
        }
        if (plan.openStartPage)
            OpenStartPage();
        if (plan.checkConfigExists && !QFileInfo(IniFile::config().path()).isFile())
            mnuOptionClick();
    });
    // After the first pages were asked for, which it must not hold up; their visits wait for
    // it. A history that cannot be opened is reported, and pages are then not recorded.
    ErrorHandler::Run([this] {
        const QString message = OpenHistory();
        if (!message.isEmpty())
            ErrorHandler::Report(message);
    });
}

void TMainForm::OpenCommandLine()
{
    m_commandLine = !m_arguments.isEmpty();
    // One window per event-loop turn, as a web list opens, so the window paints and answers
    // while many open.
    WebListOpener->openLines(m_arguments);
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
    Q_EMIT closed();
}

void TMainForm::FormClose()
{
    // The windows go with the main window: winlist keeps their last reports.
    ErrorHandler::Run([this] { Browser->windowList().flushWinList(); });
    History->flush();
    ErrorHandler::Run([this] {
        IniFile ini = IniFile::config();
        SettingsKeys::write(ini, General::LastEngine,
                            StartupRules::lastEngineText(command("IE_item")->isChecked()));
        SettingsKeys::write(ini, General::LastMojiSize, m_pageState.textSize);
        SettingsKeys::write(ini, General::WinSize,
                            StartupRules::settingFromChildState(m_pageState.childWindowState));
        SettingsKeys::write(ini, General::shutdown, true);
        BandPositionWrite();
        m_pageState.closedUrls.save();
    });
}

void TMainForm::FileExit1Execute()
{
    close();
}

QMenu *TMainForm::createPopupMenu()
{
    // The bars are switched from the View menu only, where their ticks live.
    return nullptr;
}

void TMainForm::WMCopyData(quint32 value, const QString &text)
{
    if (value != 2)
        return;
    ErrorHandler::Run([this, &text] {
        OpenPage(QStringLiteral("loading"), text);
        QApplication::beep();
    });
}

bool TMainForm::defaultEngineIsIE() const
{
    return command("IE_item")->isChecked();
}

void TMainForm::OfferRecovery()
{
    QApplication::beep();
    if (ConfirmBox::ask(this, QStringLiteral("警告"),
                        QStringLiteral("前回、正常に終了されなかった疑いがあります。\n"
                                       "前回終了時の場所から続行しますか？"),
                        QMessageBox::Warning))
        WebListOpener->openFileIfPresent(m_programFolder + StartupRules::restoreFileName());
}

void TMainForm::OpenStartPage()
{
    const OptionGroups::StartUp startUp = OptionGroups::ReadStartUp();
    const StartupRules::StartPage page =
        StartupRules::startPage(startUp.Type, startUp.Path, m_programFolder);
    if (page.kind == StartupRules::StartPage::Url)
        OpenPage(QStringLiteral("Loading"), page.path);
    else if (page.kind == StartupRules::StartPage::List)
        WebListOpener->openFileIfPresent(page.path);
}

void TMainForm::EnumFiles(const QString &folder)
{
    WebListMenu->EnumFiles(folder);
}

void TMainForm::ReadMojiSize()
{
    // The size is stored in one byte; a value of it outside 0..4 ticks no item but is kept.
    // A number no byte holds is no size at all: the default, written back in range.
    const int stored = SettingsKeys::read(IniFile::config(), General::LastMojiSize);
    m_pageState.textSize = stored >= 0 && stored <= 0xFF ? stored : General::LastMojiSize.def;
    const QList<QAction *> items{command("mnuSize_Min"), command("mnuSize_Small"),
                                 command("mnuSize_middle"), command("mnuSize_Large"),
                                 command("mnuSize_Max")};
    for (int i = 0; i < items.size(); ++i)
        items.at(i)->setChecked(i == m_pageState.textSize);
}

void TMainForm::mnuMZOptionClick()
{
    frm_MZOption->show();
    frm_MZOption->raise();
    frm_MZOption->activateWindow();
}
