// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// New-window capture and blocking through real page windows of both engines: a page asks for
// a new window, the capture window opens it as a tab, the block list keeps pop-ups and titled
// pages away.
#include "HomeTest.h"
#include "TestHttpServer.h"
#include "TestPages.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "browser/TTabControl.h"
#include "browser/Tfrm_tmpWeb.h"
#include "common/CommandList.h"
#include "common/ErrorHandler.h"
#include "engine/MozCtlModule.h"
#include "engine/TEngineBrowser.h"
#include "engine/TRealEngineFactory.h"
#include "settings/IniFile.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {

constexpr int kTimeout = kEngineTimeout;

/// A main window stand-in with the real engines.
struct Frame
{
    Frame()
    {
        auto *layout = new QVBoxLayout(&window);
        c.mainWindow = &window;
        c.txtAddress = new QLineEdit(&window);
        layout->addWidget(c.txtAddress);
        c.mdiArea = new QMdiArea(&window);
        layout->addWidget(c.mdiArea, 1);
        c.TabControl1 = new TTabControl(&window);
        layout->addWidget(c.TabControl1);
        c.TreeWin = new QTreeWidget(&window);
        layout->addWidget(c.TreeWin);
        commands.add(
            {"IE_item", QStringLiteral("Internet Explorer"), {}, -1, CommandList::Tick::Off});
        commands.add({"Moz_Item", QStringLiteral("Gecko"), {}, -1, CommandList::Tick::Off});
        c.commands = &commands;
        host = new TBrowserHost(state, c, std::make_unique<TRealEngineFactory>(), &window);
        window.resize(1000, 700);
        window.show();
    }

    QStringList tabTexts() const
    {
        QStringList list;
        for (int i = 0; i < c.TabControl1->count(); ++i)
            list.append(c.TabControl1->tabText(i));
        return list;
    }

    PageWindowState state; // outlives the window and its page windows
    QWidget window;
    CommandList commands;
    TBrowserControls c;
    TBrowserHost *host = nullptr;
};

} // namespace

class tst_ClosingEndToEnd : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void initTestCase();

    void newWindowGivesOneTab_data();
    void newWindowGivesOneTab();
    void blockedPopupGivesNoTab_data();
    void blockedPopupGivesNoTab();
    void popupOfPopupGivesOneTab_data();
    void popupOfPopupGivesOneTab();
    void tabLimitAddsNoTab_data();
    void tabLimitAddsNoTab();
    void blockedTitleIsClosed_data();
    void blockedTitleIsClosed();

private:
    void engines();
    /// Opens \a path in a page window of the engine \a engine and waits for its title.
    void openFirst(const QString &engine, const QString &path, const QString &title);
    QString url(const char *path) const
    {
        return m_server.url(QString::fromLatin1(path) + QString::fromLatin1(m_suffix)).toString();
    }

    bool requested(const char *path) const
    {
        return m_server.wasRequested(QString::fromLatin1(path) + QString::fromLatin1(m_suffix));
    }

    TestHttpServer m_server;
    QByteArray m_suffix;
    int m_serial = 0;
    int m_newWindowRequests = 0;
    std::unique_ptr<Frame> m_frame;
    QStringList m_errors;
    QString m_cwd;
};

void tst_ClosingEndToEnd::initTestCase()
{
    QVERIFY(m_server.start());
    ErrorHandler::setSink([this](const QString &text) { m_errors << text; });
}

void tst_ClosingEndToEnd::initHome()
{
    m_cwd = QDir::currentPath();
    m_errors.clear();
    m_server.clearRequests();
    m_newWindowRequests = 0;
    // Every case has pages of its own: an address the engine has loaded before may be
    // answered from its cache, and the server would not see the request.
    m_suffix = QByteArray("-") + QByteArray::number(++m_serial);
    const QByteArray x = m_suffix;
    auto route = [this](const char *path, const QByteArray &body) {
        m_server.route(QString::fromLatin1(path) + QString::fromLatin1(m_suffix), body);
    };
    route("/popup", TestPages::page("Popup", "<p>popup</p>"));
    route("/adpop", TestPages::page("Ad", "<p>buy</p>"));
    route("/opener", TestPages::page("Opener", "<script>onload = () => { window.open('/popup" + x +
                                                   "'); document.title = 'Opened'; };</script>"));
    route("/blank", TestPages::page("Blank", "<a id=l href='/popup" + x +
                                                 "' target='_blank'>new</a><script>onload = () => {"
                                                 " document.getElementById('l').click();"
                                                 " document.title = 'Opened'; };</script>"));
    route("/adopener",
          TestPages::page("Opener", "<script>onload = () => { window.open('/adpop" + x +
                                        "'); document.title = 'Opened'; };</script>"));
    route("/nestopener",
          TestPages::page("Opener", "<script>onload = () => { window.open('/nest" + x +
                                        "'); document.title = 'Opened'; };</script>"));
    // Asks for a pop-up only while it is itself a pop-up, that is inside the capture browser.
    route("/nest", TestPages::page("Nest", "<script>if (window.opener) window.open('/inner" + x +
                                               "');</script>"));
    route("/inner", TestPages::page("Inner", "<p>inner</p>"));
    route("/secret", TestPages::page("Top Secret", "<p>hidden</p>"));
    route("/plain", TestPages::page("Plain", "<p>plain</p>"));
}

void tst_ClosingEndToEnd::cleanupHome()
{
    m_frame.reset();
    QTRY_COMPARE_WITH_TIMEOUT(Tfrm_tmpWeb::pendingCount(), 0, kTimeout);
    QDir::setCurrent(m_cwd);
}

void tst_ClosingEndToEnd::engines()
{
    QTest::addColumn<QString>("engine");
    QTest::newRow("chromium") << QStringLiteral("ie");
    QTest::newRow("webkit") << QStringLiteral("webkit");
}

void tst_ClosingEndToEnd::openFirst(const QString &engine, const QString &path,
                                    const QString &title)
{
    IniFile ini = IniFile::config();
    // The pages ask for their pop-ups by script.
    ini.WriteBool(QStringLiteral("Option_Security"), QStringLiteral("Script"), true);
    if (engine == QLatin1String("webkit")) {
        ini.WriteInteger(QStringLiteral("Option_Main"), QStringLiteral("Mozilla"), 1);
        ini.WriteString(QStringLiteral("Option_Main"), QStringLiteral("MozPath"),
                        TestHome::moduleFolder());
    }
    m_frame = std::make_unique<Frame>();
    const bool ie = engine != QLatin1String("webkit");
    m_frame->commands.action("IE_item")->setChecked(ie);
    m_frame->commands.action("Moz_Item")->setChecked(!ie);
    ErrorHandler::Run(
        [&] { m_frame->host->OpenPage(QStringLiteral("londing"), url(qPrintable(path))); });
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
    // Counted after the page window has handed the request to a capture window.
    TBrowserChild *first = m_frame->host->childAt(0);
    QVERIFY(first);
    connect(
        first->engine(), &TEngineBrowser::OnNewWindow2, this,
        [this](TEngineBrowser **, bool *) { ++m_newWindowRequests; }, Qt::DirectConnection);
    QTRY_COMPARE_WITH_TIMEOUT(m_frame->tabTexts().value(0), title, kTimeout);
}

void tst_ClosingEndToEnd::newWindowGivesOneTab_data()
{
    TestPages::addNewWindowRows();
}

void tst_ClosingEndToEnd::newWindowGivesOneTab()
{
    QFETCH(QString, engine);
    QFETCH(QString, opener);
    // The opener's script has asked for the new window once its title reads "Opened".
    openFirst(engine, opener, QStringLiteral("Opened"));
    QTRY_COMPARE_WITH_TIMEOUT(m_frame->tabTexts().value(1), QStringLiteral("Popup"), kTimeout);
    QCOMPARE(m_newWindowRequests, 1);
    QTRY_COMPARE_WITH_TIMEOUT(Tfrm_tmpWeb::pendingCount(), 0, kTimeout);
    QCOMPARE(m_frame->host->windowList().url(1), url("/popup"));
    QCOMPARE(m_frame->tabTexts().size(), 2);
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
}

void tst_ClosingEndToEnd::blockedPopupGivesNoTab_data()
{
    engines();
}

void tst_ClosingEndToEnd::blockedPopupGivesNoTab()
{
    QFETCH(QString, engine);
    IniFile::config().WriteBool(QStringLiteral("Option_advertisemen"), QStringLiteral("CloseURL"),
                                true);
    m_home->write(QStringLiteral("CloseURL.txt"), "*ADPOP*\r\n");
    openFirst(engine, QStringLiteral("/adopener"), QStringLiteral("Opened"));
    // The capture window took the request and has gone.
    QTRY_COMPARE_WITH_TIMEOUT(m_newWindowRequests, 1, kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(Tfrm_tmpWeb::pendingCount(), 0, kTimeout);
    QCOMPARE(m_frame->tabTexts(), QStringList(QStringLiteral("Opened")));
    QVERIFY(m_errors.isEmpty());
}

void tst_ClosingEndToEnd::popupOfPopupGivesOneTab_data()
{
    engines();
}

void tst_ClosingEndToEnd::popupOfPopupGivesOneTab()
{
    QFETCH(QString, engine);
    openFirst(engine, QStringLiteral("/nestopener"), QStringLiteral("Opened"));
    QTRY_COMPARE_WITH_TIMEOUT(m_frame->tabTexts().value(1), QStringLiteral("Nest"), kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(Tfrm_tmpWeb::pendingCount(), 0, kTimeout);
    QCOMPARE(m_frame->tabTexts().size(), 2);
    QVERIFY(!requested("/inner"));
}

void tst_ClosingEndToEnd::tabLimitAddsNoTab_data()
{
    engines();
}

void tst_ClosingEndToEnd::tabLimitAddsNoTab()
{
    QFETCH(QString, engine);
    IniFile ini = IniFile::config();
    ini.WriteBool(QStringLiteral("Option_Tab"), QStringLiteral("Len"), true);
    ini.WriteInteger(QStringLiteral("Option_Tab"), QStringLiteral("MaxLen"), 1);
    openFirst(engine, QStringLiteral("/opener"), QStringLiteral("Opened"));
    // The capture window still takes the request; its opening then stops at the limit.
    QTRY_COMPARE_WITH_TIMEOUT(m_newWindowRequests, 1, kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(Tfrm_tmpWeb::pendingCount(), 0, kTimeout);
    QCOMPARE(m_frame->tabTexts(), QStringList(QStringLiteral("Opened")));
    QVERIFY(m_errors.isEmpty());
}

void tst_ClosingEndToEnd::blockedTitleIsClosed_data()
{
    engines();
}

void tst_ClosingEndToEnd::blockedTitleIsClosed()
{
    QFETCH(QString, engine);
    IniFile::config().WriteBool(QStringLiteral("Option_advertisemen"), QStringLiteral("CloseURL"),
                                true);
    m_home->write(QStringLiteral("CloseURL.txt"), "*secret*\r\n");
    openFirst(engine, QStringLiteral("/plain"), QStringLiteral("Plain"));
    ErrorHandler::Run([&] { m_frame->host->OpenPage(QStringLiteral("londing"), url("/secret")); });
    // Stopped at its title report, closed at the next command-state report.
    QTRY_VERIFY_WITH_TIMEOUT(!m_frame->host->closedUrls().entries().isEmpty() ||
                                 m_frame->tabTexts().value(1) == QStringLiteral("Top Secret"),
                             kTimeout);
    if (m_frame->host->closedUrls().entries().isEmpty()) {
        // The title came after the engine's last command-state report (the WebKit engine
        // reports them only when its history changes); the next report closes the window.
        TBrowserChild *child = m_frame->host->childAt(1);
        QVERIFY(child);
        Q_EMIT child->engine()->OnCommandStateChange(TEngineBrowser::CSC_UPDATECOMMANDS, false);
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_frame->host->closedUrls().entries(), QStringList(url("/secret")),
                              kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(m_frame->tabTexts(), QStringList(QStringLiteral("Plain")), kTimeout);
    QCOMPARE(m_frame->host->windowList().urls(), QStringList(url("/plain")));
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
}

QTEST_MAIN(tst_ClosingEndToEnd)
#include "tst_ClosingEndToEnd.moc"
