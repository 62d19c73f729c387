// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Page windows of both engines side by side in the real main window: no sequence of opening,
// activating, resizing and closing may crash, and what the screen shows is what the main
// window painted (frames, tabs), also once a WebKit page is inside.
#include "HomeTest.h"
#include "TestHttpServer.h"
#include "TestPages.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "browser/TTabControl.h"
#include "common/ErrorHandler.h"
#include "engine/MozCtlModule.h"
#include "engine/TEngineBrowser.h"
#include "history/AddressCompleter.h"
#include "history/HistoryStore.h"
#include "shell/TMainForm.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRandomGenerator>
#include <QScreen>
#include <QtTest>

#include <memory>

namespace {

constexpr int kTimeout = kEngineTimeout;

// What the screen shows at \a widget's point \a at, against what Qt painted there.
bool screenShowsPainting(QWidget *widget, const QPoint &at)
{
    const QImage painted = widget->grab().toImage();
    const qreal ratio = painted.devicePixelRatio();
    const QColor expected = painted.pixelColor((QPointF(at) * ratio).toPoint());
    const QPoint global = widget->mapToGlobal(at);
    const QColor shown = QGuiApplication::primaryScreen()
                             ->grabWindow(0, global.x(), global.y(), 1, 1)
                             .toImage()
                             .pixelColor(0, 0);
    return shown == expected;
}

} // namespace

class tst_MixedEngines : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void initTestCase();
    void chromiumWindowAfterWebKitWindow_data();
    void chromiumWindowAfterWebKitWindow();
    void randomWindowOperations();
    void securityMenusWhileChromiumWindowIsActive();
    void pageRecordedAndCompleted_data();
    void pageRecordedAndCompleted();

private:
    void open(bool gecko, const QString &path);
    bool settled(int windows);

    TestHttpServer m_server;
    std::unique_ptr<TMainForm> m_form;
    QStringList m_errors;
};

void tst_MixedEngines::initTestCase()
{
    QVERIFY(m_server.start());
    m_server.route(QStringLiteral("/a"),
                   "<!DOCTYPE html><title>A</title><body style='background:#c00'>A</body>");
    m_server.route(QStringLiteral("/b"),
                   "<!DOCTYPE html><title>B</title><body style='background:#00c'>B</body>");
    MozCtlModule::setFolderOverride(TestHome::moduleFolder());
}

void tst_MixedEngines::initHome()
{
    m_home->write(QStringLiteral("config.ini"),
                  "[General]\r\nshutdown=1\r\n[Option_Window]\r\nNewWindow_Active=1\r\n"
                  "[Option_Main]\r\nMozilla=1\r\nMozPath=" +
                      QFile::encodeName(TestHome::moduleFolder()) + "\r\n");
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
    m_form = std::make_unique<TMainForm>(QStringList());
    m_form->resize(1100, 800);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void tst_MixedEngines::cleanupHome()
{
    m_form.reset();
    ErrorHandler::setSink({});
}

void tst_MixedEngines::open(bool gecko, const QString &path)
{
    if (gecko)
        m_form->Moz_ItemClick();
    else
        m_form->IE_ItemClick();
    m_form->OpenPage(QStringLiteral("loading"), m_server.url(path).toString());
}

// The window list, the tab strip and the open windows agree, and the screen shows the main
// window's own painting of every visible frame and tab.
bool tst_MixedEngines::settled(int windows)
{
    TBrowserHost *host = m_form->Browser;
    if (host->childCount() != windows || host->windowList().count() != windows ||
        m_form->TabControl1->count() != windows)
        return false;
    for (int i = 0; i < windows; ++i) {
        const QRect tab = m_form->TabControl1->tabRect(i);
        if (!screenShowsPainting(m_form->TabControl1, tab.center() + QPoint(tab.width() / 4, 0)))
            return false;
    }
    auto *active = qobject_cast<TBrowserChild *>(m_form->mdiArea()->activeSubWindow());
    if (!active || active->isMinimized())
        return true;
    if (!active->isMaximized()) {
        const QPoint titleBar(active->width() / 2, 4);
        const QPoint inArea = active->mapTo(m_form->mdiArea()->viewport(), titleBar);
        if (!screenShowsPainting(m_form->mdiArea()->viewport(), inArea))
            return false;
    }
    // The front window's page is on the screen, whatever engine is behind it.
    const QString url = active->engine()->LocationURL();
    const QColor expected = url.endsWith(QLatin1String("/a"))   ? QColor(0xcc, 0, 0)
                            : url.endsWith(QLatin1String("/b")) ? QColor(0, 0, 0xcc)
                                                                : QColor(Qt::white);
    const QPoint centre = active->engine()->mapToGlobal(active->engine()->rect().center());
    return QGuiApplication::primaryScreen()
               ->grabWindow(0, centre.x(), centre.y(), 1, 1)
               .toImage()
               .pixelColor(0, 0) == expected;
}

void tst_MixedEngines::chromiumWindowAfterWebKitWindow_data()
{
    QTest::addColumn<bool>("geckoFirst");
    QTest::newRow("WebKit, then Chromium") << true;
    QTest::newRow("Chromium, then WebKit") << false;
}

// The first Chromium page makes Qt compose the window on the GPU; a WebKit page already inside
// must survive that, and one coming later must not stop the window's painting.
void tst_MixedEngines::chromiumWindowAfterWebKitWindow()
{
    QFETCH(bool, geckoFirst);
    open(geckoFirst, QStringLiteral("/a"));
    QTRY_COMPARE_WITH_TIMEOUT(m_form->TabControl1->tabText(0), QStringLiteral("A"), kTimeout);
    m_form->ChangeCtrlClick();
    m_form->commands().action("FileNew1")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(settled(2), kTimeout);
    m_form->Browser->TabControl1Change(0);
    QTRY_VERIFY_WITH_TIMEOUT(settled(2), kTimeout);
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
}

void tst_MixedEngines::randomWindowOperations()
{
    // A fixed seed: a failure can be replayed.
    QRandomGenerator random(20261209);
    TBrowserHost *host = m_form->Browser;
    QMdiArea *area = m_form->mdiArea();
    for (int step = 0; step < 300; ++step) {
        const int windows = host->childCount();
        const int choice = windows == 0 ? 0 : int(random.bounded(8));
        TBrowserChild *some = windows ? host->childAt(int(random.bounded(windows))) : nullptr;
        if (choice >= 2 && !some)
            continue;
        switch (choice) {
        case 0:
        case 1:
            if (windows < 6)
                open(random.bounded(2) == 1,
                     random.bounded(2) ? QStringLiteral("/a") : QStringLiteral("/b"));
            break;
        case 2:
            host->TabControl1Change(host->windowList().positionOf(some->windowId()));
            break;
        case 3:
            some->showMaximized();
            break;
        case 4:
            some->showMinimized();
            break;
        case 5:
            some->showNormal();
            break;
        case 6:
            m_form->WindowCascade1Execute();
            break;
        case 7:
            some->close();
            break;
        }
        // Lets the engines and the window system answer before the next step.
        QTest::qWait(int(random.bounded(40)));
        QVERIFY2(area->subWindowList().size() <= 6, qPrintable(QString::number(step)));
    }
    QTRY_VERIFY_WITH_TIMEOUT(settled(host->childCount()), kTimeout);
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
}

// The two submenus must open and their items toggle from the keyboard exactly while a Chromium
// window is active: what the user sees, not just the menu action's state.
void tst_MixedEngines::securityMenusWhileChromiumWindowIsActive()
{
    auto opensFromKeyboard = [this](QMenu *submenu) {
        m_form->commands().menu("Tool1")->popup(m_form->mapToGlobal(QPoint(100, 40)));
        if (!QTest::qWaitFor([&] { return m_form->commands().menu("Tool1")->isVisible(); }, 5000))
            return false;
        m_form->commands().menu("Tool1")->setActiveAction(submenu->menuAction());
        QTest::keyClick(m_form->commands().menu("Tool1"), Qt::Key_Right);
        const bool open = QTest::qWaitFor([&] { return submenu->isVisible(); }, 2000);
        if (open) {
            // A submenu opened from the keyboard starts on its first item.
            if (!submenu->activeAction())
                QTest::keyClick(submenu, Qt::Key_Down);
            QTest::keyClick(submenu, Qt::Key_Return);
        }
        m_form->commands().menu("Tool1")->close();
        return open;
    };
    QVERIFY(!opensFromKeyboard(m_form->commands().menu("mnuSC")));
    open(false, QStringLiteral("/a"));
    QTRY_COMPARE_WITH_TIMEOUT(m_form->TabControl1->tabText(0), QStringLiteral("A"), kTimeout);
    const bool java = m_form->commands().action("mnuJava")->isChecked();
    QVERIFY(opensFromKeyboard(m_form->commands().menu("mnuSC")));
    QTRY_COMPARE(m_form->commands().action("mnuJava")->isChecked(), !java);
    const bool image = m_form->commands().action("mnuImage")->isChecked();
    QVERIFY(opensFromKeyboard(m_form->commands().menu("mnuMC")));
    QTRY_COMPARE(m_form->commands().action("mnuImage")->isChecked(), !image);
    open(true, QStringLiteral("/b"));
    QTRY_COMPARE_WITH_TIMEOUT(m_form->Browser->activeChild(), m_form->Browser->childAt(1),
                              kTimeout);
    QVERIFY(!opensFromKeyboard(m_form->commands().menu("mnuSC")));
    QVERIFY(!opensFromKeyboard(m_form->commands().menu("mnuMC")));
}

void tst_MixedEngines::pageRecordedAndCompleted_data()
{
    QTest::addColumn<bool>("gecko");
    QTest::newRow("Chromium") << false;
    QTest::newRow("WebKit") << true;
}

// A page of either engine reaches the history with its title, and the address bar offers it.
void tst_MixedEngines::pageRecordedAndCompleted()
{
    QFETCH(bool, gecko);
    open(gecko, QStringLiteral("/b"));
    const QString url = m_server.url(QStringLiteral("/b")).toString();
    HistoryStore *history = m_form->History;
    QTRY_VERIFY_WITH_TIMEOUT(history->index().find(url), kTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(history->index().find(url)->title, QStringLiteral("B"), kTimeout);
    QCOMPARE(history->index().find(url)->visits, 1);
    m_form->txtAddress->clear();
    QTest::keyClicks(m_form->txtAddress, QStringLiteral("127.0.0"));
    QVERIFY(m_form->Completer->isShown());
    QTest::keyClick(m_form->txtAddress, Qt::Key_Down);
    QCOMPARE(m_form->txtAddress->text(), url);
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
}

QTEST_MAIN(tst_MixedEngines)
#include "tst_MixedEngines.moc"
