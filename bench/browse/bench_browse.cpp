// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Prints: OpenPage bookkeeping per window (300 windows, light engine), one paint of a 300-tab
// strip, and time and memory of the built program opening 20 pages from its command line until
// every page has reported its title. Run under an X server (xvfb-run).
#include "../common/OnloadPages.h"
#include "BrowserRig.h"
#include "DorvuProcess.h"
#include "FakeEngine.h"
#include "ProcessMemory.h"
#include "TestHome.h"
#include "TestHttpServer.h"
#include "browser/TBrowserHost.h"
#include "browser/TTabControl.h"
#include "common/ErrorHandler.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

void report(const char *what, double value, const char *unit)
{
    std::printf("%-58s %12.3f %s\n", what, value, unit);
}

void openingBookkeeping()
{
    TestHome home;
    BrowserRig rig;
    QElapsedTimer timer;
    timer.start();
    qint64 first50 = 0;
    for (int i = 0; i < 300; ++i) {
        rig.open(QStringLiteral("http://%1.example/").arg(i));
        if (i == 49)
            first50 = timer.nsecsElapsed();
    }
    const qint64 openNs = timer.nsecsElapsed();
    report("OpenPage with light engine, per window (first 50)", first50 / 50.0 / 1e6, "ms");
    timer.restart();
    for (int i = 0; i < 300; ++i)
        rig.engineAt(i)->load(QStringLiteral("http://%1.example/").arg(i),
                              QStringLiteral("page %1").arg(i));
    const qint64 titleNs = timer.nsecsElapsed();
    report("OpenPage with light engine, per window (300 windows)", openNs / 300.0 / 1e6, "ms");
    report("title report incl. winlist rewrite, per window (300)", titleNs / 300.0 / 1e6, "ms");
}

void stripPaint()
{
    TestHome home;
    home.write(QStringLiteral("config.ini"), "[Option_Tab]\r\nActivateBGColor=clRed\r\n");
    TTabControl tabs;
    tabs.setFixedTabWidth(80);
    for (int i = 0; i < 300; ++i)
        tabs.addTab(QStringLiteral("a page title number %1").arg(i));
    tabs.setSelectedTab(0);
    tabs.resize(300 * 80, 28); // every tab on show
    tabs.grab();               // lay out once
    QElapsedTimer timer;
    timer.start();
    const int rounds = 20;
    for (int i = 0; i < rounds; ++i)
        tabs.grab();
    report("full paint of a 300-tab strip (colours read per paint)",
           timer.nsecsElapsed() / double(rounds) / 1e6, "ms");
}

void commandLinePages()
{
    if (!QFile::exists(DorvuProcess::path())) {
        std::printf("dorvu not built: command-line figures skipped\n");
        return;
    }
    TestHttpServer server;
    if (!server.start())
        return;
    // Each page reports its onload to the server; the pages' scripts are switched on.
    const QStringList urls = routeOnloadPages(server, 20);
    QSet<QString> loaded;
    qint64 firstLoad = -1;
    QElapsedTimer timer;
    QObject::connect(&server, &TestHttpServer::requested, [&](const QString &path) {
        if (!path.startsWith(QLatin1String("/loaded")))
            return;
        if (firstLoad < 0)
            firstLoad = timer.elapsed();
        loaded.insert(path);
    });
    TestHome home;
    home.write(QStringLiteral("config.ini"),
               "[General]\r\nshutdown=1\r\n[Option_Security]\r\nScript=1\r\n");
    QTemporaryDir runtime;
    timer.start();
    const auto process = DorvuProcess::start(urls, home.path(), runtime.path());
    const bool done = QTest::qWaitFor([&] { return loaded.size() == 20; }, 180000);
    const qint64 ms = timer.elapsed();
    if (done) {
        report("dorvu with 20 local pages: first page loaded", double(firstLoad), "ms");
        report("dorvu with 20 local pages: all pages loaded", ms, "ms");
        report("  memory (PSS) of dorvu and its engine processes",
               ProcessMemory::treePssKiB(process->processId()) / 1024.0, "MiB");
    } else {
        std::printf("dorvu with 20 local pages: %d of 20 loaded within 180 s\n",
                    int(loaded.size()));
    }
    DorvuProcess::terminate(*process);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ErrorHandler::setSink([](const QString &text) {
        std::fprintf(stderr, "error: %s\n", text.toLocal8Bit().constData());
    });
    openingBookkeeping();
    stripPaint();
    // "--no-engines": the light-engine figures alone (for profiling).
    if (!QCoreApplication::arguments().contains(QStringLiteral("--no-engines")))
        commandLinePages();
    return 0;
}
