// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "BrowserRig.h"
#include "FakeEngine.h"
#include "HomeTest.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserCommands.h"
#include "browser/TBrowserHost.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include <memory>

/// The page commands: new windows, the address bar's two modes, the engine toggle and the
/// security switches.
class tst_TBrowserCommands : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void newWindowPerEngine();
    void moveLoadsInTheActiveWindow();
    void moveWithNothingTypedDoesNothing();
    void moveInNewWindowInFront();
    void moveInNewWindowBehind();
    void moveWithNoWindowOpen();
    void typedWwwIsNotCleanedPastedIs();
    void toggleTwice();
    void fileOpen();
    void fileCloseClosesTheActiveWindow();
    void switchTicksFlagsTheActiveWindowAndReloads();
    void switchIsForgottenByTheNextWindow();
    void switchesLeaveGeckoAlone();

private:
    void setConfig(const QByteArray &text) { m_home->write(QStringLiteral("config.ini"), text); }
    void typeAndEnter(const QString &text);
    std::unique_ptr<BrowserRig> m_rig;
};

void tst_TBrowserCommands::initHome()
{
    m_rig = std::make_unique<BrowserRig>();
}

void tst_TBrowserCommands::cleanupHome()
{
    m_rig.reset();
}

void tst_TBrowserCommands::typeAndEnter(const QString &text)
{
    QLineEdit *address = m_rig->c.txtAddress;
    address->setText(text);
    QTest::keyClick(address, Qt::Key_Return);
}

void tst_TBrowserCommands::newWindowPerEngine()
{
    m_rig->commands->NewCtrlClick();
    QCOMPARE(m_rig->childAt(0)->windowTitle(), QStringLiteral("Internet Explorer"));
    QCOMPARE(m_rig->engineAt(0)->navigated, QStringList(QString()));
    m_rig->commands->Moz_ItemClick();
    m_rig->commands->FileNew1Execute();
    QCOMPARE(m_rig->childAt(1)->kind(), EngineKind::Gecko);
    QCOMPARE(m_rig->childAt(1)->windowTitle(), QStringLiteral("Gecko"));
    QCOMPARE(m_rig->engineAt(1)->navigated, QStringList(QStringLiteral("about:blank")));
    // Windows already open keep their engine.
    QCOMPARE(m_rig->childAt(0)->kind(), EngineKind::IE);
}

void tst_TBrowserCommands::moveLoadsInTheActiveWindow()
{
    m_rig->open(QStringLiteral("http://a.example/"));
    typeAndEnter(QStringLiteral("http://typed.example/"));
    QCOMPARE(m_rig->host->childCount(), 1);
    QCOMPARE(m_rig->engineAt(0)->navigated.last(), QStringLiteral("http://typed.example/"));
    m_rig->c.txtAddress->setText(QStringLiteral("http://button.example/"));
    QTest::mouseClick(m_rig->c.btnMove, Qt::LeftButton);
    QCOMPARE(m_rig->host->childCount(), 1);
    QCOMPARE(m_rig->engineAt(0)->navigated.last(), QStringLiteral("http://button.example/"));
}

void tst_TBrowserCommands::moveWithNothingTypedDoesNothing()
{
    m_rig->open(QStringLiteral("http://a.example/"));
    m_rig->c.txtAddress->clear();
    m_rig->commands->btnMoveClick();
    QCOMPARE(m_rig->host->childCount(), 1);
    QCOMPARE(m_rig->engineAt(0)->navigated.size(), 1);
}

void tst_TBrowserCommands::moveInNewWindowInFront()
{
    setConfig("[Option_Window]\r\nAddressBar=1\r\nNewWindow_Active=1\r\n");
    m_rig->open(QStringLiteral("http://a.example/"));
    typeAndEnter(QStringLiteral("http://typed.example/"));
    QCOMPARE(m_rig->host->childCount(), 2);
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(1));
    QCOMPARE(m_rig->engineAt(1)->navigated,
             QStringList({QString(), QStringLiteral("http://typed.example/")}));
    QCOMPARE(m_rig->engineAt(0)->navigated.size(), 1);
}

void tst_TBrowserCommands::moveInNewWindowBehind()
{
    setConfig("[Option_Window]\r\nAddressBar=1\r\n");
    m_rig->open(QStringLiteral("http://a.example/"));
    typeAndEnter(QStringLiteral("http://typed.example/"));
    QCOMPARE(m_rig->host->childCount(), 2);
    // The blank window opened behind; the address goes to the window that stayed in front.
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(0));
    QCOMPARE(m_rig->engineAt(0)->navigated.last(), QStringLiteral("http://typed.example/"));
    QCOMPARE(m_rig->engineAt(1)->navigated, QStringList(QString()));
}

void tst_TBrowserCommands::moveWithNoWindowOpen()
{
    typeAndEnter(QStringLiteral("http://typed.example/"));
    QCOMPARE(m_rig->host->childCount(), 1);
    QCOMPARE(m_rig->engineAt(0)->navigated,
             QStringList({QString(), QStringLiteral("http://typed.example/")}));
}

void tst_TBrowserCommands::typedWwwIsNotCleanedPastedIs()
{
    m_rig->open(QStringLiteral("http://a.example/"));
    typeAndEnter(QStringLiteral("www.example.jp"));
    QCOMPARE(m_rig->engineAt(0)->navigated.last(), QStringLiteral("www.example.jp"));
    QGuiApplication::clipboard()->setText(QStringLiteral("www.example.jp"));
    m_rig->commands->ClipNewCtrlClick();
    QCOMPARE(m_rig->host->childCount(), 2);
    QCOMPARE(m_rig->engineAt(1)->navigated, QStringList(QStringLiteral("http://www.example.jp")));
    QCOMPARE(m_rig->childAt(1)->windowTitle(), QStringLiteral("Internet Explorer"));
}

void tst_TBrowserCommands::toggleTwice()
{
    QCOMPARE(m_rig->host->defaultEngine(), EngineKind::IE);
    m_rig->command("Moz_Item")->setEnabled(false); // switches all the same
    m_rig->commands->ChangeCtrlClick();
    QCOMPARE(m_rig->host->defaultEngine(), EngineKind::Gecko);
    QVERIFY(m_rig->command("Moz_Item")->isChecked());
    QVERIFY(!m_rig->command("IE_item")->isChecked());
    QCOMPARE(m_rig->command("ChangeCtrl")->property("ImageIndex").toInt(), 14);
    m_rig->commands->ChangeCtrlClick();
    QCOMPARE(m_rig->host->defaultEngine(), EngineKind::IE);
    QVERIFY(m_rig->command("IE_item")->isChecked());
    QVERIFY(!m_rig->command("Moz_Item")->isChecked());
    QCOMPARE(m_rig->command("ChangeCtrl")->property("ImageIndex").toInt(), 15);
}

void tst_TBrowserCommands::fileOpen()
{
    m_rig->commands->chooseFile = [] {
        return QStringLiteral("/tmp/page.html");
    };
    m_rig->commands->FileOpen1Execute();
    QCOMPARE(m_rig->engineAt(0)->navigated, QStringList(QStringLiteral("/tmp/page.html")));
    QCOMPARE(m_rig->childAt(0)->windowTitle(), QString());
    m_rig->commands->chooseFile = [] {
        return QString();
    }; // cancelled
    m_rig->commands->FileOpen1Execute();
    QCOMPARE(m_rig->host->childCount(), 1);
}

void tst_TBrowserCommands::fileCloseClosesTheActiveWindow()
{
    m_rig->open(QStringLiteral("http://a.example/"));
    m_rig->open(QStringLiteral("http://b.example/")); // behind
    m_rig->command("FileClose1")->trigger();
    QCOMPARE(m_rig->host->childCount(), 1);
    QCOMPARE(m_rig->urls(), QStringList(QStringLiteral("http://b.example/")));
    QCOMPARE(m_rig->host->childAt(0)->windowId(), 1);
    QCOMPARE(m_rig->host->closedUrls().entries(), QStringList(QStringLiteral("http://a.example/")));
}

void tst_TBrowserCommands::switchTicksFlagsTheActiveWindowAndReloads()
{
    m_rig->open(QStringLiteral("http://a.example/"));
    m_rig->open(QStringLiteral("http://b.example/")); // behind
    FakeEngine *front = m_rig->engineAt(0);
    QCOMPARE(front->downLoadControl.report(), quint32(0x780));
    // The user clicks "&画像": the checkable item toggles, the handler takes it from there.
    m_rig->command("mnuImage")->trigger();
    QVERIFY(m_rig->command("mnuImage")->isChecked());
    QVERIFY(m_rig->host->securityFlags().Image);
    QCOMPARE(front->downLoadControl.report(), quint32(0x790));
    QCOMPARE(front->reapplied, 1);
    QCOMPARE(front->refreshes, 1);
    // The other window keeps its own set.
    QCOMPARE(m_rig->engineAt(1)->downLoadControl.report(), quint32(0x780));
    QCOMPARE(m_rig->engineAt(1)->refreshes, 0);
    m_rig->command("mnuImage")->trigger();
    QVERIFY(!m_rig->command("mnuImage")->isChecked());
    QCOMPARE(front->downLoadControl.report(), quint32(0x780));
    QVERIFY(!QFile::exists(m_home->file(QStringLiteral("config.ini"))));
}

void tst_TBrowserCommands::switchIsForgottenByTheNextWindow()
{
    m_rig->open(QStringLiteral("http://a.example/"));
    m_rig->commands->mnuJavaClick(m_rig->command("mnuJava"));
    QVERIFY(m_rig->command("mnuJava")->isChecked());
    QCOMPARE(m_rig->engineAt(0)->downLoadControl.report(), quint32(0x680));
    setConfig("[Option_Window]\r\nNewWindow_Active=1\r\n");
    m_rig->open(QStringLiteral("http://b.example/"));
    // The file says no Java: the new window blocks it, the tick stays.
    QCOMPARE(m_rig->engineAt(1)->downLoadControl.report(), quint32(0x780));
    QVERIFY(m_rig->command("mnuJava")->isChecked());
    QVERIFY(!m_rig->host->securityFlags().Java);
    // The next click goes from the tick: off, and Java blocked in the active window.
    m_rig->commands->mnuJavaClick(m_rig->command("mnuJava"));
    QVERIFY(!m_rig->command("mnuJava")->isChecked());
    QCOMPARE(m_rig->engineAt(1)->downLoadControl.report(), quint32(0x780));
    QCOMPARE(m_rig->engineAt(1)->refreshes, 1);
}

void tst_TBrowserCommands::switchesLeaveGeckoAlone()
{
    m_rig->commands->Moz_ItemClick();
    m_rig->commands->FileNew1Execute();
    QVERIFY(!m_rig->command("mnuSC")->isEnabled());
    QVERIFY(!m_rig->command("mnuMC")->isEnabled());
    m_rig->commands->mnuScriptClick(m_rig->command("mnuScript"));
    QCOMPARE(m_rig->engineAt(0)->refreshes, 0);
    QCOMPARE(m_rig->engineAt(0)->reapplied, 0);
}

QTEST_MAIN(tst_TBrowserCommands)
#include "tst_TBrowserCommands.moc"
