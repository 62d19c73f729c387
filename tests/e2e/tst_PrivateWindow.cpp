// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// A private window in the real main window, for each engine: what its page stores is seen by
// the pages of its session only and is gone once the session has ended, its pop-ups are
// private too, and neither winlist nor Close.txt nor any file of the program's data names it.
#include "HomeTest.h"
#include "ScriptResult.h"
#include "TestHttpServer.h"
#include "TestPages.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "browser/TTabControl.h"
#include "browser/Tfrm_tmpWeb.h"
#include "browser/WindowList.h"
#include "common/CommandList.h"
#include "common/ErrorHandler.h"
#include "engine/MozCtlModule.h"
#include "engine/TEngineBrowser.h"
#include "history/HistoryIndex.h"
#include "history/HistoryStore.h"
#include "settings/GeckoProfile.h"
#include "shell/TMainForm.h"

#include <QAction>
#include <QDateTime>
#include <QDirIterator>
#include <QtTest>

#include <memory>

namespace {

constexpr int kTimeout = kEngineTimeout;
const QString kReadStore = QStringLiteral("document.cookie + '|' + localStorage.getItem('k')");

// Files under \a folder whose bytes hold \a mark.
QStringList filesHolding(const QString &folder, const QByteArray &mark)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(mark))
            found.append(file.fileName());
    }
    return found;
}

} // namespace

class tst_PrivateWindow : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void initTestCase();
    void sessionLeavesNothing_data();
    void sessionLeavesNothing();

private:
    QString url(const char *path) const { return m_server.url(QLatin1String(path)).toString(); }
    TBrowserChild *waitForTitle(int pos, const QString &title);

    TestHttpServer m_server;
    QByteArray m_mark;
    std::unique_ptr<TMainForm> m_form;
    QStringList m_errors;
};

void tst_PrivateWindow::initTestCase()
{
    QVERIFY(m_server.start());
    // New in every run: the ordinary profiles outlive a run and must not hold it from before.
    m_mark = "pv" + QByteArray::number(QDateTime::currentMSecsSinceEpoch());
    m_server.route(
        QStringLiteral("/store"),
        TestPages::page("Store", "<script>onload = () => { document.cookie = 'k=" + m_mark +
                                     "; max-age=3600; path=/'; localStorage.setItem('k',"
                                     " '" +
                                     m_mark + "'); document.title = 'Stored'; };</script>"));
    m_server.route(QStringLiteral("/opener"),
                   TestPages::page("Opener", "<script>onload = () => { window.open('/popup');"
                                             " document.title = 'Opened'; };</script>"));
    m_server.route(QStringLiteral("/popup"), TestPages::page("Popup"));
    m_server.route(QStringLiteral("/read"), TestPages::page("Read"));
    MozCtlModule::setFolderOverride(TestHome::moduleFolder());
}

void tst_PrivateWindow::initHome()
{
    m_home->write(QStringLiteral("config.ini"),
                  "[General]\r\nshutdown=1\r\n[Option_Window]\r\nNewWindow_Active=1\r\n"
                  "[Option_Security]\r\nScript=1\r\n[Option_Main]\r\nMozilla=1\r\nMozPath=" +
                      QFile::encodeName(TestHome::moduleFolder()) + "\r\n");
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
    m_form = std::make_unique<TMainForm>(QStringList());
    m_form->resize(1100, 800);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_PrivateWindow::cleanupHome()
{
    m_form.reset();
    QTRY_COMPARE_WITH_TIMEOUT(Tfrm_tmpWeb::pendingCount(), 0, kTimeout);
    ErrorHandler::setSink({});
}

TBrowserChild *tst_PrivateWindow::waitForTitle(int pos, const QString &title)
{
    TTabControl *tabs = m_form->TabControl1;
    if (!QTest::qWaitFor([&] { return tabs->tabText(pos) == title; }, kTimeout))
        return nullptr;
    return m_form->Browser->childAt(pos);
}

void tst_PrivateWindow::sessionLeavesNothing_data()
{
    QTest::addColumn<bool>("gecko");
    QTest::newRow("chromium") << false;
    QTest::newRow("webkit") << true;
}

void tst_PrivateWindow::sessionLeavesNothing()
{
    QFETCH(bool, gecko);
    TBrowserHost *host = m_form->Browser;
    if (gecko)
        m_form->Moz_ItemClick();
    else
        m_form->IE_ItemClick();
    m_form->commands().action("mnuPrivateWindow")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(host->childCount(), 1, kTimeout);
    TBrowserChild *first = host->childAt(0);
    QVERIFY(first->isPrivate());
    QCOMPARE(first->engine()->kind(), gecko ? EngineKind::Gecko : EngineKind::IE);
    QVERIFY(!m_form->TabControl1->tabIcon(0).isNull());

    ErrorHandler::Run([&] { first->engine()->Navigate(url("/store")); });
    QVERIFY(waitForTitle(0, QStringLiteral("Stored")));
    QVERIFY(first->windowTitle().endsWith(TBrowserChild::privateMark()));
    QCOMPARE(runScript(first->engine(), kReadStore).count(QString::fromLatin1(m_mark)), 2);

    // The pop-up of a private page is private, in the same session.
    ErrorHandler::Run([&] { first->engine()->Navigate(url("/opener")); });
    TBrowserChild *popup = waitForTitle(1, QStringLiteral("Popup"));
    QVERIFY(popup);
    QVERIFY(popup->isPrivate());
    QVERIFY(runScript(popup->engine(), kReadStore).contains(QString::fromLatin1(m_mark)));

    for (TBrowserChild *child : host->children())
        child->close();
    QTRY_COMPARE_WITH_TIMEOUT(host->childCount(), 0, kTimeout);
    QVERIFY(m_form->closedUrls().entries().isEmpty());

    // An ordinary window, then a private window of a new session: neither sees what it stored.
    m_form->OpenPage(QStringLiteral("loading"), url("/read"));
    TBrowserChild *ordinary = waitForTitle(0, QStringLiteral("Read"));
    QVERIFY(ordinary && !ordinary->isPrivate());
    QVERIFY(!runScript(ordinary->engine(), kReadStore).contains(QString::fromLatin1(m_mark)));
    // The history has the ordinary page and nothing of the private ones.
    QTRY_VERIFY_WITH_TIMEOUT(m_form->History->index().find(url("/read")), kTimeout);
    QVERIFY(!m_form->History->index().find(url("/store")));
    host->OpenPrivatePage(QStringLiteral("loading"), url("/read"));
    TBrowserChild *later = waitForTitle(1, QStringLiteral("Read"));
    QVERIFY(later && later->isPrivate());
    const QString laterStore = runScript(later->engine(), kReadStore);
    QVERIFY2(!laterStore.contains(QString::fromLatin1(m_mark)), qPrintable(laterStore));

    // winlist holds the ordinary window alone, Close.txt the ordinary window closed.
    host->windowList().flushWinList();
    QCOMPARE(m_home->read(QStringLiteral("winlist")), url("/read").toLatin1() + "\r\n");
    ordinary->close();
    later->close();
    QTRY_COMPARE_WITH_TIMEOUT(host->childCount(), 0, kTimeout);
    m_form->close();
    QCOMPARE(m_home->read(QStringLiteral("Close.txt")), url("/read").toLatin1() + "\r\n");
    m_form.reset();
    QCOMPARE(filesHolding(m_home->path(), m_mark), QStringList());
    QCOMPARE(filesHolding(GeckoProfile::BaseFolder(TestHome::moduleFolder()), m_mark),
             QStringList());
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
}

QTEST_MAIN(tst_PrivateWindow)
#include "tst_PrivateWindow.moc"
