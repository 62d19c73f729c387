// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The WebKit engine kind through its wrapper, against pages of a loopback server.
#include "EncodingPages.h"
#include "HomeTest.h"
#include "ScriptResult.h"
#include "TestHttpServer.h"
#include "TestPages.h"
#include "common/DorvuError.h"
#include "common/ErrorHandler.h"
#include "engine/MozCtlModule.h"
#include "engine/TMozillaBrowser.h"
#include "engine/TUIWebBrowser.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <csignal>

namespace {

constexpr int kTimeout = kEngineTimeout;

QString S(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

/// The process ids of this process's WebKit web processes.
QList<int> webProcesses()
{
    QList<int> pids;
    const QStringList all = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &name : all) {
        bool ok = false;
        const int pid = name.toInt(&ok);
        if (!ok)
            continue;
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!comm.open(QIODevice::ReadOnly) || !stat.open(QIODevice::ReadOnly))
            continue;
        if (!comm.readAll().startsWith("WebKitWebProces"))
            continue;
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(1).toInt() == int(QCoreApplication::applicationPid()))
            pids.append(pid);
    }
    return pids;
}

/// Kills this process's WebKit web processes, as a crash would; returns how many.
int killWebProcesses()
{
    int killed = 0;
    for (const int pid : webProcesses())
        killed += ::kill(pid, SIGKILL) == 0;
    return killed;
}

} // namespace

class TestTMozillaBrowser : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override
    {
        m_errors.clear();
        m_server.clearRequests();
    }

    void cleanupHome() override { m_server.release(); }

private:
    TestHttpServer m_server;
    QStringList m_errors;

    QString url(const char *path) const
    {
        return m_server.url(QString::fromLatin1(path)).toString();
    }

    std::unique_ptr<TMozillaBrowser> makeBrowser()
    {
        std::unique_ptr<TMozillaBrowser> browser(TMozillaBrowser::create());
        browser->resize(480, 360);
        browser->show();
        return browser;
    }

    /// Navigates and waits for the document of \a path to complete.
    bool load(TMozillaBrowser *browser, const char *path)
    {
        QSignalSpy done(browser, &TEngineBrowser::OnDocumentComplete);
        browser->Navigate(url(path));
        QDeadlineTimer deadline(kTimeout);
        while (!deadline.hasExpired()) {
            for (const auto &args : std::as_const(done))
                if (args.at(0).toString() == url(path))
                    return true;
            done.wait(200);
        }
        return false;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        MozCtlModule::setFolderOverride(TestHome::moduleFolder());
        m_server.route(QStringLiteral("/a"),
                       TestPages::page("Page A", "<p id=t>Hello clipboard</p>"));
        m_server.route(QStringLiteral("/b"), TestPages::page("Page B", "<p>second</p>"));
        m_server.route(QStringLiteral("/untitled"), "<html><body>no title</body></html>");
        m_server.route(QStringLiteral("/slow"), TestPages::page("Slow", "<p>late</p>"));
        m_server.route(QStringLiteral("/text"),
                       TestPages::page("Text", "<span id=t style='font-size:20px'>Size</span>"));
        m_server.route(QStringLiteral("/popup"), TestPages::page("Popup", "<p>popup</p>"));
        m_server.route(QStringLiteral("/file.bin"), QByteArray(1000, 'x'),
                       "application/octet-stream");
        m_server.route(QStringLiteral("/opener"),
                       TestPages::page("Opener",
                                       "<script>onload = () => {"
                                       " const w = window.open('/popup');"
                                       " document.title = w ? 'opened' : 'refused'; }</script>"));
        m_server.route(QStringLiteral("/blank"),
                       TestPages::page("Blank",
                                       "<a id=l href='/popup' target='_blank'>new</a>"
                                       "<script>onload = () => document.getElementById('l')"
                                       ".click();</script>"));
        EncodingPages::route(m_server);
        ErrorHandler::setSink([this](const QString &text) { m_errors << text; });
    }

    // The page window reads the address and the title; progress must end at its maximum,
    // or the Stop button stays on.
    void navigateReportsAddressTitleAndProgress()
    {
        auto browser = makeBrowser();
        QSignalSpy title(browser.get(), &TEngineBrowser::OnTitleChange);
        QSignalSpy progress(browser.get(), &TEngineBrowser::OnProgressChange);
        QSignalSpy before(browser.get(), &TEngineBrowser::OnBeforeNavigate2);
        QSignalSpy committed(browser.get(), &TEngineBrowser::OnNavigateComplete2);
        QVERIFY(load(browser.get(), "/a"));
        QCOMPARE(browser->LocationURL(), url("/a"));
        QTRY_VERIFY_WITH_TIMEOUT(!title.isEmpty() && title.last().at(0) == QStringLiteral("Page A"),
                                 kTimeout);
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last().at(0).toInt(), 100);
        QCOMPARE(progress.last().at(1).toInt(), 100);
        QCOMPARE(before.first().at(0).toString(), url("/a"));
        QCOMPARE(committed.first().at(0).toString(), url("/a"));
        QVERIFY(!browser->Busy());
    }

    // Sites are asked for Japanese first, as by the other engine (this engine shows a page
    // only the first language).
    void asksForJapaneseFirst()
    {
        auto browser = makeBrowser();
        QVERIFY(load(browser.get(), "/a"));
        QCOMPARE(runScript(browser.get(), QStringLiteral("navigator.languages.join()")),
                 QStringLiteral("ja"));
    }

    void japaneseTitle_data() { EncodingPages::addRows(); }

    // A page that names no character set is read in the Japanese encoding it is written in, as
    // UTF-8 when it is that; a named one still wins.
    void japaneseTitle()
    {
        QFETCH(QString, path);
        auto browser = makeBrowser();
        QSignalSpy title(browser.get(), &TEngineBrowser::OnTitleChange);
        QVERIFY(load(browser.get(), path.toLatin1().constData()));
        // A page's title may come after the load has finished and named the page by address;
        // a page read again in the encoding it turned out to be in reports its title again.
        QTRY_COMPARE_WITH_TIMEOUT(title.isEmpty() ? QString() : title.last().at(0).toString(),
                                  EncodingPages::title(), kTimeout);
    }

    // The encoding found for one page is not forced on the next.
    void nextPageKeepsItsOwnEncoding()
    {
        auto browser = makeBrowser();
        QSignalSpy title(browser.get(), &TEngineBrowser::OnTitleChange);
        QVERIFY(load(browser.get(), "/sjis-undeclared"));
        QTRY_COMPARE_WITH_TIMEOUT(title.isEmpty() ? QString() : title.last().at(0).toString(),
                                  EncodingPages::title(), kTimeout);
        title.clear();
        QVERIFY(load(browser.get(), "/utf8-undeclared"));
        QTRY_COMPARE_WITH_TIMEOUT(browser->LocationURL(), url("/utf8-undeclared"), kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(title.isEmpty() ? QString() : title.last().at(0).toString(),
                                  EncodingPages::title(), kTimeout);
    }

    // Without a title the window would never learn its address: the address stands in.
    void pageWithoutTitleReportsItsAddress()
    {
        auto browser = makeBrowser();
        QSignalSpy title(browser.get(), &TEngineBrowser::OnTitleChange);
        QVERIFY(load(browser.get(), "/untitled"));
        QTRY_VERIFY_WITH_TIMEOUT(!title.isEmpty(), kTimeout);
        QCOMPARE(title.last().at(0).toString(), url("/untitled"));
    }

    void backAndForwardFollowHistory()
    {
        auto browser = makeBrowser();
        QSignalSpy states(browser.get(), &TEngineBrowser::OnCommandStateChange);
        const auto lastState = [&states](int command) {
            for (qsizetype i = states.size() - 1; i >= 0; --i)
                if (states.at(i).at(0).toInt() == command)
                    return states.at(i).at(1).toBool() ? 1 : 0;
            return -1;
        };
        QVERIFY(load(browser.get(), "/a"));
        QVERIFY(load(browser.get(), "/b"));
        QTRY_COMPARE_WITH_TIMEOUT(lastState(TEngineBrowser::CSC_NAVIGATEBACK), 1, kTimeout);
        QCOMPARE(lastState(TEngineBrowser::CSC_NAVIGATEFORWARD), 0);

        browser->GoBack();
        QTRY_COMPARE_WITH_TIMEOUT(browser->LocationURL(), url("/a"), kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(lastState(TEngineBrowser::CSC_NAVIGATEFORWARD), 1, kTimeout);
        QCOMPARE(lastState(TEngineBrowser::CSC_NAVIGATEBACK), 0);

        browser->GoForward();
        QTRY_COMPARE_WITH_TIMEOUT(browser->LocationURL(), url("/b"), kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(lastState(TEngineBrowser::CSC_NAVIGATEFORWARD), 0, kTimeout);
    }

    // A refused command is reported to the user, not ignored.
    void commandsWithoutHistoryOrPageThrow()
    {
        auto browser = makeBrowser();
        try {
            browser->GoBack();
            QFAIL("GoBack without history");
        } catch (const DorvuError &e) {
            QCOMPARE(e.message(), S("前のページはありません"));
        }
        QVERIFY_THROWS_EXCEPTION(DorvuError, browser->GoForward());
        try {
            browser->ExecWB(TEngineBrowser::OLECMDID_COPY, 0);
            QFAIL("copy without a page");
        } catch (const DorvuError &e) {
            QCOMPARE(e.message(), S("ページが読み込まれていません"));
        }
        QVERIFY_THROWS_EXCEPTION(DorvuError,
                                 browser->ExecWB(TEngineBrowser::OLECMDID_SELECTALL, 0));
        // The text size fails silently.
        browser->ExecWB(TEngineBrowser::OLECMDID_ZOOM, 2, 9);
        browser->ExecWB(TEngineBrowser::OLECMDID_ZOOM, 2, QVariant());
    }

    void busyWhileLoadingUntilStopped()
    {
        auto browser = makeBrowser();
        QSignalSpy progress(browser.get(), &TEngineBrowser::OnProgressChange);
        m_server.hold(QStringLiteral("/slow"));
        browser->Navigate(url("/slow"));
        QVERIFY(browser->Busy());
        QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(QStringLiteral("/slow")), kTimeout);
        QVERIFY(browser->Busy());
        browser->Stop();
        QTRY_VERIFY_WITH_TIMEOUT(!browser->Busy(), kTimeout);
        // A stopped load ends like any other, or the page window keeps Stop enabled.
        QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty() && progress.last().at(0).toInt() == 100,
                                 kTimeout);
    }

    // A navigation that brings no document (here a download) ends like a refused one: no
    // completion report, least of all one for the page still on show, and progress at 100.
    void navigationWithoutDocumentCompletesNothing()
    {
        auto browser = makeBrowser();
        QVERIFY(load(browser.get(), "/a"));
        QSignalSpy progress(browser.get(), &TEngineBrowser::OnProgressChange);
        QSignalSpy before(browser.get(), &TEngineBrowser::OnBeforeNavigate2);
        QSignalSpy done(browser.get(), &TEngineBrowser::OnDocumentComplete);
        browser->Navigate(url("/file.bin"));
        QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(QStringLiteral("/file.bin")), kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!browser->Busy(), kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty() && progress.last().at(0).toInt() == 100,
                                 kTimeout);
        QCOMPARE(before.first().at(0).toString(), url("/file.bin"));
        QVERIFY(load(browser.get(), "/b")); // events in order: nothing stale came before
        for (const auto &args : std::as_const(done))
            QCOMPARE(args.at(0).toString(), url("/b"));
        QCOMPARE(browser->LocationURL(), url("/b"));
    }

    // A page whose process dies says so instead of staying blank, and Refresh brings it back.
    void crashedPageSaysSoAndRefreshRestoresIt()
    {
        auto browser = makeBrowser();
        QVERIFY(load(browser.get(), "/a"));
        QSignalSpy title(browser.get(), &TEngineBrowser::OnTitleChange);
        QVERIFY(killWebProcesses() > 0);
        QTRY_VERIFY_WITH_TIMEOUT(
            !title.isEmpty() && title.last().at(0) == S("ページを表示できません"), kTimeout);
        QCOMPARE(browser->LocationURL(), url("/a"));
        m_server.clearRequests();
        browser->Refresh();
        QTRY_VERIFY_WITH_TIMEOUT(title.last().at(0) == QStringLiteral("Page A"), kTimeout);
        QVERIFY(m_server.wasRequested(QStringLiteral("/a")));
    }

    // Pages of one site share a web process, and the page that joined it still shows; a page
    // of another site gets a process of its own.
    void pagesOfOneSiteShareAWebProcess()
    {
        auto first = makeBrowser();
        QVERIFY(load(first.get(), "/a"));
        const qsizetype alone = webProcesses().size();
        auto second = makeBrowser();
        QSignalSpy title(second.get(), &TEngineBrowser::OnTitleChange);
        QVERIFY(load(second.get(), "/b"));
        QTRY_VERIFY_WITH_TIMEOUT(!title.isEmpty() && title.last().at(0) == QStringLiteral("Page B"),
                                 kTimeout);
        QCOMPARE(webProcesses().size(), alone);

        auto other = makeBrowser();
        QSignalSpy done(other.get(), &TEngineBrowser::OnDocumentComplete);
        QUrl elsewhere(url("/a"));
        elsewhere.setHost(QStringLiteral("localhost"));
        other->Navigate(elsewhere.toString());
        QVERIFY(done.wait(kTimeout));
        QCOMPARE(webProcesses().size(), alone + 1);
    }

    // A window stops a page whose title is blocked and closes it at the next command-state
    // report; the title may come after the load, so Stop itself must bring that report.
    void stopAfterLoadReportsCommandState()
    {
        auto browser = makeBrowser();
        QVERIFY(load(browser.get(), "/a"));
        QSignalSpy states(browser.get(), &TEngineBrowser::OnCommandStateChange);
        browser->Stop();
        QVERIFY(states.isEmpty()); // after the caller has returned, not inside Stop
        QTRY_VERIFY_WITH_TIMEOUT(!states.isEmpty(), kTimeout);
    }

    void refreshLoadsThePageAgain()
    {
        auto browser = makeBrowser();
        QVERIFY(load(browser.get(), "/a"));
        m_server.clearRequests();
        QSignalSpy done(browser.get(), &TEngineBrowser::OnDocumentComplete);
        browser->Refresh();
        QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(QStringLiteral("/a")), kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!done.isEmpty(), kTimeout);
        QCOMPARE(done.last().at(0).toString(), url("/a"));
    }

    // The page's clipboard must be readable by Qt in the same process.
    void copyAndSelectAllReachTheClipboard()
    {
        auto browser = makeBrowser();
        QVERIFY(load(browser.get(), "/a"));
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        browser->ExecWB(TEngineBrowser::OLECMDID_SELECTALL, 0);
        browser->ExecWB(TEngineBrowser::OLECMDID_COPY, 0);
        QTRY_VERIFY_WITH_TIMEOUT(
            QGuiApplication::clipboard()->text().contains(QStringLiteral("Hello clipboard")),
            kTimeout);
    }

    // Only the text grows: the page keeps its layout width, as it would not under a page zoom.
    void textSizeScalesTheText()
    {
        auto browser = makeBrowser();
        QVERIFY(load(browser.get(), "/text"));
        const QString height = QStringLiteral("document.getElementById('t').offsetHeight");
        const QString width = QStringLiteral("window.innerWidth");
        const double normal = runScript(browser.get(), height).toDouble();
        QVERIFY(normal > 0);
        QTRY_COMPARE_WITH_TIMEOUT(runScript(browser.get(), width), QStringLiteral("480"), kTimeout);
        browser->ExecWB(TEngineBrowser::OLECMDID_ZOOM, 2, 4);
        QCOMPARE(browser->zoomLevel(), 1.5);
        QTRY_VERIFY_WITH_TIMEOUT(runScript(browser.get(), height).toDouble() > normal * 1.3,
                                 kTimeout);
        QCOMPARE(runScript(browser.get(), width), QStringLiteral("480"));
        QCOMPARE(runScript(browser.get(), QStringLiteral("window.devicePixelRatio")),
                 QStringLiteral("1"));
        browser->ExecWB(TEngineBrowser::OLECMDID_ZOOM, 2, 0);
        QCOMPARE(browser->zoomLevel(), 0.75);
        QTRY_VERIFY_WITH_TIMEOUT(runScript(browser.get(), height).toDouble() < normal, kTimeout);
    }

    void followsResize()
    {
        auto browser = makeBrowser();
        QVERIFY(load(browser.get(), "/a"));
        QTRY_COMPARE_WITH_TIMEOUT(runScript(browser.get(), QStringLiteral("window.innerWidth")),
                                  QStringLiteral("480"), kTimeout);
        browser->resize(640, 300);
        QTRY_COMPARE_WITH_TIMEOUT(runScript(browser.get(), QStringLiteral("window.innerWidth")),
                                  QStringLiteral("640"), kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(runScript(browser.get(), QStringLiteral("window.innerHeight")),
                                  QStringLiteral("300"), kTimeout);
    }

    // The capture window hands over a hidden browser made by CreateNewWindowBrowser; the
    // request's navigation must reach it.
    void newWindowRequestReachesSuppliedBrowser_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("window.open") << QStringLiteral("/opener");
        QTest::newRow("target=_blank link") << QStringLiteral("/blank");
    }

    void newWindowRequestReachesSuppliedBrowser()
    {
        QFETCH(QString, path);
        auto browser = makeBrowser();
        QWidget hiddenParent;
        std::unique_ptr<TEngineBrowser> captured;
        std::unique_ptr<QSignalSpy> before, committed, done;
        connect(
            browser.get(), &TEngineBrowser::OnNewWindow2, this,
            [&](TEngineBrowser **ppDisp, bool *) {
                captured.reset(browser->CreateNewWindowBrowser(&hiddenParent));
                before = std::make_unique<QSignalSpy>(captured.get(),
                                                      &TEngineBrowser::OnBeforeNavigate2);
                committed = std::make_unique<QSignalSpy>(captured.get(),
                                                         &TEngineBrowser::OnNavigateComplete2);
                done = std::make_unique<QSignalSpy>(captured.get(),
                                                    &TEngineBrowser::OnDocumentComplete);
                *ppDisp = captured.get();
            },
            Qt::DirectConnection);
        browser->Navigate(m_server.url(path).toString());
        QTRY_VERIFY_WITH_TIMEOUT(captured, kTimeout);
        QVERIFY(!captured->isVisible());
        const QString popup = url("/popup");
        QTRY_VERIFY_WITH_TIMEOUT(!before->isEmpty(), kTimeout);
        QCOMPARE(before->first().at(0).toString(), popup);
        QTRY_VERIFY_WITH_TIMEOUT(!done->isEmpty(), kTimeout);
        QCOMPARE(done->first().at(0).toString(), popup);
        QVERIFY(!committed->isEmpty());
        QCOMPARE(committed->first().at(0).toString(), popup);
        QCOMPARE(captured->LocationURL(), popup);
        QVERIFY(m_server.wasRequested(QStringLiteral("/popup")));
    }

    void cancelledNewWindowIsRefused()
    {
        auto browser = makeBrowser();
        connect(
            browser.get(), &TEngineBrowser::OnNewWindow2, this,
            [](TEngineBrowser **, bool *cancel) { *cancel = true; }, Qt::DirectConnection);
        QSignalSpy title(browser.get(), &TEngineBrowser::OnTitleChange);
        browser->Navigate(url("/opener"));
        QTRY_VERIFY_WITH_TIMEOUT(
            !title.isEmpty() && title.last().at(0) == QStringLiteral("refused"), kTimeout);
        QVERIFY(!m_server.wasRequested(QStringLiteral("/popup")));
    }

    // A browser of the other kind cannot take over WebKit's request: it is sent the address.
    void newWindowForOtherKindNavigatesIt()
    {
        auto browser = makeBrowser();
        QWidget hiddenParent;
        auto *other = new TUIWebBrowser(&hiddenParent);
        QSignalSpy before(other, &TEngineBrowser::OnBeforeNavigate2);
        connect(
            browser.get(), &TEngineBrowser::OnNewWindow2, this,
            [other](TEngineBrowser **ppDisp, bool *) { *ppDisp = other; }, Qt::DirectConnection);
        browser->Navigate(url("/opener"));
        QTRY_VERIFY_WITH_TIMEOUT(!before.isEmpty(), kTimeout);
        QCOMPARE(before.first().at(0).toString(), url("/popup"));
        QVERIFY(m_errors.isEmpty());
    }

    void savePageWritesWebArchive()
    {
        auto browser = makeBrowser();
        QVERIFY(load(browser.get(), "/a"));
        QTemporaryDir dir;
        const QString path = dir.filePath(S("保存.mht"));
        QSignalSpy saved(browser.get(), &TMozillaBrowser::saveFinished);
        browser->SavePage(path);
        QTRY_VERIFY_WITH_TIMEOUT(!saved.isEmpty(), kTimeout);
        QVERIFY(saved.first().at(1).toBool());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.contains("multipart/related"));
        QVERIFY(bytes.contains("Hello clipboard"));
        QVERIFY(m_errors.isEmpty());
    }

    // A failing save is shown to the user, never lost.
    void failingSaveIsReported()
    {
        auto browser = makeBrowser();
        QVERIFY(load(browser.get(), "/a"));
        QSignalSpy saved(browser.get(), &TMozillaBrowser::saveFinished);
        browser->SavePage(QStringLiteral("/nonexistent-folder/x.mht"));
        QTRY_VERIFY_WITH_TIMEOUT(!saved.isEmpty(), kTimeout);
        QVERIFY(!saved.first().at(1).toBool());
        QCOMPARE(m_errors.size(), 1);
        QVERIFY(m_errors.first().contains(S("に保存できません")));
    }
};

QTEST_MAIN(TestTMozillaBrowser)
#include "tst_TMozillaBrowser.moc"
