// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The WebKit engine obeys the prefs.js of its profile: scripts off, images off and an HTTP
// proxy, read once when the engine starts in this process.
#include "ScriptResult.h"
#include "TestHome.h"
#include "TestHttpServer.h"
#include "TestPages.h"
#include "engine/MozCtlModule.h"
#include "engine/TMozillaBrowser.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestGeckoPrefsEngine : public QObject
{
    Q_OBJECT

private:
    TestHttpServer m_server;
    TestHttpServer m_proxy;
    QTemporaryDir m_data;
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<TMozillaBrowser> m_browser;

    /// Loads \a url and waits for its document; the titles reported meanwhile.
    QStringList load(const QString &url)
    {
        QSignalSpy titles(m_browser.get(), &TEngineBrowser::OnTitleChange);
        QSignalSpy done(m_browser.get(), &TEngineBrowser::OnDocumentComplete);
        m_browser->Navigate(url);
        [&] {
            QTRY_VERIFY_WITH_TIMEOUT(!done.isEmpty(), kEngineTimeout);
        }();
        QStringList seen;
        for (const auto &args : std::as_const(titles))
            seen << args.at(0).toString();
        return seen;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.start() && m_proxy.start());
        m_server.route(QStringLiteral("/script"),
                       TestPages::page("static", "<script>document.title = 'ran';</script>"));
        m_server.route(QStringLiteral("/image"),
                       TestPages::page("image", "<img src='/pic.png' width=10 height=10>"));
        m_server.route(QStringLiteral("/pic.png"), QByteArray("not really"), "image/png");
        m_proxy.route(QStringLiteral("/via-proxy"), TestPages::page("proxied"));

        const QString profile =
            m_data.filePath(QStringLiteral("dorvu/Mozilla/Profiles/MozillaControl/test/"));
        QVERIFY(QDir().mkpath(profile));
        QFile prefs(profile + QStringLiteral("prefs.js"));
        QVERIFY(prefs.open(QIODevice::WriteOnly));
        prefs.write("user_pref(\"javascript.enabled\", false);\r\n"
                    "user_pref(\"network.image.imageBehavior\", 2);\r\n"
                    "user_pref(\"network.proxy.type\", 1);\r\n"
                    "user_pref(\"network.proxy.http\", \"127.0.0.1\");\r\n"
                    "user_pref(\"network.proxy.http_port\", " +
                    QByteArray::number(m_proxy.port()) + ");\r\n");
        prefs.close();
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));

        m_home = std::make_unique<TestHome>();
        MozCtlModule::setFolderOverride(TestHome::moduleFolder());
        m_browser.reset(TMozillaBrowser::create());
        m_browser->resize(400, 300);
        m_browser->show();
        QCOMPARE(QString::fromUtf8(MozCtlModule::api().profileFolder()), profile);
    }

    void cleanupTestCase()
    {
        m_browser.reset();
        MozCtlModule::setFolderOverride(QString());
        m_home.reset();
    }

    void scriptsOff()
    {
        const QStringList titles = load(m_server.url(QStringLiteral("/script")).toString());
        QVERIFY(!titles.isEmpty());
        QVERIFY2(!titles.contains(QStringLiteral("ran")), qPrintable(titles.join(u',')));
        // The program's own scripts still run in the page.
        QCOMPARE(runScript(m_browser.get(), QStringLiteral("document.title")),
                 QStringLiteral("static"));
    }

    void imagesOff()
    {
        m_server.clearRequests();
        load(m_server.url(QStringLiteral("/image")).toString());
        QCOMPARE(runScript(m_browser.get(), QStringLiteral("document.images.length")),
                 QStringLiteral("1"));
        QVERIFY(m_server.wasRequested(QStringLiteral("/image")));
        QVERIFY(!m_server.wasRequested(QStringLiteral("/pic.png")));
    }

    // A name that resolves nowhere: only the proxy can answer it.
    void proxySeesTheRequest()
    {
        const QStringList titles = load(QStringLiteral("http://dorvu-test.invalid/via-proxy"));
        QVERIFY(m_proxy.wasRequested(QStringLiteral("/via-proxy")));
        QVERIFY2(titles.contains(QStringLiteral("proxied")), qPrintable(titles.join(u',')));
    }
};

QTEST_MAIN(TestGeckoPrefsEngine)
#include "tst_GeckoPrefsEngine.moc"
