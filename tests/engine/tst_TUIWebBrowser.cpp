// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "EncodingPages.h"
#include "HomeTest.h"
#include "ScriptResult.h"
#include "TestHttpServer.h"
#include "common/DorvuError.h"
#include "common/ErrorHandler.h"
#include "engine/ChromiumFlags.h"
#include "engine/TUIWebBrowser.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

#include <algorithm>
#include <memory>

Q_DECLARE_METATYPE(TDownLoadControl)

namespace {

constexpr int kTimeout = 20000;

// Without a doctype or character set: the save test reads the archive's text as it stands.
QByteArray page(const QByteArray &title, const QByteArray &body, const QByteArray &head = {})
{
    return "<html><head><title>" + title + "</title>" + head + "</head><body>" + body +
           "</body></html>";
}

// Runs a script in the page and waits for its result.
QVariant evaluate(QWebEnginePage *page, const QString &script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, kTimeout))
        qWarning("script did not answer: %s", qPrintable(script));
    return result;
}

/// Two maximized page windows in one area, the second in front.
struct StackedPair
{
    QMdiArea area;
    TUIWebBrowser *behind = new TUIWebBrowser;
    TUIWebBrowser *front = new TUIWebBrowser;
    QMdiSubWindow *behindWindow = area.addSubWindow(behind);
    QMdiSubWindow *frontWindow = area.addSubWindow(front);

    StackedPair()
    {
        area.resize(800, 600);
        area.show();
        behindWindow->showMaximized();
        frontWindow->showMaximized();
        area.setActiveSubWindow(frontWindow);
    }
};

} // namespace

class tst_TUIWebBrowser : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void initTestCase();
    void contextMenuInJapanese();
    void pagesAndErrorsInJapanese();

    void navigateReportsAddressAndTitle();
    void navigateTypedAddress();
    void japaneseTitle_data();
    void japaneseTitle();
    void navigateNoAddressThrows();
    void backAndForward();
    void noHistoryThrows();
    void progressReachesMaximum();
    void busyWhileLoading();
    void stopEndsLoading();
    void stopAfterLoadReportsCommandState();
    void busyEndsWithoutALoad_data();
    void busyEndsWithoutALoad();
    void refreshRequestsAgain();
    void copyAndSelectAll();
    void pageCommandWithoutDocument();
    void textSizeZooms();
    void newWindowGoesToSuppliedBrowser_data();
    void newWindowGoesToSuppliedBrowser();
    void newWindowCancelled();
    void scriptsFollowTheSet();
    void imagesOff();
    void videosOff_data();
    void videosOff();
    void soundsOffMutes();
    void clientPull_data();
    void clientPull();
    void framesOff();
    void noCacheFetchesAfresh();
    void silentSwallowsDialogs();
    void statusTextFollowsTheLink();
    void ownContextMenuReplacesTheEngines();
    void newWindowToAnotherEngineKind();
    void saveAsWritesArchive();
    void saveAsFailureIsReported();
    void pageOutOfSightHasNoView();
    void pageChangedOutOfSightShowsAndCloses_data();
    void pageChangedOutOfSightShowsAndCloses();
    void pageOutOfSightSleepsAndWakesInSight();

private:
    TUIWebBrowser *makeBrowser(const TDownLoadControl &set = TDownLoadControl::defaultSet());
    void load(TUIWebBrowser *browser, const QString &path);
    QWidget *shownSurface(TUIWebBrowser *browser);

    std::unique_ptr<TestHome> m_caseHome;
    TestHttpServer m_server;
    QList<TUIWebBrowser *> m_browsers;
    QStringList m_errors;
};

void tst_TUIWebBrowser::initTestCase()
{
    // The engine reads its switches once, when it starts: as the program gives them.
    ChromiumFlags::apply();
    // The engine's profile folder is fixed at its first use: one folder for the whole run.
    m_caseHome = std::make_unique<TestHome>();
    QVERIFY(m_server.start());
    m_server.route(QStringLiteral("/a"), page("Page A", "<p id=t>Dorvu copy text</p>"));
    m_server.route(QStringLiteral("/b"), page("Page B", "b"));
    m_server.route(QStringLiteral("/c"), page("Page C", "c"));
    m_server.route(QStringLiteral("/slow"), page("Slow", "slow"));
    m_server.route(QStringLiteral("/script"),
                   page("before", "<script>document.title = 'after';</script>"));
    m_server.route(QStringLiteral("/img"), page("Image", "<img src=\"/pic.png\">"));
    static const QByteArray png = QByteArray::fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNk+M9QDwADhgGAWjR9awAAAABJRU5E"
        "rkJggg==");
    m_server.route(QStringLiteral("/pic.png"), png, "image/png");
    m_server.route(QStringLiteral("/video"),
                   page("Video", "<video id=v src=\"/clip.webm\" preload=auto muted></video>"));
    m_server.route(QStringLiteral("/clip.webm"), QByteArray(4096, '\0'), "video/webm");
    m_server.route(QStringLiteral("/refresh"),
                   page("Refresh", "r", "<meta http-equiv=\"refresh\" content=\"0;url=/b\">"));
    m_server.route(QStringLiteral("/jsredirect"),
                   page("Script redirect", "<script>location.href = '/b';</script>"));
    m_server.redirect(QStringLiteral("/moved"), m_server.url(QStringLiteral("/b")).toString());
    m_server.route(QStringLiteral("/frame"), page("Frame", "frame"));
    m_server.route(QStringLiteral("/frames"), page("Frames", "<iframe src=\"/frame\"></iframe>"));
    m_server.route(QStringLiteral("/opener"),
                   page("Opener", "<a id=l target=\"_blank\" href=\"/b\">b</a>"));
    m_server.route(QStringLiteral("/link"),
                   page("Link", "<a id=l href=\"/b\" style=\"display:block;width:300px;"
                                "height:200px\">b</a><div style=\"height:400px\"></div>"));
    EncodingPages::route(m_server);
    m_server.route(QStringLiteral("/alert"),
                   page("before", "<script>alert('x'); confirm('y'); document.title = "
                                  "'after';</script>"));
}

void tst_TUIWebBrowser::initHome()
{
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
    m_server.release();
    m_server.clearRequests();
}

void tst_TUIWebBrowser::cleanupHome()
{
    m_server.release();
    qDeleteAll(m_browsers);
    m_browsers.clear();
    ErrorHandler::setSink({});
}

TUIWebBrowser *tst_TUIWebBrowser::makeBrowser(const TDownLoadControl &set)
{
    auto *browser = new TUIWebBrowser;
    m_browsers.append(browser);
    browser->setDownLoadControl(set);
    browser->resize(640, 480);
    browser->show();
    return browser;
}

/// The widget the page draws on, once the view shows: a page in sight shows its view a moment
/// after it came into sight, and input to a hidden view goes nowhere.
QWidget *tst_TUIWebBrowser::shownSurface(TUIWebBrowser *browser)
{
    QWidget *surface = nullptr;
    const bool shown = QTest::qWaitFor(
        [&] {
            surface = browser->view()->focusProxy();
            return surface && surface->isVisible();
        },
        kTimeout);
    return shown ? surface : nullptr;
}

void tst_TUIWebBrowser::load(TUIWebBrowser *browser, const QString &path)
{
    QSignalSpy complete(browser, &TEngineBrowser::OnDocumentComplete);
    browser->Navigate(m_server.url(path).toString());
    QTRY_VERIFY_WITH_TIMEOUT(!complete.isEmpty() && !browser->Busy(), kTimeout);
}

// A window stops a page whose title is blocked and closes it at the next command-state report;
// the title may come after the load, so Stop itself must bring that report.
void tst_TUIWebBrowser::stopAfterLoadReportsCommandState()
{
    TUIWebBrowser *browser = makeBrowser();
    load(browser, QStringLiteral("/a"));
    QSignalSpy states(browser, &TEngineBrowser::OnCommandStateChange);
    browser->Stop();
    QVERIFY(states.isEmpty()); // after the caller has returned, not inside Stop
    QTRY_VERIFY_WITH_TIMEOUT(!states.isEmpty(), kTimeout);
}

void tst_TUIWebBrowser::navigateReportsAddressAndTitle()
{
    TUIWebBrowser *browser = makeBrowser();
    QSignalSpy titles(browser, &TEngineBrowser::OnTitleChange);
    QSignalSpy before(browser, &TEngineBrowser::OnBeforeNavigate2);
    QSignalSpy committed(browser, &TEngineBrowser::OnNavigateComplete2);
    QSignalSpy complete(browser, &TEngineBrowser::OnDocumentComplete);
    const QString url = m_server.url(QStringLiteral("/a")).toString();

    browser->Navigate(url);
    QTRY_VERIFY_WITH_TIMEOUT(!titles.isEmpty() && titles.last().at(0) == QStringLiteral("Page A"),
                             kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, kTimeout);
    QCOMPARE(complete.at(0).at(0).toString(), url);
    QCOMPARE(browser->LocationURL(), url);
    QCOMPARE(before.size(), 1);
    QCOMPARE(before.at(0).at(0).toString(), url);
    // One completion per navigation, with the address the navigation began with.
    QCOMPARE(committed.size(), 1);
    QCOMPARE(committed.at(0).at(0).toString(), url);
}

void tst_TUIWebBrowser::navigateTypedAddress()
{
    TUIWebBrowser *browser = makeBrowser();
    QSignalSpy complete(browser, &TEngineBrowser::OnDocumentComplete);
    browser->Navigate(QStringLiteral("127.0.0.1:%1/b").arg(m_server.port()));
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, kTimeout);
    QCOMPARE(browser->LocationURL(), m_server.url(QStringLiteral("/b")).toString());

    browser->Navigate(QString());
    QTRY_COMPARE_WITH_TIMEOUT(browser->LocationURL(), QStringLiteral("about:blank"), kTimeout);
}

void tst_TUIWebBrowser::japaneseTitle_data()
{
    EncodingPages::addRows();
}

// A page that names no character set is read as UTF-8, not Latin-1; a named one still wins.
// The engine's own context menu is made of the page's actions: none may stay in English.
void tst_TUIWebBrowser::contextMenuInJapanese()
{
    TUIWebBrowser browser;
    for (auto action : {QWebEnginePage::Back, QWebEnginePage::Forward, QWebEnginePage::Reload,
                        QWebEnginePage::Copy, QWebEnginePage::Paste, QWebEnginePage::SelectAll,
                        QWebEnginePage::CopyLinkToClipboard, QWebEnginePage::SavePage,
                        QWebEnginePage::ViewSource}) {
        const QString text = browser.page()->action(action)->text();
        QVERIFY2(
            std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; }),
            qPrintable(text));
    }
}

void tst_TUIWebBrowser::pagesAndErrorsInJapanese()
{
    // Sites are asked for Japanese first; the engine's own error page is in Japanese.
    TUIWebBrowser *browser = makeBrowser();
    load(browser, QStringLiteral("/a"));
    QCOMPARE(runScript(browser, QStringLiteral("navigator.languages.join()")),
             QStringLiteral("ja,en"));
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const QString refused = QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();
    browser->Navigate(refused);
    QTRY_VERIFY_WITH_TIMEOUT(
        runScript(browser, QStringLiteral("document.body ? document.body.innerText : ''"))
            .contains(QStringLiteral("アクセスできません")),
        kTimeout);
}

void tst_TUIWebBrowser::japaneseTitle()
{
    QFETCH(QString, path);
    TUIWebBrowser *browser = makeBrowser();
    QSignalSpy titles(browser, &TEngineBrowser::OnTitleChange);
    load(browser, path);
    QTRY_VERIFY_WITH_TIMEOUT(!titles.isEmpty(), kTimeout);
    QCOMPARE(titles.last().at(0).toString(), EncodingPages::title());
}

void tst_TUIWebBrowser::navigateNoAddressThrows()
{
    TUIWebBrowser *browser = makeBrowser();
    load(browser, QStringLiteral("/a"));
    QVERIFY_THROWS_EXCEPTION(DorvuError, browser->Navigate(QStringLiteral("hello world")));
    QVERIFY(!browser->Busy());
    QCOMPARE(browser->LocationURL(), m_server.url(QStringLiteral("/a")).toString());
}

void tst_TUIWebBrowser::backAndForward()
{
    TUIWebBrowser *browser = makeBrowser();
    QSignalSpy states(browser, &TEngineBrowser::OnCommandStateChange);
    auto lastState = [&](int command) {
        for (int i = states.size() - 1; i >= 0; --i) {
            if (states.at(i).at(0).toInt() == command)
                return states.at(i).at(1).toBool() ? 1 : 0;
        }
        return -1;
    };
    load(browser, QStringLiteral("/a"));
    QCOMPARE(lastState(TEngineBrowser::CSC_NAVIGATEBACK), 0);
    load(browser, QStringLiteral("/b"));
    QTRY_COMPARE_WITH_TIMEOUT(lastState(TEngineBrowser::CSC_NAVIGATEBACK), 1, kTimeout);
    QCOMPARE(lastState(TEngineBrowser::CSC_NAVIGATEFORWARD), 0);

    browser->GoBack();
    QVERIFY(browser->Busy());
    QTRY_COMPARE_WITH_TIMEOUT(browser->LocationURL(), m_server.url(QStringLiteral("/a")).toString(),
                              kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(lastState(TEngineBrowser::CSC_NAVIGATEFORWARD), 1, kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(lastState(TEngineBrowser::CSC_NAVIGATEBACK), 0, kTimeout);

    browser->GoForward();
    QTRY_COMPARE_WITH_TIMEOUT(browser->LocationURL(), m_server.url(QStringLiteral("/b")).toString(),
                              kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(lastState(TEngineBrowser::CSC_NAVIGATEFORWARD), 0, kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(lastState(TEngineBrowser::CSC_NAVIGATEBACK), 1, kTimeout);
    // A page restored from the history must not leave the engine busy.
    QTRY_VERIFY_WITH_TIMEOUT(!browser->Busy(), kTimeout);
}

void tst_TUIWebBrowser::noHistoryThrows()
{
    TUIWebBrowser *browser = makeBrowser();
    try {
        browser->GoBack();
        QFAIL("back without history succeeded");
    } catch (const DorvuError &error) {
        QCOMPARE(error.message(), QStringLiteral("前のページはありません"));
    }
    load(browser, QStringLiteral("/a"));
    try {
        browser->GoForward();
        QFAIL("forward without history succeeded");
    } catch (const DorvuError &error) {
        QCOMPARE(error.message(), QStringLiteral("次のページはありません"));
    }
    QVERIFY_THROWS_EXCEPTION(DorvuError, browser->GoBack());
    QCOMPARE(browser->LocationURL(), m_server.url(QStringLiteral("/a")).toString());
}

void tst_TUIWebBrowser::progressReachesMaximum()
{
    TUIWebBrowser *browser = makeBrowser();
    QSignalSpy progress(browser, &TEngineBrowser::OnProgressChange);
    load(browser, QStringLiteral("/a"));
    QVERIFY(!progress.isEmpty());
    for (const QList<QVariant> &args : progress)
        QCOMPARE(args.at(1).toInt(), 100);
    QCOMPARE(progress.last().at(0).toInt(), 100);
}

void tst_TUIWebBrowser::busyWhileLoading()
{
    TUIWebBrowser *browser = makeBrowser();
    QVERIFY(!browser->Busy());
    m_server.hold(QStringLiteral("/slow"));
    QSignalSpy requested(&m_server, &TestHttpServer::requested);
    browser->Navigate(m_server.url(QStringLiteral("/slow")).toString());
    // At once, before the engine has even started.
    QVERIFY(browser->Busy());
    QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(QStringLiteral("/slow")), kTimeout);
    QVERIFY(browser->Busy());
    m_server.release();
    QTRY_VERIFY_WITH_TIMEOUT(!browser->Busy(), kTimeout);
    QCOMPARE(browser->LocationURL(), m_server.url(QStringLiteral("/slow")).toString());
}

void tst_TUIWebBrowser::stopEndsLoading()
{
    TUIWebBrowser *browser = makeBrowser();
    m_server.hold(QStringLiteral("/slow"));
    QSignalSpy complete(browser, &TEngineBrowser::OnDocumentComplete);
    browser->Navigate(m_server.url(QStringLiteral("/slow")).toString());
    QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(QStringLiteral("/slow")), kTimeout);
    browser->Stop();
    QTRY_VERIFY_WITH_TIMEOUT(!browser->Busy(), kTimeout);
    QCOMPARE(complete.size(), 0);
}

void tst_TUIWebBrowser::busyEndsWithoutALoad_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("anchor in the page") << "#part";
    QTest::newRow("script address") << "javascript:void(0)";
}

void tst_TUIWebBrowser::busyEndsWithoutALoad()
{
    // Navigations that load no document must not leave the engine busy for good (the
    // text-size commands wait for it).
    QFETCH(QString, address);
    TUIWebBrowser *browser = makeBrowser();
    load(browser, QStringLiteral("/a"));
    const QString target = address.startsWith(QLatin1Char('#'))
                               ? m_server.url(QStringLiteral("/a")).toString() + address
                               : address;
    browser->Navigate(target);
    QTRY_VERIFY_WITH_TIMEOUT(!browser->Busy(), kTimeout);
}

void tst_TUIWebBrowser::refreshRequestsAgain()
{
    TUIWebBrowser *browser = makeBrowser();
    load(browser, QStringLiteral("/a"));
    m_server.clearRequests();
    QSignalSpy complete(browser, &TEngineBrowser::OnDocumentComplete);
    browser->Refresh();
    QVERIFY(browser->Busy());
    QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(QStringLiteral("/a")), kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, kTimeout);
}

void tst_TUIWebBrowser::copyAndSelectAll()
{
    TUIWebBrowser *browser = makeBrowser();
    load(browser, QStringLiteral("/a"));
    browser->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(browser));
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("old"));
    browser->ExecWB(TEngineBrowser::OLECMDID_SELECTALL, 0);
    QTRY_COMPARE_WITH_TIMEOUT(
        evaluate(browser->page(), QStringLiteral("window.getSelection().toString()"))
            .toString()
            .trimmed(),
        QStringLiteral("Dorvu copy text"), kTimeout);
    browser->ExecWB(TEngineBrowser::OLECMDID_COPY, 0);
    QTRY_COMPARE_WITH_TIMEOUT(clipboard->text().trimmed(), QStringLiteral("Dorvu copy text"),
                              kTimeout);
}

void tst_TUIWebBrowser::pageCommandWithoutDocument()
{
    TUIWebBrowser *browser = makeBrowser();
    for (const int command :
         {int(TEngineBrowser::OLECMDID_COPY), int(TEngineBrowser::OLECMDID_SELECTALL),
          int(TEngineBrowser::OLECMDID_SAVEAS)}) {
        try {
            browser->ExecWB(command, 0);
            QFAIL("a page command without a page succeeded");
        } catch (const DorvuError &error) {
            QCOMPARE(error.message(), QStringLiteral("ページが読み込まれていません"));
        }
    }
    // The text size stays silent.
    browser->ExecWB(TEngineBrowser::OLECMDID_ZOOM, 2, 4);
    QVERIFY_THROWS_EXCEPTION(DorvuError, browser->ExecWB(99, 0));
}

void tst_TUIWebBrowser::textSizeZooms()
{
    TUIWebBrowser *browser = makeBrowser();
    load(browser, QStringLiteral("/a"));
    const QString ratio = QStringLiteral("window.devicePixelRatio");
    const QString width = QStringLiteral("window.innerWidth");
    const qreal base = evaluate(browser->page(), ratio).toReal();
    QVERIFY(base > 0);
    const int baseWidth = evaluate(browser->page(), width).toInt();
    QVERIFY(baseWidth > 0);

    browser->ExecWB(TEngineBrowser::OLECMDID_ZOOM, 2, 4);
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(browser->page(), ratio).toReal(), base * 1.5, kTimeout);
    // The whole page is zoomed, its layout too: fewer CSS pixels fit across the view.
    QTRY_VERIFY_WITH_TIMEOUT(evaluate(browser->page(), width).toInt() < baseWidth * 0.8, kTimeout);
    // Out of range or no number: nothing changes, nothing is thrown.
    browser->ExecWB(TEngineBrowser::OLECMDID_ZOOM, 2, 5);
    browser->ExecWB(TEngineBrowser::OLECMDID_ZOOM, 2, QStringLiteral("big"));
    QCOMPARE(browser->page()->zoomFactor(), 1.5);
    browser->ExecWB(TEngineBrowser::OLECMDID_ZOOM, 2, 0);
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(browser->page(), ratio).toReal(), base * 0.75, kTimeout);
}

void tst_TUIWebBrowser::newWindowGoesToSuppliedBrowser_data()
{
    QTest::addColumn<QString>("script");
    QTest::newRow("window.open") << "window.open('/b'); true";
    QTest::newRow("target=_blank link") << "document.getElementById('l').click(); true";
}

void tst_TUIWebBrowser::newWindowGoesToSuppliedBrowser()
{
    QFETCH(QString, script);
    TUIWebBrowser *opener = makeBrowser();
    load(opener, QStringLiteral("/opener"));

    TUIWebBrowser *supplied = nullptr;
    std::unique_ptr<QSignalSpy> before, committed, complete;
    connect(opener, &TEngineBrowser::OnNewWindow2, this, [&](TEngineBrowser **ppDisp, bool *) {
        // The capture browser is hidden: it never gets a visible view.
        supplied = static_cast<TUIWebBrowser *>(opener->CreateNewWindowBrowser(nullptr));
        m_browsers.append(supplied);
        supplied->setDownLoadControl(TDownLoadControl::captureSet());
        before = std::make_unique<QSignalSpy>(supplied, &TEngineBrowser::OnBeforeNavigate2);
        committed = std::make_unique<QSignalSpy>(supplied, &TEngineBrowser::OnNavigateComplete2);
        complete = std::make_unique<QSignalSpy>(supplied, &TEngineBrowser::OnDocumentComplete);
        *ppDisp = supplied;
    });
    evaluate(opener->page(), script);
    QTRY_VERIFY_WITH_TIMEOUT(supplied && complete && !complete->isEmpty(), kTimeout);
    const QString url = m_server.url(QStringLiteral("/b")).toString();
    QCOMPARE(before->first().at(0).toString(), url);
    QVERIFY(!committed->isEmpty());
    QCOMPARE(committed->first().at(0).toString(), url);
    QCOMPARE(complete->first().at(0).toString(), url);
    QCOMPARE(supplied->LocationURL(), url);
    // The opener stays where it was.
    QCOMPARE(opener->LocationURL(), m_server.url(QStringLiteral("/opener")).toString());
}

void tst_TUIWebBrowser::newWindowCancelled()
{
    TUIWebBrowser *opener = makeBrowser();
    load(opener, QStringLiteral("/opener"));
    int requests = 0;
    connect(opener, &TEngineBrowser::OnNewWindow2, this, [&](TEngineBrowser **, bool *Cancel) {
        ++requests;
        *Cancel = true;
    });
    // Chromium hands the script a window before it asks the host; a refused one is closed.
    const QString open = QStringLiteral("window.w = window.open('/c'); true");
    const QString closed = QStringLiteral("window.w === null || window.w.closed");
    evaluate(opener->page(), open);
    QTRY_VERIFY_WITH_TIMEOUT(evaluate(opener->page(), closed).toBool(), kTimeout);
    QCOMPARE(requests, 1);
    // A request that no slot answers is refused as well.
    disconnect(opener, &TEngineBrowser::OnNewWindow2, this, nullptr);
    evaluate(opener->page(), open);
    QTRY_VERIFY_WITH_TIMEOUT(evaluate(opener->page(), closed).toBool(), kTimeout);
    load(opener, QStringLiteral("/a"));
    QVERIFY(!m_server.wasRequested(QStringLiteral("/c")));
}

void tst_TUIWebBrowser::scriptsFollowTheSet()
{
    TUIWebBrowser *browser = makeBrowser();
    QSignalSpy titles(browser, &TEngineBrowser::OnTitleChange);
    load(browser, QStringLiteral("/script"));
    QTRY_COMPARE_WITH_TIMEOUT(browser->page()->title(), QStringLiteral("after"), kTimeout);

    // The switch: a new set, announced, and the page loaded again under it.
    TDownLoadControl set = browser->DownLoadControl();
    set.include(CS_NoScripts);
    browser->setDownLoadControl(set);
    browser->AmbientPropertyChange();
    QSignalSpy complete(browser, &TEngineBrowser::OnDocumentComplete);
    browser->Refresh();
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, kTimeout);
    QCOMPARE(browser->page()->title(), QStringLiteral("before"));
}

void tst_TUIWebBrowser::imagesOff()
{
    TUIWebBrowser *shows = makeBrowser(TDownLoadControl{CS_Images});
    load(shows, QStringLiteral("/img"));
    QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(QStringLiteral("/pic.png")), kTimeout);

    m_server.clearRequests();
    TUIWebBrowser *blocks = makeBrowser(TDownLoadControl{CS_NoJava});
    load(blocks, QStringLiteral("/img"));
    // The load ends only after the page's images.
    QVERIFY(!m_server.wasRequested(QStringLiteral("/pic.png")));
}

void tst_TUIWebBrowser::videosOff_data()
{
    QTest::addColumn<TDownLoadControl>("set");
    QTest::addColumn<bool>("loads");
    QTest::newRow("videos on") << TDownLoadControl{CS_Videos} << true;
    QTest::newRow("videos off") << TDownLoadControl{CS_Images, CS_BGSounds} << false;
}

void tst_TUIWebBrowser::videosOff()
{
    QFETCH(TDownLoadControl, set);
    QFETCH(bool, loads);
    TUIWebBrowser *browser = makeBrowser(set);
    load(browser, QStringLiteral("/video"));
    if (loads) {
        QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(QStringLiteral("/clip.webm")), kTimeout);
    } else {
        // The refused load ends the element's fetch with an error.
        QTRY_VERIFY_WITH_TIMEOUT(
            evaluate(browser->page(), QStringLiteral("document.getElementById('v').error !== null"))
                .toBool(),
            kTimeout);
        QVERIFY(!m_server.wasRequested(QStringLiteral("/clip.webm")));
    }
}

void tst_TUIWebBrowser::soundsOffMutes()
{
    TUIWebBrowser *browser = makeBrowser(TDownLoadControl{CS_Images});
    QVERIFY(browser->page()->isAudioMuted());
    browser->setDownLoadControl(TDownLoadControl{CS_Images, CS_BGSounds});
    browser->AmbientPropertyChange();
    QVERIFY(!browser->page()->isAudioMuted());
}

void tst_TUIWebBrowser::clientPull_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("pull");
    QTest::newRow("meta refresh") << "/refresh" << true;
    QTest::newRow("script redirect") << "/jsredirect" << true;
    QTest::newRow("server redirect") << "/moved" << false;
}

void tst_TUIWebBrowser::clientPull()
{
    QFETCH(QString, path);
    QFETCH(bool, pull);
    const QString target = m_server.url(QStringLiteral("/b")).toString();

    // Followed without the flag.
    TUIWebBrowser *follows = makeBrowser(TDownLoadControl{CS_Images});
    follows->Navigate(m_server.url(path).toString());
    QTRY_COMPARE_WITH_TIMEOUT(follows->LocationURL(), target, kTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(!follows->Busy(), kTimeout);

    m_server.clearRequests();
    TUIWebBrowser *holds = makeBrowser(TDownLoadControl{CS_Images, CS_NoClientPull});
    QSignalSpy refused(holds, &TUIWebBrowser::ClientPullRefused);
    holds->Navigate(m_server.url(path).toString());
    if (pull) {
        QTRY_COMPARE_WITH_TIMEOUT(refused.size(), 1, kTimeout);
        QCOMPARE(refused.at(0).at(0).toString(), target);
        QTRY_VERIFY_WITH_TIMEOUT(!holds->Busy(), kTimeout);
        QCOMPARE(holds->LocationURL(), m_server.url(path).toString());
        QVERIFY(!m_server.wasRequested(QStringLiteral("/b")));
    } else {
        // A server's redirect is no client pull: the capture browser must still follow it.
        QTRY_COMPARE_WITH_TIMEOUT(holds->LocationURL(), target, kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!holds->Busy(), kTimeout);
        QCOMPARE(refused.size(), 0);
    }
}

namespace {

// Answers every path with a page the HTTP cache may keep for an hour, and notes which requests
// asked to bypass caches.
class CachingServer : public QTcpServer
{
public:
    CachingServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    m_buffer[socket] += socket->readAll();
                    const QByteArray request = m_buffer.value(socket);
                    if (!request.contains("\r\n\r\n"))
                        return;
                    const QByteArray path = request.split(' ').value(1);
                    requests.append(QString::fromLatin1(path));
                    if (request.toLower().contains("pragma: no-cache"))
                        noCache.append(QString::fromLatin1(path));
                    const QByteArray body = page("Cached", path);
                    socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n"
                                  "Cache-Control: max-age=3600\r\nContent-Length: " +
                                  QByteArray::number(body.size()) + "\r\n\r\n" + body);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, [this, socket] {
                    m_buffer.remove(socket);
                    socket->deleteLater();
                });
            }
        });
    }
    QString url(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path);
    }

    QStringList requests;
    QStringList noCache;

private:
    QHash<QTcpSocket *, QByteArray> m_buffer;
};

} // namespace

void tst_TUIWebBrowser::noCacheFetchesAfresh()
{
    CachingServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    auto visit = [&](TUIWebBrowser *browser, const QString &path) {
        QSignalSpy complete(browser, &TEngineBrowser::OnDocumentComplete);
        browser->Navigate(server.url(path));
        return QTest::qWaitFor([&] { return !complete.isEmpty() && !browser->Busy(); }, kTimeout);
    };

    // Without the flag the second visit comes from the cache.
    TUIWebBrowser *caching = makeBrowser();
    for (const char *path : {"/cached", "/other", "/cached"})
        QVERIFY(visit(caching, QString::fromLatin1(path)));
    QCOMPARE(server.requests.count(QStringLiteral("/cached")), 1);

    TUIWebBrowser *fresh = makeBrowser(TDownLoadControl::captureSet());
    for (const char *path : {"/fresh", "/other2", "/fresh"})
        QVERIFY(visit(fresh, QString::fromLatin1(path)));
    QCOMPARE(server.requests.count(QStringLiteral("/fresh")), 2);
    QCOMPARE(server.noCache.count(QStringLiteral("/fresh")), 2);
    QVERIFY(!server.noCache.contains(QStringLiteral("/cached")));
}

void tst_TUIWebBrowser::framesOff()
{
    TUIWebBrowser *shows = makeBrowser(TDownLoadControl{CS_Images});
    load(shows, QStringLiteral("/frames"));
    QVERIFY(m_server.wasRequested(QStringLiteral("/frame")));

    m_server.clearRequests();
    TUIWebBrowser *blocks = makeBrowser(TDownLoadControl{CS_Images, CS_NoFrame});
    load(blocks, QStringLiteral("/frames"));
    // The load event waits for the page's frames.
    QVERIFY(!m_server.wasRequested(QStringLiteral("/frame")));
}

void tst_TUIWebBrowser::silentSwallowsDialogs()
{
    // Without CS_Silent the alert would wait for a click that never comes.
    TUIWebBrowser *browser = makeBrowser(TDownLoadControl{CS_Images, CS_Silent});
    load(browser, QStringLiteral("/alert"));
    QTRY_COMPARE_WITH_TIMEOUT(browser->page()->title(), QStringLiteral("after"), kTimeout);
}

void tst_TUIWebBrowser::statusTextFollowsTheLink()
{
    TUIWebBrowser *browser = makeBrowser();
    load(browser, QStringLiteral("/link"));
    QSignalSpy status(browser, &TEngineBrowser::OnStatusTextChange);
    QWidget *surface = shownSurface(browser);
    QVERIFY(surface);
    QTest::mouseMove(surface, QPoint(60, 60));
    QTRY_VERIFY_WITH_TIMEOUT(!status.isEmpty(), kTimeout);
    QCOMPARE(status.last().at(0).toString(), m_server.url(QStringLiteral("/b")).toString());
    QTest::mouseMove(surface, QPoint(500, 400));
    QTRY_COMPARE_WITH_TIMEOUT(status.last().at(0).toString(), QString(), kTimeout);
}

void tst_TUIWebBrowser::ownContextMenuReplacesTheEngines()
{
    TUIWebBrowser *browser = makeBrowser();
    QMenu menu;
    menu.addAction(QStringLiteral("項目"));
    browser->setPopupMenu(&menu);
    browser->setIeNoContext(true);
    load(browser, QStringLiteral("/a"));
    QSignalSpy shown(&menu, &QMenu::aboutToShow);
    QWidget *surface = shownSurface(browser);
    QVERIFY(surface);
    QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(500, 400));
    QTRY_COMPARE_WITH_TIMEOUT(shown.size(), 1, kTimeout);
    menu.hide();
}

namespace {

// A browser of another engine kind: records what it is asked to open.
class OtherKindBrowser : public TEngineBrowser
{
public:
    EngineKind kind() const override { return EngineKind::Gecko; }
    void Navigate(const QString &url) override { navigated.append(url); }
    void GoBack() override {}
    void GoForward() override {}
    void Stop() override {}
    void Refresh() override {}
    void ExecWB(int, int, const QVariant &) override {}
    QString LocationURL() const override { return QString(); }
    bool Busy() const override { return false; }
    TEngineBrowser *CreateNewWindowBrowser(QWidget *parent) override
    {
        return new OtherKindBrowser(parent);
    }
    void RunScript(const QString &, const ScriptDone &) override {}
    void FindText(const QString &, bool, const FindDone &) override {}
    void applyZoom(int) override {}
    QString EngineName() const override { return QString(); }
    QString EngineVersion() const override { return QString(); }
    using TEngineBrowser::TEngineBrowser;

    QStringList navigated;
};

} // namespace

void tst_TUIWebBrowser::newWindowToAnotherEngineKind()
{
    TUIWebBrowser *opener = makeBrowser();
    load(opener, QStringLiteral("/opener"));
    OtherKindBrowser other;
    connect(opener, &TEngineBrowser::OnNewWindow2, this,
            [&](TEngineBrowser **ppDisp, bool *) { *ppDisp = &other; });
    evaluate(opener->page(), QStringLiteral("window.open('/c'); true"));
    QTRY_COMPARE_WITH_TIMEOUT(other.navigated,
                              QStringList{m_server.url(QStringLiteral("/c")).toString()}, kTimeout);
    QCOMPARE(opener->LocationURL(), m_server.url(QStringLiteral("/opener")).toString());
}

void tst_TUIWebBrowser::saveAsWritesArchive()
{
    TUIWebBrowser *browser = makeBrowser();
    load(browser, QStringLiteral("/a"));
    const QString path = m_home->file(QStringLiteral("saved.mht"));
    browser->SaveAs(path);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(path).size() > 0, kTimeout);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTRY_VERIFY_WITH_TIMEOUT(QFile(path).size() > 0, kTimeout);
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.contains("Dorvu copy text"));
    QVERIFY(m_errors.isEmpty());
}

void tst_TUIWebBrowser::saveAsFailureIsReported()
{
    TUIWebBrowser *browser = makeBrowser();
    load(browser, QStringLiteral("/a"));
    const QString path = m_home->file(QStringLiteral("missing/folder/saved.mht"));
    browser->SaveAs(path);
    QTRY_COMPARE_WITH_TIMEOUT(m_errors.size(), 1, kTimeout);
    QVERIFY(m_errors.at(0).contains(path));
    QVERIFY(!QFile::exists(path));
}

// A page behind another child window loads without a view; in front it gets one, and the page
// it covers then is hidden from the engine.
void tst_TUIWebBrowser::pageOutOfSightHasNoView()
{
    StackedPair pair;
    TUIWebBrowser *behind = pair.behind;
    TUIWebBrowser *front = pair.front;
    load(front, QStringLiteral("/b"));
    load(behind, QStringLiteral("/a"));
    QTRY_VERIFY_WITH_TIMEOUT(front->hasView() && front->page()->isVisible(), kTimeout);
    QVERIFY(!behind->hasView());
    QVERIFY(!behind->page()->isVisible());

    pair.area.setActiveSubWindow(pair.behindWindow);
    QTRY_VERIFY_WITH_TIMEOUT(behind->hasView() && behind->page()->isVisible(), kTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(!front->page()->isVisible(), kTimeout);
    QCOMPARE(behind->LocationURL(), m_server.url(QStringLiteral("/a")).toString());
}

// A page behind another is frozen after its sleep time and keeps its document; later it is
// discarded where the engine recommends it. In sight again, it is active at its address.
void tst_TUIWebBrowser::pageOutOfSightSleepsAndWakesInSight()
{
    using State = QWebEnginePage::LifecycleState;
    StackedPair pair;
    TUIWebBrowser *behind = pair.behind;
    TUIWebBrowser *front = pair.front;
    load(front, QStringLiteral("/b"));
    load(behind, QStringLiteral("/a"));
    QCOMPARE(runScript(behind, QStringLiteral("document.body.dataset.kept = 'yes'")),
             QStringLiteral("yes"));

    behind->setSleepAfter(300);
    front->setSleepAfter(300);
    QTRY_COMPARE_WITH_TIMEOUT(behind->page()->lifecycleState(), State::Frozen, kTimeout);
    pair.area.setActiveSubWindow(pair.behindWindow);
    QTRY_COMPARE_WITH_TIMEOUT(behind->page()->lifecycleState(), State::Active, kTimeout);
    QCOMPARE(runScript(behind, QStringLiteral("document.body.dataset.kept")),
             QStringLiteral("yes"));
    QTRY_COMPARE_WITH_TIMEOUT(front->page()->lifecycleState(), State::Frozen, kTimeout);

    // Frozen, then discarded in six sleep times, where the engine would have it so.
    QTRY_VERIFY_WITH_TIMEOUT(front->page()->lifecycleState() == State::Discarded ||
                                 front->page()->recommendedState() != State::Discarded,
                             kTimeout);
    pair.area.setActiveSubWindow(pair.frontWindow);
    QTRY_COMPARE_WITH_TIMEOUT(front->page()->lifecycleState(), State::Active, kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(front->LocationURL(), m_server.url(QStringLiteral("/b")).toString(),
                              kTimeout);
}

void tst_TUIWebBrowser::pageChangedOutOfSightShowsAndCloses_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("shown");
    for (const bool shown : {true, false}) {
        const char *end = shown ? "shown" : "closed unseen";
        QTest::addRow("other site, %s", end) << QStringLiteral("site") << shown;
        QTest::addRow("window.open, %s", end) << QStringLiteral("open") << shown;
    }
}

// The engine replaces a page's drawing surface when the page moves to another site's process
// or takes over a new-window request. A page behind others does that unseen; it must show, and
// close, afterwards like any other.
void tst_TUIWebBrowser::pageChangedOutOfSightShowsAndCloses()
{
    QFETCH(QString, change);
    QFETCH(bool, shown);
    auto pair = std::make_unique<StackedPair>();
    TUIWebBrowser *behind = pair->behind;
    QUrl otherSite = m_server.url(QStringLiteral("/b"));
    otherSite.setHost(QStringLiteral("localhost"));
    if (change == QLatin1String("site")) {
        load(behind, QStringLiteral("/a"));
        QSignalSpy complete(behind, &TEngineBrowser::OnDocumentComplete);
        behind->Navigate(otherSite.toString());
        QTRY_VERIFY_WITH_TIMEOUT(!complete.isEmpty() && !behind->Busy(), kTimeout);
    } else {
        connect(pair->front, &TEngineBrowser::OnNewWindow2, this,
                [behind](TEngineBrowser **ppDisp, bool *) { *ppDisp = behind; });
        load(pair->front, QStringLiteral("/opener"));
        QVERIFY(runScript(pair->front,
                          QStringLiteral("window.open('%1'); 'ok'").arg(otherSite.toString())) ==
                QStringLiteral("ok"));
        QTRY_COMPARE_WITH_TIMEOUT(behind->page()->title(), QStringLiteral("Page B"), kTimeout);
    }
    QVERIFY(!behind->page()->isVisible());
    if (shown) {
        pair->area.setActiveSubWindow(pair->behindWindow);
        QTRY_VERIFY_WITH_TIMEOUT(behind->page()->isVisible(), kTimeout);
        QVERIFY(shownSurface(behind));
        QCOMPARE(behind->page()->title(), QStringLiteral("Page B"));
    }
    pair.reset();
}

QTEST_MAIN(tst_TUIWebBrowser)
#include "tst_TUIWebBrowser.moc"
