// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The bars of the real main window across starts: band order and rows, the side bar's width
// and collapse state, the six switches, and what a narrow or widened window does to them.
#include "HomeTest.h"
#include "common/ErrorHandler.h"
#include "engine/TUIWebBrowser.h"
#include "settings/IniFile.h"
#include "shell/TMainForm.h"
#include "shell/TSideBar.h"
#include "shell/VisibleApplication.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <QtTest>

#include <memory>

class tst_MainFormBars : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void noBarSectionGivesTheFirstLayout();
    void bandOrderAndRowsComeBack();
    void identityNineMovesNothing();
    void switchedOffBarsStayOffAndKeepTheirPlace();
    void badBarSectionOpensUsableAndWritesSaneValues();
    void collapseSurvivesARestart();
    void dragReleasedNearTheLeftEdgeLeavesMinimum();
    void widerWindowWidensTheBoxes();
    void narrowBottomBarKeepsItsWidths();
    void everyControlHasAName();

private:
    std::unique_ptr<TMainForm> start();
    /// Closes \a form the way the user does, which stores the layout.
    static void exit(std::unique_ptr<TMainForm> &form);
    /// The bands in reading order, "|" before each that starts a row.
    static QString rows(TMainForm *form);
    int bar(const char *key, int def = -12345) const
    {
        return IniFile::config().ReadInteger(QStringLiteral("Bar"), QString::fromLatin1(key), def);
    }

    QStringList m_errors;
};

void tst_MainFormBars::initHome()
{
    // A config.ini of some kind keeps the first-start options dialog away.
    m_home->write(QStringLiteral("config.ini"), "[General]\r\n");
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
}

void tst_MainFormBars::cleanupHome()
{
    ErrorHandler::setSink({});
}

std::unique_ptr<TMainForm> tst_MainFormBars::start()
{
    auto form = std::make_unique<TMainForm>(QStringList());
    form->resize(1000, 700);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        return nullptr;
    return form;
}

void tst_MainFormBars::exit(std::unique_ptr<TMainForm> &form)
{
    form->close();
    form.reset();
}

QString tst_MainFormBars::rows(TMainForm *form)
{
    QList<QToolBar *> bands = form->CoolBar1;
    std::sort(bands.begin(), bands.end(), [](QToolBar *a, QToolBar *b) {
        return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
    });
    QString text;
    int y = -1;
    for (QToolBar *band : bands) {
        text += (band->y() != y ? QStringLiteral("|") : QStringLiteral(" ")) + band->objectName();
        y = band->y();
    }
    return text;
}

void tst_MainFormBars::noBarSectionGivesTheFirstLayout()
{
    auto form = start();
    QVERIFY(form);
    QCOMPARE(rows(form.get()), QStringLiteral("|ToolBar2|ToolBar3|ToolBar4"));
    QCOMPARE(form->JBar->width(), 153);
    for (QWidget *bar :
         {static_cast<QWidget *>(form->ToolBar2), static_cast<QWidget *>(form->ToolBar3),
          static_cast<QWidget *>(form->ToolBar4), form->ToolBar1, form->TabBar, form->JBar})
        QVERIFY2(bar->isVisible(), qPrintable(bar->objectName()));
    QCOMPARE(form->cmbSearch->count(), 11);
    QCOMPARE(form->cmbSearch->currentText(), QStringLiteral("Google（日本語）"));
    exit(form);
    QCOMPARE(bar("Band0ID"), 0);
    QCOMPARE(bar("Band1ID"), 1);
    QCOMPARE(bar("Band1Break"), 1);
    QCOMPARE(bar("JBarSize"), 153);
    QCOMPARE(bar("JBarMax"), 0);
    QCOMPARE(m_errors, QStringList());
}

void tst_MainFormBars::bandOrderAndRowsComeBack()
{
    auto form = start();
    QVERIFY(form);
    // What a drag of the search band to the front of the first row leaves.
    for (QToolBar *band : std::as_const(form->CoolBar1))
        form->removeToolBar(band);
    form->addToolBar(Qt::TopToolBarArea, form->ToolBar4);
    form->addToolBar(Qt::TopToolBarArea, form->ToolBar2);
    form->addToolBarBreak(Qt::TopToolBarArea);
    form->addToolBar(Qt::TopToolBarArea, form->ToolBar3);
    for (QToolBar *band : std::as_const(form->CoolBar1))
        band->show();
    QTRY_COMPARE(rows(form.get()), QStringLiteral("|ToolBar4 ToolBar2|ToolBar3"));
    const int searchWidth = form->ToolBar4->width();
    exit(form);
    QCOMPARE(bar("Band0ID"), 2);
    QCOMPARE(bar("Band1ID"), 0);
    QCOMPARE(bar("Band1Break"), 0);
    QCOMPARE(bar("Band0Width"), searchWidth);

    form = start();
    QVERIFY(form);
    QTRY_COMPARE(rows(form.get()), QStringLiteral("|ToolBar4 ToolBar2|ToolBar3"));
    // The first band of a shared row keeps its stored width.
    QCOMPARE(form->ToolBar4->width(), searchWidth);
    QCOMPARE(m_errors, QStringList());
}

void tst_MainFormBars::identityNineMovesNothing()
{
    m_home->write(QStringLiteral("config.ini"), "[General]\r\n[Bar]\r\nBand0ID=9\r\n");
    auto form = start();
    QVERIFY(form);
    QCOMPARE(rows(form.get()), QStringLiteral("|ToolBar2|ToolBar3|ToolBar4"));
    QCOMPARE(m_errors, QStringList());
}

void tst_MainFormBars::switchedOffBarsStayOffAndKeepTheirPlace()
{
    m_home->write(QStringLiteral("config.ini"),
                  "[General]\r\n[Bar]\r\nBand0ID=2\r\nBand1ID=1\r\nTabBar=0\r\n");
    auto form = start();
    QVERIFY(form);
    QVERIFY(!form->TabBar->isVisible());
    QVERIFY(!form->commands().action("mnuShow_Tab")->isChecked());
    const QList<QPair<QAction *, QWidget *>> switches{
        {form->commands().action("mnuShow_default"), form->ToolBar2},
        {form->commands().action("mnuShow_Address"), form->ToolBar3},
        {form->commands().action("mnuShow_Search"), form->ToolBar4},
        {form->commands().action("mnuShow_Status"), form->ToolBar1},
        {form->commands().action("mnuShow_Tab"), form->TabBar},
        {form->commands().action("mnuShow_J"), form->JBar}};
    for (const auto &[item, widget] : switches) {
        const bool was = widget->isVisible();
        item->trigger();
        QCOMPARE(widget->isVisible(), !was);
        QCOMPARE(item->isChecked(), !was);
    }
    exit(form);
    // The search band was off at exit and is still first.
    QCOMPARE(bar("Band0ID"), 2);
    QCOMPARE(bar("Band1ID"), 1);
    QCOMPARE(bar("Band1Break"), 1);
    QCOMPARE(bar("Search"), 0);
    QCOMPARE(bar("TabBar"), 1);
    QCOMPARE(bar("JBar"), 0);

    form = start();
    QVERIFY(form);
    QVERIFY(!form->ToolBar4->isVisible());
    QVERIFY(!form->JBar->isVisible());
    QVERIFY(form->TabBar->isVisible());
    for (QAction *item :
         {form->commands().action("mnuShow_default"), form->commands().action("mnuShow_Address"),
          form->commands().action("mnuShow_Search")})
        item->trigger();
    QTRY_COMPARE(rows(form.get()), QStringLiteral("|ToolBar4|ToolBar3|ToolBar2"));
}

void tst_MainFormBars::badBarSectionOpensUsableAndWritesSaneValues()
{
    m_home->write(QStringLiteral("config.ini"),
                  "[General]\r\n[Bar]\r\nBand0ID=1\r\nBand1ID=1\r\nBand0Width=-300\r\n"
                  "Band1Width=99999999\r\nJBarSize=100000\r\nJBarMax=abc\r\n");
    auto form = start();
    QVERIFY(form);
    QCOMPARE(rows(form.get()), QStringLiteral("|ToolBar2|ToolBar3|ToolBar4"));
    QVERIFY(form->JBar->width() <= form->width() - 100);
    for (QToolBar *band : std::as_const(form->CoolBar1))
        QVERIFY(band->width() <= form->width());
    QVERIFY(form->txtAddress->width() > 100);
    const int formWidth = form->width();
    exit(form);
    QCOMPARE(bar("Band0ID"), 0);
    QCOMPARE(bar("Band1ID"), 1);
    for (const char *key : {"Band0Width", "Band1Width", "JBarSize"}) {
        QVERIFY2(bar(key) >= 0 && bar(key) <= formWidth, key);
    }
    QCOMPARE(bar("JBarMax"), 0);

    m_home->write(QStringLiteral("config.ini"), "[General]\r\n[Bar]\r\nJBarSize=0\r\n");
    form = start();
    QVERIFY(form);
    QCOMPARE(form->JBar->width(), 11);
    QVERIFY(form->btnBar->isVisible());
    QVERIFY(form->btnBar->geometry().right() < form->JBar->width());
    QCOMPARE(m_errors, QStringList());
}

void tst_MainFormBars::collapseSurvivesARestart()
{
    m_home->write(QStringLiteral("config.ini"), "[General]\r\n[Bar]\r\nJBarSize=240\r\n");
    auto form = start();
    QVERIFY(form);
    QCOMPARE(form->JBar->width(), 240);
    // The open bar's resize strip, right of the button, is as wide as a splitter handle.
    const int strip = form->JBar->width() - 1 - form->btnBar->geometry().right();
    QVERIFY2(strip >= form->style()->pixelMetric(QStyle::PM_SplitterWidth),
             qPrintable(QString::number(strip)));
    QTest::mouseClick(form->btnBar, Qt::LeftButton);
    QCOMPARE(form->JBar->width(), 11);
    QVERIFY(form->btnBar->geometry().right() < form->JBar->width());
    exit(form);
    QCOMPARE(bar("JBarSize"), 11);
    QCOMPARE(bar("JBarMax"), 240);

    form = start();
    QVERIFY(form);
    QCOMPARE(form->JBar->width(), 11);
    QTest::mouseClick(form->btnBar, Qt::LeftButton);
    QCOMPARE(form->JBar->width(), 240);
    QCOMPARE(form->JTabControl->width(),
             240 - SideBarState::ButtonWidth - SideBarState::StripWidth);
}

void tst_MainFormBars::dragReleasedNearTheLeftEdgeLeavesMinimum()
{
    auto form = start();
    QVERIFY(form);
    QWidget *jbar = form->JBar;
    const int y = jbar->height() / 2;
    // Left of the strip: a press on the bar's own surface that starts no drag.
    QTest::mousePress(jbar, Qt::LeftButton, {}, QPoint(form->btnBar->x() + 7, y));
    QTest::mouseRelease(jbar, Qt::LeftButton, {}, QPoint(300, y));
    QCOMPARE(jbar->width(), 153);
    QTest::mousePress(jbar, Qt::LeftButton, {}, QPoint(jbar->width() - 1, y));
    QTest::mouseRelease(jbar, Qt::LeftButton, {}, QPoint(300, y));
    QCOMPARE(jbar->width(), 300);
    QTest::mousePress(jbar, Qt::LeftButton, {}, QPoint(jbar->width() - 1, y));
    QTest::mouseRelease(jbar, Qt::LeftButton, {}, QPoint(5, y));
    QCOMPARE(jbar->width(), 11);
    QVERIFY(!form->SideBar->state().collapsed());
}

void tst_MainFormBars::widerWindowWidensTheBoxes()
{
    auto form = start();
    QVERIFY(form);
    const int address = form->txtAddress->width();
    const int search = form->txtSearch->width();
    form->resize(form->width() + 150, form->height());
    QTRY_VERIFY(form->txtAddress->width() > address);
    QCOMPARE(form->btnMove->geometry().right() + 1 > form->ToolBar3->width() - 20, true);
    QTest::mouseRelease(form->ToolBar4, Qt::LeftButton, {}, QPoint(2, 2));
    QTRY_VERIFY(form->txtSearch->width() > search);
}

void tst_MainFormBars::narrowBottomBarKeepsItsWidths()
{
    auto form = start();
    QVERIFY(form);
    form->commands().action("mnuShow_J")->trigger();
    // A large step down can pass through a wider size first; ask again until it holds.
    auto resizeTo = [&form](int width) {
        for (int i = 0; i < 5 && form->ToolBar1->width() != width; ++i) {
            form->resize(width, form->height());
            if (QTest::qWaitFor([&] { return form->ToolBar1->width() == width; }, 2000))
                break;
        }
        QCoreApplication::processEvents();
        return form->ToolBar1->width() == width;
    };
    QVERIFY(resizeTo(300));
    QCOMPARE(form->StatusBar1->width(), 300 - 130 - 4);
    for (int width : {200, 230}) {
        QVERIFY(resizeTo(width));
        QCOMPARE(form->StatusBar1->width(), 300 - 130 - 4);
        QCOMPARE(form->ProgressBar1->width(), 130);
    }
    QVERIFY(resizeTo(600));
    QCOMPARE(form->StatusBar1->width(), 600 - 130 - 4);
    QCOMPARE(form->ProgressBar1->x(), 600 - 2 - 130);
}

void tst_MainFormBars::everyControlHasAName()
{
    VisibleApplication::install();
    auto form = start();
    QVERIFY(form);
    auto name = [](QObject *object) {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
        return face ? face->text(QAccessible::Name) : QStringLiteral("(none)");
    };
    for (const char *button :
         {"NewCtrl", "ClipNewCtrl", "BackCtrl", "FrwrdCtrl", "StopCtrl", "ReLoadCtrl", "HomeCtrl",
          "ChangeCtrl", "btnBar", "qt_toolbar_ext_button"}) {
        const QList<QToolButton *> found = form->findChildren<QToolButton *>(QLatin1String(button));
        QVERIFY2(!found.isEmpty(), button);
        for (QToolButton *b : found)
            QVERIFY2(!name(b).isEmpty(), button);
    }
    QCOMPARE(name(form->txtAddress), QStringLiteral("アドレス"));
    QCOMPARE(name(form->txtSearch), QStringLiteral("検索"));
    QCOMPARE(form->lblAddress->buddy(), form->txtAddress);

    // A page's hidden drawing window is no window of the application's.
    TUIWebBrowser page;
    page.show();
    page.Navigate(QStringLiteral("about:blank"));
    QTRY_VERIFY(page.hasView());
    QAccessibleInterface *app = QAccessible::queryAccessibleInterface(qApp);
    QStringList windows;
    for (int i = 0; i < app->childCount(); ++i)
        windows.append(app->child(i)->text(QAccessible::Name));
    QVERIFY2(!windows.contains(QStringLiteral("Offscreen")), qPrintable(windows.join(u'|')));
    QCOMPARE(app->indexOfChild(QAccessible::queryAccessibleInterface(form.get())) >= 0, true);
}

QTEST_MAIN(tst_MainFormBars)
#include "tst_MainFormBars.moc"
