// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "BrowserRig.h"
#include "FakeEngine.h"
#include "HomeTest.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "browser/TCloseCommands.h"
#include "browser/TTabControl.h"
#include "common/CommandList.h"
#include "common/DorvuError.h"
#include "common/SjisCodec.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <QtTest>

#include <memory>

/// Closing from the tab pop-up menu, CloseURL.txt additions and the recently-closed submenu,
/// with the light engine.
class tst_TCloseCommands : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:

    void closeWindowAtRemovesOnlyThatWindow();
    void popTabCloseWithoutPositionDoesNothing();
    void allCloseClosesInTabOrder();
    void allCloseWithNoWindowDoesNothing();
    void allCloseNotMeKeepsThePopupWindow_data();
    void allCloseNotMeKeepsThePopupWindow();
    void addCloseAppendsPatternAndCloses();
    void addCloseWithoutFileKeepsTheWindow();
    void elevenClosesShowTheLastTen();
    void samePageTwiceGivesTwoEntries();
    void emptyAddressAndAmpersand();
    void submenuItemOpensItsAddress();

private:
    /// Opens A, B, C, D (or \a count pages) with their titles reported.
    void openPages(int count);
    QStringList closedOrder() const;
    QStringList submenuCaptions() const;

    std::unique_ptr<BrowserRig> m_rig;
    TCloseCommands *m_close = nullptr;
    QMenu *m_least = nullptr;
    QAction *m_leastChild = nullptr;
};

void tst_TCloseCommands::initHome()
{
    m_rig = std::make_unique<BrowserRig>();
    m_close = new TCloseCommands(m_rig->host, m_rig.get());
    m_least = new QMenu(QStringLiteral("最近閉じたURL(&E)"), m_rig.get());
    m_leastChild = m_least->addAction(QString());
}

void tst_TCloseCommands::cleanupHome()
{
    m_rig.reset();
}

void tst_TCloseCommands::openPages(int count)
{
    for (int i = 0; i < count; ++i) {
        const QString name = QString(QChar(u'A' + i));
        m_rig->open(QStringLiteral("http://h/") + name);
        FakeEngine *engine = m_rig->engineAt(i);
        QVERIFY(engine);
        engine->load(QStringLiteral("http://h/") + name, name);
    }
    QCOMPARE(m_rig->host->windowList().count(), count);
}

QStringList tst_TCloseCommands::closedOrder() const
{
    return m_rig->host->closedUrls().entries();
}

QStringList tst_TCloseCommands::submenuCaptions() const
{
    QStringList captions;
    for (QAction *a : m_least->actions())
        captions.append(a->text());
    return captions;
}

void tst_TCloseCommands::closeWindowAtRemovesOnlyThatWindow()
{
    openPages(3);
    QPointer<TBrowserChild> b = m_rig->childAt(1);
    m_close->CloseWindowAt(1);
    QCOMPARE(m_rig->tabTexts(), QStringList({QStringLiteral("A"), QStringLiteral("C")}));
    QCOMPARE(m_rig->nodeTexts(), QStringList({QStringLiteral("A"), QStringLiteral("C")}));
    QCOMPARE(m_rig->idTexts(), QStringList({QStringLiteral("0"), QStringLiteral("2")}));
    QCOMPARE(m_rig->urls(),
             QStringList({QStringLiteral("http://h/A"), QStringLiteral("http://h/C")}));
    QCOMPARE(m_home->read(QStringLiteral("winlist")), QByteArray("http://h/A\r\nhttp://h/C\r\n"));
    QCOMPARE(closedOrder(), QStringList(QStringLiteral("http://h/B")));
    QTRY_VERIFY(b.isNull());
    // The flag that keeps the window's own removal away is cleared again.
    QVERIFY(!m_rig->host->listClose());
    QVERIFY(m_rig->errors.isEmpty());
    // Out of range: nothing.
    m_close->CloseWindowAt(5);
    QCOMPARE(m_rig->host->windowList().count(), 2);
}

void tst_TCloseCommands::popTabCloseWithoutPositionDoesNothing()
{
    openPages(2);
    m_rig->host->setPopupPosition(-1);
    m_close->popTabCloseClick();
    m_close->popAddCloseClick();
    QCOMPARE(m_rig->host->windowList().count(), 2);
    m_rig->host->setPopupPosition(1);
    m_close->popTabCloseClick();
    QCOMPARE(m_rig->tabTexts(), QStringList(QStringLiteral("A")));
}

void tst_TCloseCommands::allCloseClosesInTabOrder()
{
    openPages(4);
    m_close->mnu_AllCloseClick();
    QCOMPARE(closedOrder(),
             QStringList({QStringLiteral("http://h/A"), QStringLiteral("http://h/B"),
                          QStringLiteral("http://h/C"), QStringLiteral("http://h/D")}));
    QCOMPARE(m_rig->host->windowList().count(), 0);
    QCOMPARE(m_rig->c.TabControl1->count(), 0);
    QCOMPARE(m_home->read(QStringLiteral("winlist")), QByteArray());
    QTRY_COMPARE(m_rig->c.mdiArea->subWindowList().size(), 0);
    // The switch stays set until the next window is made.
    QVERIFY(m_rig->host->activationSync());
    m_rig->open(QStringLiteral("http://h/E"));
    QVERIFY(!m_rig->host->activationSync());
}

void tst_TCloseCommands::allCloseWithNoWindowDoesNothing()
{
    m_close->mnu_AllCloseClick();
    QVERIFY(!m_rig->host->activationSync());
    QVERIFY(closedOrder().isEmpty());
    QVERIFY(m_rig->errors.isEmpty());
}

void tst_TCloseCommands::allCloseNotMeKeepsThePopupWindow_data()
{
    QTest::addColumn<int>("popup");
    QTest::addColumn<QStringList>("closed");
    QTest::addColumn<QString>("left");
    QTest::newRow("on C") << 2
                          << QStringList({QStringLiteral("http://h/A"),
                                          QStringLiteral("http://h/B"),
                                          QStringLiteral("http://h/D")})
                          << QStringLiteral("C");
    QTest::newRow("on A") << 0
                          << QStringList({QStringLiteral("http://h/B"),
                                          QStringLiteral("http://h/C"),
                                          QStringLiteral("http://h/D")})
                          << QStringLiteral("A");
    QTest::newRow("on D") << 3
                          << QStringList({QStringLiteral("http://h/A"),
                                          QStringLiteral("http://h/B"),
                                          QStringLiteral("http://h/C")})
                          << QStringLiteral("D");
    QTest::newRow("no tab") << -1
                            << QStringList({QStringLiteral("http://h/A"),
                                            QStringLiteral("http://h/B"),
                                            QStringLiteral("http://h/C")})
                            << QStringLiteral("D");
}

void tst_TCloseCommands::allCloseNotMeKeepsThePopupWindow()
{
    QFETCH(int, popup);
    QFETCH(QStringList, closed);
    QFETCH(QString, left);
    openPages(4);
    m_rig->host->setPopupPosition(popup);
    m_close->mnu_AllCloseNotMeClick();
    QCOMPARE(closedOrder(), closed);
    QCOMPARE(m_rig->tabTexts(), QStringList(left));
    QCOMPARE(m_rig->urls(), QStringList(QStringLiteral("http://h/") + left));
    // Not a mass close: the switch is untouched and the last window selects its tab.
    QVERIFY(!m_rig->host->activationSync());
    QCOMPARE(m_rig->c.TabControl1->currentIndex(), 0);
}

void tst_TCloseCommands::addCloseAppendsPatternAndCloses()
{
    m_home->write(QStringLiteral("CloseURL.txt"),
                  SjisCodec::encode(QStringLiteral("*ad*\r\n\r\n*広告*")));
    openPages(3);
    m_rig->engineAt(1)->location = QStringLiteral("http://h/B?q=[1]");
    m_rig->host->setPopupPosition(1);
    m_close->popAddCloseClick();
    QCOMPARE(m_home->read(QStringLiteral("CloseURL.txt")),
             SjisCodec::encode(QStringLiteral("*ad*\r\n\r\n*広告*\r\nhttp://h/B?q=[1]\r\n")));
    QCOMPARE(m_rig->tabTexts(), QStringList({QStringLiteral("A"), QStringLiteral("C")}));
    QCOMPARE(closedOrder(), QStringList(QStringLiteral("http://h/B?q=[1]")));
}

void tst_TCloseCommands::addCloseWithoutFileKeepsTheWindow()
{
    openPages(2);
    m_rig->host->setPopupPosition(0);
    QVERIFY_THROWS_EXCEPTION(DorvuError, m_close->popAddCloseClick());
    QCOMPARE(m_rig->host->windowList().count(), 2);
    QVERIFY(closedOrder().isEmpty());
    QVERIFY(!QFile::exists(m_home->file(QStringLiteral("CloseURL.txt"))));

    // Through the menu item the message reaches the user.
    CommandList commands;
    commands.add({"popAddClose", QStringLiteral("CloseURＬに追加")});
    m_close->connectControls(commands);
    commands.action("popAddClose")->trigger();
    QCOMPARE(m_rig->errors.size(), 1);
    QVERIFY2(m_rig->errors.first().contains(QStringLiteral("は開けません")),
             qPrintable(m_rig->errors.first()));
    QCOMPARE(m_rig->host->windowList().count(), 2);
}

void tst_TCloseCommands::elevenClosesShowTheLastTen()
{
    for (int i = 1; i <= 11; ++i) {
        m_rig->open(QStringLiteral("http://h/%1").arg(i));
        m_close->CloseWindowAt(0);
    }
    m_close->mnuLeastURLClick(m_least);
    QStringList expected;
    for (int i = 2; i <= 11; ++i)
        expected.append(QStringLiteral("&%1．http://h/%2").arg(i - 1).arg(i));
    expected.append(QString());
    QCOMPARE(submenuCaptions(), expected);
    QCOMPARE(m_least->actions().last(), m_leastChild);
    QCOMPARE(m_least->actions().first()->data().toString(), QStringLiteral("http://h/2"));

    // Built afresh at every opening: no item is left over from the last time.
    m_rig->open(QStringLiteral("http://h/12"));
    m_close->CloseWindowAt(0);
    Q_EMIT m_least->aboutToShow(); // not connected yet: nothing changes
    QCOMPARE(submenuCaptions(), expected);
    CommandList commands;
    m_least->setObjectName(QStringLiteral("mnuLeastURL"));
    commands.add(m_least);
    m_close->connectControls(commands);
    Q_EMIT m_least->aboutToShow();
    QCOMPARE(m_least->actions().size(), 11);
    QCOMPARE(m_least->actions().at(9)->text(), QStringLiteral("&10．http://h/12"));
    QCOMPARE(m_least->actions().last(), m_leastChild);
}

void tst_TCloseCommands::samePageTwiceGivesTwoEntries()
{
    for (int i = 0; i < 2; ++i) {
        m_rig->open(QStringLiteral("http://same/"));
        m_rig->host->setPopupPosition(0);
        m_close->popTabCloseClick();
    }
    m_close->mnuLeastURLClick(m_least);
    QCOMPARE(submenuCaptions(), QStringList({QStringLiteral("&1．http://same/"),
                                             QStringLiteral("&2．http://same/"), QString()}));
}

void tst_TCloseCommands::emptyAddressAndAmpersand()
{
    m_rig->open(QString());
    m_rig->engineAt(0)->location.clear();
    m_close->CloseWindowAt(0);
    m_rig->open(QStringLiteral("http://h/?a=1&b=2"));
    m_close->CloseWindowAt(0);
    m_close->mnuLeastURLClick(m_least);
    QCOMPARE(submenuCaptions(), QStringList({QStringLiteral("&1．"),
                                             QStringLiteral("&2．http://h/?a=1&&b=2"), QString()}));
    QCOMPARE(m_least->actions().at(1)->data().toString(), QStringLiteral("http://h/?a=1&b=2"));
}

void tst_TCloseCommands::submenuItemOpensItsAddress()
{
    m_rig->open(QStringLiteral("http://h/x?a=1&b=2"));
    m_close->CloseWindowAt(0);
    m_close->mnuLeastURLClick(m_least);
    m_least->actions().first()->trigger();
    QCOMPARE(m_rig->host->windowList().count(), 1);
    QCOMPARE(m_rig->engineAt(0)->navigated, QStringList(QStringLiteral("http://h/x?a=1&b=2")));
    QCOMPARE(m_rig->childAt(0)->windowTitle(), QStringLiteral("loading"));
    // The entry stays in the list.
    QCOMPARE(closedOrder(), QStringList(QStringLiteral("http://h/x?a=1&b=2")));
}

QTEST_MAIN(tst_TCloseCommands)
#include "tst_TCloseCommands.moc"
