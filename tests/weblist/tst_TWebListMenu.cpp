// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The web list menu and the opening of lists, with the light engine: every line opens a window
// in line order, one per turn of the event loop, and the opening can be stopped.
#include "BrowserRig.h"
#include "FakeEngine.h"
#include "HomeTest.h"
#include "ModalAnswer.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "weblist/TWebListMenu.h"
#include "weblist/TWebListOpener.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include <memory>

class tst_TWebListMenu : public HomeTest
{
    Q_OBJECT

    /// Queued pages loading at once, fixed so that the counts below hold on any machine.
    static constexpr int Queued = 4;
    /// Every line of a bulk open gets its window at once.
    static constexpr char WindowsForAll[] = "[Option_Tab]\r\nLookAhead=-1\r\n";

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void menuListsEveryFileAfterFixedItems();
    void itemOpensEveryLineInOrder_data();
    void itemOpensEveryLineInOrder();
    void goneFileIsReportedAndOpensNothing();
    void oddFileNameStillOpens();
    void openingLeavesTheEventLoopRunning();
    void stopDropsTheRest_data();
    void stopDropsTheRest();
    void longListAsksFirst();
    void laterWindowsLoadFromTheQueueOrWhenActivated();
    void otherWindowsWaitForTheFirstPage();
    void waitingTabsGetWindowsWhenShown();
    void waitingTabsCloseAndComeBack();
    void windowsInFrontForAMomentWait();

private:
    QStringList openedUrls() const;
    QAction *fileItem(int i) const;

    std::unique_ptr<BrowserRig> m_rig;
    std::unique_ptr<QMenu> m_menu;
    TWebListOpener *m_opener = nullptr;
    TWebListMenu *m_lists = nullptr;
};

void tst_TWebListMenu::initHome()
{
    m_rig = std::make_unique<BrowserRig>();
    m_rig->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_rig.get()));
    m_menu = std::make_unique<QMenu>();
    m_menu->addAction(QStringLiteral("Webリストを編集(&E)"));
    m_menu->addAction(QStringLiteral("現在状態を追加"));
    m_menu->addSeparator();
    m_rig->host->setLoadLimit(Queued);
    m_opener = new TWebListOpener(m_rig->host, m_rig.get());
    m_lists = new TWebListMenu(m_menu.get(), m_opener, m_rig.get());
}

void tst_TWebListMenu::cleanupHome()
{
    m_rig.reset();
    m_menu.reset();
}

QStringList tst_TWebListMenu::openedUrls() const
{
    QStringList urls;
    for (int i = 0; i < m_rig->host->windowList().count(); ++i) {
        const TBrowserChild *child = m_rig->childAt(i);
        if (!child)
            urls.append(m_rig->host->windowList().url(i)); // a waiting tab
        else
            urls.append(child->hasDeferredNavigation() ? child->pageAddress()
                                                       : m_rig->engineAt(i)->navigated.value(0));
    }
    return urls;
}

QAction *tst_TWebListMenu::fileItem(int i) const
{
    return m_menu->actions().value(3 + i);
}

void tst_TWebListMenu::menuListsEveryFileAfterFixedItems()
{
    for (int i = 0; i < 300; ++i)
        m_home->write(QStringLiteral("WebList/%1.wlf").arg(i, 3, 10, QLatin1Char('0')), "x\r\n");
    m_lists->EnumFiles(m_home->file(QStringLiteral("WebList")));
    QCOMPARE(m_menu->actions().size(), 303);
    QCOMPARE(fileItem(0)->text(), QStringLiteral("&000"));
    QCOMPARE(fileItem(0)->data().toString(), QStringLiteral("000.wlf"));
    QCOMPARE(fileItem(299)->text(), QStringLiteral("&299"));
    QVERIFY(!fileItem(0)->icon().isNull());
    // Built anew, not added to: a file that is gone is no longer listed.
    QVERIFY(QFile::remove(m_home->file(QStringLiteral("WebList/000.wlf"))));
    m_lists->EnumFiles(m_home->file(QStringLiteral("WebList")));
    QCOMPARE(m_menu->actions().size(), 302);
    QCOMPARE(m_menu->actions().at(1)->text(), QStringLiteral("現在状態を追加"));
}

void tst_TWebListMenu::itemOpensEveryLineInOrder_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("urls");
    QTest::newRow("equal lines") << QByteArray("http://h/1\r\nhttp://h/2\r\nhttp://h/1\r\n")
                                 << QStringList{QStringLiteral("http://h/1"),
                                                QStringLiteral("http://h/2"),
                                                QStringLiteral("http://h/1")};
    QTest::newRow("last line without end, empty line")
        << QByteArray("http://h/1\r\n\r\nhttp://h/2")
        << QStringList{QStringLiteral("http://h/1"), QString(), QStringLiteral("http://h/2")};
    QTest::newRow("0 bytes") << QByteArray() << QStringList();
}

void tst_TWebListMenu::itemOpensEveryLineInOrder()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, urls);
    m_home->write(QStringLiteral("WebList/news.wlf"), bytes);
    m_lists->EnumFiles(m_home->file(QStringLiteral("WebList")));
    QCOMPARE(fileItem(0)->text(), QStringLiteral("&news"));
    fileItem(0)->trigger();
    QTRY_VERIFY(!m_opener->isRunning());
    QCOMPARE(openedUrls(), urls);
    QVERIFY2(m_rig->errors.isEmpty(), qPrintable(m_rig->errors.join(QLatin1Char('\n'))));
}

void tst_TWebListMenu::goneFileIsReportedAndOpensNothing()
{
    m_home->write(QStringLiteral("WebList/gone.wlf"), "http://h/1\r\n");
    m_lists->EnumFiles(m_home->file(QStringLiteral("WebList")));
    QVERIFY(QFile::remove(m_home->file(QStringLiteral("WebList/gone.wlf"))));
    fileItem(0)->trigger();
    QCOMPARE(m_rig->errors,
             QStringList{QStringLiteral("ファイル %1 は開けません")
                             .arg(m_home->file(QStringLiteral("WebList/gone.wlf")))});
    QCOMPARE(m_rig->host->windowList().count(), 0);
}

void tst_TWebListMenu::oddFileNameStillOpens()
{
    // Not UTF-8, and no longer than four bytes: the caption is "&" alone.
    m_home->write(QStringLiteral("WebList/x"), QByteArray());
    const QByteArray native =
        QFile::encodeName(m_home->file(QStringLiteral("WebList/"))) + QByteArray("\xff.wl");
    FILE *f = std::fopen(native.constData(), "wb");
    QVERIFY(f);
    std::fputs("http://h/odd\r\n", f);
    std::fclose(f);
    m_lists->EnumFiles(m_home->file(QStringLiteral("WebList")));
    QAction *odd = fileItem(0)->data().toString() == QLatin1String("x") ? fileItem(1) : fileItem(0);
    QCOMPARE(odd->text(), QStringLiteral("&"));
    odd->trigger();
    QTRY_COMPARE(openedUrls(), QStringList{QStringLiteral("http://h/odd")});
    std::remove(native.constData()); // a name the temporary folder cannot remove
    QVERIFY(m_rig->errors.isEmpty());
}

void tst_TWebListMenu::openingLeavesTheEventLoopRunning()
{
    m_home->write(QStringLiteral("config.ini"), WindowsForAll);
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines.append(QStringLiteral("http://h/%1").arg(i));
    QSignalSpy finished(m_opener, &TWebListOpener::finished);
    m_opener->openLines(lines);
    // The click returns at once with one window open; the rest follow turn by turn.
    QCOMPARE(m_rig->host->windowList().count(), 1);
    QVERIFY(m_opener->isRunning());
    auto *count = m_rig->c.StatusBar1->findChild<QLabel *>(QStringLiteral("lblWebListCount"));
    QVERIFY(count);
    QTRY_VERIFY(m_opener->opened() > 10);
    QVERIFY(m_opener->opened() < 300);
    QCOMPARE(count->text(), QStringLiteral("%1 / 300").arg(m_opener->opened()));
    QVERIFY(finished.wait(120000));
    QCOMPARE(openedUrls(), lines);
    QVERIFY(!count->isVisible());
}

void tst_TWebListMenu::stopDropsTheRest_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Esc") << true;
    QTest::newRow("中止") << false;
}

void tst_TWebListMenu::stopDropsTheRest()
{
    QFETCH(bool, escape);
    // Windows for every line, so that the opening lasts long enough to be stopped.
    m_home->write(QStringLiteral("config.ini"), WindowsForAll);
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines.append(QStringLiteral("http://h/%1").arg(i));
    m_opener->openLines(lines);
    QTRY_VERIFY(m_opener->opened() >= 3);
    if (escape) {
        QTest::keyClick(m_rig->c.txtAddress, Qt::Key_Escape);
    } else {
        auto *stop =
            m_rig->c.StatusBar1->findChild<QPushButton *>(QStringLiteral("btnWebListStop"));
        QVERIFY(stop && stop->isVisible());
        stop->click();
    }
    QVERIFY(!m_opener->isRunning());
    const int opened = m_rig->host->windowList().count();
    QVERIFY(opened < 200);
    // Nothing announces that no window comes late: one still on its way would have come
    // within a few turns of the event loop.
    QTest::qWait(50);
    QCOMPARE(m_rig->host->windowList().count(), opened);
    QCOMPARE(openedUrls(), lines.mid(0, opened));
    // The dropped lines leave winlist.
    QCOMPARE(
        m_home->read(QStringLiteral("winlist")),
        (lines.mid(0, opened).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
}

void tst_TWebListMenu::longListAsksFirst()
{
    QStringList lines;
    for (int i = 0; i < 501; ++i)
        lines.append(QStringLiteral("http://h/%1").arg(i));
    QString seen;
    ModalAnswer::press(QStringLiteral("いいえ(&N)"), &seen);
    m_opener->openLines(lines);
    QCOMPARE(seen, QStringLiteral("Dorvu|501 個のウィンドウを開きます。よろしいですか？"));
    QCOMPARE(m_rig->host->windowList().count(), 0);
    QVERIFY(!m_opener->isRunning());
}

void tst_TWebListMenu::laterWindowsLoadFromTheQueueOrWhenActivated()
{
    // The first window, then as many as the queue loads together, then two that wait.
    m_home->write(QStringLiteral("config.ini"), WindowsForAll);
    const int queued = Queued;
    QStringList lines;
    for (int i = 0; i < TWebListOpener::LoadAtOnce + queued + 2; ++i)
        lines.append(QStringLiteral("http://h/%1").arg(i));
    QSignalSpy finished(m_opener, &TWebListOpener::finished);
    m_opener->openLines(lines);
    QVERIFY(finished.wait(60000));
    const int last = int(lines.size()) - 1;
    QTRY_COMPARE(m_rig->engineAt(last - 2)->navigated, QStringList{lines.at(last - 2)});
    for (int i = 0; i <= last; ++i) {
        const bool loading = i < last - 1;
        QCOMPARE(m_rig->engineAt(i)->navigated, loading ? QStringList{lines.at(i)} : QStringList());
        if (!loading)
            QCOMPARE(m_rig->tabTexts().at(i), lines.at(i));
    }
    // Every address is in winlist although no page has reported anything.
    QCOMPARE(m_home->read(QStringLiteral("winlist")),
             (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
    // Looking at a waiting window loads it; a queued page that completes lets the next one go.
    m_rig->host->ActivateWindowAt(last);
    QTRY_COMPARE(m_rig->engineAt(last)->navigated, QStringList{lines.at(last)});
    QCOMPARE(m_rig->engineAt(last - 1)->navigated, QStringList());
    Q_EMIT m_rig->engineAt(1)->OnDocumentComplete(lines.at(1));
    QTRY_COMPARE(m_rig->engineAt(last - 1)->navigated, QStringList{lines.at(last - 1)});
}

void tst_TWebListMenu::otherWindowsWaitForTheFirstPage()
{
    m_home->write(QStringLiteral("config.ini"), WindowsForAll);
    const QStringList lines{QStringLiteral("http://h/0"), QStringLiteral("http://h/1"),
                            QStringLiteral("http://h/2")};
    m_opener->openLines(lines);
    QCOMPARE(m_rig->host->windowList().count(), 1);
    // winlist holds the lines still to open too: a crash now loses none of the list.
    QCOMPARE(m_home->read(QStringLiteral("winlist")),
             QByteArray("http://h/0\r\nhttp://h/1\r\nhttp://h/2\r\n"));
    // The first page still loads: the main thread is left to it.
    QVERIFY(!QTest::qWaitFor([this] { return m_rig->host->windowList().count() > 1; }, 300));
    Q_EMIT m_rig->engineAt(0)->OnDocumentComplete(lines.at(0));
    QTRY_COMPARE(m_rig->host->windowList().count(), 3);
    QCOMPARE(m_home->read(QStringLiteral("winlist")),
             QByteArray("http://h/0\r\nhttp://h/1\r\nhttp://h/2\r\n"));
}

// With new windows in front, each window of a list is the active one for a moment: only the
// queue and the window left in front load.
void tst_TWebListMenu::windowsInFrontForAMomentWait()
{
    m_home->write(QStringLiteral("config.ini"), "[Option_Window]\r\nNewWindow_Active=1\r\n"
                                                "[Option_Tab]\r\nLookAhead=-1\r\n");
    QStringList lines;
    for (int i = 0; i < TWebListOpener::LoadAtOnce + Queued + 3; ++i)
        lines.append(QStringLiteral("http://h/%1").arg(i));
    QSignalSpy finished(m_opener, &TWebListOpener::finished);
    m_opener->openLines(lines);
    QVERIFY(finished.wait(60000));
    const int last = int(lines.size()) - 1;
    QTRY_COMPARE(m_rig->engineAt(last)->navigated, QStringList{lines.at(last)});
    QCOMPARE(m_rig->host->windowList().selected(), last);
    // Only time shows that a window in front for a moment did not start its load.
    QTest::qWait(3 * TBrowserChild::ActiveLoadDelayMs);
    QCOMPARE(m_rig->engineAt(last - 1)->navigated, QStringList());
    QCOMPARE(m_rig->engineAt(last - 2)->navigated, QStringList());
}

// The lines behind the first wait as tabs without windows; the next three get windows once the
// first page has loaded, the others when shown.
void tst_TWebListMenu::waitingTabsGetWindowsWhenShown()
{
    QStringList lines;
    for (int i = 0; i < 8; ++i)
        lines.append(QStringLiteral("http://h/%1").arg(i));
    QSignalSpy finished(m_opener, &TWebListOpener::finished);
    m_opener->openLines(lines);
    QVERIFY(finished.wait(10000));
    // Listed before the first page has loaded, in tab strip, tree and winlist, with no window.
    QCOMPARE(m_rig->tabTexts().mid(1), lines.mid(1));
    QCOMPARE(m_rig->nodeTexts().mid(1), lines.mid(1));
    QCOMPARE(m_home->read(QStringLiteral("winlist")),
             (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
    QCOMPARE(m_rig->host->childCount(), 1);
    QCOMPARE(m_rig->engineAt(0)->navigated, QStringList{lines.at(0)});
    Q_EMIT m_rig->engineAt(0)->OnDocumentComplete(lines.at(0));
    QTRY_COMPARE(m_rig->host->childCount(), 4);
    for (int i = 1; i <= 3; ++i)
        QTRY_COMPARE(m_rig->engineAt(i)->navigated, QStringList{lines.at(i)});
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(0));
    for (int i = 4; i < 8; ++i)
        QVERIFY(m_rig->host->isWaiting(i));
    // Showing a waiting tab makes its window, loading at once, and the next ones behind it.
    m_rig->host->TabControl1Change(6);
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(6));
    QCOMPARE(m_rig->engineAt(6)->navigated, QStringList{lines.at(6)});
    QTRY_VERIFY(!m_rig->host->isWaiting(7));
    QVERIFY(m_rig->host->isWaiting(4));
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(6));
    QCOMPARE(m_rig->host->windowList().selected(), 6);
}

void tst_TWebListMenu::waitingTabsCloseAndComeBack()
{
    const QStringList lines{QStringLiteral("http://h/0"), QStringLiteral("http://h/1"),
                            QStringLiteral("http://h/2")};
    m_home->write(QStringLiteral("config.ini"), "[Option_Tab]\r\nLookAhead=1\r\n");
    QSignalSpy finished(m_opener, &TWebListOpener::finished);
    m_opener->openLines(lines);
    QVERIFY(finished.wait(10000));
    Q_EMIT m_rig->engineAt(0)->OnDocumentComplete(lines.at(0));
    QTRY_VERIFY(!m_rig->host->isWaiting(1));
    QTRY_COMPARE(m_rig->engineAt(1)->navigated, QStringList{lines.at(1)});
    QVERIFY(m_rig->host->isWaiting(2));
    // A page discarded out of sight gives its window back; its tab waits, at the page's
    // current address, and is not a closed one.
    m_rig->engineAt(1)->location = QStringLiteral("http://h/1b");
    m_rig->host->windowList().UpdateWindowEntry(m_rig->host->windowList().id(1),
                                                QStringLiteral("B"), QStringLiteral("http://h/1b"));
    Q_EMIT m_rig->engineAt(1)->OnDiscarded();
    QTRY_COMPARE(m_rig->host->childCount(), 1);
    QVERIFY(m_rig->host->isWaiting(1));
    QCOMPARE(m_rig->tabTexts().at(1), QStringLiteral("B"));
    QCOMPARE(m_rig->urls().at(1), QStringLiteral("http://h/1b"));
    QCOMPARE(m_rig->host->closedUrls().entries(), QStringList());
    // Closing the last window shows the tab that is selected next, from its address.
    m_rig->childAt(0)->close();
    QTRY_VERIFY(!m_rig->host->isWaiting(0));
    QCOMPARE(m_rig->engineAt(0)->navigated, QStringList{QStringLiteral("http://h/1b")});
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(0));
    QTRY_COMPARE(m_rig->host->childCount(), 2); // and the one ahead
    QCOMPARE(m_rig->host->closedUrls().entries(), QStringList{lines.at(0)});
}

QTEST_MAIN(tst_TWebListMenu)
#include "tst_TWebListMenu.moc"
