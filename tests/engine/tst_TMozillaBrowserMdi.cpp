// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Embedded WebKit pages inside MDI child windows: stacking, activation by click, keyboard
// focus and shortcuts, driven by real X input events (XTest) on the test's display.
#include "FakeInput.h"
#include "HomeTest.h"
#include "ScriptResult.h"
#include "TestHttpServer.h"
#include "TestPages.h"
#include "engine/MozCtlModule.h"
#include "engine/TMozillaBrowser.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <X11/keysym.h>

#include <memory>

namespace {

constexpr int kTimeout = kEngineTimeout;

QByteArray coloured(const char *colour, const char *body = "")
{
    return QByteArray("<!DOCTYPE html><html><head><title>c</title></head>"
                      "<body style='margin:0;height:100vh;background:") +
           colour + "'>" + body + "</body></html>";
}

QRgb pixelAt(const QPoint &global)
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, global.x(), global.y(), 1, 1)
        .toImage()
        .pixel(0, 0);
}

} // namespace

class TestTMozillaBrowserMdi : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override
    {
        m_main = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(m_main.get());
        m_edit = new QLineEdit;
        m_area = new QMdiArea;
        layout->addWidget(m_edit);
        layout->addWidget(m_area);
        m_shortcut = new QAction(m_main.get());
        m_shortcut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
        m_main->addAction(m_shortcut);
        auto *bar = new QMenuBar;
        m_menu = bar->addMenu(QStringLiteral("ブックマーク(&B)"));
        m_menu->addAction(QStringLiteral("x"));
        layout->setMenuBar(bar);
        for (int i = 0; i < 2; ++i) {
            m_browser[i] = TMozillaBrowser::create();
            m_sub[i] = m_area->addSubWindow(m_browser[i]);
            m_sub[i]->resize(420, 320);
            m_sub[i]->show();
        }
        m_main->setGeometry(20, 20, 900, 700);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        m_area->cascadeSubWindows();
        for (int i = 0; i < 2; ++i)
            m_sub[i]->resize(420, 320);
        QVERIFY(open(0, "/red"));
        QVERIFY(open(1, "/blue"));
    }

    void cleanupHome() override { m_main.reset(); }

private:
    TestHttpServer m_server;
    std::unique_ptr<QWidget> m_main;
    QLineEdit *m_edit = nullptr;
    QMdiArea *m_area = nullptr;
    QAction *m_shortcut = nullptr;
    QMenu *m_menu = nullptr;
    QMdiSubWindow *m_sub[2] = {};
    TMozillaBrowser *m_browser[2] = {};
    FakeInput m_input;

    /// Opens \a path in child window \a i and waits for it.
    bool open(int i, const char *path)
    {
        QSignalSpy done(m_browser[i], &TEngineBrowser::OnDocumentComplete);
        m_browser[i]->Navigate(m_server.url(QString::fromLatin1(path)).toString());
        return done.wait(kTimeout) || !done.isEmpty();
    }

    /// A point inside both cascaded children.
    QPoint overlap() const { return m_browser[1]->mapToGlobal(QPoint(40, 40)); }

    /// The middle of the child area, covered by any maximized child.
    QPoint areaCentre() const
    {
        return m_area->viewport()->mapToGlobal(m_area->viewport()->rect().center());
    }

    /// Near the lower right corner of the child area, beyond any child that is not maximized.
    QPoint areaCorner() const
    {
        const QRect r = m_area->viewport()->rect();
        return m_area->viewport()->mapToGlobal(r.bottomRight() - QPoint(10, 10));
    }

    /// Activates child window \a i and waits until its page, of \a colour at (40, 40), is on
    /// top: X input goes to whatever is on top at that moment.
    bool bringToTop(int i, QRgb colour)
    {
        m_area->setActiveSubWindow(m_sub[i]);
        const QPoint probe = m_browser[i]->mapToGlobal(QPoint(40, 40));
        // The screen announces nothing: it is read again after each pause, in which the
        // event loop (and GTK's drawing, which it runs) goes on.
        QDeadlineTimer deadline(kTimeout);
        while (pixelAt(probe) != colour) {
            if (deadline.hasExpired())
                return false;
            QTest::qWait(50);
        }
        return true;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        QVERIFY(m_input.isValid());
        MozCtlModule::setFolderOverride(TestHome::moduleFolder());
        m_server.route(QStringLiteral("/red"), coloured("rgb(255,0,0)"));
        m_server.route(QStringLiteral("/blue"), coloured("rgb(0,0,255)"));
        m_server.route(QStringLiteral("/link"),
                       coloured("rgb(0,255,0)", "<a href='/target' style='display:block;"
                                                "height:100px;background:rgb(0,0,255)'>link</a>"));
        m_server.route(QStringLiteral("/green"), coloured("rgb(0,255,0)"));
        m_server.route(QStringLiteral("/form"),
                       coloured("rgb(0,255,0)", "<input id=a><input id=b>"));
    }

    // Native child windows stack as boxes: the active child's page must cover the other's.
    void cascadedChildrenStackByActivation()
    {
        m_area->setActiveSubWindow(m_sub[1]);
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(overlap()), qRgb(0, 0, 255), kTimeout);
        m_area->setActiveSubWindow(m_sub[0]);
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(overlap()), qRgb(255, 0, 0), kTimeout);
        // To look at the screen: DORVU_SCREENSHOTS=<folder>.
        const QString shots = qEnvironmentVariable("DORVU_SCREENSHOTS");
        if (!shots.isEmpty())
            QGuiApplication::primaryScreen()->grabWindow(0).save(shots +
                                                                 QStringLiteral("/mdi.png"));
    }

    // A window maximized before its page was ever shown must still show the page.
    void childMaximizedFromTheStartShowsItsPage()
    {
        auto *browser = TMozillaBrowser::create();
        auto *sub = m_area->addSubWindow(browser);
        sub->showMaximized();
        m_area->setActiveSubWindow(sub);
        QSignalSpy done(browser, &TEngineBrowser::OnDocumentComplete);
        browser->Navigate(m_server.url(QStringLiteral("/green")).toString());
        QVERIFY(done.wait(kTimeout) || !done.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(areaCentre()), qRgb(0, 255, 0), kTimeout);
    }

    void maximizeAndRestoreShowTheSamePage()
    {
        m_area->setActiveSubWindow(m_sub[0]);
        m_sub[0]->showMaximized();
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(areaCentre()), qRgb(255, 0, 0), kTimeout);
        const QPoint corner = m_browser[0]->mapToGlobal(
            QPoint(m_browser[0]->width() - 5, m_browser[0]->height() - 5));
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(corner), qRgb(255, 0, 0), kTimeout);
        m_sub[0]->showNormal();
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(overlap()), qRgb(255, 0, 0), kTimeout);
        // The page shrank back with its window: the area's lower right shows no page.
        QTRY_VERIFY_WITH_TIMEOUT(pixelAt(areaCorner()) != qRgb(255, 0, 0), kTimeout);
        m_sub[0]->showMaximized();
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(areaCorner()), qRgb(255, 0, 0), kTimeout);
    }

    // Maximized children are the tabs of the area: the active one's page is on show.
    void switchingMaximizedChildrenShowsEachPage()
    {
        m_area->setActiveSubWindow(m_sub[1]);
        m_sub[1]->showMaximized();
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(areaCentre()), qRgb(0, 0, 255), kTimeout);
        for (int round = 0; round < 2; ++round) {
            m_area->setActiveSubWindow(m_sub[0]);
            QVERIFY(m_sub[0]->isMaximized());
            QTRY_COMPARE_WITH_TIMEOUT(pixelAt(areaCentre()), qRgb(255, 0, 0), kTimeout);
            QTRY_COMPARE_WITH_TIMEOUT(pixelAt(areaCorner()), qRgb(255, 0, 0), kTimeout);
            m_area->setActiveSubWindow(m_sub[1]);
            QTRY_COMPARE_WITH_TIMEOUT(pixelAt(areaCentre()), qRgb(0, 0, 255), kTimeout);
            QTRY_COMPARE_WITH_TIMEOUT(pixelAt(areaCorner()), qRgb(0, 0, 255), kTimeout);
        }
    }

    void minimizedMaximizedChildComesBackWithItsPage()
    {
        m_area->setActiveSubWindow(m_sub[1]);
        m_sub[1]->showMaximized();
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(areaCentre()), qRgb(0, 0, 255), kTimeout);
        m_sub[1]->showMinimized();
        QTRY_VERIFY_WITH_TIMEOUT(pixelAt(areaCentre()) != qRgb(0, 0, 255), kTimeout);
        m_sub[1]->showMaximized();
        m_area->setActiveSubWindow(m_sub[1]);
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(areaCentre()), qRgb(0, 0, 255), kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(areaCorner()), qRgb(0, 0, 255), kTimeout);
        m_sub[1]->showMinimized();
        QTRY_VERIFY_WITH_TIMEOUT(pixelAt(areaCentre()) != qRgb(0, 0, 255), kTimeout);
        m_sub[1]->showNormal();
        m_area->setActiveSubWindow(m_sub[1]);
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(overlap()), qRgb(0, 0, 255), kTimeout);
    }

    void minimizedChildLeavesNoPageBehind()
    {
        m_area->setActiveSubWindow(m_sub[0]);
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(overlap()), qRgb(255, 0, 0), kTimeout);
        m_sub[0]->showMinimized();
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(overlap()), qRgb(0, 0, 255), kTimeout);
        m_sub[0]->showNormal();
        m_area->setActiveSubWindow(m_sub[0]);
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(overlap()), qRgb(255, 0, 0), kTimeout);
    }

    // X input focus does not follow a click into an embedded window: the wrapper must
    // activate its child window itself.
    void clickIntoPageActivatesItsChildWindow()
    {
        m_sub[1]->move(m_sub[0]->x() + 200, m_sub[0]->y() + 150);
        m_area->setActiveSubWindow(m_sub[0]);
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(overlap()), qRgb(255, 0, 0), kTimeout);
        QSignalSpy activated(m_browser[1], &TMozillaBrowser::activated);
        const QPoint lowerOnly = m_browser[1]->mapToGlobal(
            QPoint(m_browser[1]->width() - 30, m_browser[1]->height() - 30));
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(lowerOnly), qRgb(0, 0, 255), kTimeout);
        m_input.click(lowerOnly);
        QTRY_VERIFY_WITH_TIMEOUT(!activated.isEmpty(), kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(m_area->activeSubWindow(), m_sub[1], kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(pixelAt(overlap()), qRgb(0, 0, 255), kTimeout);
    }

    void typingAndTabReachPageFields()
    {
        QVERIFY(open(1, "/form"));
        QVERIFY(bringToTop(1, qRgb(0, 255, 0)));
        const QString rect = runScript(
            m_browser[1], QStringLiteral("(r => r.left + ',' + r.top)("
                                         "document.getElementById('a').getBoundingClientRect())"));
        const QStringList xy = rect.split(QLatin1Char(','));
        QCOMPARE(xy.size(), 2);
        const QPoint field = m_browser[1]->mapToGlobal(
            QPoint(int(xy[0].toDouble()) + 10, int(xy[1].toDouble()) + 5));
        m_input.click(field);
        QTRY_COMPARE_WITH_TIMEOUT(
            runScript(m_browser[1], QStringLiteral("document.activeElement.id")),
            QStringLiteral("a"), kTimeout);
        m_input.type("abc");
        m_input.key(XK_Tab);
        m_input.type("d");
        QTRY_COMPARE_WITH_TIMEOUT(
            runScript(m_browser[1], QStringLiteral("document.getElementById('a').value")),
            QStringLiteral("abc"), kTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(
            runScript(m_browser[1], QStringLiteral("document.getElementById('b').value")),
            QStringLiteral("d"), kTimeout);
    }

    // The status bar shows the link under the pointer, and nothing once it leaves.
    void linkUnderPointerIsStatusText()
    {
        QVERIFY(open(1, "/link"));
        QVERIFY(bringToTop(1, qRgb(0, 0, 255)));
        QSignalSpy status(m_browser[1], &TEngineBrowser::OnStatusTextChange);
        m_input.move(m_browser[1]->mapToGlobal(QPoint(m_browser[1]->width() / 2, 50)));
        QTRY_VERIFY_WITH_TIMEOUT(!status.isEmpty(), kTimeout);
        QCOMPARE(status.last().at(0).toString(),
                 m_server.url(QStringLiteral("/target")).toString());
        m_input.move(m_browser[1]->mapToGlobal(QPoint(m_browser[1]->width() / 2, 200)));
        QTRY_COMPARE_WITH_TIMEOUT(status.size(), 2, kTimeout);
        QCOMPARE(status.last().at(0).toString(), QString());
    }

    // Keys the page leaves alone are the main window's shortcuts.
    void mainWindowShortcutWorksFromPage()
    {
        QVERIFY(bringToTop(1, qRgb(0, 0, 255)));
        QSignalSpy triggered(m_shortcut, &QAction::triggered);
        QSignalSpy activated(m_browser[1], &TMozillaBrowser::activated);
        m_input.click(m_browser[1]->mapToGlobal(QPoint(m_browser[1]->width() - 30, 60)));
        QTRY_VERIFY_WITH_TIMEOUT(!activated.isEmpty(), kTimeout);
        m_input.key(XK_l, {XK_Control_L});
        QTRY_COMPARE_WITH_TIMEOUT(triggered.size(), 1, kTimeout);
        // So are the menu bar's access keys.
        m_input.click(m_browser[1]->mapToGlobal(QPoint(m_browser[1]->width() - 30, 60)));
        m_input.key(XK_b, {XK_Alt_L});
        QTRY_VERIFY_WITH_TIMEOUT(m_menu->isVisible(), kTimeout);
        m_menu->hide();
    }

    // After the page had the focus, a click on a Qt widget gives the keyboard back to Qt.
    void clickOnQtWidgetTakesFocusBack()
    {
        QVERIFY(open(1, "/form"));
        QVERIFY(bringToTop(1, qRgb(0, 255, 0)));
        QSignalSpy activated(m_browser[1], &TMozillaBrowser::activated);
        m_input.click(m_browser[1]->mapToGlobal(QPoint(m_browser[1]->width() - 30, 60)));
        QTRY_VERIFY_WITH_TIMEOUT(!activated.isEmpty(), kTimeout);
        m_input.click(m_edit->mapToGlobal(QPoint(10, m_edit->height() / 2)));
        QTRY_VERIFY_WITH_TIMEOUT(m_edit->hasFocus() && QApplication::activeWindow() == m_main.get(),
                                 kTimeout);
        m_input.type("xy");
        QTRY_COMPARE_WITH_TIMEOUT(m_edit->text(), QStringLiteral("xy"), kTimeout);
    }
};

QTEST_MAIN(TestTMozillaBrowserMdi)
#include "tst_TMozillaBrowserMdi.moc"
