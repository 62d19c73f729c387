// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "BrowserRig.h"
#include "FakeEngine.h"
#include "HomeTest.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "browser/TTabControl.h"
#include "settings/IniFile.h"

#include <QAction>
#include <QDir>
#include <QMdiArea>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

/// Page opening and the window list's bookkeeping, with the light engine.
class tst_TBrowserHost : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void opensWithCleanAddressAndPlaceholders();
    void tabLimit();
    void tabLimitZeroBlocksEverything();
    void newWindowActive();
    void newWindowBehindWithoutOpenWindow();
    void idsAreNotReused();
    void closingTheMiddleWindow();
    void closingAnotherThanTheSelected();
    void titleReportsReachTheRightTabAmong300();
    void geckoEngineNodeImageAndCurrentFolder();
    void missingMozPathOpensNothing();
    void engineFailureRegistersNothing();
    void newIeWindowBlocksEverythingWithoutConfig();
    void tabChangeActivatesItsWindow();
    void refusedAddressStillOpensBehind();
    void tabOrder_data();
    void tabOrder();

private:
    void setConfig(const QByteArray &text);
    std::unique_ptr<BrowserRig> m_rig;
    QString m_cwd;
};

void tst_TBrowserHost::initHome()
{
    m_cwd = QDir::currentPath();
    m_rig = std::make_unique<BrowserRig>();
}

void tst_TBrowserHost::cleanupHome()
{
    m_rig.reset();
    QDir::setCurrent(m_cwd);
}

void tst_TBrowserHost::setConfig(const QByteArray &text)
{
    m_home->write(QStringLiteral("config.ini"), text);
}

void tst_TBrowserHost::opensWithCleanAddressAndPlaceholders()
{
    m_rig->open(QStringLiteral("ttp://www.example.jp/"), QStringLiteral("londing"));
    QCOMPARE(m_rig->host->windowList().count(), 1);
    FakeEngine *engine = m_rig->engineAt(0);
    QVERIFY(engine);
    QCOMPARE(engine->navigated, QStringList(QStringLiteral("http://www.example.jp/")));
    QCOMPARE(m_rig->tabTexts(), QStringList(QStringLiteral("loading")));
    QCOMPARE(m_rig->nodeTexts(), QStringList(QStringLiteral("loading")));
    QCOMPARE(m_rig->urls(), QStringList(QStringLiteral("http://www.example.jp/")));
    QCOMPARE(m_rig->childAt(0)->windowTitle(), QStringLiteral("londing"));
    QCOMPARE(m_rig->c.TreeWin->topLevelItem(0)->data(0, Qt::UserRole + 1).toInt(), 15);
    // Written on opening with the address asked for, before the page reports anything.
    QCOMPARE(m_home->read(QStringLiteral("winlist")), QByteArray("http://www.example.jp/\r\n"));
    // Title reports are written together a moment later.
    engine->load(QStringLiteral("http://www.example.jp/a"), QStringLiteral("Example"));
    QVERIFY(m_rig->host->windowList().saveWaiting());
    QTRY_COMPARE(m_home->read(QStringLiteral("winlist")),
                 QByteArray("http://www.example.jp/a\r\n"));
    QCOMPARE(m_rig->childAt(0)->windowTitle(), QStringLiteral("Example"));
    QVERIFY(m_rig->errors.isEmpty());
}

void tst_TBrowserHost::tabLimit()
{
    setConfig("[Option_Tab]\r\nLen=1\r\nMaxLen=3\r\n");
    for (int i = 0; i < 4; ++i)
        m_rig->open(QStringLiteral("http://%1.example/").arg(i));
    QCOMPARE(m_rig->host->windowList().count(), 3);
    QCOMPARE(m_rig->host->windowCounter().value(), 2);
    m_rig->childAt(1)->close();
    m_rig->open(QStringLiteral("http://again.example/"));
    QCOMPARE(m_rig->host->windowList().count(), 3);
    m_rig->open(QStringLiteral("http://refused.example/"));
    QCOMPARE(m_rig->host->windowList().count(), 3);
    // A limit lowered below the open count does not block.
    setConfig("[Option_Tab]\r\nLen=1\r\nMaxLen=2\r\n");
    m_rig->open(QStringLiteral("http://more.example/"));
    QCOMPARE(m_rig->host->windowList().count(), 4);
    QVERIFY(m_rig->errors.isEmpty());
}

void tst_TBrowserHost::tabLimitZeroBlocksEverything()
{
    setConfig("[Option_Tab]\r\nLen=1\r\nMaxLen=0\r\n");
    m_rig->open(QStringLiteral("http://a.example/"));
    QCOMPARE(m_rig->host->windowList().count(), 0);
    QCOMPARE(m_rig->host->childCount(), 0);
    QCOMPARE(m_rig->factory->created, 0);
    QVERIFY(m_rig->errors.isEmpty());
}

void tst_TBrowserHost::newWindowActive()
{
    m_rig->open(QStringLiteral("http://old.example/"));
    TBrowserChild *old = m_rig->childAt(0);
    QCOMPARE(m_rig->host->activeChild(), old);

    // NewWindow_Active off: the new tab is added, the old window stays in front.
    m_rig->open(QStringLiteral("http://behind.example/"));
    QCOMPARE(m_rig->host->windowList().count(), 2);
    QCOMPARE(m_rig->host->activeChild(), old);
    QCOMPARE(m_rig->c.mdiArea->currentSubWindow(), old);
    QCOMPARE(m_rig->host->windowList().selected(), 0);
    QCOMPARE(m_rig->c.TabControl1->selectedTab(), 0);
    QCOMPARE(m_rig->c.TreeWin->currentItem(), m_rig->c.TreeWin->topLevelItem(0));

    setConfig("[Option_Window]\r\nNewWindow_Active=1\r\n");
    m_rig->open(QStringLiteral("http://front.example/"));
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(2));
    QCOMPARE(m_rig->host->windowList().selected(), 2);
    QCOMPARE(m_rig->c.TabControl1->currentIndex(), 2);
    QCOMPARE(m_rig->activeEngine()->navigated,
             QStringList(QStringLiteral("http://front.example/")));
}

void tst_TBrowserHost::newWindowBehindWithoutOpenWindow()
{
    m_rig->open(QStringLiteral("http://only.example/"));
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(0));
    QCOMPARE(m_rig->host->windowList().selected(), 0);
}

void tst_TBrowserHost::idsAreNotReused()
{
    for (int i = 0; i < 3; ++i)
        m_rig->open(QStringLiteral("http://%1.example/").arg(i));
    QCOMPARE(m_rig->childAt(0)->windowId(), 0);
    m_rig->host->childById(1)->close();
    m_rig->open(QStringLiteral("http://next.example/"));
    QCOMPARE(m_rig->idTexts(),
             QStringList({QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("3")}));
    QCOMPARE(m_rig->childAt(2)->windowId(), 3);
}

void tst_TBrowserHost::closingTheMiddleWindow()
{
    const QStringList names = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    for (const QString &n : names)
        m_rig->open(QStringLiteral("http://%1.example/").arg(n.toLower()));
    for (int i = 0; i < 3; ++i)
        m_rig->engineAt(i)->load(QStringLiteral("http://%1.example/").arg(names[i].toLower()),
                                 names[i]);
    QCOMPARE(m_home->read(QStringLiteral("winlist")),
             QByteArray("http://a.example/\r\nhttp://b.example/\r\nhttp://c.example/\r\n"));
    m_rig->childAt(1)->close(); // its own close box
    QCOMPARE(m_rig->tabTexts(), QStringList({QStringLiteral("A"), QStringLiteral("C")}));
    QCOMPARE(m_rig->nodeTexts(), QStringList({QStringLiteral("A"), QStringLiteral("C")}));
    QCOMPARE(m_rig->idTexts(), QStringList({QStringLiteral("0"), QStringLiteral("2")}));
    QCOMPARE(m_rig->urls(), QStringList({QStringLiteral("http://a.example/"),
                                         QStringLiteral("http://c.example/")}));
    QCOMPARE(m_home->read(QStringLiteral("winlist")),
             QByteArray("http://a.example/\r\nhttp://c.example/\r\n"));
    QCOMPARE(m_rig->host->closedUrls().entries(), QStringList(QStringLiteral("http://b.example/")));
}

void tst_TBrowserHost::closingAnotherThanTheSelected()
{
    for (int i = 0; i < 3; ++i) {
        m_rig->open(QStringLiteral("http://%1.example/").arg(i));
        m_rig->engineAt(i)->load(QStringLiteral("http://%1.example/").arg(i),
                                 QStringLiteral("T%1").arg(i));
    }
    m_rig->host->ActivateWindowAt(2);
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(2));
    QCOMPARE(m_rig->host->windowList().selected(), 2);
    // Window 0 goes away while window 2 is in front (as a blocked page closes itself).
    m_rig->host->childById(0)->close();
    QCOMPARE(m_rig->host->activeChild(), m_rig->host->childById(2));
    QCOMPARE(m_rig->host->windowList().selected(), 1);
    QCOMPARE(m_rig->c.TabControl1->selectedTab(), 1);
    QCOMPARE(m_rig->tabTexts(), QStringList({QStringLiteral("T1"), QStringLiteral("T2")}));
    QCOMPARE(m_rig->urls().at(1), QStringLiteral("http://2.example/"));
}

void tst_TBrowserHost::titleReportsReachTheRightTabAmong300()
{
    for (int i = 0; i < 300; ++i)
        m_rig->open(QStringLiteral("http://%1.example/").arg(i));
    QCOMPARE(m_rig->c.TabControl1->count(), 300);
    QCOMPARE(m_rig->host->childCount(), 300);
    TBrowserChild *last = m_rig->host->childById(299);
    QVERIFY(last);
    static_cast<FakeEngine *>(last->engine())
        ->load(QStringLiteral("http://299.example/"), QStringLiteral("page 299"));
    static_cast<FakeEngine *>(m_rig->host->childById(43)->engine())
        ->load(QStringLiteral("http://43.example/"), QStringLiteral("page 43"));
    QCOMPARE(m_rig->c.TabControl1->tabText(299), QStringLiteral("page 299"));
    QCOMPARE(m_rig->c.TabControl1->tabText(43), QStringLiteral("page 43"));
    QCOMPARE(m_rig->c.TreeWin->topLevelItem(299)->text(0), QStringLiteral("page 299"));
    m_rig->host->ActivateWindowAt(299);
    QCOMPARE(m_rig->host->activeChild(), last);
    QCOMPARE(m_rig->host->windowList().selected(), 299);
}

void tst_TBrowserHost::geckoEngineNodeImageAndCurrentFolder()
{
    const QString folder = m_home->path() + QStringLiteral("gecko");
    QVERIFY(QDir().mkpath(folder));
    setConfig("[Option_Main]\r\nMozilla=1\r\nMozPath=" + folder.toLocal8Bit() + "\r\n");
    m_rig->command("IE_item")->setChecked(false);
    m_rig->command("Moz_Item")->setChecked(true);
    m_rig->open(QStringLiteral("about:blank"), QStringLiteral("Gecko"));
    QCOMPARE(m_rig->childAt(0)->kind(), EngineKind::Gecko);
    QCOMPARE(m_rig->c.TreeWin->topLevelItem(0)->data(0, Qt::UserRole + 1).toInt(), 14);
    QCOMPARE(QDir::currentPath(), QDir(folder).canonicalPath());
    // The current folder is set before every window, of either kind.
    QDir::setCurrent(m_cwd);
    m_rig->command("IE_item")->setChecked(true);
    m_rig->open(QStringLiteral("http://a.example/"));
    QCOMPARE(m_rig->childAt(1)->kind(), EngineKind::IE);
    QCOMPARE(QDir::currentPath(), QDir(folder).canonicalPath());
}

void tst_TBrowserHost::missingMozPathOpensNothing()
{
    setConfig("[Option_Main]\r\nMozilla=1\r\nMozPath=" + m_home->path().toLocal8Bit() +
              "missing\r\n");
    m_rig->open(QStringLiteral("http://a.example/"));
    QCOMPARE(m_rig->host->windowList().count(), 0);
    QCOMPARE(m_rig->host->childCount(), 0);
    QCOMPARE(m_rig->host->windowCounter().value(), -1);
    QCOMPARE(m_rig->errors.size(), 1);
    QVERIFY(m_rig->errors.at(0).contains(QStringLiteral("入出力エラー")));
    QVERIFY(m_rig->errors.at(0).contains(QStringLiteral("missing")));
}

void tst_TBrowserHost::engineFailureRegistersNothing()
{
    m_rig->open(QStringLiteral("http://a.example/"));
    m_rig->factory->failGecko = true;
    m_rig->command("IE_item")->setChecked(false);
    m_rig->open(QStringLiteral("http://b.example/"), QStringLiteral("Gecko"));
    QCOMPARE(m_rig->errors.size(), 1);
    QCOMPARE(m_rig->host->windowList().count(), 1);
    QCOMPARE(m_rig->c.TabControl1->count(), 1);
    QCOMPARE(m_rig->c.TreeWin->topLevelItemCount(), 1);
    QCOMPARE(m_rig->host->childCount(), 1);
    QCOMPARE(m_rig->host->windowCounter().value(), 0);
}

void tst_TBrowserHost::newIeWindowBlocksEverythingWithoutConfig()
{
    m_rig->open(QStringLiteral("http://a.example/"));
    QCOMPARE(m_rig->engineAt(0)->downLoadControl.report(), quint32(0x780));
    // The opener sets the switches before a window holds the engine.
    QVERIFY(m_rig->engineAt(0)->controlSetAlone);
    // Every IE window reads the file again.
    setConfig("[Option_Multimedia]\r\nImage=1\r\n[Option_Security]\r\nScript=1\r\n");
    m_rig->open(QStringLiteral("http://b.example/"));
    QCOMPARE(m_rig->engineAt(1)->downLoadControl.report(), quint32(0x700 | 0x10));
    QCOMPARE(m_rig->engineAt(0)->downLoadControl.report(), quint32(0x780));
}

void tst_TBrowserHost::tabChangeActivatesItsWindow()
{
    for (int i = 0; i < 3; ++i)
        m_rig->open(QStringLiteral("http://%1.example/").arg(i));
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(0));
    // The user picks tab 2: its window comes to the front and its tree node is selected.
    m_rig->c.TabControl1->setCurrentIndex(2);
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(2));
    QCOMPARE(m_rig->c.TreeWin->currentItem(), m_rig->c.TreeWin->topLevelItem(2));
    // The user picks tree node 1: the window and then the tab follow.
    m_rig->c.TreeWin->setCurrentItem(m_rig->c.TreeWin->topLevelItem(1));
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(1));
    QCOMPARE(m_rig->c.TabControl1->currentIndex(), 1);
}

void tst_TBrowserHost::refusedAddressStillOpensBehind()
{
    m_rig->open(QStringLiteral("http://a.example/"));
    m_rig->factory->refused = QStringLiteral("hello world");
    m_rig->open(QStringLiteral("hello world"));
    QCOMPARE(m_rig->errors.size(), 1);
    QVERIFY(m_rig->errors.at(0).contains(QStringLiteral("hello world")));
    QCOMPARE(m_rig->host->windowList().count(), 2);
    QCOMPARE(m_rig->host->childCount(), 2);
    // The rest of the opening still ran: the old window is back in front.
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(0));
    QCOMPARE(m_rig->host->windowList().selected(), 0);
}

// Windows A, B, C (B selected), then what the user does to the tabs; tab strip, tree, window
// list and winlist hold the windows in the order given, the selection stays with B.
void tst_TBrowserHost::tabOrder_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("order");
    QTest::newRow("drag the first tab to the end") << QByteArray() << "drag 0 2"
                                                   << "BCA";
    QTest::newRow("drag the last tab to the front") << QByteArray() << "drag 2 0"
                                                    << "CAB";
    QTest::newRow("links of A open after A") << QByteArray() << "link A D,link A E"
                                             << "ADEBC";
    QTest::newRow("link of C opens at the end") << QByteArray() << "link C D"
                                                << "ABCD";
    QTest::newRow("every tab at the end")
        << QByteArray("[Option_Tab]\r\nOpenerNext=0\r\n") << "link A D"
        << "ABCD";
    QTest::newRow("close button") << QByteArray() << "button 2"
                                  << "AB";
    QTest::newRow("middle click") << QByteArray() << "middle 0"
                                  << "BC";
}

void tst_TBrowserHost::tabOrder()
{
    QFETCH(QByteArray, config);
    QFETCH(QString, action);
    QFETCH(QString, order);
    setConfig(config);
    TTabControl *tabs = m_rig->c.TabControl1;
    tabs->setCloseButtons(true);
    const auto url = [](QChar name) {
        return QStringLiteral("http://%1.example/").arg(name.toLower());
    };
    for (const QChar name : QStringLiteral("ABC")) {
        m_rig->open(url(name));
        m_rig->engineAt(m_rig->host->childCount() - 1)->load(url(name), name);
    }
    m_rig->host->TabControl1Change(1);
    for (const QString &step : action.split(QLatin1Char(','))) {
        const QStringList word = step.split(QLatin1Char(' '));
        if (word[0] == QLatin1String("drag")) {
            // What a drag does in the end; QTabBar reports it as tabMoved.
            tabs->moveTab(word[1].toInt(), word[2].toInt());
        } else if (word[0] == QLatin1String("link")) {
            const int opener =
                m_rig->host->windowList().id(QStringLiteral("ABCDE").indexOf(word[1]));
            m_rig->host->OpenPageFrom(opener, QStringLiteral("loading"), url(word[2][0]));
            const int pos =
                m_rig->host->windowList().positionOf(m_rig->host->windowCounter().value());
            m_rig->engineAt(pos)->load(url(word[2][0]), word[2]);
        } else if (word[0] == QLatin1String("button")) {
            const QRect mark = tabs->closeRect(word[1].toInt());
            QVERIFY(mark.isValid() && tabs->rect().contains(mark));
            QTest::mouseClick(tabs, Qt::LeftButton, {}, mark.center());
        } else {
            QTest::mouseClick(tabs, Qt::MiddleButton, {}, tabs->tabRect(word[1].toInt()).center());
        }
    }
    QStringList names, urls;
    for (const QChar name : order) {
        names.append(name);
        urls.append(url(name));
    }
    QTRY_COMPARE(m_rig->host->childCount(), int(order.size()));
    QCOMPARE(m_rig->tabTexts(), names);
    QCOMPARE(m_rig->nodeTexts(), names);
    QCOMPARE(m_rig->urls(), urls);
    QTRY_COMPARE(m_home->read(QStringLiteral("winlist")),
                 (urls.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
    const int b = int(order.indexOf(QLatin1Char('B')));
    QCOMPARE(m_rig->host->windowList().selected(), b);
    QCOMPARE(tabs->selectedTab(), b);
    QCOMPARE(m_rig->c.TreeWin->indexOfTopLevelItem(m_rig->c.TreeWin->currentItem()), b);
}

QTEST_MAIN(tst_TBrowserHost)
#include "tst_TBrowserHost.moc"
