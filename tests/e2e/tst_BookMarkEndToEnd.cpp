// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The built program: a BookMark.xml in its program folder gives the bookmark menu an item
// that, chosen with the keyboard, opens its page.
#include "DorvuProcess.h"
#include "TestHome.h"
#include "TestHttpServer.h"
#include "TestPages.h"
#include "common/SjisCodec.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

namespace {

/// Runs xdotool with \a arguments; its output, empty on failure.
QString xdotool(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return QString();
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

} // namespace

class tst_BookMarkEndToEnd : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void menuItemChosenWithTheKeyboardOpensItsPage();
};

void tst_BookMarkEndToEnd::menuItemChosenWithTheKeyboardOpensItsPage()
{
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(),
             "xdotool is missing (scripts/setup installs it)");
    QVERIFY(QFile::exists(DorvuProcess::path()));
    TestHttpServer server;
    QVERIFY(server.start());
    server.route(QStringLiteral("/z"), "<title>Z</title>z");
    const QString url = server.url(QStringLiteral("/z")).toString();

    TestHome home;
    home.write(QStringLiteral("config.ini"), "[General]\r\nshutdown=1\r\n");
    home.write(QStringLiteral("BookMark.xml"),
               SjisCodec::encode(QStringLiteral("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n"
                                                "<bookmark>\r\n  <directory>\r\n"
                                                "    <name>フォルダ</name>\r\n    <file>\r\n"
                                                "      <name>Inner</name>\r\n"
                                                "      <url>http://127.0.0.1:1/</url>\r\n"
                                                "    </file>\r\n  </directory>\r\n  <file>\r\n"
                                                "    <name>Zpage</name>\r\n    <url>%1</url>\r\n"
                                                "  </file>\r\n</bookmark>\r\n")
                                     .arg(url)));
    QTemporaryDir runtime(QStringLiteral("/tmp/dbm-XXXXXX"));
    std::unique_ptr<QProcess> dorvu = DorvuProcess::start({}, home.path(), runtime.path());
    QVERIFY(dorvu->waitForStarted(20000));

    // The deferred start-up step, run once the window is on screen, marks the run unclean.
    QTRY_VERIFY_WITH_TIMEOUT(home.read(QStringLiteral("config.ini")).contains("shutdown=0"), 30000);
    QString window;
    QTRY_VERIFY_WITH_TIMEOUT(
        !(window = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                            QStringLiteral("--pid"), QString::number(dorvu->processId()),
                            QStringLiteral("--name"), QStringLiteral("^Dorvu$")}))
             .isEmpty(),
        30000);
    window = window.section(QLatin1Char('\n'), 0, 0);
    // Alt+B opens "ブックマーク(&B)"; Z is the access key of "&Zpage". Keys sent while the
    // window is still taking the focus are lost: then the menu is closed and they go again.
    for (int attempt = 0; attempt < 3 && !server.wasRequested(QStringLiteral("/z")); ++attempt) {
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("300"),
                 QStringLiteral("alt+b"), QStringLiteral("z")});
        if (!QTest::qWaitFor([&] { return server.wasRequested(QStringLiteral("/z")); }, 10000))
            xdotool({QStringLiteral("key"), QStringLiteral("Escape"), QStringLiteral("Escape")});
    }
    QTRY_VERIFY_WITH_TIMEOUT(server.wasRequested(QStringLiteral("/z")), kEngineTimeout);
    // A new window holds the page: the open-window list names it once its title came.
    QTRY_COMPARE_WITH_TIMEOUT(home.read(QStringLiteral("winlist")), url.toUtf8() + "\r\n",
                              kEngineTimeout);
    DorvuProcess::terminate(*dorvu);
}

QTEST_GUILESS_MAIN(tst_BookMarkEndToEnd)
#include "tst_BookMarkEndToEnd.moc"
