// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The capture window with both real engines: new-window requests of a page end in exactly one
// open-page call, or none when blocked, and leave no capture window behind.
#include "HomeTest.h"
#include "TestHttpServer.h"
#include "TestPages.h"
#include "browser/Tfrm_tmpWeb.h"
#include "common/ErrorHandler.h"
#include "engine/MozCtlApi.h"
#include "engine/MozCtlModule.h"
#include "engine/TMozillaBrowser.h"
#include "engine/TRealEngineFactory.h"
#include "engine/TUIWebBrowser.h"
#include "settings/IniFile.h"

#include <QApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

constexpr int kTimeout = kEngineTimeout;

struct Opened
{
    QString caption;
    QString url;
};

} // namespace

class tst_Tfrm_tmpWeb : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void initTestCase();

    void startUpInstanceIsInert();
    void requestOpensOnce_data();
    void requestOpensOnce();
    void blockedPopupOpensNothing_data();
    void blockedPopupOpensNothing();
    void popupOfPopupIsCancelled_data();
    void popupOfPopupIsCancelled();
    void bothCompletionReportsOpenOnce();
    void otherAddressesAreIgnored();
    void failedCheckLeavesWindowForRetry();
    void pendingWindowsAreCapped();
    void neverCompletedRequestTimesOut();
    void captureBrowserThatCannotBeMadeIsRefused();
    void capturePageRunsNoScripts_data();
    void capturePageRunsNoScripts();

private:
    void addEngineColumn();
    TEngineBrowser *makeRequester(const QString &engine);
    bool load(TEngineBrowser *browser, const QString &path);
    /// Answers the requester's new-window requests with capture windows recording into m_opened.
    void capture(TEngineBrowser *requester);
    Tfrm_tmpWeb *lastCaptureWindow() const;
    QString url(const QString &path) const { return m_server.url(path).toString(); }
    void setBlocking(bool on, const QByteArray &patterns);

    TestHttpServer m_server;
    TRealEngineFactory m_factory;
    QList<QPointer<TEngineBrowser>> m_browsers;
    QList<Opened> m_opened;
    int m_requests = 0;
    QStringList m_errors;
};

void tst_Tfrm_tmpWeb::initTestCase()
{
    QVERIFY(m_server.start());
    MozCtlModule::setFolderOverride(TestHome::moduleFolder());
    m_server.route(QStringLiteral("/popup"), TestPages::page("Popup", "<p>popup</p>"));
    m_server.route(QStringLiteral("/adpop"), TestPages::page("Ad", "<p>buy</p>"));
    m_server.route(
        QStringLiteral("/opener"),
        TestPages::page("Opener", "<script>onload = () => window.open('/popup');</script>"));
    m_server.route(QStringLiteral("/blank"),
                   TestPages::page("Blank",
                                   "<a id=l href='/popup' target='_blank'>new</a>"
                                   "<script>onload = () => document.getElementById('l').click();"
                                   "</script>"));
    m_server.route(
        QStringLiteral("/adopener"),
        TestPages::page("Opener", "<script>onload = () => window.open('/adpop');</script>"));
    m_server.route(
        QStringLiteral("/nestopener"),
        TestPages::page("Opener", "<script>onload = () => window.open('/nest');</script>"));
    m_server.route(QStringLiteral("/nest"),
                   TestPages::page("Nest", "<script>window.open('/inner');</script><p>nest</p>"));
    m_server.route(QStringLiteral("/inner"), TestPages::page("Inner", "<p>inner</p>"));
    m_server.route(QStringLiteral("/plain"), TestPages::page("Plain", "<p>plain</p>"));
    // A synchronous request: when scripts run, the trace is in before the page completes.
    m_server.route(
        QStringLiteral("/traceopener"),
        TestPages::page("Opener", "<script>onload = () => window.open('/tracego');</script>"));
    m_server.redirect(QStringLiteral("/tracego"), QStringLiteral("/tracepop"));
    m_server.route(QStringLiteral("/tracepop"),
                   TestPages::page("Trace", "<script>const x = new XMLHttpRequest();"
                                            "x.open('GET', '/trace', false); x.send();</script>"));
    m_server.route(QStringLiteral("/trace"), "traced", "text/plain");
    ErrorHandler::setSink([this](const QString &text) { m_errors << text; });
}

void tst_Tfrm_tmpWeb::initHome()
{
    m_opened.clear();
    m_requests = 0;
    m_errors.clear();
    m_server.clearRequests();
}

void tst_Tfrm_tmpWeb::cleanupHome()
{
    for (const QPointer<TEngineBrowser> &b : std::as_const(m_browsers))
        delete b.data();
    m_browsers.clear();
    // Whatever a case left pending goes now, so cases do not see each other's windows.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qobject_cast<Tfrm_tmpWeb *>(w))
            delete w;
    }
    QCOMPARE(Tfrm_tmpWeb::pendingCount(), 0);
}

void tst_Tfrm_tmpWeb::addEngineColumn()
{
    QTest::addColumn<QString>("engine");
}

TEngineBrowser *tst_Tfrm_tmpWeb::makeRequester(const QString &engine)
{
    TEngineBrowser *b = nullptr;
    if (engine == QLatin1String("webkit"))
        b = TMozillaBrowser::create();
    else
        b = new TUIWebBrowser();
    b->resize(480, 360);
    b->show();
    m_browsers.append(b);
    return b;
}

bool tst_Tfrm_tmpWeb::load(TEngineBrowser *browser, const QString &path)
{
    QSignalSpy done(browser, &TEngineBrowser::OnDocumentComplete);
    browser->Navigate(url(path));
    return QTest::qWaitFor(
        [&] {
            for (const QList<QVariant> &args : std::as_const(done)) {
                if (args.at(0).toString() == url(path))
                    return true;
            }
            return false;
        },
        kTimeout);
}

void tst_Tfrm_tmpWeb::capture(TEngineBrowser *requester)
{
    connect(
        requester, &TEngineBrowser::OnNewWindow2, this,
        [this, requester](TEngineBrowser **ppDisp, bool *Cancel) {
            ++m_requests;
            Tfrm_tmpWeb::Capture(&m_factory, requester, ppDisp, Cancel,
                                 [this](const QString &caption, const QString &address) {
                                     m_opened.append({caption, address});
                                 });
        },
        Qt::DirectConnection);
}

Tfrm_tmpWeb *tst_Tfrm_tmpWeb::lastCaptureWindow() const
{
    Tfrm_tmpWeb *found = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *form = qobject_cast<Tfrm_tmpWeb *>(w); form && form->WebBrowser1)
            found = form;
    }
    return found;
}

void tst_Tfrm_tmpWeb::setBlocking(bool on, const QByteArray &patterns)
{
    IniFile::config().WriteBool(QStringLiteral("Option_advertisemen"), QStringLiteral("CloseURL"),
                                on);
    m_home->write(QStringLiteral("CloseURL.txt"), patterns);
}

void tst_Tfrm_tmpWeb::startUpInstanceIsInert()
{
    // Made with the other forms at start-up: no browser, nothing pending, never shown.
    Tfrm_tmpWeb form;
    QVERIFY(!form.WebBrowser1);
    QCOMPARE(Tfrm_tmpWeb::pendingCount(), 0);
    QVERIFY(!form.isVisible());
    form.WebBrowser1NavigateComplete2(QString());
    QVERIFY(!form.isDone());
}

void tst_Tfrm_tmpWeb::requestOpensOnce_data()
{
    TestPages::addNewWindowRows();
}

void tst_Tfrm_tmpWeb::requestOpensOnce()
{
    QFETCH(QString, engine);
    QFETCH(QString, opener);
    TEngineBrowser *requester = makeRequester(engine);
    capture(requester);
    QVERIFY(load(requester, opener));
    QTRY_COMPARE_WITH_TIMEOUT(m_opened.size(), 1, kTimeout);
    QCOMPARE(m_opened.first().caption, QStringLiteral("loading"));
    QCOMPARE(m_requests, 1);
    QCOMPARE(m_opened.first().url, url(QStringLiteral("/popup")));
    // The capture window has gone, and with it any later report.
    QTRY_COMPARE_WITH_TIMEOUT(Tfrm_tmpWeb::pendingCount(), 0, kTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(!lastCaptureWindow(), kTimeout);
    QCOMPARE(m_opened.size(), 1);
    QVERIFY(m_errors.isEmpty());
    // The requesting page stays where it was.
    QCOMPARE(requester->LocationURL(), url(opener));
}

void tst_Tfrm_tmpWeb::blockedPopupOpensNothing_data()
{
    addEngineColumn();
    QTest::newRow("chromium") << QStringLiteral("ie");
    QTest::newRow("webkit") << QStringLiteral("webkit");
}

void tst_Tfrm_tmpWeb::blockedPopupOpensNothing()
{
    QFETCH(QString, engine);
    setBlocking(true, "*AD*\r\n");
    TEngineBrowser *requester = makeRequester(engine);
    capture(requester);
    QVERIFY(load(requester, QStringLiteral("/adopener")));
    // A capture window took the request, found the address blocked and closed.
    QTRY_COMPARE_WITH_TIMEOUT(m_requests, 1, kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(Tfrm_tmpWeb::pendingCount(), 0, kTimeout);
    QVERIFY(m_opened.isEmpty());
    QVERIFY(m_errors.isEmpty());
}

void tst_Tfrm_tmpWeb::popupOfPopupIsCancelled_data()
{
    blockedPopupOpensNothing_data();
}

void tst_Tfrm_tmpWeb::popupOfPopupIsCancelled()
{
    QFETCH(QString, engine);
    TEngineBrowser *requester = makeRequester(engine);
    capture(requester);
    QVERIFY(load(requester, QStringLiteral("/nestopener")));
    QTRY_COMPARE_WITH_TIMEOUT(m_opened.size(), 1, kTimeout);
    QCOMPARE(m_opened.first().url, url(QStringLiteral("/nest")));
    QTRY_COMPARE_WITH_TIMEOUT(Tfrm_tmpWeb::pendingCount(), 0, kTimeout);
    QCOMPARE(m_opened.size(), 1);
    QVERIFY(!m_server.wasRequested(QStringLiteral("/inner")));

    // Asked directly, the capture browser refuses every further window.
    TEngineBrowser *pp = nullptr;
    bool cancel = false;
    Tfrm_tmpWeb::Capture(&m_factory, requester, &pp, &cancel,
                         [](const QString &, const QString &) {});
    QVERIFY(pp);
    QVERIFY(!cancel);
    Tfrm_tmpWeb *form = qobject_cast<Tfrm_tmpWeb *>(pp->parentWidget());
    QVERIFY(form);
    QCOMPARE(form->WebBrowser1, pp);
    TEngineBrowser *inner = nullptr;
    bool innerCancel = false;
    Q_EMIT pp->OnNewWindow2(&inner, &innerCancel);
    QVERIFY(innerCancel);
    QVERIFY(!inner);
}

void tst_Tfrm_tmpWeb::bothCompletionReportsOpenOnce()
{
    TEngineBrowser *requester = makeRequester(QStringLiteral("ie"));
    TEngineBrowser *pp = nullptr;
    bool cancel = false;
    Tfrm_tmpWeb::Capture(&m_factory, requester, &pp, &cancel,
                         [this](const QString &c, const QString &u) {
                             m_opened.append({c, u});
                         });
    QVERIFY(pp);
    const QString address = url(QStringLiteral("/plain"));
    Q_EMIT pp->OnBeforeNavigate2(address);
    Q_EMIT pp->OnNavigateComplete2(address);
    Q_EMIT pp->OnDocumentComplete(address);
    QCOMPARE(m_opened.size(), 1);
    QCOMPARE(m_opened.first().url, address);
    QCOMPARE(Tfrm_tmpWeb::pendingCount(), 0);
}

void tst_Tfrm_tmpWeb::otherAddressesAreIgnored()
{
    TEngineBrowser *requester = makeRequester(QStringLiteral("ie"));
    TEngineBrowser *pp = nullptr;
    bool cancel = false;
    Tfrm_tmpWeb::Capture(&m_factory, requester, &pp, &cancel,
                         [this](const QString &c, const QString &u) {
                             m_opened.append({c, u});
                         });
    auto *form = qobject_cast<Tfrm_tmpWeb *>(pp->parentWidget());
    QVERIFY(form);
    // A redirect or a frame navigates further; only the first address counts.
    Q_EMIT pp->OnBeforeNavigate2(QStringLiteral("http://first.example/"));
    Q_EMIT pp->OnBeforeNavigate2(QStringLiteral("http://second.example/"));
    Q_EMIT pp->OnNavigateComplete2(QStringLiteral("http://second.example/"));
    Q_EMIT pp->OnDocumentComplete(QStringLiteral("http://second.example/"));
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(form->capturedUrl(), QStringLiteral("http://first.example/"));
    QCOMPARE(Tfrm_tmpWeb::pendingCount(), 1);
}

void tst_Tfrm_tmpWeb::failedCheckLeavesWindowForRetry()
{
    IniFile::config().WriteBool(QStringLiteral("Option_advertisemen"), QStringLiteral("CloseURL"),
                                true);
    TEngineBrowser *requester = makeRequester(QStringLiteral("ie"));
    TEngineBrowser *pp = nullptr;
    bool cancel = false;
    Tfrm_tmpWeb::Capture(&m_factory, requester, &pp, &cancel,
                         [this](const QString &c, const QString &u) {
                             m_opened.append({c, u});
                         });
    const QString address = url(QStringLiteral("/plain"));
    Q_EMIT pp->OnBeforeNavigate2(address);
    // No CloseURL.txt: the check fails, is reported, and the window waits.
    Q_EMIT pp->OnNavigateComplete2(address);
    QCOMPARE(m_errors.size(), 1);
    QVERIFY(m_errors.first().contains(QStringLiteral("CloseURL.txt")));
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(Tfrm_tmpWeb::pendingCount(), 1);
    // The file is back: the next completion report opens the page.
    m_home->write(QStringLiteral("CloseURL.txt"), "*nothing*\r\n");
    Q_EMIT pp->OnDocumentComplete(address);
    QCOMPARE(m_opened.size(), 1);
    QCOMPARE(Tfrm_tmpWeb::pendingCount(), 0);
}

void tst_Tfrm_tmpWeb::pendingWindowsAreCapped()
{
    TEngineBrowser *requester = makeRequester(QStringLiteral("ie"));
    QList<QPointer<Tfrm_tmpWeb>> forms;
    for (int i = 0; i <= Tfrm_tmpWeb::MaxPending; ++i) {
        TEngineBrowser *pp = nullptr;
        bool cancel = false;
        Tfrm_tmpWeb::Capture(&m_factory, requester, &pp, &cancel,
                             [](const QString &, const QString &) {});
        forms.append(qobject_cast<Tfrm_tmpWeb *>(pp->parentWidget()));
        QVERIFY(forms.last());
    }
    QCOMPARE(Tfrm_tmpWeb::pendingCount(), Tfrm_tmpWeb::MaxPending);
    // The oldest request, never completed, made room for the newest.
    QTRY_VERIFY_WITH_TIMEOUT(forms.first().isNull(), kTimeout);
    QVERIFY(!forms.last().isNull());
}

void tst_Tfrm_tmpWeb::neverCompletedRequestTimesOut()
{
    Tfrm_tmpWeb::setCaptureTimeout(300);
    TEngineBrowser *requester = makeRequester(QStringLiteral("ie"));
    TEngineBrowser *pp = nullptr;
    bool cancel = false;
    Tfrm_tmpWeb::Capture(&m_factory, requester, &pp, &cancel,
                         [this](const QString &c, const QString &u) {
                             m_opened.append({c, u});
                         });
    Tfrm_tmpWeb::setCaptureTimeout(Tfrm_tmpWeb::DefaultCaptureTimeoutMs);
    QPointer<Tfrm_tmpWeb> form = qobject_cast<Tfrm_tmpWeb *>(pp->parentWidget());
    QVERIFY(form);
    // Redirected elsewhere: the captured address never completes.
    Q_EMIT pp->OnBeforeNavigate2(url(QStringLiteral("/plain")));
    Q_EMIT pp->OnNavigateComplete2(url(QStringLiteral("/popup")));
    QCOMPARE(Tfrm_tmpWeb::pendingCount(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(form.isNull(), kTimeout);
    QCOMPARE(Tfrm_tmpWeb::pendingCount(), 0);
    QVERIFY(m_opened.isEmpty());
}

void tst_Tfrm_tmpWeb::captureBrowserThatCannotBeMadeIsRefused()
{
    // The module can relate no new view to the page: its window.open() gets null, no capture
    // window is left pending, and the reason is shown once the engine has its answer.
    MozCtlApi refusing = MozCtlModule::api();
    refusing.createRelated = [](MozCtlView *, const MozCtlEvents *, void *) -> MozCtlView * {
        return nullptr;
    };
    MozCtlModule::setApiOverride(&refusing);
    TEngineBrowser *requester = makeRequester(QStringLiteral("webkit"));
    MozCtlModule::setApiOverride(nullptr);
    capture(requester);
    QVERIFY(load(requester, QStringLiteral("/opener")));
    QTRY_COMPARE_WITH_TIMEOUT(m_requests, 1, kTimeout);
    QCOMPARE(Tfrm_tmpWeb::pendingCount(), 0);
    QTRY_COMPARE(m_errors, QStringList{QString::fromUtf8("Geckoエンジンのページを作れません")});
    QVERIFY(m_opened.isEmpty());
    delete requester; // before the interface it refers to goes
}

void tst_Tfrm_tmpWeb::capturePageRunsNoScripts_data()
{
    // Chromium hands over the address it was asked for before its capture page loads anything.
    addEngineColumn();
    QTest::newRow("webkit") << QStringLiteral("webkit");
}

void tst_Tfrm_tmpWeb::capturePageRunsNoScripts()
{
    // Redirected, the pop-up never completes the address the capture window took, so its page
    // loads whole in the hidden capture page.
    QFETCH(QString, engine);
    m_server.hold(QStringLiteral("/tracepop"));
    TEngineBrowser *requester = makeRequester(engine);
    capture(requester);
    QVERIFY(load(requester, QStringLiteral("/traceopener")));
    QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(QStringLiteral("/tracepop")), kTimeout);
    Tfrm_tmpWeb *form = lastCaptureWindow();
    QVERIFY(form);
    QSignalSpy complete(form->WebBrowser1, &TEngineBrowser::OnDocumentComplete);
    m_server.release();
    QTRY_VERIFY_WITH_TIMEOUT(std::any_of(complete.cbegin(), complete.cend(),
                                         [&](const QList<QVariant> &args) {
                                             return args.at(0).toString() ==
                                                    url(QStringLiteral("/tracepop"));
                                         }),
                             kTimeout);
    QVERIFY(!m_server.wasRequested(QStringLiteral("/trace")));
    QVERIFY(m_opened.isEmpty());
}

QTEST_MAIN(tst_Tfrm_tmpWeb)
#include "tst_Tfrm_tmpWeb.moc"
