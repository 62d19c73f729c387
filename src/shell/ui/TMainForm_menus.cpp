// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// MainMenu1, ActionList1 and TabPopup of the main window.
#include "shell/TMainForm.h"

#include "common/DynamicMenu.h"

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

namespace {

QAction *makeAction(QObject *parent, const QString &name, const QString &caption,
                    const QKeySequence &shortcut = QKeySequence())
{
    auto *action = new QAction(caption, parent);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
}

QAction *addItem(QMenu *menu, const QString &name, const QString &caption,
                 const QKeySequence &shortcut = QKeySequence())
{
    QAction *item = makeAction(menu, name, caption, shortcut);
    menu->addAction(item);
    return item;
}

QAction *addCheckItem(QMenu *menu, const QString &name, const QString &caption, bool checked)
{
    QAction *item = addItem(menu, name, caption);
    item->setCheckable(true);
    item->setChecked(checked);
    return item;
}

QAction *addSeparator(QMenu *menu, const QString &name)
{
    QAction *separator = menu->addSeparator();
    separator->setObjectName(name);
    return separator;
}

QMenu *addSubMenu(QWidget *parent, const QString &name, const QString &caption)
{
    auto *menu = new QMenu(caption, parent);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    if (auto *bar = qobject_cast<QMenuBar *>(parent))
        bar->addMenu(menu);
    else if (auto *parentMenu = qobject_cast<QMenu *>(parent))
        parentMenu->addMenu(menu);
    return menu;
}

} // namespace

void TMainForm::CreateActions()
{
    const QString file = QStringLiteral("ファイル");
    const QString edit = QStringLiteral("編集");
    const QString window = QStringLiteral("ウィンドウ");
    const QString help = QStringLiteral("ヘルプ");
    struct Row
    {
        QAction **member;
        const char *name;
        const QString &category;
        QString caption;
        QKeySequence shortcut;
    };
    const Row rows[] = {
        {&FileNew1, "FileNew1", file, QStringLiteral("新規作成(&N)"),
         QKeySequence(Qt::CTRL | Qt::Key_N)},
        {&FileOpen1, "FileOpen1", file, QStringLiteral("開く(&O)..."),
         QKeySequence(Qt::CTRL | Qt::Key_O)},
        {&FileClose1, "FileClose1", file, QStringLiteral("閉じる(&C)"), QKeySequence()},
        {&FileExit1, "FileExit1", file, QStringLiteral("終了(&X)"), QKeySequence()},
        {&EditCut1, "EditCut1", edit, QStringLiteral("切り取り(&T)"),
         QKeySequence(Qt::CTRL | Qt::Key_X)},
        {&EditCopy1, "EditCopy1", edit, QStringLiteral("コピー(&C)..."),
         QKeySequence(Qt::CTRL | Qt::Key_C)},
        {&EditPaste1, "EditPaste1", edit, QStringLiteral("貼り付け(&P)"),
         QKeySequence(Qt::CTRL | Qt::Key_V)},
        {&WindowCascade1, "WindowCascade1", window, QStringLiteral("重ねて表示(&C)"),
         QKeySequence()},
        {&WindowTileHorizontal1, "WindowTileHorizontal1", window,
         QStringLiteral("水平に並べて表示(&H)"), QKeySequence()},
        {&WindowTileVertical1, "WindowTileVertical1", window,
         QStringLiteral("垂直に並べて表示(&V)"), QKeySequence()},
        {&WindowMinimizeAll1, "WindowMinimizeAll1", window, QStringLiteral("すべてを最小化(&M)"),
         QKeySequence()},
        {&WindowArrangeAll1, "WindowArrangeAll1", window, QStringLiteral("アイコンの整列(&A)"),
         QKeySequence()},
        {&HelpAbout1, "HelpAbout1", help, QStringLiteral("バージョン情報(&A)..."), QKeySequence()},
    };
    for (const Row &row : rows) {
        QAction *action = makeAction(this, QLatin1String(row.name), row.caption, row.shortcut);
        action->setProperty("Category", row.category);
        *row.member = action;
        ActionList1.append(action);
    }
    // Shortcuts of the file commands work anywhere in the main window.
    addActions({FileNew1, FileOpen1, FileClose1, FileExit1, HelpAbout1});
    // The edit commands act on the focused edit box; they are attached to the edit boxes
    // themselves (CreateBars), so a page in a child window keeps its own Ctrl+X/C/V.
    for (QAction *action : {EditCut1, EditCopy1, EditPaste1})
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
}

QAction *TMainForm::LinkedItem(QMenu *menu, const QString &name, QAction *action)
{
    // A menu item bound to a command: same caption, shortcut shown in the menu, enabled with
    // the command. The key itself belongs to the command; the item's copy only answers while
    // its own menu has the focus, so the two never compete.
    QAction *item = addItem(menu, name, action->text(), action->shortcut());
    item->setShortcutContext(Qt::WidgetShortcut);
    item->setEnabled(action->isEnabled());
    connect(action, &QAction::changed, item,
            [item, action] { item->setEnabled(action->isEnabled()); });
    connect(item, &QAction::triggered, action, &QAction::trigger);
    return item;
}

void TMainForm::CreateMenus()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    File1 = addSubMenu(MainMenu1, QStringLiteral("File1"), QStringLiteral("ファイル(&F)"));
    FileNewItem = addSubMenu(File1, QStringLiteral("FileNewItem"), QStringLiteral("新規作成(&N)"));
    mnuNew_blank = LinkedItem(FileNewItem, QStringLiteral("mnuNew_blank"), FileNew1);
    mnuNew_blank->setText(QStringLiteral("&空白"));
    mnuNew_Cilp =
        addItem(FileNewItem, QStringLiteral("mnuNew_Cilp"), QStringLiteral("クリップボード(&C)"));
    FileOpenItem = LinkedItem(File1, QStringLiteral("FileOpenItem"), FileOpen1);
    FileCloseItem = LinkedItem(File1, QStringLiteral("FileCloseItem"), FileClose1);
    mnuFile_SaveAs =
        addItem(File1, QStringLiteral("mnuFile_SaveAs"), QStringLiteral("名前をつけて保存(&A)..."));
    N9 = addSeparator(File1, QStringLiteral("N9"));
    mnuLeastURL =
        addSubMenu(File1, QStringLiteral("mnuLeastURL"), QStringLiteral("最近閉じたURL(&E)"));
    mnuLeastURL_Child = addItem(mnuLeastURL, QStringLiteral("mnuLeastURL_Child"), QString());
    N1 = addSeparator(File1, QStringLiteral("N1"));
    FileExitItem = LinkedItem(File1, QStringLiteral("FileExitItem"), FileExit1);

    mnuEdit = addSubMenu(MainMenu1, QStringLiteral("mnuEdit"), QStringLiteral("編集(&E)"));
    mnuEdit_Copy = addItem(mnuEdit, QStringLiteral("mnuEdit_Copy"), QStringLiteral("コピー(&P)"));
    mnuEdit_Copy->setEnabled(false);
    N5 = addSeparator(mnuEdit, QStringLiteral("N5"));
    mnuEdit_slrAll = addItem(mnuEdit, QStringLiteral("mnuEdit_slrAll"),
                             QStringLiteral("全て選択(&A)"), QKeySequence(Qt::CTRL | Qt::Key_A));
    mnuEdit_slrAll->setEnabled(false);

    mnuShow = addSubMenu(MainMenu1, QStringLiteral("mnuShow"), QStringLiteral("表示(&V)"));
    mnuShow_Bar =
        addSubMenu(mnuShow, QStringLiteral("mnuShow_Bar"), QStringLiteral("ツールバー(&T)"));
    mnuShow_default =
        addCheckItem(mnuShow_Bar, QStringLiteral("mnuShow_default"), QStringLiteral("標準"), true);
    mnuShow_Address = addCheckItem(mnuShow_Bar, QStringLiteral("mnuShow_Address"),
                                   QStringLiteral("アドレスバー"), true);
    mnuShow_Status = addCheckItem(mnuShow_Bar, QStringLiteral("mnuShow_Status"),
                                  QStringLiteral("ステータスバー"), true);
    mnuShow_Tab =
        addCheckItem(mnuShow_Bar, QStringLiteral("mnuShow_Tab"), QStringLiteral("タブバー"), true);
    mnuShow_J =
        addCheckItem(mnuShow_Bar, QStringLiteral("mnuShow_J"), QStringLiteral("Jバー"), true);
    mnuShow_Search = addCheckItem(mnuShow_Bar, QStringLiteral("mnuShow_Search"),
                                  QStringLiteral("検索バー"), true);
    N2 = addSeparator(mnuShow, QStringLiteral("N2"));
    mnuShow_Size =
        addSubMenu(mnuShow, QStringLiteral("mnuShow_Size"), QStringLiteral("文字サイズ"));
    mnuSize_Max = addCheckItem(mnuShow_Size, QStringLiteral("mnuSize_Max"),
                               QStringLiteral("最大(&B)"), false);
    mnuSize_Large = addCheckItem(mnuShow_Size, QStringLiteral("mnuSize_Large"),
                                 QStringLiteral("大(&L)"), false);
    mnuSize_middle = addCheckItem(mnuShow_Size, QStringLiteral("mnuSize_middle"),
                                  QStringLiteral("中(&M)"), false);
    mnuSize_Small = addCheckItem(mnuShow_Size, QStringLiteral("mnuSize_Small"),
                                 QStringLiteral("小(&S)"), false);
    mnuSize_Min = addCheckItem(mnuShow_Size, QStringLiteral("mnuSize_Min"),
                               QStringLiteral("最小(&A)"), false);
    N13 = addSeparator(mnuShow, QStringLiteral("N13"));
    mnuTranslate = addItem(mnuShow, QStringLiteral("mnuTranslate"), QStringLiteral("翻訳"));
    mnuTranslate->setEnabled(false);

    mnuBookMark =
        addSubMenu(MainMenu1, QStringLiteral("mnuBookMark"), QStringLiteral("ブックマーク(&B)"));
    mnuBMEdit =
        addItem(mnuBookMark, QStringLiteral("mnuBMEdit"), QStringLiteral("ブックマークを編集(&E)"));
    N4 = addSeparator(mnuBookMark, QStringLiteral("N4"));

    mnuWebList =
        addSubMenu(MainMenu1, QStringLiteral("mnuWebList"), QStringLiteral("Webリスト(&L)"));
    mnuWebList_Edit = addItem(mnuWebList, QStringLiteral("mnuWebList_Edit"),
                              QStringLiteral("Webリストを編集(&E)"));
    mnuWebList_Add =
        addItem(mnuWebList, QStringLiteral("mnuWebList_Add"), QStringLiteral("現在状態を追加"));
    N7 = addSeparator(mnuWebList, QStringLiteral("N7"));

    Tool1 = addSubMenu(MainMenu1, QStringLiteral("Tool1"), QStringLiteral("ツール(&T)"));
    EngineItem = addSubMenu(Tool1, QStringLiteral("EngineItem"), QStringLiteral("エンジン"));
    IE_item = addCheckItem(EngineItem, QStringLiteral("IE_item"),
                           QStringLiteral("Internet Explorer"), true);
    Moz_Item = addCheckItem(EngineItem, QStringLiteral("Moz_Item"), QStringLiteral("Gecko"), false);
    N10 = addSeparator(Tool1, QStringLiteral("N10"));
    mnuSC = addSubMenu(Tool1, QStringLiteral("mnuSC"), QStringLiteral("セキュリティ"));
    mnuJava = addCheckItem(mnuSC, QStringLiteral("mnuJava"), QStringLiteral("Java"), false);
    mnuScript = addCheckItem(mnuSC, QStringLiteral("mnuScript"), QStringLiteral("Script"), false);
    mnuActiveX =
        addCheckItem(mnuSC, QStringLiteral("mnuActiveX"), QStringLiteral("ActiveX"), false);
    mnuMC = addSubMenu(Tool1, QStringLiteral("mnuMC"), QStringLiteral("マルチメディア"));
    mnuImage = addCheckItem(mnuMC, QStringLiteral("mnuImage"), QStringLiteral("&画像"), false);
    mnuBGM = addCheckItem(mnuMC, QStringLiteral("mnuBGM"), QStringLiteral("BGM"), false);
    mnuVideo = addCheckItem(mnuMC, QStringLiteral("mnuVideo"), QStringLiteral("Video"), false);
    N11 = addSeparator(Tool1, QStringLiteral("N11"));
    mnuOption = addItem(Tool1, QStringLiteral("mnuOption"), QStringLiteral("オプション"),
                        QKeySequence(Qt::Key_F12));
    mnuIEOption = addItem(Tool1, QStringLiteral("mnuIEOption"), QStringLiteral("IEオプション"));
    mnuMZOption =
        addItem(Tool1, QStringLiteral("mnuMZOption"), QStringLiteral("Mozillaオプション"));
    N14 = addSeparator(Tool1, QStringLiteral("N14"));
    mnuExtract =
        addItem(Tool1, QStringLiteral("mnuExtract"), QStringLiteral("リンクの抽出(&L)"));

    Window1 = addSubMenu(MainMenu1, QStringLiteral("Window1"), QStringLiteral("ウィンドウ(&W)"));
    Window1->addActions({WindowCascade1, WindowTileHorizontal1, WindowTileVertical1,
                         WindowMinimizeAll1, WindowArrangeAll1});
    connect(Window1, &QMenu::aboutToShow, this, &TMainForm::RebuildWindowList);

    Help1 = addSubMenu(MainMenu1, QStringLiteral("Help1"), QStringLiteral("ヘルプ(&H)"));
    Help2 = addItem(Help1, QStringLiteral("Help2"), QStringLiteral("ヘルプ(&H)"));
    N12 = addSeparator(Help1, QStringLiteral("N12"));
    HelpAboutItem = LinkedItem(Help1, QStringLiteral("HelpAboutItem"), HelpAbout1);
}

void TMainForm::CreateTabPopup()
{
    TabPopup = new QMenu(this);
    TabPopup->setObjectName(QStringLiteral("TabPopup"));
    N3 = addSubMenu(TabPopup, QStringLiteral("N3"), QStringLiteral("追加"));
    popAddClose = addItem(N3, QStringLiteral("popAddClose"), QStringLiteral("CloseURＬに追加"));
    popAddBookMark =
        addItem(N3, QStringLiteral("popAddBookMark"), QStringLiteral("ブックマークに追加(&A)"));
    N6 = addSeparator(TabPopup, QStringLiteral("N6"));
    N8 = addSubMenu(TabPopup, QStringLiteral("N8"), QStringLiteral("&全て閉じる"));
    mnu_AllClose = addItem(N8, QStringLiteral("mnu_AllClose"), QStringLiteral("全て閉じる(&L)"));
    mnu_AllCloseNotMe = addItem(N8, QStringLiteral("mnu_AllCloseNotMe"),
                                QStringLiteral("これ以外を全て閉じる(&M)"));
    popTabClose = addItem(TabPopup, QStringLiteral("popTabClose"), QStringLiteral("閉じる(&C)"));
    N15 = addSeparator(TabPopup, QStringLiteral("N15"));
    popExtract =
        addItem(TabPopup, QStringLiteral("popExtract"), QStringLiteral("リンクの抽出(&L)"));
}

void TMainForm::RebuildWindowList()
{
    DynamicMenu::RemoveMenuItems(Window1);
    const QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList();
    if (windows.isEmpty())
        return;
    DynamicMenu::AddMenuItem(Window1, QStringLiteral("-"), QString(), -1, -1, nullptr);
    QMdiSubWindow *active = m_mdiArea->activeSubWindow();
    int number = 1;
    for (QMdiSubWindow *window : windows) {
        QString title = window->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString caption = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                            : QStringLiteral("%1 %2").arg(number).arg(title);
        QMdiArea *area = m_mdiArea;
        QPointer<QMdiSubWindow> target(window);
        QAction *item = DynamicMenu::AddMenuItem(Window1, caption, window->windowTitle(), -1, -1,
                                                 [area, target](QAction *) {
                                                     if (!target)
                                                         return;
                                                     if (target->isMinimized())
                                                         target->showNormal();
                                                     area->setActiveSubWindow(target);
                                                 });
        item->setCheckable(true);
        item->setChecked(window == active);
        ++number;
    }
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
