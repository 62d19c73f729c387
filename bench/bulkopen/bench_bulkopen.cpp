// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Prints, for a start list of 100 loopback pages opened by the main window with Chromium: the
// time until every window is in the tab strip, and the longest time the event loop was held up
// (a 5 ms timer's largest gap) while the list opened. The pages' load times are the side-by-side
// benchmark's (bench/peers): here the pages' server shares the window's thread. Run under an X
// server (xvfb-run).
#include "../common/OnloadPages.h"
#include "TestHome.h"
#include "TestHttpServer.h"
#include "browser/TBrowserHost.h"
#include "browser/WindowList.h"
#include "common/ErrorHandler.h"
#include "engine/ChromiumFlags.h"
#include "shell/TMainForm.h"
#include "weblist/TWebListOpener.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

constexpr int kPages = 100;

void report(const char *what, double value, const char *unit)
{
    std::printf("%-58s %12.1f %s\n", what, value, unit);
}

} // namespace

int main(int argc, char *argv[])
{
    // The engine runs with the program's own flags.
    ChromiumFlags::apply();
    QApplication app(argc, argv);
    ErrorHandler::setSink([](const QString &text) {
        std::fprintf(stderr, "error: %s\n", text.toLocal8Bit().constData());
    });
    TestHttpServer server;
    if (!server.start())
        return 1;
    QByteArray list;
    for (const QString &url : routeOnloadPages(server, kPages))
        list += url.toLatin1() + "\r\n";
    QElapsedTimer clock;

    TestHome home;
    home.write(QStringLiteral("WebList/start.wlf"), list);
    home.write(QStringLiteral("config.ini"),
               "[General]\r\nshutdown=1\r\n[Option_Security]\r\nScript=1\r\n"
               "[Option_StartUp]\r\nType=2\r\nPath=" +
                   home.file(QStringLiteral("WebList/start.wlf")).toUtf8() + "\r\n");
    clock.start();
    auto form = std::make_unique<TMainForm>(QStringList());
    form->show();

    // The event loop's stalls: the largest gap between two ticks of a 5 ms timer.
    qint64 lastTick = clock.elapsed();
    qint64 longestStall = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longestStall = qMax(longestStall, now - lastTick);
        lastTick = now;
    });
    ticker.start();

    const WindowList &windows = form->Browser->windowList();
    qint64 firstWindow = -1;
    qint64 listed = -1;
    const bool opened = QTest::qWaitFor(
        [&] {
            if (firstWindow < 0 && windows.count() > 0)
                firstWindow = clock.elapsed();
            if (windows.count() == kPages && listed < 0)
                listed = clock.elapsed();
            return listed >= 0 && !form->WebListOpener->isRunning();
        },
        120000);
    if (!opened) {
        std::printf("start list of %d: %d windows within 120 s\n", kPages, int(windows.count()));
        return 1;
    }
    report("start list of 100: first window in the tab strip", double(firstWindow), "ms");
    report("  all 100 in the tab strip", double(listed), "ms");
    report("  all 100 in the tab strip, after the first", double(listed - firstWindow), "ms");
    report("  longest event-loop stall while the list opened", double(longestStall), "ms");
    return 0;
}
