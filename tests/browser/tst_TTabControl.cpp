// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "BrowserRig.h"
#include "FakeEngine.h"
#include "HomeTest.h"
#include "browser/TBrowserHost.h"
#include "browser/TTabControl.h"

#include <QMenu>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

/// The tab strip: pop-up position, colours from config.ini, elided drawing, fixed width.
class tst_TTabControl : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void popupPositionFromPresses();
    void popupPositionFromTheTree();
    void selectedTabPaintedInActivateColour();
    void badColourReportedOnceAndDrawnInDefault();
    void selectedTabStandsOutInDefaultColours_data();
    void selectedTabStandsOutInDefaultColours();
    void longTitleElidedButKept();
    void fixedWidthAndTabType();
    void textRect();
    void treeSelectionKeepsHighlightWithoutFocus();

private:
    void openThree();
    QColor pixelInTab(int index);
    std::unique_ptr<BrowserRig> m_rig;
};

void tst_TTabControl::initHome()
{
    m_rig = std::make_unique<BrowserRig>();
    QVERIFY(QTest::qWaitForWindowExposed(m_rig.get()));
}

void tst_TTabControl::cleanupHome()
{
    m_rig.reset();
}

void tst_TTabControl::openThree()
{
    for (int i = 0; i < 3; ++i)
        m_rig->open(QStringLiteral("http://%1.example/").arg(i));
    QCOMPARE(m_rig->c.TabControl1->count(), 3);
}

QColor tst_TTabControl::pixelInTab(int index)
{
    TTabControl *tabs = m_rig->c.TabControl1;
    // The strip lays its tabs out once events have run.
    const bool laidOut = QTest::qWaitFor(
        [&] {
            return tabs->width() > tabs->tabRect(index).right() &&
                   tabs->height() > tabs->tabRect(index).center().y();
        },
        5000);
    if (!laidOut)
        qWarning("tab %d is not laid out", index);
    const QImage image = tabs->grab().toImage();
    const QRect rect = tabs->tabRect(index);
    // Near the right end of the tab, where no text is drawn.
    const QPoint p(rect.right() - 3, rect.center().y());
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(QPoint(int(p.x() * ratio), int(p.y() * ratio)));
}

void tst_TTabControl::popupPositionFromPresses()
{
    openThree();
    TTabControl *tabs = m_rig->c.TabControl1;
    QCOMPARE(m_rig->host->popupPosition(), 0);
    QTest::mousePress(tabs, Qt::MiddleButton, {}, tabs->tabRect(2).center());
    QCOMPARE(m_rig->host->popupPosition(), 2);
    // Released off the tab: no middle click, which would close it.
    QTest::mouseRelease(tabs, Qt::MiddleButton, {},
                        QPoint(tabs->tabRect(2).right() + 20, tabs->height() / 2));
    QCOMPARE(tabs->count(), 3);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QCOMPARE(m_rig->host->popupPosition(), 2); // a left press does not change it
    QCOMPARE(m_rig->host->activeChild(), m_rig->childAt(1));
    // Right press on empty space: none.
    const QPoint empty(tabs->tabRect(2).right() + 20, tabs->height() / 2);
    QVERIFY(tabs->tabAt(empty) < 0);
    QTest::mousePress(tabs, Qt::RightButton, {}, empty);
    QCOMPARE(m_rig->host->popupPosition(), -1);
    QTest::mouseRelease(tabs, Qt::RightButton, {}, empty);
    m_rig->c.TabPopup->close();
    QTest::mousePress(tabs, Qt::RightButton, {}, tabs->tabRect(0).center());
    QCOMPARE(m_rig->host->popupPosition(), 0);
    QTest::mouseRelease(tabs, Qt::RightButton, {}, tabs->tabRect(0).center());
    m_rig->c.TabPopup->close();
}

void tst_TTabControl::popupPositionFromTheTree()
{
    openThree();
    m_rig->c.TabPopup->addAction(QStringLiteral("閉じる(&C)"));
    QTreeWidget *tree = m_rig->c.TreeWin;
    const QPoint node2 = tree->visualItemRect(tree->topLevelItem(2)).center();
    Q_EMIT tree->customContextMenuRequested(node2);
    QCOMPARE(m_rig->host->popupPosition(), 2);
    QTRY_VERIFY(m_rig->c.TabPopup->isVisible());
    m_rig->c.TabPopup->close();
    const QPoint below(5, tree->viewport()->height() - 3);
    QVERIFY(!tree->itemAt(below));
    Q_EMIT tree->customContextMenuRequested(below);
    QCOMPARE(m_rig->host->popupPosition(), -1);
    m_rig->c.TabPopup->close();
}

void tst_TTabControl::selectedTabPaintedInActivateColour()
{
    m_home->write(QStringLiteral("config.ini"),
                  "[Option_Tab]\r\nActivateBGColor=clRed\r\nDeActivateBGColor=clBlue\r\n");
    openThree();
    QCOMPARE(m_rig->c.TabControl1->selectedTab(), 0);
    QCOMPARE(pixelInTab(0), QColor(Qt::red));
    QCOMPARE(pixelInTab(1), QColor(Qt::blue));
    QCOMPARE(pixelInTab(2), QColor(Qt::blue));
    // Read again at every paint.
    m_home->write(QStringLiteral("config.ini"), "[Option_Tab]\r\nActivateBGColor=$0000FF00\r\n");
    QCOMPARE(pixelInTab(0), QColor(Qt::green));
    QVERIFY(m_rig->errors.isEmpty());
}

void tst_TTabControl::selectedTabStandsOutInDefaultColours_data()
{
    QTest::addColumn<int>("tabType");
    QTest::newRow("tabs along the bottom") << 0;
    QTest::newRow("buttons along the top") << 1;
}

// Both colour pairs default to the same colours: the selected tab must still be told apart,
// while its face keeps the configured colour.
void tst_TTabControl::selectedTabStandsOutInDefaultColours()
{
    QFETCH(int, tabType);
    TTabControl *tabs = m_rig->c.TabControl1;
    tabs->setTabType(tabType);
    tabs->setFixedTabWidth(90);
    openThree();
    QCOMPARE(tabs->selectedTab(), 0);
    QCOMPARE(pixelInTab(0), pixelInTab(1));
    const QImage image = tabs->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    auto face = [&](int index) {
        const QRect r = tabs->tabRect(index);
        return image.copy(QRect(r.topLeft() * ratio, r.size() * ratio));
    };
    QCOMPARE(face(1), face(2));
    QVERIFY(face(0) != face(1));
}

void tst_TTabControl::badColourReportedOnceAndDrawnInDefault()
{
    m_home->write(QStringLiteral("config.ini"),
                  "[Option_Tab]\r\nActivateBGColor=nocolour\r\nDeActivateBGColor=clBlue\r\n");
    openThree();
    const QColor face = pixelInTab(0);
    QVERIFY(face != QColor(Qt::blue));
    pixelInTab(0);
    pixelInTab(0);
    QTRY_COMPARE(m_rig->errors.size(), 1);
    QVERIFY(m_rig->errors.at(0).contains(QStringLiteral("nocolour")));
    // A repeated report would have been posted by now.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCOMPARE(m_rig->errors.size(), 1);
}

void tst_TTabControl::longTitleElidedButKept()
{
    m_home->write(QStringLiteral("config.ini"), "[Option_Tab]\r\nfix=1\r\nMaxSize=80\r\n");
    m_rig->c.TabControl1->setFixedTabWidth(80);
    m_rig->open(QStringLiteral("http://a.example/"));
    const QString title = QStringLiteral("A very long page title that cannot fit in a tab");
    m_rig->engineAt(0)->load(QStringLiteral("http://a.example/"), title);
    QCOMPARE(m_rig->c.TabControl1->tabText(0), title);
    QCOMPARE(m_rig->host->windowList().tabText(0), title);
    QCOMPARE(m_rig->c.TabControl1->tabRect(0).width(), 80);
    const QRect text = TTabControl::textRect(m_rig->c.TabControl1->tabRect(0));
    const QString shown =
        m_rig->c.TabControl1->fontMetrics().elidedText(title, Qt::ElideRight, text.width());
    QVERIFY(shown.endsWith(QChar(0x2026)));
}

void tst_TTabControl::fixedWidthAndTabType()
{
    TTabControl *tabs = m_rig->c.TabControl1;
    QCOMPARE(tabs->shape(), QTabBar::RoundedSouth);
    tabs->setTabType(1);
    QCOMPARE(tabs->shape(), QTabBar::RoundedNorth);
    QVERIFY(tabs->isButtonStyle());
    m_rig->open(QStringLiteral("http://a.example/"));
    m_rig->engineAt(0)->load(QStringLiteral("http://a.example/"), QStringLiteral("x"));
    tabs->setFixedTabWidth(120);
    QCOMPARE(tabs->tabRect(0).width(), 120);
    tabs->setFixedTabWidth(0);
    QVERIFY(tabs->tabRect(0).width() < 120);
}

void tst_TTabControl::textRect()
{
    QCOMPARE(TTabControl::textRect(QRect(10, 20, 100, 24)), QRect(18, 21, 90, 24));
}

void tst_TTabControl::treeSelectionKeepsHighlightWithoutFocus()
{
    openThree();
    QTreeWidget *tree = m_rig->c.TreeWin;
    QCOMPARE(tree->currentItem(), tree->topLevelItem(0));
    QPalette colours = tree->palette();
    colours.setColor(QPalette::Active, QPalette::Highlight, Qt::red);
    colours.setColor(QPalette::Inactive, QPalette::Highlight, Qt::gray);
    tree->setPalette(colours);
    // Another window takes the focus: the tree's window is inactive.
    QWidget other;
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    QTRY_VERIFY(!m_rig->isActiveWindow());
    QVERIFY(!tree->hasFocus());
    const QImage image = tree->viewport()->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    auto pixel = [&](int row) {
        const QRect r = tree->visualItemRect(tree->topLevelItem(row));
        return image.pixelColor(int((r.right() - 2) * ratio), int(r.center().y() * ratio));
    };
    QCOMPARE(pixel(0), QColor(Qt::red));
    QCOMPARE(pixel(1), colours.color(QPalette::Active, QPalette::Base));
}

QTEST_MAIN(tst_TTabControl)
#include "tst_TTabControl.moc"
