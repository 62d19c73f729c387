// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "HomeTest.h"
#include "common/ErrorHandler.h"
#include "common/ImageList.h"
#include "common/SjisCodec.h"
#include "downloads/DownloadList.h"
#include "downloads/TDownloads.h"
#include "downloads/Tfrm_Download.h"
#include "engine/DownloadRelay.h"
#include "engine/EngineDownload.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"
#include "settings/Tfrm_Option.h"
#include "shell/StartupRules.h"
#include "shell/TMainForm.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

class tst_TMainForm : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:

    void menuItems_data();
    void menuItems();
    void menuOrder_data();
    void menuOrder();
    void actionList_data();
    void actionList();
    void tabPopup();
    void startUpDisablesPageMenus();
    void sideBarCaptionsShowWhole();
    void ctrlAWithoutWindowDoesNothing();
    void ctrlCInAddressBoxCopies();
    void editKeysStayWithOtherWidgets();

    void lastEngine_data();
    void lastEngine();
    void optionsDialogTurnsGeckoBackToIE();
    void optionsDialogReportsMissingBlockListWhileBlocking();
    void securityTicksFromSettings();
    void handOverOpensOneWindowForValueTwoOnly();
    void winListBecomesRestoreFile();
    void winSizeOutOfRangeWrittenBackNormal();
    void textSizeRead_data();
    void textSizeRead();
    void shutdownFlagFalseWhileRunningTrueAtClose();
    void startWithArgumentsMarksTheRunUnclean();
    void deferredStepRunsOnce();
    void exitCommandRunsFormClose();
    void badConfig_data();
    void badConfig();
    void unwritableConfigReportsAndGoesOn();

    void tileHorizontallyStacksRows();
    void tileVerticallyPlacesColumns();
    void cascadeAfterTileKeepsAUsableSize();
    void minimizeAllThenArrangeIcons();
    void windowMenuListsChildWindows();
    void downloadsWindowKeepsTheList();

private:
    std::unique_ptr<TMainForm> makeForm(const QStringList &arguments = {});
    QMdiSubWindow *addChild(TMainForm *form, const QString &title);
    static void runDeferred(TMainForm *form);
    static void showActive(TMainForm *form);
    QString general(const QString &key) const;

    QStringList m_errors;
};

void tst_TMainForm::initHome()
{
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
}

void tst_TMainForm::cleanupHome()
{
    ErrorHandler::setSink({});
}

std::unique_ptr<TMainForm> tst_TMainForm::makeForm(const QStringList &arguments)
{
    return std::make_unique<TMainForm>(arguments);
}

QMdiSubWindow *tst_TMainForm::addChild(TMainForm *form, const QString &title)
{
    auto *page = new QWidget;
    page->setWindowTitle(title);
    QMdiSubWindow *window = form->mdiArea()->addSubWindow(page);
    window->show();
    return window;
}

void tst_TMainForm::runDeferred(TMainForm *form)
{
    // The deferred start-up step is posted by the first resize.
    QCoreApplication::sendPostedEvents(form, QEvent::MetaCall);
}

void tst_TMainForm::showActive(TMainForm *form)
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    // No window manager under the test's X server: activate by hand.
    form->activateWindow();
    QApplication::setActiveWindow(form);
    QTRY_VERIFY_WITH_TIMEOUT(form->isActiveWindow(), 20000);
}

QString tst_TMainForm::general(const QString &key) const
{
    const QString text = SjisCodec::decode(m_home->read(QStringLiteral("config.ini")));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    for (const QString &line : lines) {
        if (line.startsWith(key + QLatin1Char('=')))
            return line.mid(key.size() + 1);
    }
    return QString();
}

void tst_TMainForm::menuItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checked");

    const QKeySequence none;
    QTest::newRow("FileNewItem") << QStringLiteral("FileNewItem") << QStringLiteral("新規作成(&N)")
                                 << none << true << false;
    QTest::newRow("mnuNew_blank") << QStringLiteral("mnuNew_blank") << QStringLiteral("&空白")
                                  << QKeySequence(Qt::CTRL | Qt::Key_N) << true << false;
    QTest::newRow("mnuNew_Cilp") << QStringLiteral("mnuNew_Cilp")
                                 << QStringLiteral("クリップボード(&C)") << none << true << false;
    QTest::newRow("FileOpenItem") << QStringLiteral("FileOpenItem") << QStringLiteral("開く(&O)...")
                                  << QKeySequence(Qt::CTRL | Qt::Key_O) << true << false;
    QTest::newRow("FileCloseItem")
        << QStringLiteral("FileCloseItem") << QStringLiteral("閉じる(&C)") << none << true << false;
    QTest::newRow("mnuFile_SaveAs")
        << QStringLiteral("mnuFile_SaveAs") << QStringLiteral("名前をつけて保存(&A)...") << none
        << false << false;
    QTest::newRow("mnuLeastURL") << QStringLiteral("mnuLeastURL")
                                 << QStringLiteral("最近閉じたURL(&E)") << none << true << false;
    QTest::newRow("mnuLeastURL_Child")
        << QStringLiteral("mnuLeastURL_Child") << QStringLiteral("") << none << true << false;
    QTest::newRow("FileExitItem") << QStringLiteral("FileExitItem") << QStringLiteral("終了(&X)")
                                  << none << true << false;
    QTest::newRow("mnuEdit_Copy") << QStringLiteral("mnuEdit_Copy") << QStringLiteral("コピー(&P)")
                                  << none << false << false;
    QTest::newRow("mnuEdit_slrAll")
        << QStringLiteral("mnuEdit_slrAll") << QStringLiteral("全て選択(&A)")
        << QKeySequence(Qt::CTRL | Qt::Key_A) << false << false;
    QTest::newRow("mnuShow_Bar") << QStringLiteral("mnuShow_Bar")
                                 << QStringLiteral("ツールバー(&T)") << none << true << false;
    QTest::newRow("mnuShow_default")
        << QStringLiteral("mnuShow_default") << QStringLiteral("標準") << none << true << true;
    QTest::newRow("mnuShow_J") << QStringLiteral("mnuShow_J") << QStringLiteral("Jバー") << none
                               << true << true;
    QTest::newRow("mnuShow_Search")
        << QStringLiteral("mnuShow_Search") << QStringLiteral("検索バー") << none << true << true;
    QTest::newRow("mnuShow_Size") << QStringLiteral("mnuShow_Size") << QStringLiteral("文字サイズ")
                                  << none << false << false;
    QTest::newRow("mnuSize_Max") << QStringLiteral("mnuSize_Max") << QStringLiteral("最大(&B)")
                                 << none << true << false;
    QTest::newRow("mnuSize_Min") << QStringLiteral("mnuSize_Min") << QStringLiteral("最小(&A)")
                                 << none << true << false;
    QTest::newRow("mnuTranslate") << QStringLiteral("mnuTranslate") << QStringLiteral("翻訳")
                                  << none << false << false;
    QTest::newRow("mnuBMEdit") << QStringLiteral("mnuBMEdit")
                               << QStringLiteral("ブックマークを編集(&E)") << none << true << false;
    QTest::newRow("mnuWebList_Edit")
        << QStringLiteral("mnuWebList_Edit") << QStringLiteral("Webリストを編集(&E)") << none
        << true << false;
    QTest::newRow("mnuWebList_Add") << QStringLiteral("mnuWebList_Add")
                                    << QStringLiteral("現在状態を追加") << none << true << false;
    QTest::newRow("IE_item") << QStringLiteral("IE_item") << QStringLiteral("Internet Explorer")
                             << none << true << true;
    QTest::newRow("Moz_Item") << QStringLiteral("Moz_Item") << QStringLiteral("Gecko") << none
                              << false << false;
    QTest::newRow("mnuSC") << QStringLiteral("mnuSC") << QStringLiteral("セキュリティ") << none
                           << false << false;
    QTest::newRow("mnuImage") << QStringLiteral("mnuImage") << QStringLiteral("&画像") << none
                              << true << false;
    QTest::newRow("mnuMC") << QStringLiteral("mnuMC") << QStringLiteral("マルチメディア") << none
                           << false << false;
    QTest::newRow("mnuOption") << QStringLiteral("mnuOption") << QStringLiteral("オプション")
                               << QKeySequence(Qt::Key_F12) << true << false;
    QTest::newRow("mnuIEOption") << QStringLiteral("mnuIEOption") << QStringLiteral("IEオプション")
                                 << none << true << false;
    QTest::newRow("mnuMZOption") << QStringLiteral("mnuMZOption")
                                 << QStringLiteral("Mozillaオプション") << none << true << false;
    QTest::newRow("Help2") << QStringLiteral("Help2") << QStringLiteral("ヘルプ(&H)") << none
                           << true << false;
    QTest::newRow("HelpAboutItem")
        << QStringLiteral("HelpAboutItem") << QStringLiteral("バージョン情報(&A)...") << none
        << true << false;
}

void tst_TMainForm::menuItems()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, enabled);
    QFETCH(bool, checked);
    auto form = makeForm();
    QAction *item = form->findChild<QAction *>(name);
    QVERIFY2(item, qPrintable(name));
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->shortcut(), shortcut);
    QCOMPARE(item->isEnabled(), enabled);
    QCOMPARE(item->isChecked(), checked);
}

void tst_TMainForm::menuOrder_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("MainMenu1") << QStringLiteral("MainMenu1")
                               << QStringList{
                                      QStringLiteral("File1"),      QStringLiteral("mnuEdit"),
                                      QStringLiteral("mnuShow"),    QStringLiteral("mnuBookMark"),
                                      QStringLiteral("mnuWebList"), QStringLiteral("Tool1"),
                                      QStringLiteral("Window1"),    QStringLiteral("Help1")};
    QTest::newRow("File1") << QStringLiteral("File1")
                           << QStringList{QStringLiteral("FileNewItem"),
                                          QStringLiteral("FileOpenItem"),
                                          QStringLiteral("FileCloseItem"),
                                          QStringLiteral("mnuFile_SaveAs"),
                                          QStringLiteral("N9"),
                                          QStringLiteral("mnuLeastURL"),
                                          QStringLiteral("N1"),
                                          QStringLiteral("FileExitItem"),
                                          QStringLiteral("NPrivate"),
                                          QStringLiteral("mnuPrivateWindow")};
    QTest::newRow("mnuLeastURL") << QStringLiteral("mnuLeastURL")
                                 << QStringList{QStringLiteral("mnuLeastURL_Child")};
    QTest::newRow("mnuShow") << QStringLiteral("mnuShow")
                             << QStringList{
                                    QStringLiteral("mnuShow_Bar"),   QStringLiteral("N2"),
                                    QStringLiteral("mnuShow_Size"),  QStringLiteral("N13"),
                                    QStringLiteral("mnuTranslate"),  QStringLiteral("N16"),
                                    QStringLiteral("mnuFullScreen"), QStringLiteral("NHistory"),
                                    QStringLiteral("mnuHistory")};
    QTest::newRow("mnuShow_Bar") << QStringLiteral("mnuShow_Bar")
                                 << QStringList{QStringLiteral("mnuShow_default"),
                                                QStringLiteral("mnuShow_Address"),
                                                QStringLiteral("mnuShow_Status"),
                                                QStringLiteral("mnuShow_Tab"),
                                                QStringLiteral("mnuShow_J"),
                                                QStringLiteral("mnuShow_Search")};
    QTest::newRow("mnuShow_Size") << QStringLiteral("mnuShow_Size")
                                  << QStringList{QStringLiteral("mnuSize_Max"),
                                                 QStringLiteral("mnuSize_Large"),
                                                 QStringLiteral("mnuSize_middle"),
                                                 QStringLiteral("mnuSize_Small"),
                                                 QStringLiteral("mnuSize_Min")};
    QTest::newRow("mnuBookMark") << QStringLiteral("mnuBookMark")
                                 << QStringList{QStringLiteral("mnuBMEdit"), QStringLiteral("N4")};
    QTest::newRow("mnuWebList") << QStringLiteral("mnuWebList")
                                << QStringList{QStringLiteral("mnuWebList_Edit"),
                                               QStringLiteral("mnuWebList_Add"),
                                               QStringLiteral("N7")};
    QTest::newRow("Tool1") << QStringLiteral("Tool1")
                           << QStringList{
                                  QStringLiteral("EngineItem"),  QStringLiteral("N10"),
                                  QStringLiteral("mnuSC"),       QStringLiteral("mnuMC"),
                                  QStringLiteral("N11"),         QStringLiteral("mnuOption"),
                                  QStringLiteral("mnuIEOption"), QStringLiteral("mnuMZOption"),
                                  QStringLiteral("N14"),         QStringLiteral("mnuExtract"),
                                  QStringLiteral("NDownload"),   QStringLiteral("mnuDownload")};
    QTest::newRow("Window1") << QStringLiteral("Window1")
                             << QStringList{QStringLiteral("WindowCascade1"),
                                            QStringLiteral("WindowTileHorizontal1"),
                                            QStringLiteral("WindowTileVertical1"),
                                            QStringLiteral("WindowMinimizeAll1"),
                                            QStringLiteral("WindowArrangeAll1")};
    QTest::newRow("Help1") << QStringLiteral("Help1")
                           << QStringList{QStringLiteral("Help2"), QStringLiteral("N12"),
                                          QStringLiteral("HelpAboutItem")};
}

void tst_TMainForm::menuOrder()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    auto form = makeForm();
    QList<QAction *> actions;
    if (menu == QLatin1String("MainMenu1"))
        actions = form->MainMenu1->actions();
    else
        actions = form->findChild<QMenu *>(menu)->actions();
    QStringList names;
    for (QAction *action : std::as_const(actions))
        names.append(action->objectName());
    QCOMPARE(names, items);
}

void tst_TMainForm::actionList_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    const QKeySequence none;
    QTest::newRow("FileNew1") << QStringLiteral("FileNew1") << QStringLiteral("ファイル")
                              << QStringLiteral("新規作成(&N)")
                              << QKeySequence(Qt::CTRL | Qt::Key_N);
    QTest::newRow("FileOpen1") << QStringLiteral("FileOpen1") << QStringLiteral("ファイル")
                               << QStringLiteral("開く(&O)...")
                               << QKeySequence(Qt::CTRL | Qt::Key_O);
    QTest::newRow("FileExit1") << QStringLiteral("FileExit1") << QStringLiteral("ファイル")
                               << QStringLiteral("終了(&X)") << none;
    QTest::newRow("mnuPrivateWindow")
        << QStringLiteral("mnuPrivateWindow") << QStringLiteral("ファイル")
        << QStringLiteral("プライベートウィンドウ(&P)")
        << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N);
    QTest::newRow("EditCut1") << QStringLiteral("EditCut1") << QStringLiteral("編集")
                              << QStringLiteral("切り取り(&T)")
                              << QKeySequence(Qt::CTRL | Qt::Key_X);
    QTest::newRow("EditCopy1") << QStringLiteral("EditCopy1") << QStringLiteral("編集")
                               << QStringLiteral("コピー(&C)...")
                               << QKeySequence(Qt::CTRL | Qt::Key_C);
    QTest::newRow("EditPaste1") << QStringLiteral("EditPaste1") << QStringLiteral("編集")
                                << QStringLiteral("貼り付け(&P)")
                                << QKeySequence(Qt::CTRL | Qt::Key_V);
    QTest::newRow("WindowTileVertical1")
        << QStringLiteral("WindowTileVertical1") << QStringLiteral("ウィンドウ")
        << QStringLiteral("垂直に並べて表示(&V)") << none;
    QTest::newRow("HelpAbout1") << QStringLiteral("HelpAbout1") << QStringLiteral("ヘルプ")
                                << QStringLiteral("バージョン情報(&A)...") << none;
}

void tst_TMainForm::actionList()
{
    QFETCH(QString, name);
    QFETCH(QString, category);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    auto form = makeForm();
    QAction *action = nullptr;
    for (QAction *candidate : form->ActionList1()) {
        if (candidate->objectName() == name)
            action = candidate;
    }
    QVERIFY(action);
    QCOMPARE(action->property("Category").toString(), category);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut(), shortcut);
}

void tst_TMainForm::tabPopup()
{
    auto form = makeForm();
    QStringList top;
    for (QAction *action : form->commands().menu("TabPopup")->actions())
        top.append(action->objectName() + QLatin1Char(':') + action->text());
    QCOMPARE(top, (QStringList{QStringLiteral("N3:追加"), QStringLiteral("N6:"),
                               QStringLiteral("N8:&全て閉じる"),
                               QStringLiteral("popTabClose:閉じる(&C)"), QStringLiteral("N15:"),
                               QStringLiteral("popExtract:リンクの抽出(&L)")}));
    QCOMPARE(form->commands().menu("N3")->actions(),
             (QList<QAction *>{form->commands().action("popAddClose"),
                               form->commands().action("popAddBookMark")}));
    QCOMPARE(form->commands().action("popAddClose")->text(), QStringLiteral("CloseURＬに追加"));
    QCOMPARE(form->commands().action("mnu_AllCloseNotMe")->text(),
             QStringLiteral("これ以外を全て閉じる(&M)"));
}

void tst_TMainForm::startUpDisablesPageMenus()
{
    auto form = makeForm();
    for (QAction *button :
         {form->commands().action("BackCtrl"), form->commands().action("FrwrdCtrl"),
          form->commands().action("StopCtrl"), form->commands().action("ReLoadCtrl")})
        QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
    QVERIFY(form->commands().action("NewCtrl")->isEnabled());
    QVERIFY(!form->commands().menu("mnuSC")->menuAction()->isEnabled());
    QVERIFY(!form->commands().menu("mnuMC")->menuAction()->isEnabled());
    QVERIFY(!form->commands().menu("mnuShow_Size")->menuAction()->isEnabled());
    QCOMPARE(form->windowTitle(), QStringLiteral("Dorvu"));
}

// At the side bar's default width both page captions are readable, not cut short.
void tst_TMainForm::sideBarCaptionsShowWhole()
{
    auto form = makeForm();
    showActive(form.get());
    QTabBar *tabs = form->JTabControl->tabBar();
    QCOMPARE(form->JBar->width(), 153);
    QCOMPARE(tabs->elideMode(), Qt::ElideNone);
    QCOMPARE(tabs->count(), 2);
    for (int i = 0; i < tabs->count(); ++i) {
        const QRect tab = tabs->tabRect(i);
        QVERIFY2(tab.width() > tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)),
                 qPrintable(tabs->tabText(i)));
        QVERIFY2(tabs->mapTo(form->JTabControl, tab.topRight()).x() < form->JTabControl->width(),
                 qPrintable(tabs->tabText(i)));
    }
}

void tst_TMainForm::ctrlAWithoutWindowDoesNothing()
{
    auto form = makeForm();
    showActive(form.get());
    form->mdiArea()->setFocus();
    QSignalSpy spy(form->commands().action("mnuEdit_slrAll"), &QAction::triggered);
    QTest::keyClick(form->mdiArea(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(spy.count(), 0);
    // The same key reaches the item once a page window enables it.
    form->commands().action("mnuEdit_slrAll")->setEnabled(true);
    QTest::keyClick(form->mdiArea(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(spy.count(), 1);
}

void tst_TMainForm::ctrlCInAddressBoxCopies()
{
    auto form = makeForm();
    showActive(form.get());
    form->txtAddress->setFocus();
    form->txtAddress->setText(QStringLiteral("http://127.0.0.1/ページ"));
    form->txtAddress->selectAll();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(form->txtAddress, Qt::Key_C, Qt::ControlModifier);
    QTRY_COMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("http://127.0.0.1/ページ"));
    form->txtAddress->clear();
    QTest::keyClick(form->txtAddress, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(form->txtAddress->text(), QStringLiteral("http://127.0.0.1/ページ"));
    // The command itself acts on the focused box too.
    form->txtAddress->selectAll();
    form->commands().action("EditCut1")->trigger();
    QCOMPARE(form->txtAddress->text(), QString());
}

void tst_TMainForm::editKeysStayWithOtherWidgets()
{
    // A page in a child window keeps its own Ctrl+C: the edit commands are not window-wide.
    auto form = makeForm();
    showActive(form.get());
    form->TreeView1->setFocus();
    QSignalSpy copy(form->commands().action("EditCopy1"), &QAction::triggered);
    QTest::keyClick(form->TreeView1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(copy.count(), 0);
    // In the search service box, a combo box, the command does reach the edit.
    form->cmbSearch->setFocus();
    form->cmbSearch->setEditText(QStringLiteral("検索語"));
    form->cmbSearch->lineEdit()->selectAll();
    QGuiApplication::clipboard()->clear();
    form->commands().action("EditCopy1")->trigger();
    QTRY_COMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("検索語"));
}

void tst_TMainForm::lastEngine_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<bool>("ieChecked");
    QTest::addColumn<bool>("mozEnabled");
    QTest::newRow("missing") << QByteArray() << true << false;
    QTest::newRow("IE") << QByteArray("[General]\r\nLastEngine=IE\r\n") << true << false;
    QTest::newRow("lower-case ie is not IE")
        << QByteArray("[General]\r\nLastEngine=ie\r\n[Option_Main]\r\nMozilla=1\r\n") << false
        << true;
    QTest::newRow("Gecko, Gecko in use")
        << QByteArray("[General]\r\nLastEngine=Gecko\r\n[Option_Main]\r\nMozilla=1\r\n") << false
        << true;
    QTest::newRow("Gecko, Gecko off")
        << QByteArray("[General]\r\nLastEngine=Gecko\r\n") << false << false;
}

void tst_TMainForm::lastEngine()
{
    QFETCH(QByteArray, config);
    QFETCH(bool, ieChecked);
    QFETCH(bool, mozEnabled);
    if (!config.isEmpty())
        m_home->write(QStringLiteral("config.ini"), config);
    auto form = makeForm();
    QCOMPARE(form->commands().action("IE_item")->isChecked(), ieChecked);
    QCOMPARE(form->commands().action("Moz_Item")->isChecked(), !ieChecked);
    QCOMPARE(form->commands().action("Moz_Item")->isEnabled(), mozEnabled);
    QCOMPARE(ImageList::imageIndex(form->commands().action("ChangeCtrl")), ieChecked ? 15 : 14);
    QCOMPARE(form->defaultEngineIsIE(), ieChecked);
}

void tst_TMainForm::optionsDialogTurnsGeckoBackToIE()
{
    m_home->write(QStringLiteral("config.ini"), "[General]\r\nLastEngine=Gecko\r\n");
    auto form = makeForm();
    QVERIFY(form->commands().action("Moz_Item")->isChecked());
    QVERIFY(!form->commands().action("Moz_Item")->isEnabled());
    QVERIFY(form->commands().action("ChangeCtrl")->isEnabled());

    Tfrm_Option options(form.get(), form.get());
    QVERIFY(form->commands().action("IE_item")->isChecked());
    QVERIFY(!form->commands().action("Moz_Item")->isChecked());
    QVERIFY(!form->commands().action("ChangeCtrl")->isEnabled());
    QCOMPARE(ImageList::imageIndex(form->commands().action("ChangeCtrl")), 15);
    QVERIFY(!options.isVisible());
    // A fresh folder has no CloseURL.txt; with blocking off that is not worth a message.
    QCOMPARE(m_errors, QStringList());
}

void tst_TMainForm::optionsDialogReportsMissingBlockListWhileBlocking()
{
    m_home->write(QStringLiteral("config.ini"), "[Option_advertisemen]\r\nCloseURL=1\r\n");
    auto form = makeForm();
    Tfrm_Option options(form.get(), form.get());
    QCOMPARE(m_errors,
             QStringList{QStringLiteral("ファイル %1 は開けません")
                             .arg(form->programFolder() + QStringLiteral("CloseURL.txt"))});
    // The Gecko setting was applied before the block list was read.
    QVERIFY(!form->commands().action("ChangeCtrl")->isEnabled());
}

void tst_TMainForm::handOverOpensOneWindowForValueTwoOnly()
{
    auto form = makeForm();
    form->WMCopyData(3, QStringLiteral("about:blank"));
    QCOMPARE(form->mdiArea()->subWindowList().size(), 0);
    form->WMCopyData(2, QString());
    QCOMPARE(form->mdiArea()->subWindowList().size(), 1);
    QCOMPARE(m_errors, QStringList());
}

void tst_TMainForm::securityTicksFromSettings()
{
    m_home->write(
        QStringLiteral("config.ini"),
        "[Option_Security]\r\nScript=1\r\n[Option_Multimedia]\r\nBGM=true\r\nVideo=1\r\n");
    auto form = makeForm();
    QCOMPARE(form->commands().action("mnuJava")->isChecked(), false);
    QCOMPARE(form->commands().action("mnuScript")->isChecked(), true);
    QCOMPARE(form->commands().action("mnuActiveX")->isChecked(), false);
    QCOMPARE(form->commands().action("mnuImage")->isChecked(), false);
    QCOMPARE(form->commands().action("mnuVideo")->isChecked(), true);
}

void tst_TMainForm::winListBecomesRestoreFile()
{
    m_home->write(QStringLiteral("winlist"), "http://127.0.0.1/a\r\nhttp://127.0.0.1/b\r\n");
    m_home->write(StartupRules::restoreFileName(), "http://127.0.0.1/old\r\n");
    auto form = makeForm();
    QVERIFY(!QFile::exists(m_home->file(QStringLiteral("winlist"))));
    QCOMPARE(m_home->read(StartupRules::restoreFileName()),
             QByteArray("http://127.0.0.1/a\r\nhttp://127.0.0.1/b\r\n"));
    QCOMPARE(m_errors, QStringList());
}

void tst_TMainForm::winSizeOutOfRangeWrittenBackNormal()
{
    m_home->write(QStringLiteral("config.ini"), "[General]\r\nWinSize=5\r\n");
    auto form = makeForm();
    QCOMPARE(form->childWindowState(), Qt::WindowNoState);
    form->FormClose();
    QCOMPARE(general(QStringLiteral("WinSize")), QStringLiteral("0"));

    m_home->write(QStringLiteral("config.ini"), "[General]\r\nWinSize=1\r\n");
    auto maximized = makeForm();
    QCOMPARE(maximized->childWindowState(), Qt::WindowMaximized);
    maximized->setChildWindowState(Qt::WindowMinimized);
    maximized->FormClose();
    QCOMPARE(general(QStringLiteral("WinSize")), QStringLiteral("2"));
}

void tst_TMainForm::textSizeRead_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("written");

    QTest::newRow("no file: middle")
        << QByteArray() << QStringLiteral("mnuSize_middle") << QStringLiteral("2");
    QTest::newRow("largest") << QByteArray("[General]\r\nLastMojiSize=4\r\n")
                             << QStringLiteral("mnuSize_Max") << QStringLiteral("4");
    QTest::newRow("out of range kept, nothing ticked")
        << QByteArray("[General]\r\nLastMojiSize=7\r\n") << QString() << QStringLiteral("7");
    // Beyond the one byte the size is stored in: the default, not a byte of the number.
    QTest::newRow("negative: middle") << QByteArray("[General]\r\nLastMojiSize=-1\r\n")
                                      << QStringLiteral("mnuSize_middle") << QStringLiteral("2");
    QTest::newRow("huge: middle") << QByteArray("[General]\r\nLastMojiSize=999999\r\n")
                                  << QStringLiteral("mnuSize_middle") << QStringLiteral("2");
}

void tst_TMainForm::textSizeRead()
{
    QFETCH(QByteArray, config);
    QFETCH(QString, checked);
    QFETCH(QString, written);

    if (!config.isEmpty())
        m_home->write(QStringLiteral("config.ini"), config);
    auto form = makeForm();
    const QList<QAction *> items{
        form->commands().action("mnuSize_Min"), form->commands().action("mnuSize_Small"),
        form->commands().action("mnuSize_middle"), form->commands().action("mnuSize_Large"),
        form->commands().action("mnuSize_Max")};
    for (QAction *item : items)
        QCOMPARE(item->isChecked(), item->objectName() == checked);
    // The stored size survives the next exit instead of being reset.
    form->FormClose();
    QCOMPARE(general(QStringLiteral("LastMojiSize")), written);
}

void tst_TMainForm::shutdownFlagFalseWhileRunningTrueAtClose()
{
    auto form = makeForm();
    form->show();
    runDeferred(form.get());
    QCOMPARE(general(QStringLiteral("shutdown")), QStringLiteral("0"));
    form->Moz_ItemClick();
    form->close();
    QCOMPARE(general(QStringLiteral("shutdown")), QStringLiteral("1"));
    QCOMPARE(general(QStringLiteral("LastEngine")), QStringLiteral("Gecko"));
    QCOMPARE(general(QStringLiteral("LastMojiSize")), QStringLiteral("2"));
    QVERIFY(QFile::exists(m_home->file(QStringLiteral("Close.txt"))));
    QCOMPARE(m_errors, QStringList());
}

// A run started from a link in another program is marked unclean too, so that a crash offers
// its windows at the next start; it asks nothing and opens no start page itself.
void tst_TMainForm::startWithArgumentsMarksTheRunUnclean()
{
    m_home->write(QStringLiteral("config.ini"), "[General]\r\nshutdown=1\r\n");
    auto form = makeForm({QStringLiteral("about:blank"), QStringLiteral("about:blank")});
    form->show();
    runDeferred(form.get());
    QVERIFY(form->commandLine());
    QCOMPARE(m_home->read(QStringLiteral("config.ini")), QByteArray("[General]\r\nshutdown=0\r\n"));
}

void tst_TMainForm::deferredStepRunsOnce()
{
    auto form = makeForm();
    QVERIFY(form->startupPending());
    form->show();
    runDeferred(form.get());
    QVERIFY(!form->startupPending());
    QCOMPARE(general(QStringLiteral("shutdown")), QStringLiteral("0"));
    m_home->write(QStringLiteral("config.ini"), "[General]\r\nshutdown=1\r\n");
    form->resize(640, 480);
    form->resize(700, 500);
    runDeferred(form.get());
    QCoreApplication::processEvents();
    QCOMPARE(general(QStringLiteral("shutdown")), QStringLiteral("1"));
}

void tst_TMainForm::exitCommandRunsFormClose()
{
    auto form = makeForm();
    form->show();
    runDeferred(form.get());
    form->commands().action("FileExitItem")->trigger();
    QVERIFY(!form->isVisible());
    QCOMPARE(general(QStringLiteral("shutdown")), QStringLiteral("1"));
}

void tst_TMainForm::badConfig_data()
{
    QTest::addColumn<QByteArray>("config");
    QByteArray garbage(4096, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919 + 13) % 256);
    QByteArray manyLines;
    for (int i = 0; i < 100000; ++i)
        manyLines += "[General]\r\nLastEngine=Gecko" + QByteArray::number(i) + "\r\n";
    QTest::newRow("binary garbage") << garbage;
    QTest::newRow("100000 lines") << manyLines;
    QTest::newRow("1 MB line") << QByteArray("[General]\r\nWinSize=") + QByteArray(1 << 20, '9');
    QTest::newRow("invalid Shift_JIS") << QByteArray(
        "[General]\r\nLastEngine=\x82\xff\x81\r\n[Option_Tab]\r\nTabType=\x85\x85\r\n");
}

void tst_TMainForm::badConfig()
{
    QFETCH(QByteArray, config);
    m_home->write(QStringLiteral("config.ini"), config);
    auto form = makeForm();
    form->show();
    runDeferred(form.get());
    QCOMPARE(form->childWindowState(), Qt::WindowNoState);
    form->close();
    QCOMPARE(general(QStringLiteral("shutdown")), QStringLiteral("1"));
}

void tst_TMainForm::unwritableConfigReportsAndGoesOn()
{
    // A folder in the place of config.ini: every read gives its default, every write fails.
    QVERIFY(QDir().mkpath(m_home->file(QStringLiteral("config.ini"))));
    auto form = makeForm();
    QVERIFY(form->commands().action("IE_item")->isChecked());
    form->show();
    runDeferred(form.get());
    QCOMPARE(m_errors.size(), 1);
    QVERIFY2(m_errors.first().contains(QStringLiteral("書き込めません")),
             qPrintable(m_errors.first()));
    form->close();
    QCOMPARE(m_errors.size(), 2);
    QVERIFY(!form->isVisible());
}

void tst_TMainForm::tileHorizontallyStacksRows()
{
    auto form = makeForm();
    form->show();
    const QList<QMdiSubWindow *> windows = {addChild(form.get(), QStringLiteral("a")),
                                            addChild(form.get(), QStringLiteral("b")),
                                            addChild(form.get(), QStringLiteral("c"))};
    form->commands().action("WindowTileHorizontal1")->trigger();
    const QRect area = form->mdiArea()->viewport()->rect();
    int top = area.top();
    for (QMdiSubWindow *window : windows) {
        QCOMPARE(window->geometry().left(), area.left());
        QCOMPARE(window->geometry().width(), area.width());
        QCOMPARE(window->geometry().top(), top);
        top += window->geometry().height();
    }
    QCOMPARE(top, area.bottom() + 1);
}

void tst_TMainForm::tileVerticallyPlacesColumns()
{
    auto form = makeForm();
    form->show();
    const QList<QMdiSubWindow *> windows = {addChild(form.get(), QStringLiteral("a")),
                                            addChild(form.get(), QStringLiteral("b"))};
    windows.first()->showMaximized();
    form->commands().action("WindowTileVertical1")->trigger();
    const QRect area = form->mdiArea()->viewport()->rect();
    QVERIFY(!windows.first()->isMaximized());
    QCOMPARE(windows.at(0)->geometry().left(), area.left());
    QCOMPARE(windows.at(1)->geometry().left(), windows.at(0)->geometry().right() + 1);
    QCOMPARE(windows.at(1)->geometry().height(), area.height());
}

void tst_TMainForm::cascadeAfterTileKeepsAUsableSize()
{
    auto form = makeForm();
    form->resize(1000, 800);
    form->show();
    const QList<QMdiSubWindow *> windows = {addChild(form.get(), QStringLiteral("a")),
                                            addChild(form.get(), QStringLiteral("b"))};
    form->commands().action("WindowTileVertical1")->trigger();
    form->commands().action("WindowCascade1")->trigger();
    const QRect area = form->mdiArea()->viewport()->rect();
    for (QMdiSubWindow *window : windows) {
        QVERIFY2(window->width() >= area.width() / 2 && window->height() >= area.height() / 2,
                 qPrintable(QStringLiteral("%1x%2").arg(window->width()).arg(window->height())));
        QVERIFY(area.contains(window->geometry()));
    }
    QVERIFY(windows.at(1)->y() > windows.at(0)->y());
}

void tst_TMainForm::minimizeAllThenArrangeIcons()
{
    auto form = makeForm();
    form->show();
    const QList<QMdiSubWindow *> windows = {addChild(form.get(), QStringLiteral("a")),
                                            addChild(form.get(), QStringLiteral("b"))};
    form->commands().action("WindowMinimizeAll1")->trigger();
    for (QMdiSubWindow *window : windows)
        QVERIFY(window->isMinimized());
    windows.at(0)->move(40, 10);
    windows.at(1)->move(90, 30);
    form->commands().action("WindowArrangeAll1")->trigger();
    const QRect area = form->mdiArea()->viewport()->rect();
    QCOMPARE(windows.at(0)->geometry().bottom(), area.bottom());
    QCOMPARE(windows.at(1)->geometry().bottom(), area.bottom());
    QCOMPARE(windows.at(0)->x(), area.left());
    QCOMPARE(windows.at(1)->x(), area.left() + windows.at(0)->width());
}

void tst_TMainForm::windowMenuListsChildWindows()
{
    auto form = makeForm();
    form->show();
    QMdiSubWindow *first = addChild(form.get(), QStringLiteral("一つ目"));
    QMdiSubWindow *second = addChild(form.get(), QStringLiteral("二つ目"));
    form->mdiArea()->setActiveSubWindow(second);
    Q_EMIT form->commands().menu("Window1")->aboutToShow();
    const QList<QAction *> items = form->commands().menu("Window1")->actions();
    QCOMPARE(items.size(), 5 + 1 + 2);
    QCOMPARE(items.at(6)->text(), QStringLiteral("&1 一つ目"));
    QVERIFY(!items.at(6)->isChecked());
    QVERIFY(items.at(7)->isChecked());
    items.at(6)->trigger();
    QCOMPARE(form->mdiArea()->activeSubWindow(), first);
    // Rebuilt, not appended to, on the next opening.
    Q_EMIT form->commands().menu("Window1")->aboutToShow();
    QCOMPARE(form->commands().menu("Window1")->actions().size(), 8);
}

namespace {

// An engine's download that writes its body at once and ends when told.
class InstantDownload : public EngineDownload
{
public:
    InstantDownload()
        : EngineDownload(QUrl(QStringLiteral("http://127.0.0.1/a.bin")), QStringLiteral("a.bin"), 3)
    {}
    void start(const QString &path) override
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("abc");
    }
    void cancel() override { Q_EMIT failed(QStringLiteral("cancelled")); }
    void finish() { Q_EMIT finished(); }
};

} // namespace

// Ctrl+J shows the downloads of the run; closing the window loses none, and the status bar
// says when one starts and ends.
void tst_TMainForm::downloadsWindowKeepsTheList()
{
    IniFile config = IniFile::config();
    SettingsKeys::write(config, SettingsKeys::Download::Folder, m_home->file(QStringLiteral("dl")));
    auto form = makeForm();
    QAction *show = form->commands().action("mnuDownload");
    QCOMPARE(show->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_J));
    auto *download = new InstantDownload;
    DownloadRelay::instance().offer(download);
    QCOMPARE(form->StatusBar1->currentMessage(), QStringLiteral("ダウンロード開始: a.bin"));
    download->finish();
    QCOMPARE(form->StatusBar1->currentMessage(), QStringLiteral("ダウンロード完了: a.bin"));
    QVERIFY(QFile::exists(m_home->file(QStringLiteral("dl/a.bin"))));
    for (int round = 0; round < 2; ++round) {
        show->trigger();
        Tfrm_Download *window = form->Downloads->window();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("ダウンロード"));
        QCOMPARE(window->lvDownload->model()->rowCount(), 1);
        QVERIFY(window->btnOpen->isEnabled());
        QVERIFY(!window->btnCancel->isEnabled());
        window->close();
    }
}

QTEST_MAIN(tst_TMainForm)
#include "tst_TMainForm.moc"
