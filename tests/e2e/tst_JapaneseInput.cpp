// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Japanese typed as a user types it: a real input method (Fcitx 5 with Anthy) runs on the test's
// X server, romaji go in through the X server, are converted and committed, and the Japanese
// text must arrive in a page field of each engine and in the address and search bars.
#include "HomeTest.h"
#include "ScriptResult.h"
#include "TestHttpServer.h"
#include "TestPages.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "common/ErrorHandler.h"
#include "engine/MozCtlModule.h"
#include "engine/TEngineBrowser.h"
#include "shell/TMainForm.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QLineEdit>
#include <QProcess>
#include <QtTest>

#include <memory>
#include <vector>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kTimeout = kEngineTimeout;
// Set once the test runs on a session bus of its own.
constexpr char kOwnBus[] = "DORVU_TEST_OWN_BUS";
const QString kFcitx = QStringLiteral("org.fcitx.Fcitx5");

enum Target { ChromiumPage, WebKitPage, AddressBar, SearchBar };

/// Runs xdotool with \a arguments and waits for it.
bool xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    return process.waitForFinished(kTimeout) && process.exitCode() == 0;
}

/// A press of the first mouse button at \a widget's centre, through the X server.
bool click(QWidget *widget)
{
    const QPoint at = widget->mapToGlobal(widget->rect().center());
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()),
                    QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
}

/// What the input method says of the input field it serves: 2 while Japanese input is on.
int inputMethodState()
{
    QDBusInterface controller(kFcitx, QStringLiteral("/controller"),
                              QStringLiteral("org.fcitx.Fcitx.Controller1"));
    const QDBusReply<int> state = controller.call(QStringLiteral("State"));
    return state.isValid() ? state.value() : -1;
}

} // namespace

class tst_JapaneseInput : public HomeTest
{
    Q_OBJECT

protected:
    void initHome() override;
    void cleanupHome() override;

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void romajiBecomeKanji_data();
    void romajiBecomeKanji();

private:
    /// Opens the field page in a new window of the given engine; its engine once loaded.
    TEngineBrowser *openFieldPage(bool gecko);
    /// The field's text: a page's through a script, a bar's from its widget.
    QString fieldText(Target target, TEngineBrowser *page);

    TestHttpServer m_server;
    QTemporaryDir m_imHome;
    QProcess m_fcitx;
    std::unique_ptr<TMainForm> m_form;
    QStringList m_errors;
};

void tst_JapaneseInput::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(),
             "xdotool is missing (scripts/setup installs it)");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("fcitx5")).isEmpty(),
             "fcitx5 is missing (scripts/setup installs it with Anthy)");
    QVERIFY(QDBusConnection::sessionBus().isConnected());
    QVERIFY(m_server.start());
    m_server.route(QStringLiteral("/field"),
                   "<!DOCTYPE html><meta charset=utf-8><title>field</title>"
                   "<body style='margin:0'><input id=f style='position:fixed;left:0;top:0;"
                   "width:100%;height:100%;font-size:40px'>");
    MozCtlModule::setFolderOverride(TestHome::moduleFolder());

    // The input method's own settings: Anthy is the one input method, on from the start of
    // every field.
    QVERIFY(m_imHome.isValid());
    const QString config = m_imHome.filePath(QStringLiteral("config/fcitx5/"));
    QVERIFY(QDir().mkpath(config));
    const QList<QPair<QString, QByteArray>> files = {
        {QStringLiteral("profile"), "[Groups/0]\nName=Default\nDefault Layout=us\n"
                                    "DefaultIM=anthy\n\n[Groups/0/Items/0]\nName=anthy\nLayout=\n\n"
                                    "[GroupOrder]\n0=Default\n"},
        {QStringLiteral("config"), "[Behavior]\nActiveByDefault=True\nShareInputState=No\n"},
    };
    for (const auto &file : files) {
        QFile out(config + file.first);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file.second) == file.second.size());
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_imHome.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                       m_imHome.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_imHome.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"),
                       m_imHome.filePath(QStringLiteral("cache")));
    m_fcitx.setProcessEnvironment(environment);
    m_fcitx.setProcessChannelMode(QProcess::ForwardedChannels);
    m_fcitx.start(QStringLiteral("fcitx5"),
                  {QStringLiteral("--disable=wayland,waylandim,notificationitem,kimpanel"),
                   QStringLiteral("--verbose=*=3")});
    QVERIFY(m_fcitx.waitForStarted(kTimeout));
    QTRY_VERIFY_WITH_TIMEOUT(
        QDBusConnection::sessionBus().interface()->isServiceRegistered(kFcitx).value(), kTimeout);
    // The name is ours, not that of an instance the bus started on demand.
    QCOMPARE(m_fcitx.state(), QProcess::Running);
}

void tst_JapaneseInput::cleanupTestCase()
{
    if (m_fcitx.state() == QProcess::NotRunning)
        return;
    QDBusInterface(kFcitx, QStringLiteral("/controller"),
                   QStringLiteral("org.fcitx.Fcitx.Controller1"))
        .call(QStringLiteral("Exit"));
    if (!m_fcitx.waitForFinished(10000)) {
        m_fcitx.kill();
        m_fcitx.waitForFinished(10000);
    }
}

void tst_JapaneseInput::initHome()
{
    m_home->write(QStringLiteral("config.ini"),
                  "[General]\r\nshutdown=1\r\n[Option_Window]\r\nNewWindow_Active=1\r\n"
                  "[Option_Main]\r\nMozilla=1\r\nMozPath=" +
                      QFile::encodeName(TestHome::moduleFolder()) + "\r\n");
    m_errors.clear();
    ErrorHandler::setSink([this](const QString &text) { m_errors.append(text); });
    m_form = std::make_unique<TMainForm>(QStringList());
    m_form->resize(1000, 700);
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void tst_JapaneseInput::cleanupHome()
{
    m_form.reset();
    ErrorHandler::setSink({});
}

TEngineBrowser *tst_JapaneseInput::openFieldPage(bool gecko)
{
    if (gecko)
        m_form->Moz_ItemClick();
    else
        m_form->IE_ItemClick();
    m_form->OpenPage(QStringLiteral("loading"), m_server.url(QStringLiteral("/field")).toString());
    TBrowserHost *host = m_form->Browser;
    if (!QTest::qWaitFor(
            [&] { return host->activeChild() && !host->activeChild()->engine()->Busy(); },
            kTimeout))
        return nullptr;
    TEngineBrowser *page = host->activeChild()->engine();
    // The page may report itself loaded before its field is laid out.
    if (runScript(page, QStringLiteral("String(!!document.getElementById('f'))")) !=
        QLatin1String("true"))
        return nullptr;
    return page;
}

QString tst_JapaneseInput::fieldText(Target target, TEngineBrowser *page)
{
    switch (target) {
    case AddressBar:
        return m_form->txtAddress->text();
    case SearchBar:
        return m_form->txtSearch->text();
    default:
        return runScript(page, QStringLiteral("document.getElementById('f').value"));
    }
}

void tst_JapaneseInput::romajiBecomeKanji_data()
{
    QTest::addColumn<int>("target");
    QTest::newRow("Chromium page field") << int(ChromiumPage);
    QTest::newRow("WebKit page field") << int(WebKitPage);
    QTest::newRow("address bar, after a WebKit page had the focus") << int(AddressBar);
    QTest::newRow("search bar, after a WebKit page had the focus") << int(SearchBar);
}

// "nihon", Space to convert and Enter to commit: the field holds 日本. Without the input method
// it would hold "nihon " (and Enter would have acted on it).
void tst_JapaneseInput::romajiBecomeKanji()
{
    QFETCH(int, target);
    TEngineBrowser *page = openFieldPage(target != ChromiumPage);
    QVERIFY(page);
    const QString focused = QStringLiteral("String(document.hasFocus() && "
                                           "document.activeElement.id == 'f')");
    QWidget *field = page;
    if (target == AddressBar || target == SearchBar) {
        // The embedded page has the X focus first; a click on the bar must take it back.
        QVERIFY(click(page));
        QTRY_COMPARE_WITH_TIMEOUT(runScript(page, focused), QStringLiteral("true"), kTimeout);
        field = target == AddressBar ? m_form->txtAddress : m_form->txtSearch;
        static_cast<QLineEdit *>(field)->clear();
        QVERIFY(click(field));
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), field, kTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(m_form->isActiveWindow(), kTimeout);
    } else {
        QVERIFY(click(page));
        QTRY_COMPARE_WITH_TIMEOUT(runScript(page, focused), QStringLiteral("true"), kTimeout);
    }
    // The input method serves the field, in Japanese mode.
    QTRY_COMPARE_WITH_TIMEOUT(inputMethodState(), 2, kTimeout);

    QVERIFY(xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("60"),
                     QStringLiteral("nihon")}));
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("300"),
                     QStringLiteral("space"), QStringLiteral("Return")}));
    QTRY_COMPARE_WITH_TIMEOUT(fieldText(Target(target), page), QStringLiteral("日本"), kTimeout);
    QVERIFY2(m_errors.isEmpty(), qPrintable(m_errors.join(QLatin1Char('\n'))));
}

int main(int argc, char *argv[])
{
    // The input method and the program meet on a session bus of their own: the test runs again
    // under dbus-run-session, which ends that bus when the test ends.
    if (!qEnvironmentVariableIsSet(kOwnBus)) {
        qputenv(kOwnBus, "1");
        std::vector<char *> arguments = {const_cast<char *>("dbus-run-session"),
                                         const_cast<char *>("--")};
        arguments.insert(arguments.end(), argv, argv + argc);
        arguments.push_back(nullptr);
        ::execvp(arguments.front(), arguments.data());
        std::perror("dbus-run-session (scripts/setup installs dbus-daemon)");
        return 1;
    }
    // Qt loads its input-method module as the application is made, GTK when the WebKit module
    // makes its first page.
    qputenv("QT_IM_MODULE", "fcitx");
    qputenv("GTK_IM_MODULE", "fcitx");
    qputenv("XMODIFIERS", "@im=fcitx");
    QApplication app(argc, argv);
    tst_JapaneseInput test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_JapaneseInput.moc"
