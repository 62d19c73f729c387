// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// MainMenu1, ActionList1 and TabPopup of the main window.
#include "shell/TMainForm.h"

#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "common/CommandList.h"
#include "common/DynamicMenu.h"
#include "common/ErrorHandler.h"
#include "downloads/TDownloads.h"
#include "engine/TEngineBrowser.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

#include <functional>

using Tick = CommandList::Tick;

void TMainForm::CreateActions()
{
    m_commands = new CommandList(this);
    const QString file = QStringLiteral("ファイル");
    const QString edit = QStringLiteral("編集");
    const QString window = QStringLiteral("ウィンドウ");
    const QString help = QStringLiteral("ヘルプ");
    const auto key = [](QKeyCombination combination) {
        return QKeySequence(combination);
    };
    const CommandList::Command table[] =
        {
            // ActionList1
            {"FileNew1",
             QStringLiteral("新規作成(&N)"),
             key(Qt::CTRL | Qt::Key_N),
             -1,
             Tick::None,
             true,
             {},
             {},
             file},
            {"FileOpen1",
             QStringLiteral("開く(&O)..."),
             key(Qt::CTRL | Qt::Key_O),
             -1,
             Tick::None,
             true,
             {},
             {},
             file},
            {"FileClose1", QStringLiteral("閉じる(&C)"), {}, -1, Tick::None, true, {}, {}, file},
            {"mnuPrivateWindow",
             QStringLiteral("プライベートウィンドウ(&P)"),
             key(Qt::CTRL | Qt::SHIFT | Qt::Key_N),
             17,
             Tick::None,
             true,
             {},
             {},
             file},
            {"FileExit1",
             QStringLiteral("終了(&X)"),
             {},
             -1,
             Tick::None,
             true,
             {},
             {},
             file,
             [this] {
                 FileExit1Execute();
             }},
            {"EditCut1",
             QStringLiteral("切り取り(&T)"),
             key(Qt::CTRL | Qt::Key_X),
             -1,
             Tick::None,
             true,
             {},
             {},
             edit,
             [this] {
                 EditCut1Execute();
             }},
            {"EditCopy1",
             QStringLiteral("コピー(&C)..."),
             key(Qt::CTRL | Qt::Key_C),
             -1,
             Tick::None,
             true,
             {},
             {},
             edit,
             [this] {
                 EditCopy1Execute();
             }},
            {"EditPaste1",
             QStringLiteral("貼り付け(&P)"),
             key(Qt::CTRL | Qt::Key_V),
             -1,
             Tick::None,
             true,
             {},
             {},
             edit,
             [this] {
                 EditPaste1Execute();
             }},
            {"WindowCascade1",
             QStringLiteral("重ねて表示(&C)"),
             {},
             -1,
             Tick::None,
             true,
             {},
             {},
             window,
             [this] {
                 WindowCascade1Execute();
             }},
            {"WindowTileHorizontal1",
             QStringLiteral("水平に並べて表示(&H)"),
             {},
             -1,
             Tick::None,
             true,
             {},
             {},
             window,
             [this] {
                 WindowTileHorizontal1Execute();
             }},
            {"WindowTileVertical1",
             QStringLiteral("垂直に並べて表示(&V)"),
             {},
             -1,
             Tick::None,
             true,
             {},
             {},
             window,
             [this] {
                 WindowTileVertical1Execute();
             }},
            {"WindowMinimizeAll1",
             QStringLiteral("すべてを最小化(&M)"),
             {},
             -1,
             Tick::None,
             true,
             {},
             {},
             window,
             [this] {
                 WindowMinimizeAll1Execute();
             }},
            {"WindowArrangeAll1",
             QStringLiteral("アイコンの整列(&A)"),
             {},
             -1,
             Tick::None,
             true,
             {},
             {},
             window,
             [this] {
                 WindowArrangeAll1Execute();
             }},
            {"HelpAbout1",
             QStringLiteral("バージョン情報(&A)..."),
             {},
             -1,
             Tick::None,
             true,
             {},
             {},
             help},

            // MainMenu1
            {"mnuNew_Cilp", QStringLiteral("クリップボード(&C)")},
            {"mnuFile_SaveAs", QStringLiteral("名前をつけて保存(&A)...")},
            {"mnuLeastURL_Child", QString()},
            {"mnuEdit_Copy", QStringLiteral("コピー(&P)"), {}, -1, Tick::None, false},
            {"mnuEdit_slrAll", QStringLiteral("全て選択(&A)"), key(Qt::CTRL | Qt::Key_A), -1,
             Tick::None, false},
            {"mnuShow_default",
             QStringLiteral("標準"),
             {},
             -1,
             Tick::On,
             true,
             {},
             {},
             {},
             [this] {
                 mnuShow_defaultClick();
             }},
            {"mnuShow_Address",
             QStringLiteral("アドレスバー"),
             {},
             -1,
             Tick::On,
             true,
             {},
             {},
             {},
             [this] {
                 mnuShow_AddressClick();
             }},
            {"mnuShow_Status",
             QStringLiteral("ステータスバー"),
             {},
             -1,
             Tick::On,
             true,
             {},
             {},
             {},
             [this] {
                 mnuShow_StatusClick();
             }},
            {"mnuShow_Tab",
             QStringLiteral("タブバー"),
             {},
             -1,
             Tick::On,
             true,
             {},
             {},
             {},
             [this] {
                 mnuShow_TabClick();
             }},
            {"mnuShow_J",
             QStringLiteral("Jバー"),
             {},
             -1,
             Tick::On,
             true,
             {},
             {},
             {},
             [this] {
                 mnuShow_JClick();
             }},
            {"mnuShow_Search",
             QStringLiteral("検索バー"),
             {},
             -1,
             Tick::On,
             true,
             {},
             {},
             {},
             [this] {
                 mnuShow_SearchClick();
             }},
            {"mnuSize_Max", QStringLiteral("最大(&B)"), {}, -1, Tick::Off},
            {"mnuSize_Large", QStringLiteral("大(&L)"), {}, -1, Tick::Off},
            {"mnuSize_middle", QStringLiteral("中(&M)"), {}, -1, Tick::Off},
            {"mnuSize_Small", QStringLiteral("小(&S)"), {}, -1, Tick::Off},
            {"mnuSize_Min", QStringLiteral("最小(&A)"), {}, -1, Tick::Off},
            {"mnuTranslate", QStringLiteral("翻訳"), {}, -1, Tick::None, false},
            {"mnuBMEdit",
             QStringLiteral("ブックマークを編集(&E)"),
             {},
             -1,
             Tick::None,
             true,
             {},
             {},
             {},
             [this] {
                 mnuBMEditClick();
             }},
            {"mnuWebList_Edit", QStringLiteral("Webリストを編集(&E)")},
            {"mnuWebList_Add", QStringLiteral("現在状態を追加")},
            {"IE_item",
             QStringLiteral("Internet Explorer"),
             {},
             -1,
             Tick::On,
             true,
             {},
             {},
             {},
             [this] {
                 IE_ItemClick();
             }},
            {"Moz_Item",
             QStringLiteral("Gecko"),
             {},
             -1,
             Tick::Off,
             true,
             {},
             {},
             {},
             [this] {
                 Moz_ItemClick();
             }},
            {"mnuJava", QStringLiteral("Java"), {}, -1, Tick::Off},
            {"mnuScript", QStringLiteral("Script"), {}, -1, Tick::Off},
            {"mnuActiveX", QStringLiteral("ActiveX"), {}, -1, Tick::Off},
            {"mnuImage", QStringLiteral("&画像"), {}, -1, Tick::Off},
            {"mnuBGM", QStringLiteral("BGM"), {}, -1, Tick::Off},
            {"mnuVideo", QStringLiteral("Video"), {}, -1, Tick::Off},
            {"mnuOption",
             QStringLiteral("オプション"),
             key(Qt::Key_F12),
             -1,
             Tick::None,
             true,
             {},
             {},
             {},
             [this] {
                 mnuOptionClick();
             }},
            {"mnuIEOption", QStringLiteral("IEオプション")},
            {"mnuMZOption",
             QStringLiteral("Mozillaオプション"),
             {},
             -1,
             Tick::None,
             true,
             {},
             {},
             {},
             [this] {
                 mnuMZOptionClick();
             }},
            {"mnuExtract", QStringLiteral("リンクの抽出(&L)")},
            {"mnuDownload",
             QStringLiteral("ダウンロード(&D)..."),
             key(Qt::CTRL | Qt::Key_J),
             -1,
             Tick::None,
             true,
             {},
             {},
             {},
             [this] {
                 Downloads->ShowWindow();
             }},
            {"Help2", QStringLiteral("ヘルプ(&H)")},

            // TabPopup
            {"popAddClose", QStringLiteral("CloseURＬに追加")},
            {"popAddBookMark",
             QStringLiteral("ブックマークに追加(&A)"),
             {},
             -1,
             Tick::None,
             true,
             {},
             {},
             {},
             [this] {
                 popAddBookMarkClick();
             }},
            {"mnu_AllClose", QStringLiteral("全て閉じる(&L)")},
            {"mnu_AllCloseNotMe", QStringLiteral("これ以外を全て閉じる(&M)")},
            {"popTabClose", QStringLiteral("閉じる(&C)")},
            {"popExtract", QStringLiteral("リンクの抽出(&L)")},

            // The picture buttons of ToolBar2
            {"NewCtrl", QString(), {}, 0, Tick::None, true, QStringLiteral("新規作成")},
            {"ClipNewCtrl",
             QString(),
             {},
             16,
             Tick::None,
             true,
             QStringLiteral("クリップボードで新規作成")},
            {"BackCtrl", QString(), {}, 1, Tick::None, false, QStringLiteral("戻る")},
            {"FrwrdCtrl", QString(), {}, 2, Tick::None, false, QStringLiteral("進む")},
            {"StopCtrl", QString(), {}, 3, Tick::None, false, {}, QStringLiteral("中止")},
            {"ReLoadCtrl", QString(), {}, 4, Tick::None, false, {}, QStringLiteral("更新")},
            {"HomeCtrl",
             QString(),
             {},
             6,
             Tick::None,
             true,
             {},
             QStringLiteral("ホーム"),
             {},
             [this] {
                 HomeCtrlClick();
             }},
            {"ChangeCtrl",
             QString(),
             {},
             15,
             Tick::None,
             true,
             QStringLiteral("エンジンの切り替え"),
             {},
             {},
             [this] {
                 ChangeCtrlClick();
             }},
        };
    for (const CommandList::Command &c : table)
        m_commands->add(c);

    // Shortcuts of the file commands work anywhere in the main window.
    for (const char *name :
         {"FileNew1", "FileOpen1", "FileClose1", "FileExit1", "HelpAbout1", "mnuPrivateWindow"})
        addAction(command(name));
    // A page of either engine leaves the private window's key to the main window.
    command("mnuPrivateWindow")->setProperty(TEngineBrowser::HostKeyProperty, true);
    // The edit commands act on the focused edit box; they are attached to the edit boxes
    // themselves (CreateBars), so a page in a child window keeps its own Ctrl+X/C/V.
    for (const char *name : {"EditCut1", "EditCopy1", "EditPaste1"})
        command(name)->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    CreateEverydayCommands();
}

QList<QAction *> TMainForm::ActionList1() const
{
    QList<QAction *> list;
    for (QAction *action : m_commands->actions()) {
        if (action->property(CommandList::CategoryProperty).isValid())
            list.append(action);
    }
    return list;
}

QAction *TMainForm::command(const char *name) const
{
    return m_commands->action(name);
}

QMenu *TMainForm::commandMenu(const char *name) const
{
    QMenu *menu = m_commands->menu(name);
    if (!menu)
        qFatal("TMainForm: no submenu %s", name);
    return menu;
}

QAction *TMainForm::LinkedItem(const char *name, const char *linked, const QString &caption)
{
    // A menu item bound to a command: same caption, shortcut shown in the menu, enabled with
    // the command. The key itself belongs to the command; the item's copy only answers while
    // its own menu has the focus, so the two never compete.
    QAction *action = command(linked);
    QAction *item =
        m_commands->add({name, caption.isNull() ? action->text() : caption, action->shortcut()});
    item->setShortcutContext(Qt::WidgetShortcut);
    item->setEnabled(action->isEnabled());
    connect(action, &QAction::changed, item,
            [item, action] { item->setEnabled(action->isEnabled()); });
    connect(item, &QAction::triggered, action, &QAction::trigger);
    return item;
}

QMenu *TMainForm::NewMenu(const char *name, const QString &caption)
{
    auto *menu = new QMenu(caption, this);
    menu->setObjectName(QLatin1String(name));
    return m_commands->add(menu);
}

void TMainForm::FillMenu(QMenu *menu, std::initializer_list<const char *> items)
{
    for (const char *item : items) {
        if (item[0] == '-') {
            menu->addSeparator()->setObjectName(QLatin1String(item + 1));
        } else if (QMenu *sub = m_commands->menu(item)) {
            menu->addMenu(sub);
        } else {
            menu->addAction(command(item));
        }
    }
}

void TMainForm::CreateMenus()
{
    LinkedItem("mnuNew_blank", "FileNew1", QStringLiteral("&空白"));
    LinkedItem("FileOpenItem", "FileOpen1");
    LinkedItem("FileCloseItem", "FileClose1");
    LinkedItem("FileExitItem", "FileExit1");
    LinkedItem("HelpAboutItem", "HelpAbout1");

    // Submenus first, each filled once the ones inside it exist.
    FillMenu(NewMenu("FileNewItem", QStringLiteral("新規作成(&N)")),
             {"mnuNew_blank", "mnuNew_Cilp"});
    FillMenu(NewMenu("mnuLeastURL", QStringLiteral("最近閉じたURL(&E)")), {"mnuLeastURL_Child"});
    FillMenu(NewMenu("File1", QStringLiteral("ファイル(&F)")),
             {"FileNewItem", "FileOpenItem", "FileCloseItem", "mnuFile_SaveAs", "-N9",
              "mnuLeastURL", "-N1", "FileExitItem", "-NPrivate", "mnuPrivateWindow"});
    FillMenu(NewMenu("mnuEdit", QStringLiteral("編集(&E)")),
             {"mnuEdit_Copy", "-N5", "mnuEdit_slrAll", "-N17", "mnuFind"});
    FillMenu(NewMenu("mnuShow_Bar", QStringLiteral("ツールバー(&T)")),
             {"mnuShow_default", "mnuShow_Address", "mnuShow_Status", "mnuShow_Tab", "mnuShow_J",
              "mnuShow_Search"});
    FillMenu(NewMenu("mnuShow_Size", QStringLiteral("文字サイズ")),
             {"mnuSize_Max", "mnuSize_Large", "mnuSize_middle", "mnuSize_Small", "mnuSize_Min"});
    FillMenu(NewMenu("mnuShow", QStringLiteral("表示(&V)")),
             {"mnuShow_Bar", "-N2", "mnuShow_Size", "-N13", "mnuTranslate", "-N16", "mnuFullScreen",
              "-NHistory", "mnuHistory"});
    FillMenu(NewMenu("mnuBookMark", QStringLiteral("ブックマーク(&B)")), {"mnuBMEdit", "-N4"});
    FillMenu(NewMenu("mnuWebList", QStringLiteral("Webリスト(&L)")),
             {"mnuWebList_Edit", "mnuWebList_Add", "-N7"});
    FillMenu(NewMenu("EngineItem", QStringLiteral("エンジン")), {"IE_item", "Moz_Item"});
    FillMenu(NewMenu("mnuSC", QStringLiteral("セキュリティ")),
             {"mnuJava", "mnuScript", "mnuActiveX"});
    FillMenu(NewMenu("mnuMC", QStringLiteral("マルチメディア")),
             {"mnuImage", "mnuBGM", "mnuVideo"});
    FillMenu(NewMenu("Tool1", QStringLiteral("ツール(&T)")),
             {"EngineItem", "-N10", "mnuSC", "mnuMC", "-N11", "mnuOption", "mnuIEOption",
              "mnuMZOption", "-N14", "mnuExtract", "-NDownload", "mnuDownload"});
    QMenu *window = NewMenu("Window1", QStringLiteral("ウィンドウ(&W)"));
    FillMenu(window, {"WindowCascade1", "WindowTileHorizontal1", "WindowTileVertical1",
                      "WindowMinimizeAll1", "WindowArrangeAll1"});
    connect(window, &QMenu::aboutToShow, this, &TMainForm::RebuildWindowList);
    FillMenu(NewMenu("Help1", QStringLiteral("ヘルプ(&H)")), {"Help2", "-N12", "HelpAboutItem"});

    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    for (const char *name :
         {"File1", "mnuEdit", "mnuShow", "mnuBookMark", "mnuWebList", "Tool1", "Window1", "Help1"})
        MainMenu1->addMenu(commandMenu(name));
}

void TMainForm::CreateTabPopup()
{
    FillMenu(NewMenu("N3", QStringLiteral("追加")), {"popAddClose", "popAddBookMark"});
    FillMenu(NewMenu("N8", QStringLiteral("&全て閉じる")), {"mnu_AllClose", "mnu_AllCloseNotMe"});
    QMenu *popup = NewMenu("TabPopup", QString());
    FillMenu(popup, {"N3", "-N6", "N8", "popTabClose", "-N15", "popExtract"});
}

void TMainForm::RebuildWindowList()
{
    QMenu *menu = commandMenu("Window1");
    DynamicMenu::RemoveMenuItems(menu);
    // In tab order, as the window list holds them (the user may have dragged tabs); a tab that
    // waits for its window is listed too and gets its window when chosen. Other windows of the
    // area follow.
    const WindowList &list = Browser->windowList();
    QList<QMdiSubWindow *> listed;
    QList<int> order; // window IDs in tab order; -1 for a window outside the list
    for (int pos = 0; pos < list.count(); ++pos) {
        order.append(list.id(pos));
        if (TBrowserChild *child = Browser->childAt(pos))
            listed.append(child);
    }
    QList<QMdiSubWindow *> others;
    for (QMdiSubWindow *window : m_mdiArea->subWindowList()) {
        if (!listed.contains(window))
            others.append(window);
    }
    if (order.isEmpty() && others.isEmpty())
        return;
    DynamicMenu::AddMenuItem(menu, QStringLiteral("-"), QString(), -1, -1, nullptr);
    QMdiSubWindow *active = m_mdiArea->activeSubWindow();
    int number = 1;
    const auto addItem = [&](const QString &title, const std::function<void()> &choose) {
        QString shown = title;
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString caption = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(shown)
                                            : QStringLiteral("%1 %2").arg(number).arg(shown);
        ++number;
        QAction *item = DynamicMenu::AddMenuItem(menu, caption, title, -1, -1,
                                                 [choose](QAction *) { choose(); });
        item->setCheckable(true);
        return item;
    };
    const auto addWindow = [&](QMdiSubWindow *window) {
        QMdiArea *area = m_mdiArea;
        QPointer<QMdiSubWindow> target(window);
        addItem(window->windowTitle(), [area, target] {
            if (!target)
                return;
            if (target->isMinimized())
                target->showNormal();
            area->setActiveSubWindow(target);
        })->setChecked(window == active);
    };
    for (const int id : order) {
        if (TBrowserChild *child = Browser->childById(id)) {
            addWindow(child);
            continue;
        }
        addItem(list.nodeText(list.positionOf(id)), [this, id] {
            ErrorHandler::Run(
                [&] { Browser->TabControl1Change(Browser->windowList().positionOf(id)); });
        });
    }
    for (QMdiSubWindow *window : others)
        addWindow(window);
}

QWidget *TMainForm::FocusedEdit() const
{
    QWidget *focus = QApplication::focusWidget();
    if (auto *combo = qobject_cast<QComboBox *>(focus))
        return combo->lineEdit();
    if (qobject_cast<QLineEdit *>(focus) || qobject_cast<QTextEdit *>(focus) ||
        qobject_cast<QPlainTextEdit *>(focus))
        return focus;
    return nullptr;
}

void TMainForm::EditCut1Execute()
{
    QWidget *edit = FocusedEdit();
    if (auto *line = qobject_cast<QLineEdit *>(edit))
        line->cut();
    else if (auto *text = qobject_cast<QTextEdit *>(edit))
        text->cut();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(edit))
        plain->cut();
}

void TMainForm::EditCopy1Execute()
{
    QWidget *edit = FocusedEdit();
    if (auto *line = qobject_cast<QLineEdit *>(edit))
        line->copy();
    else if (auto *text = qobject_cast<QTextEdit *>(edit))
        text->copy();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(edit))
        plain->copy();
}

void TMainForm::EditPaste1Execute()
{
    QWidget *edit = FocusedEdit();
    if (auto *line = qobject_cast<QLineEdit *>(edit))
        line->paste();
    else if (auto *text = qobject_cast<QTextEdit *>(edit))
        text->paste();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(edit))
        plain->paste();
}
