// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "BrowserRig.h"
#include "FakeEngine.h"
#include "HomeTest.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserCommands.h"
#include "browser/TBrowserHost.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QProgressBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

/// The page windows' reports to the main window, with the light engine.
class tst_TBrowserChild : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void backFollowsTheActiveWindowAcrossKinds();
    void backgroundReportLeavesTheActiveWindowsButtons();
    void geckoAtHundredPercent();
    void ieStopFollowsLoading();
    void statusTextOfBackgroundWindows();
    void closingTheLastWindowResetsTheMainWindow();
    void closingABackgroundWindowKeepsTheFrontWindowsState();
    void textSizeAndIeMenus();
    void blockedTitleStopsThenCloses();
    void missingBlockListStillUpdatesTheTitle();
    void titleBurstIsCoalesced();
    void shutdownDestroysWithoutClosingSteps();
    void winlistWriteFailureStillCloses();

private:
    void openGecko(const QString &url);
    std::unique_ptr<BrowserRig> m_rig;
};

void tst_TBrowserChild::initHome()
{
    m_rig = std::make_unique<BrowserRig>();
}

void tst_TBrowserChild::cleanupHome()
{
    m_rig.reset();
}

void tst_TBrowserChild::openGecko(const QString &url)
{
    m_rig->command("IE_item")->setChecked(false);
    m_rig->command("Moz_Item")->setChecked(true);
    m_rig->open(url, QStringLiteral("Gecko"));
    m_rig->command("IE_item")->setChecked(true);
    m_rig->command("Moz_Item")->setChecked(false);
}

void tst_TBrowserChild::backFollowsTheActiveWindowAcrossKinds()
{
    m_home->write(QStringLiteral("config.ini"), "[Option_Window]\r\nNewWindow_Active=1\r\n");
    m_rig->open(QStringLiteral("http://a.example/"));
    FakeEngine *ie = m_rig->engineAt(0);
    Q_EMIT ie->OnCommandStateChange(2, true);
    QVERIFY(m_rig->command("BackCtrl")->isEnabled());
    QVERIFY(!m_rig->command("FrwrdCtrl")->isEnabled());
    QVERIFY(m_rig->command("ReLoadCtrl")->isEnabled());

    openGecko(QStringLiteral("about:blank"));
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(1));
    Q_EMIT m_rig->engineAt(1)->OnCommandStateChange(2, false);
    QVERIFY(!m_rig->command("BackCtrl")->isEnabled());

    m_rig->host->ActivateWindowAt(0);
    QVERIFY(m_rig->command("BackCtrl")->isEnabled());
    m_rig->host->ActivateWindowAt(1);
    QVERIFY(!m_rig->command("BackCtrl")->isEnabled());

    m_rig->commands->BackCtrlClick();
    QCOMPARE(m_rig->engineAt(1)->goBacks, 1);
    QCOMPARE(ie->goBacks, 0);
}

void tst_TBrowserChild::backgroundReportLeavesTheActiveWindowsButtons()
{
    m_home->write(QStringLiteral("config.ini"), "[Option_Window]\r\nNewWindow_Active=1\r\n");
    m_rig->open(QStringLiteral("http://a.example/"));
    openGecko(QStringLiteral("about:blank"));
    Q_EMIT m_rig->engineAt(1)->OnCommandStateChange(1, true);
    QVERIFY(m_rig->command("FrwrdCtrl")->isEnabled());
    // The background IE window's report shows the Gecko window's stored states.
    Q_EMIT m_rig->engineAt(0)->OnCommandStateChange(2, true);
    QVERIFY(!m_rig->command("BackCtrl")->isEnabled());
    QVERIFY(m_rig->command("FrwrdCtrl")->isEnabled());
    QVERIFY(m_rig->childAt(0)->commandStates().back);
}

void tst_TBrowserChild::geckoAtHundredPercent()
{
    openGecko(QStringLiteral("about:blank"));
    FakeEngine *engine = m_rig->engineAt(0);
    Q_EMIT engine->OnProgressChange(40, 100);
    QCOMPARE(m_rig->c.ProgressBar1->value(), 40);
    QVERIFY(m_rig->command("StopCtrl")->isEnabled());
    Q_EMIT engine->OnProgressChange(100, 100);
    QCOMPARE(m_rig->c.ProgressBar1->value(), 0);
    QVERIFY(!m_rig->command("StopCtrl")->isEnabled());
    // A command-state report afterwards keeps Stop off: the stored state followed the load.
    Q_EMIT engine->OnCommandStateChange(-1, false);
    QVERIFY(!m_rig->command("StopCtrl")->isEnabled());
    m_rig->open(QStringLiteral("http://other.example/"));
    m_rig->host->ActivateWindowAt(1);
    m_rig->host->ActivateWindowAt(0);
    QCOMPARE(m_rig->c.ProgressBar1->value(), 0);
    QVERIFY(!m_rig->command("StopCtrl")->isEnabled());
}

void tst_TBrowserChild::ieStopFollowsLoading()
{
    m_rig->open(QStringLiteral("http://a.example/"));
    FakeEngine *engine = m_rig->engineAt(0);
    Q_EMIT engine->OnProgressChange(10, 100);
    QVERIFY(m_rig->command("StopCtrl")->isEnabled());
    QCOMPARE(m_rig->c.ProgressBar1->value(), 10);
    m_rig->commands->StopCtrlClick();
    QCOMPARE(engine->stops, 1);
    Q_EMIT engine->OnProgressChange(100, 100);
    QVERIFY(!m_rig->command("StopCtrl")->isEnabled());
    QCOMPARE(m_rig->c.ProgressBar1->value(), 0);
}

void tst_TBrowserChild::statusTextOfBackgroundWindows()
{
    m_rig->open(QStringLiteral("http://front.example/"));
    m_rig->open(QStringLiteral("http://behind.example/")); // opens behind
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(0));
    Q_EMIT m_rig->engineAt(0)->OnStatusTextChange(QStringLiteral("front link"));
    QCOMPARE(m_rig->statusText(), QStringLiteral("front link"));
    // A background IE window's status text is not shown.
    Q_EMIT m_rig->engineAt(1)->OnStatusTextChange(QStringLiteral("ie behind"));
    QCOMPARE(m_rig->statusText(), QStringLiteral("front link"));
    // A background Gecko window's is.
    openGecko(QStringLiteral("about:blank"));
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(0));
    Q_EMIT m_rig->engineAt(2)->OnStatusTextChange(QStringLiteral("gecko behind"));
    QCOMPARE(m_rig->statusText(), QStringLiteral("gecko behind"));
    QCOMPARE(m_rig->childAt(2)->statusText(), QStringLiteral("gecko behind"));
}

void tst_TBrowserChild::closingTheLastWindowResetsTheMainWindow()
{
    m_rig->open(QStringLiteral("http://a.example/"));
    FakeEngine *engine = m_rig->engineAt(0);
    engine->busy = true;
    Q_EMIT engine->OnProgressChange(30, 100);
    Q_EMIT engine->OnCommandStateChange(2, true);
    Q_EMIT engine->OnStatusTextChange(QStringLiteral("link"));
    engine->load(QStringLiteral("http://a.example/"), QStringLiteral("A"));
    QCOMPARE(m_rig->c.txtAddress->text(), QStringLiteral("http://a.example/"));
    QVERIFY(m_rig->command("mnuSC")->isEnabled());
    QVERIFY(m_rig->command("mnuEdit_Copy")->isEnabled());
    m_rig->childAt(0)->close();
    QCOMPARE(m_rig->host->childCount(), 0);
    QCOMPARE(m_rig->c.ProgressBar1->value(), 0);
    QCOMPARE(m_rig->c.txtAddress->text(), QString());
    QCOMPARE(m_rig->statusText(), QString());
    for (QAction *a :
         {m_rig->command("BackCtrl"), m_rig->command("FrwrdCtrl"), m_rig->command("StopCtrl"),
          m_rig->command("ReLoadCtrl"), m_rig->command("mnuFile_SaveAs"),
          m_rig->command("mnuEdit_slrAll"), m_rig->command("mnuEdit_Copy"),
          m_rig->command("mnuShow_Size"), m_rig->command("mnuTranslate"), m_rig->command("mnuSC"),
          m_rig->command("mnuMC")})
        QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    QCOMPARE(m_rig->host->activeChild(), nullptr);
    QCOMPARE(m_home->read(QStringLiteral("winlist")), QByteArray());
    // Back with no window open does nothing.
    m_rig->commands->BackCtrlClick();
    QVERIFY(m_rig->errors.isEmpty());
}

// A window closed behind the active one (its tab's pop-up, blocking) leaves the bars and menus
// showing the window in front.
void tst_TBrowserChild::closingABackgroundWindowKeepsTheFrontWindowsState()
{
    m_home->write(QStringLiteral("config.ini"), "[Option_Window]\r\nNewWindow_Active=1\r\n");
    m_rig->open(QStringLiteral("http://behind.example/"));
    m_rig->open(QStringLiteral("http://front.example/"));
    FakeEngine *front = m_rig->engineAt(1);
    front->load(QStringLiteral("http://front.example/"), QStringLiteral("Front"));
    Q_EMIT front->OnCommandStateChange(2, true);
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(1));
    m_rig->childAt(0)->close();
    QCOMPARE(m_rig->host->childCount(), 1);
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(0));
    QCOMPARE(m_rig->c.txtAddress->text(), QStringLiteral("http://front.example/"));
    for (QAction *a : {m_rig->command("BackCtrl"), m_rig->command("ReLoadCtrl"),
                       m_rig->command("mnuFile_SaveAs"), m_rig->command("mnuEdit_Copy"),
                       m_rig->command("mnuSC"), m_rig->command("mnuMC")})
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    QCOMPARE(m_home->read(QStringLiteral("winlist")), QByteArray("http://front.example/\r\n"));
}

void tst_TBrowserChild::textSizeAndIeMenus()
{
    m_rig->host->setCurrentTextSize(4);
    m_rig->open(QStringLiteral("http://a.example/"));
    QVERIFY(m_rig->command(TextSizeCommands[4])->isChecked());
    QVERIFY(!m_rig->command(TextSizeCommands[2])->isChecked());
    QVERIFY(m_rig->command("mnuShow_Size")->isEnabled());
    QVERIFY(m_rig->command("mnuSC")->isEnabled());
    QVERIFY(m_rig->command("mnuMC")->isEnabled());
    m_home->write(QStringLiteral("config.ini"), "[Option_Window]\r\nNewWindow_Active=1\r\n");
    m_rig->host->setCurrentTextSize(1);
    openGecko(QStringLiteral("about:blank"));
    // A Gecko window leaves the marks and keeps the IE-only menus off.
    QVERIFY(m_rig->command(TextSizeCommands[4])->isChecked());
    QVERIFY(!m_rig->command("mnuShow_Size")->isEnabled());
    QVERIFY(!m_rig->command("mnuSC")->isEnabled());
    QVERIFY(!m_rig->command("mnuMC")->isEnabled());
    QVERIFY(m_rig->command("mnuEdit_Copy")->isEnabled());
}

void tst_TBrowserChild::blockedTitleStopsThenCloses()
{
    m_home->write(QStringLiteral("config.ini"), "[Option_advertisemen]\r\nCloseURL=1\r\n");
    m_home->write(QStringLiteral("CloseURL.txt"), "*casino*\r\n");
    m_rig->open(QStringLiteral("http://keep.example/"));
    m_rig->open(QStringLiteral("http://ad.example/"));
    FakeEngine *ad = m_rig->engineAt(1);
    ad->load(QStringLiteral("http://ad.example/"), QStringLiteral("Big CASINO here"));
    QCOMPARE(ad->stops, 1);
    QCOMPARE(m_rig->host->childCount(), 2);
    Q_EMIT ad->OnCommandStateChange(-1, false);
    QTRY_COMPARE(m_rig->host->childCount(), 1);
    QCOMPARE(m_rig->host->windowList().count(), 1);
    QCOMPARE(m_rig->host->windowList().id(0), 0);
    QCOMPARE(m_rig->host->closedUrls().entries(),
             QStringList(QStringLiteral("http://ad.example/")));
    // A title that does not match is neither stopped nor closed.
    FakeEngine *keep = m_rig->engineAt(0);
    keep->load(QStringLiteral("http://keep.example/"), QStringLiteral("news"));
    Q_EMIT keep->OnCommandStateChange(-1, false);
    QCOMPARE(keep->stops, 0);
    QCOMPARE(m_rig->host->childCount(), 1);
    QVERIFY(m_rig->errors.isEmpty());
}

void tst_TBrowserChild::missingBlockListStillUpdatesTheTitle()
{
    m_home->write(QStringLiteral("config.ini"), "[Option_advertisemen]\r\nCloseURL=1\r\n");
    m_rig->open(QStringLiteral("http://a.example/"));
    m_rig->engineAt(0)->load(QStringLiteral("http://a.example/"), QStringLiteral("A"));
    QCOMPARE(m_rig->errors.size(), 1);
    QVERIFY(m_rig->errors.at(0).contains(QStringLiteral("CloseURL.txt")));
    QCOMPARE(m_rig->tabTexts(), QStringList(QStringLiteral("A")));
    QCOMPARE(m_home->read(QStringLiteral("winlist")), QByteArray("http://a.example/\r\n"));
}

void tst_TBrowserChild::titleBurstIsCoalesced()
{
    m_rig->open(QStringLiteral("http://a.example/"));
    FakeEngine *engine = m_rig->engineAt(0);
    QWidget *child = engine;
    while (child && !qobject_cast<TBrowserChild *>(child))
        child = child->parentWidget();
    QVERIFY(child);
    QSignalSpy captions(child, &QWidget::windowTitleChanged);
    // A page that counts in its title: the first shows at once, the last soon after, and the
    // window follows only a few of the thousand.
    for (int i = 0; i < 1000; ++i)
        Q_EMIT engine->OnTitleChange(QStringLiteral("T%1").arg(i));
    QCOMPARE(child->windowTitle(), QStringLiteral("T0"));
    QTRY_COMPARE(child->windowTitle(), QStringLiteral("T999"));
    QCOMPARE(m_rig->tabTexts(), QStringList(QStringLiteral("T999")));
    QCOMPARE(captions.size(), 2);
}

void tst_TBrowserChild::shutdownDestroysWithoutClosingSteps()
{
    m_rig->open(QStringLiteral("http://a.example/"));
    m_rig->engineAt(0)->load(QStringLiteral("http://a.example/"), QStringLiteral("A"));
    m_rig.reset();
    // The windows went with the main window: the file still lists them.
    QCOMPARE(m_home->read(QStringLiteral("winlist")), QByteArray("http://a.example/\r\n"));
}

void tst_TBrowserChild::winlistWriteFailureStillCloses()
{
    m_rig->open(QStringLiteral("http://a.example/"));
    m_rig->open(QStringLiteral("http://b.example/"));
    // A folder in the way of winlist: every rewrite fails.
    QVERIFY(QFile::remove(m_home->file(QStringLiteral("winlist"))));
    QVERIFY(QDir().mkpath(m_home->file(QStringLiteral("winlist"))));
    m_rig->childAt(0)->close();
    QCOMPARE(m_rig->errors.size(), 1);
    QVERIFY(m_rig->errors.at(0).contains(QStringLiteral("winlist")));
    // The in-memory list is changed all the same, and the window is recorded as closed.
    QCOMPARE(m_rig->host->childCount(), 1);
    QCOMPARE(m_rig->idTexts(), QStringList(QStringLiteral("1")));
    QCOMPARE(m_rig->tabTexts(), QStringList(QStringLiteral("loading")));
    QCOMPARE(m_rig->host->closedUrls().entries(), QStringList(QStringLiteral("http://a.example/")));
}

QTEST_MAIN(tst_TBrowserChild)
#include "tst_TBrowserChild.moc"
