// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The page commands in the real main window with both real engines: text size, translation,
// help, the network settings tool, the about box and link extraction.
#include "HomeTest.h"
#include "ScriptResult.h"
#include "TestHttpServer.h"
#include "TestPages.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "common/ErrorHandler.h"
#include "common/SjisCodec.h"
#include "engine/MozCtlModule.h"
#include "engine/TEngineBrowser.h"
#include "engine/TMozillaBrowser.h"
#include "shell/TMainForm.h"
#include "tools/ProductInfo.h"
#include "tools/TAboutBox.h"
#include "tools/TFindBar.h"
#include "tools/TPageCommands.h"
#include "tools/Tfrm_Extract.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTextDocumentFragment>
#include <QtTest>

#include <memory>

namespace {

constexpr int kTimeout = kEngineTimeout;

// The links page: relative, absolute, duplicate, script and Japanese-path links, and a frame
// of the same site with one more link.
const QByteArray kLinksPage =
    "<!DOCTYPE html><meta charset='utf-8'><title>links</title>"
    "<a href='/rel'>r</a> <a href='http://127.0.0.1:1/abs'>a</a> <a href='/rel'>dup</a>"
    "<a href='javascript:void(0)'>js</a> <a href='/日本語/ページ.html'>jp</a>"
    "<map><area href='area' shape='rect' coords='0,0,1,1'></map>"
    "<iframe src='/frame'></iframe>";
const QByteArray kFramePage = "<!DOCTYPE html><a href='/in-frame'>f</a>";

// Every caption of \a menu and its submenus, without accelerators and the trailing "...".
// The form under test has no bookmarks, web lists or windows, so no run-time items.
void collectCaptions(const QMenu *menu, QStringList *captions)
{
    for (QAction *action : menu->actions()) {
        if (action->isSeparator())
            continue;
        QString caption = action->text();
        caption.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
        caption.remove(QStringLiteral("...")).remove(QLatin1Char('&'));
        if (!caption.isEmpty())
            captions->append(caption);
        if (action->menu())
            collectCaptions(action->menu(), captions);
    }
}

} // namespace

class tst_MainFormPageCommands : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void initTestCase();
    void textSizeWaitsForTheLoad();
    void unknownStoredSizeTicksNothing();
    void translationOpensTheServiceOnTheAddress_data();
    void translationOpensTheServiceOnTheAddress();
    void helpOpensTheShippedPage();
    void helpDescribesEveryMenuItem();
    void networkSettingsToolOrStatusText();
    void aboutBoxVersions_data();
    void aboutBoxVersions();
    void linksOfBothEngines_data();
    void linksOfBothEngines();
    void linksOfAnEmptyPage();
    void memoSavedByteForByte();
    void findInPage_data();
    void findInPage();
    void zoomInSteps_data();
    void zoomInSteps();

private:
    void makeForm(const QByteArray &optionMain = QByteArray());
    TBrowserChild *openAndWait(bool gecko, const QString &url);

    TestHttpServer m_server;
    std::unique_ptr<TMainForm> m_form;
    QStringList m_errors;
};

void tst_MainFormPageCommands::initTestCase()
{
    QVERIFY(m_server.start());
    m_server.route(QStringLiteral("/page"), "<!DOCTYPE html><title>page</title><p>text</p>");
    m_server.route(QStringLiteral("/links"), kLinksPage);
    m_server.route(QStringLiteral("/frame"), kFramePage);
    m_server.route(QStringLiteral("/find"),
                   "<!DOCTYPE html><meta charset='utf-8'><title>find</title>"
                   "<p>Dorvu dorvu DORVU</p><p>日本語のページ、にほんご、日本語</p>");
    MozCtlModule::setFolderOverride(TestHome::moduleFolder());
}

void tst_MainFormPageCommands::initHome()
{
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
}

void tst_MainFormPageCommands::cleanupHome()
{
    m_form.reset();
    ErrorHandler::setSink({});
}

void tst_MainFormPageCommands::makeForm(const QByteArray &optionMain)
{
    m_home->write(QStringLiteral("config.ini"),
                  "[General]\r\nshutdown=1\r\n[Option_Window]\r\nNewWindow_Active=1\r\n"
                  "[Option_Main]\r\n" +
                      optionMain +
                      "Mozilla=1\r\n"
                      "MozPath=" +
                      QFile::encodeName(TestHome::moduleFolder()) + "\r\n" +
                      "TranslateHost=http://127.0.0.1:" + QByteArray::number(m_server.port()) +
                      "\r\n");
    m_form = std::make_unique<TMainForm>(QStringList());
    m_form->AboutBox = new TAboutBox(m_form.get());
    m_form->frm_Extract = new Tfrm_Extract(m_form.get());
    m_form->ConnectPageCommands();
    m_form->resize(1000, 700);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

TBrowserChild *tst_MainFormPageCommands::openAndWait(bool gecko, const QString &url)
{
    if (gecko)
        m_form->Moz_ItemClick();
    else
        m_form->IE_ItemClick();
    const int before = m_form->Browser->childCount();
    m_form->OpenPage(QStringLiteral("loading"), url);
    TBrowserChild *child = m_form->Browser->activeChild();
    if (m_form->Browser->childCount() != before + 1 || !child)
        return nullptr;
    QSignalSpy complete(child->engine(), &TEngineBrowser::OnDocumentComplete);
    if (!complete.wait(kTimeout))
        return nullptr;
    return QTest::qWaitFor([&] { return !child->engine()->Busy(); }, kTimeout) ? child : nullptr;
}

void tst_MainFormPageCommands::textSizeWaitsForTheLoad()
{
    makeForm();
    QVERIFY(m_form->commands().action("mnuSize_middle")->isChecked());
    m_server.hold(QStringLiteral("/page"));
    m_form->IE_ItemClick();
    m_form->OpenPage(QStringLiteral("loading"), m_server.url(QStringLiteral("/page")).toString());
    TBrowserChild *child = m_form->Browser->activeChild();
    QVERIFY(child);
    QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(QStringLiteral("/page")), kTimeout);
    QVERIFY(child->engine()->Busy());
    QVERIFY(m_form->commands().menu("mnuShow_Size")->menuAction()->isEnabled());
    m_form->commands().action("mnuSize_Min")->trigger();
    QCOMPARE(m_form->mojiSize(), 2);
    QVERIFY(m_form->commands().action("mnuSize_middle")->isChecked());
    QVERIFY(!m_form->commands().action("mnuSize_Min")->isChecked());

    QSignalSpy complete(child->engine(), &TEngineBrowser::OnDocumentComplete);
    m_server.release();
    QVERIFY(complete.wait(kTimeout));
    QTRY_VERIFY_WITH_TIMEOUT(!child->engine()->Busy(), kTimeout);
    m_form->commands().action("mnuSize_Min")->trigger();
    QCOMPARE(m_form->mojiSize(), 0);
    QCOMPARE(child->textSize(), 0);
    QVERIFY(m_form->commands().action("mnuSize_Min")->isChecked());
    QVERIFY(!m_form->commands().action("mnuSize_middle")->isChecked());
    // The smallest size scales the page to three quarters.
    QTRY_COMPARE_WITH_TIMEOUT(
        runScript(child->engine(), QStringLiteral("String(window.devicePixelRatio)")),
        QStringLiteral("0.75"), kTimeout);
}

void tst_MainFormPageCommands::unknownStoredSizeTicksNothing()
{
    m_home->write(QStringLiteral("config.ini"), "[General]\r\nLastMojiSize=7\r\n");
    m_form = std::make_unique<TMainForm>(QStringList());
    QCOMPARE(m_form->mojiSize(), 7);
    for (QAction *item :
         {m_form->commands().action("mnuSize_Min"), m_form->commands().action("mnuSize_Small"),
          m_form->commands().action("mnuSize_middle"), m_form->commands().action("mnuSize_Large"),
          m_form->commands().action("mnuSize_Max")})
        QVERIFY2(!item->isChecked(), qPrintable(item->objectName()));
}

void tst_MainFormPageCommands::translationOpensTheServiceOnTheAddress_data()
{
    QTest::addColumn<QByteArray>("translate");
    QTest::addColumn<QByteArray>("mode");
    QTest::newRow("frames") << QByteArray("1") << QByteArray("2");
    QTest::newRow("plain") << QByteArray("0") << QByteArray("3");
}

void tst_MainFormPageCommands::translationOpensTheServiceOnTheAddress()
{
    QFETCH(QByteArray, translate);
    QFETCH(QByteArray, mode);
    makeForm("Translate=" + translate + "\r\n");
    QVERIFY(openAndWait(false, m_server.url(QStringLiteral("/page")).toString()));
    QVERIFY(m_form->commands().action("mnuTranslate")->isEnabled());
    m_form->txtAddress->setText(QStringLiteral("https://secure.example/doc"));
    m_server.clearRequests();
    m_form->commands().action("mnuTranslate")->trigger();
    QCOMPARE(m_form->Browser->childCount(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(!m_server.targets().isEmpty(), kTimeout);
    QCOMPARE(m_server.targets().first(),
             "/world/url/body/?wb_url=https%3A%2F%2Fsecure.example/doc"
             "&submit=%83E%83F%83u%83y%81%5B%83W%96%7C%96%F3&wb_lp=ENJA&wb_dis=" +
                 mode + "&wb_co=lunarbeacon3");
    QVERIFY(m_errors.isEmpty());
}

void tst_MainFormPageCommands::helpOpensTheShippedPage()
{
    makeForm();
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QDir::rootPath()));
    m_form->commands().action("Help2")->trigger();
    QVERIFY(QDir::setCurrent(previous));
    TBrowserChild *child = m_form->Browser->activeChild();
    QVERIFY(child);
    QTRY_VERIFY_WITH_TIMEOUT(
        child->engine()->LocationURL().endsWith(QLatin1String("/help/index.htm")), kTimeout);
    QVERIFY(QUrl(child->engine()->LocationURL()).isLocalFile());
    QTRY_COMPARE_WITH_TIMEOUT(child->windowTitle(), QStringLiteral("Dorvu ヘルプ"), kTimeout);
}

void tst_MainFormPageCommands::helpDescribesEveryMenuItem()
{
    makeForm();
    QString text;
    const QDir help(qEnvironmentVariable("DORVU_BUILD_DIR") + QStringLiteral("/help"));
    const QStringList pages = help.entryList({QStringLiteral("*.htm")});
    QVERIFY(pages.contains(QStringLiteral("index.htm")));
    for (const QString &page : pages) {
        QFile f(help.filePath(page));
        QVERIFY(f.open(QIODevice::ReadOnly));
        text += QTextDocumentFragment::fromHtml(QString::fromUtf8(f.readAll())).toPlainText();
    }
    QStringList captions;
    for (QAction *top : m_form->menuBar()->actions()) {
        if (top->menu())
            collectCaptions(top->menu(), &captions);
    }
    collectCaptions(m_form->commands().menu("TabPopup"), &captions);
    QVERIFY2(captions.size() > 50, qPrintable(QString::number(captions.size())));
    QStringList missing;
    for (const QString &caption : std::as_const(captions)) {
        if (!text.contains(caption))
            missing.append(caption);
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
}

void tst_MainFormPageCommands::networkSettingsToolOrStatusText()
{
    makeForm();
    QTemporaryDir bin;
    m_form->PageCommands->toolSearchPaths = {bin.path()};
    QStringList started;
    m_form->PageCommands->startDetached = [&started](const QString &program,
                                                     const QStringList &arguments) {
        started << program << arguments;
        return true;
    };
    m_form->commands().action("mnuIEOption")->trigger();
    QVERIFY(started.isEmpty());
    QCOMPARE(m_form->StatusBar1->currentMessage(),
             QStringLiteral("ネットワーク設定を開くプログラムが見つかりません"));

    QFile tool(bin.filePath(QStringLiteral("gnome-control-center")));
    QVERIFY(tool.open(QIODevice::WriteOnly));
    tool.close();
    tool.setPermissions(tool.permissions() | QFileDevice::ExeOwner);
    m_form->commands().action("mnuIEOption")->trigger();
    QCOMPARE(started, (QStringList{tool.fileName(), QStringLiteral("network")}));
}

void tst_MainFormPageCommands::aboutBoxVersions_data()
{
    QTest::addColumn<QString>("module"); // "built", "none", "damaged"
    QTest::addColumn<QString>("label5");
    QTest::newRow("built module") << QStringLiteral("built")
                                  << QStringLiteral("Version：") + ProductInfo::version() +
                                         QStringLiteral(" (WebKitGTK");
    QTest::newRow("no module") << QStringLiteral("none") << QStringLiteral("未導入");
    QTest::newRow("damaged module") << QStringLiteral("damaged") << QStringLiteral("不明");
}

void tst_MainFormPageCommands::aboutBoxVersions()
{
    QFETCH(QString, module);
    QFETCH(QString, label5);
    QString folder = TestHome::moduleFolder();
    if (module != QLatin1String("built")) {
        folder = m_home->path() + QStringLiteral("gecko");
        if (module == QLatin1String("damaged"))
            m_home->write(QStringLiteral("gecko/mozctl.so"), QByteArray(4096, '\x7f'));
    }
    m_home->write(QStringLiteral("config.ini"),
                  "[Option_Main]\r\nMozPath=" + QFile::encodeName(folder) + "\r\n");
    TAboutBox box;
    QCOMPARE(box.windowTitle(), QStringLiteral("バージョン情報"));
    QCOMPARE(box.size(), QSize(274, 180));
    QCOMPARE(box.ProductName->text(), QStringLiteral("Dorvu"));
    QCOMPARE(box.Version->text(), QStringLiteral("Version：") + ProductInfo::version());
    QCOMPARE(box.Label2->text(), QStringLiteral("Chromium (Qt WebEngine)"));
    QVERIFY2(QRegularExpression(QStringLiteral("^Version：\\d+\\.\\d+\\.\\d+\\.\\d+$"))
                 .match(box.Label3->text())
                 .hasMatch(),
             qPrintable(box.Label3->text()));
    QCOMPARE(box.Label4->text(), QStringLiteral("mozctl.so"));
    QVERIFY2(box.Label5->text().startsWith(label5), qPrintable(box.Label5->text()));
    if (module == QLatin1String("damaged")) {
        QCOMPARE(m_errors.size(), 1);
        QVERIFY(m_errors.first().startsWith(QLatin1String("QueryVersionInfo:")));
    } else {
        QVERIFY(m_errors.isEmpty());
    }
}

void tst_MainFormPageCommands::linksOfBothEngines_data()
{
    QTest::addColumn<bool>("gecko");
    QTest::newRow("Chromium") << false;
    QTest::newRow("WebKit") << true;
}

void tst_MainFormPageCommands::linksOfBothEngines()
{
    QFETCH(bool, gecko);
    makeForm();
    QVERIFY(openAndWait(gecko, m_server.url(QStringLiteral("/links")).toString()));
    QVERIFY(m_form->commands().action("mnuExtract")->isEnabled());
    QSignalSpy shown(m_form->PageCommands, &TPageCommands::linksShown);
    m_form->commands().action("mnuExtract")->trigger();
    QVERIFY(shown.wait(TPageCommands::ExtractTimeoutMs + 1000));
    auto at = [this](const char *path) {
        return m_server.url(QString::fromUtf8(path)).toString(QUrl::FullyEncoded);
    };
    QCOMPARE(m_form->frm_Extract->lines(),
             (QStringList{at("/rel"), QStringLiteral("http://127.0.0.1:1/abs"),
                          at("/%E6%97%A5%E6%9C%AC%E8%AA%9E/%E3%83%9A%E3%83%BC%E3%82%B8.html"),
                          at("/area"), at("/in-frame")}));
    QVERIFY(m_form->frm_Extract->isVisible());
}

void tst_MainFormPageCommands::linksOfAnEmptyPage()
{
    makeForm();
    QVERIFY(openAndWait(false, QStringLiteral("about:blank")));
    m_form->frm_Extract->setLines({QStringLiteral("old")});
    QSignalSpy shown(m_form->PageCommands, &TPageCommands::linksShown);
    m_form->commands().action("mnuExtract")->trigger();
    QVERIFY(shown.wait(TPageCommands::ExtractTimeoutMs + 1000));
    QCOMPARE(m_form->frm_Extract->lines(), QStringList());
    QCOMPARE(m_form->StatusBar1->currentMessage(),
             QStringLiteral("このページにリンクはありません"));
}

void tst_MainFormPageCommands::memoSavedByteForByte()
{
    Tfrm_Extract dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("linkの抽出"));
    QCOMPARE(dialog.size(), QSize(435, 268));
    const QString path = m_home->file(QStringLiteral("links.txt"));
    dialog.SaveDialog1 = [path] {
        return path;
    };
    dialog.Button1Click();
    QCOMPARE(m_home->read(QStringLiteral("links.txt")), QByteArray());
    dialog.Memo1->setPlainText(QStringLiteral("http://a.example/\n手で書いた行\n\n  spaced  \n"));
    dialog.Button1->click();
    QCOMPARE(m_home->read(QStringLiteral("links.txt")),
             "http://a.example/\r\n" + SjisCodec::encode(QStringLiteral("手で書いた行")) +
                 "\r\n\r\n  spaced  \r\n");
    // A folder that cannot hold the file: the common error, nothing else.
    const QString bad = m_home->file(QStringLiteral("missing/links.txt"));
    dialog.SaveDialog1 = [bad] {
        return bad;
    };
    dialog.Button1->click();
    QCOMPARE(m_errors, QStringList{QStringLiteral("ファイル %1 を作成できません").arg(bad)});
    dialog.SaveDialog1 = [] {
        return QString();
    };
    dialog.Button1->click();
    QCOMPARE(m_errors.size(), 1);
}

void tst_MainFormPageCommands::findInPage_data()
{
    QTest::addColumn<bool>("gecko");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("matches");
    for (const bool gecko : {false, true}) {
        const char *engine = gecko ? "WebKit" : "Chromium";
        QTest::addRow("%s, any case", engine) << gecko << QStringLiteral("dORVu") << 3;
        QTest::addRow("%s, Japanese", engine) << gecko << QStringLiteral("日本語") << 2;
        QTest::addRow("%s, none", engine) << gecko << QStringLiteral("zzz") << 0;
    }
}

// Typed into the bar, the text is found at once; Enter finds the next match and Esc closes
// the bar. Both engines count alike.
void tst_MainFormPageCommands::findInPage()
{
    QFETCH(bool, gecko);
    QFETCH(QString, text);
    QFETCH(int, matches);
    makeForm();
    QVERIFY(openAndWait(gecko, m_server.url(QStringLiteral("/find")).toString()));
    TFindBar *bar = m_form->findChild<TFindBar *>();
    QVERIFY(bar);
    m_form->commands().action("mnuFind")->trigger();
    QVERIFY(bar->isVisible());
    // Typed, as an input method commits it.
    QInputMethodEvent typed;
    typed.setCommitString(text);
    QApplication::sendEvent(bar->txtFind, &typed);
    QTRY_COMPARE_WITH_TIMEOUT(bar->lblFindCount->text(),
                              matches ? QStringLiteral("%1 件").arg(matches)
                                      : QStringLiteral("見つかりません"),
                              kTimeout);
    QSignalSpy counted(bar, &TFindBar::counted);
    QTest::keyClick(bar->txtFind, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(!counted.isEmpty(), kTimeout);
    QCOMPARE(counted.last().at(0).toInt(), matches);
    QTest::keyClick(bar->txtFind, Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    QVERIFY(m_errors.isEmpty());
}

void tst_MainFormPageCommands::zoomInSteps_data()
{
    QTest::addColumn<bool>("gecko");
    QTest::newRow("Chromium") << false;
    QTest::newRow("WebKit") << true;
}

// Ctrl++ twice, then Ctrl+0: the page and the status bar follow.
void tst_MainFormPageCommands::zoomInSteps()
{
    QFETCH(bool, gecko);
    makeForm();
    TBrowserChild *child = openAndWait(gecko, m_server.url(QStringLiteral("/page")).toString());
    QVERIFY(child);
    QVERIFY(!m_form->lblZoom->isVisible());
    m_form->commands().action("ZoomIn")->trigger();
    m_form->commands().action("ZoomIn")->trigger();
    QCOMPARE(child->engine()->ZoomPercent(), 125);
    QVERIFY(m_form->lblZoom->isVisible());
    QCOMPARE(m_form->lblZoom->text(), QStringLiteral("ズーム 125%"));
    if (auto *webkit = qobject_cast<TMozillaBrowser *>(child->engine()))
        QCOMPARE(webkit->zoomLevel(), 1.25);
    else
        QTRY_COMPARE_WITH_TIMEOUT(
            runScript(child->engine(), QStringLiteral("String(window.devicePixelRatio)")),
            QStringLiteral("1.25"), kTimeout);
    m_form->commands().action("ZoomReset")->trigger();
    QCOMPARE(child->engine()->ZoomPercent(), 100);
    QVERIFY(!m_form->lblZoom->isVisible());
    if (gecko)
        return;
    // A text size is a zoom of a Chromium page, from which the keys step on.
    m_form->commands().action("mnuSize_Large")->trigger();
    QCOMPARE(child->engine()->ZoomPercent(), 120);
    m_form->commands().action("ZoomIn")->trigger();
    QCOMPARE(child->engine()->ZoomPercent(), 125);
}

QTEST_MAIN(tst_MainFormPageCommands)
#include "tst_MainFormPageCommands.moc"
