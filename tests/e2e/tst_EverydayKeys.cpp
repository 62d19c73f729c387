// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The keys every browser has, pressed as a user does (real X key events) while a page of either
// engine has the keyboard focus: a WebKit page holds the X focus itself and hands back only the
// keys it leaves alone.
#include "FakeInput.h"
#include "HomeTest.h"
#include "TestHttpServer.h"
#include "TestPages.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "engine/MozCtlModule.h"
#include "engine/TEngineBrowser.h"
#include "engine/TMozillaBrowser.h"
#include "history/HistoryStore.h"
#include "history/Tfrm_History.h"
#include "shell/TMainForm.h"
#include "tools/TFindBar.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QtTest>

#include <X11/keysym.h>

#include <memory>

namespace {

constexpr int kTimeout = kEngineTimeout;

enum Modifier : uint { Ctrl = 1, Shift = 2, Alt = 4 };

} // namespace

class tst_EverydayKeys : public HomeTest
{
    Q_OBJECT

protected:
    void cleanupHome() override { m_form.reset(); }

private Q_SLOTS:
    void initTestCase();
    void keyWithPageFocus_data();
    void keyWithPageFocus();

private:
    TBrowserChild *open(const QString &path);
    bool loaded(TBrowserChild *child, const QString &path);
    void press(uint sym, uint modifiers);

    TestHttpServer m_server;
    FakeInput m_input;
    std::unique_ptr<TMainForm> m_form;
};

void tst_EverydayKeys::initTestCase()
{
    QVERIFY(m_server.start());
    QVERIFY(m_input.isValid());
    for (const char *name : {"one", "two", "three", "closed"})
        m_server.route(QLatin1Char('/') + QLatin1String(name),
                       TestPages::page(name, "<p style='height:2000px'>" + QByteArray(name)));
    MozCtlModule::setFolderOverride(TestHome::moduleFolder());
}

TBrowserChild *tst_EverydayKeys::open(const QString &path)
{
    m_form->OpenPage(QStringLiteral("loading"), m_server.url(path).toString());
    TBrowserChild *child = m_form->Browser->activeChild();
    return child && loaded(child, path) ? child : nullptr;
}

bool tst_EverydayKeys::loaded(TBrowserChild *child, const QString &path)
{
    return QTest::qWaitFor(
        [&] { return child->engine()->LocationURL().endsWith(path) && !child->engine()->Busy(); },
        kTimeout);
}

void tst_EverydayKeys::press(uint sym, uint modifiers)
{
    std::initializer_list<unsigned long> none{}, ctrl{XK_Control_L}, shift{XK_Shift_L},
        alt{XK_Alt_L}, ctrlShift{XK_Control_L, XK_Shift_L};
    switch (modifiers) {
    case Ctrl:
        return m_input.key(sym, ctrl);
    case Shift:
        return m_input.key(sym, shift);
    case Alt:
        return m_input.key(sym, alt);
    case Ctrl | Shift:
        return m_input.key(sym, ctrlShift);
    default:
        return m_input.key(sym, none);
    }
}

void tst_EverydayKeys::keyWithPageFocus_data()
{
    QTest::addColumn<bool>("gecko");
    QTest::addColumn<uint>("sym");
    QTest::addColumn<uint>("modifiers");
    /// What the key must do: "address" and "search" (the box takes typed text), "close",
    /// "first" (the first window comes to the front), "reopen", "reload", "back", "forward",
    /// "full", "leave", "history" (the history window opens; the pages shown are recorded).
    QTest::addColumn<QString>("effect");
    struct Row
    {
        const char *name;
        uint sym;
        uint modifiers;
        const char *effect;
    };
    const Row rows[] = {
        {"Ctrl+L", XK_l, Ctrl, "address"},
        {"F6", XK_F6, 0, "address"},
        {"Alt+D", XK_d, Alt, "address"},
        {"Ctrl+K", XK_k, Ctrl, "search"},
        {"Ctrl+W", XK_w, Ctrl, "close"},
        {"Ctrl+Tab", XK_Tab, Ctrl, "first"},
        {"Ctrl+Shift+Tab", XK_Tab, Ctrl | Shift, "first"},
        {"Ctrl+PageDown", XK_Next, Ctrl, "first"},
        {"Ctrl+PageUp", XK_Prior, Ctrl, "first"},
        {"Ctrl+Shift+T", XK_t, Ctrl | Shift, "reopen"},
        {"F5", XK_F5, 0, "reload"},
        {"Ctrl+R", XK_r, Ctrl, "reload"},
        {"Alt+Left", XK_Left, Alt, "back"},
        {"Alt+Right", XK_Right, Alt, "forward"},
        {"F11", XK_F11, 0, "full"},
        {"Esc", XK_Escape, 0, "leave"},
        {"Ctrl+H", XK_h, Ctrl, "history"},
    };
    // A WebKit page holds the X focus itself: it hands back the keys it leaves alone, and
    // gives the focus up when a key moves it to a box of the main window.
    for (const bool gecko : {false, true}) {
        for (const Row &row : rows)
            QTest::addRow("%s %s", gecko ? "webkit" : "chromium", row.name)
                << gecko << row.sym << row.modifiers << QString::fromLatin1(row.effect);
    }
}

void tst_EverydayKeys::keyWithPageFocus()
{
    QFETCH(bool, gecko);
    QFETCH(uint, sym);
    QFETCH(uint, modifiers);
    QFETCH(QString, effect);
    m_home->write(QStringLiteral("config.ini"),
                  "[General]\r\nshutdown=1\r\n[Option_Window]\r\nNewWindow_Active=1\r\n"
                  "[Option_Main]\r\nMozilla=1\r\nMozPath=" +
                      QFile::encodeName(TestHome::moduleFolder()) + "\r\n");
    m_form = std::make_unique<TMainForm>(QStringList());
    m_form->resize(1000, 750);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    if (gecko)
        m_form->Moz_ItemClick();
    else
        m_form->IE_ItemClick();

    // Two windows; the second, active, has gone from /two to /three.
    TBrowserChild *first = open(QStringLiteral("/one"));
    QVERIFY(first);
    TBrowserChild *second = open(QStringLiteral("/two"));
    QVERIFY(second);
    second->engine()->Navigate(m_server.url(QStringLiteral("/three")).toString());
    QVERIFY(loaded(second, QStringLiteral("/three")));
    m_form->closedUrls().append(m_server.url(QStringLiteral("/closed")).toString());
    // The engine reports its history after the load.
    QTRY_VERIFY_WITH_TIMEOUT(m_form->commands().action("BackCtrl")->isEnabled(), kTimeout);
    if (effect == QLatin1String("forward")) {
        second->engine()->GoBack();
        QVERIFY(loaded(second, QStringLiteral("/two")));
    }
    if (effect == QLatin1String("leave")) {
        m_form->commands().action("mnuFullScreen")->trigger();
        QTRY_VERIFY(m_form->isFullScreen());
    }
    QCOMPARE(m_form->Browser->activeChild(), second);

    // The page takes the focus from a click into it.
    TEngineBrowser *engine = second->engine();
    if (auto *webkit = qobject_cast<TMozillaBrowser *>(engine)) {
        // The page's own X window takes the click once it is mapped.
        QSignalSpy activated(webkit, &TMozillaBrowser::activated);
        for (int i = 0; i < 30 && activated.isEmpty(); ++i) {
            m_input.click(engine->mapToGlobal(engine->rect().center()));
            activated.wait(1000);
        }
        QVERIFY(!activated.isEmpty());
    } else {
        m_input.click(engine->mapToGlobal(engine->rect().center()));
        QTRY_VERIFY_WITH_TIMEOUT(engine->isAncestorOf(QApplication::focusWidget()), kTimeout);
    }
    m_server.clearRequests();
    press(sym, modifiers);

    if (effect == QLatin1String("address") || effect == QLatin1String("search") ||
        effect == QLatin1String("find")) {
        QLineEdit *box = effect == QLatin1String("address") ? m_form->txtAddress
                         : effect == QLatin1String("search")
                             ? m_form->txtSearch
                             : m_form->findChild<TFindBar *>()->txtFind;
        QTRY_VERIFY_WITH_TIMEOUT(box->hasFocus(), kTimeout);
        // Typed keys now reach the box, whose text was selected.
        m_input.type("x");
        QTRY_COMPARE_WITH_TIMEOUT(box->text(), QStringLiteral("x"), kTimeout);
    } else if (effect == QLatin1String("zoom")) {
        QTRY_COMPARE_WITH_TIMEOUT(engine->ZoomPercent(), 110, kTimeout);
    } else if (effect == QLatin1String("close")) {
        QTRY_COMPARE_WITH_TIMEOUT(m_form->Browser->childCount(), 1, kTimeout);
        QCOMPARE(m_form->Browser->activeChild(), first);
    } else if (effect == QLatin1String("first")) {
        QTRY_COMPARE_WITH_TIMEOUT(m_form->Browser->activeChild(), first, kTimeout);
        QCOMPARE(m_form->Browser->windowList().selected(), 0);
    } else if (effect == QLatin1String("reopen")) {
        QTRY_COMPARE_WITH_TIMEOUT(m_form->Browser->childCount(), 3, kTimeout);
        QVERIFY(loaded(m_form->Browser->activeChild(), QStringLiteral("/closed")));
        QVERIFY(m_form->closedUrls().entries().isEmpty());
    } else if (effect == QLatin1String("reload")) {
        QTRY_VERIFY_WITH_TIMEOUT(m_server.wasRequested(QStringLiteral("/three")), kTimeout);
    } else if (effect == QLatin1String("back")) {
        QVERIFY(loaded(second, QStringLiteral("/two")));
    } else if (effect == QLatin1String("forward")) {
        QVERIFY(loaded(second, QStringLiteral("/three")));
    } else if (effect == QLatin1String("history")) {
        QTRY_VERIFY_WITH_TIMEOUT(m_form->frm_History && m_form->frm_History->isVisible(), kTimeout);
        // The pages the two windows show; /two, left at once for /three, may be reported
        // under the address it was leaving for.
        for (const char *path : {"/one", "/three"})
            QTRY_VERIFY_WITH_TIMEOUT(
                m_form->History->index().find(m_server.url(QLatin1String(path)).toString()),
                kTimeout);
    } else if (effect == QLatin1String("full")) {
        QTRY_VERIFY_WITH_TIMEOUT(m_form->isFullScreen(), kTimeout);
        QVERIFY(!m_form->MainMenu1->isVisible());
        QVERIFY(!m_form->txtAddress->isVisible());
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!m_form->isFullScreen(), kTimeout);
        QVERIFY(m_form->MainMenu1->isVisible());
        QVERIFY(m_form->txtAddress->isVisible());
    }
}

QTEST_MAIN(tst_EverydayKeys)
#include "tst_EverydayKeys.moc"
