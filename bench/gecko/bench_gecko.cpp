// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The WebKit engine kind (mozctl.so): how long Navigate takes to OnDocumentComplete for a
// page from a loopback server, and how much memory each open engine adds, counting this
// process and the WebKit processes it starts (proportional set size, PSS).
#include "DorvuProcess.h"
#include "ProcessMemory.h"
#include "TestHttpServer.h"
#include "engine/MozCtlModule.h"
#include "engine/TMozillaBrowser.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

QByteArray samplePage()
{
    QByteArray body;
    for (int i = 0; i < 200; ++i)
        body += "<p>段落 " + QByteArray::number(i) +
                " の本文。Lorem ipsum dolor sit amet, consectetur adipiscing elit.</p>";
    return "<!DOCTYPE html><html><head><meta charset=utf-8><title>Bench</title>"
           "<style>p{font:14px sans-serif}</style></head><body>" +
           body + "</body></html>";
}

struct Memory
{
    qint64 self = 0;
    qint64 children = 0;
    int processes = 0;
};

Memory measure()
{
    // Let freed memory settle before reading.
    QTest::qWait(1500);
    Memory m;
    const qint64 self = QCoreApplication::applicationPid();
    m.self = ProcessMemory::pssKiB(self);
    const QList<qint64> kids = ProcessMemory::descendants(self);
    m.processes = int(kids.size());
    for (const qint64 pid : kids)
        m.children += ProcessMemory::pssKiB(pid);
    return m;
}

/// Navigates and returns the milliseconds to the page's OnDocumentComplete (-1 on timeout).
double timeToComplete(TMozillaBrowser *browser, const QString &url)
{
    QSignalSpy done(browser, &TEngineBrowser::OnDocumentComplete);
    QElapsedTimer timer;
    timer.start();
    browser->Navigate(url);
    QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        for (const auto &args : std::as_const(done))
            if (args.at(0).toString() == url)
                return timer.nsecsElapsed() / 1e6;
        done.wait(50);
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    MozCtlModule::setFolderOverride(DorvuProcess::buildDir() + QStringLiteral("/gecko"));

    TestHttpServer server;
    if (!server.start())
        return 1;
    server.route(QStringLiteral("/page"), samplePage());
    server.route(QStringLiteral("/other"), samplePage());

    const Memory base = measure();
    std::printf("baseline: this process %lld KiB PSS, %d child processes\n",
                static_cast<long long>(base.self), base.processes);

    std::vector<std::unique_ptr<TMozillaBrowser>> browsers;
    auto open = [&]() -> TMozillaBrowser * {
        browsers.emplace_back(TMozillaBrowser::create());
        browsers.back()->resize(800, 600);
        browsers.back()->show();
        return browsers.back().get();
    };

    TMozillaBrowser *first = open();
    const double cold = timeToComplete(first, server.url(QStringLiteral("/page")).toString());
    std::printf("first page (starts the web process): %.1f ms\n", cold);

    const int rounds = 20;
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const QString path = i % 2 ? QStringLiteral("/page") : QStringLiteral("/other");
        times.push_back(timeToComplete(first, server.url(path).toString()));
    }
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times)
        sum += t;
    std::printf("Navigate to OnDocumentComplete, %d loads of a %d-byte page: median %.1f ms, "
                "mean %.1f ms, min %.1f ms, max %.1f ms\n",
                rounds, int(samplePage().size()), times[rounds / 2], sum / rounds, times.front(),
                times.back());

    Memory previous = measure();
    std::printf("engines 1: this process %lld KiB, children %lld KiB in %d processes\n",
                static_cast<long long>(previous.self), static_cast<long long>(previous.children),
                previous.processes);
    const qint64 firstCost = previous.self + previous.children - base.self - base.children;
    std::printf("  the first engine adds %lld KiB (%.1f MiB)\n", static_cast<long long>(firstCost),
                firstCost / 1024.0);
    const int extra = 4;
    for (int i = 0; i < extra; ++i) {
        TMozillaBrowser *b = open();
        timeToComplete(b, server.url(QStringLiteral("/page")).toString());
    }
    const Memory after = measure();
    const qint64 added = after.self + after.children - previous.self - previous.children;
    std::printf("engines %d: this process %lld KiB, children %lld KiB in %d processes\n", 1 + extra,
                static_cast<long long>(after.self), static_cast<long long>(after.children),
                after.processes);
    std::printf("  each further engine with a page open adds %lld KiB (%.1f MiB)\n",
                static_cast<long long>(added / extra), added / extra / 1024.0);
    return 0;
}
