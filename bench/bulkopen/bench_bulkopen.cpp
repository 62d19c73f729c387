// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// A start list of loopback pages opened by the real main window with Chromium, each list in a
// fresh process of its own: a single page, the tab in front with the windows a bulk open makes
// ahead of it ([Option_Tab] LookAhead), and a list of 1,000 (or the count given as the first
// argument). Prints, beside its target: the time from the first window to every tab listed, the
// longest stall of the event loop meanwhile (a 5 ms timer's largest gap), the first page's
// onload against a single page's, and how much this process grows per waiting tab. Here the
// pages' server shares the window's thread, which makes every load slower than in the program
// itself: the first onload is only compared with a single page's here; the side-by-side
// benchmark (bench/peers) measures load times against other browsers. Run under an X server
// (xvfb-run).
#include "../common/OnloadPages.h"
#include "TestHome.h"
#include "TestHttpServer.h"
#include "browser/TBrowserHost.h"
#include "browser/TPageOpener.h"
#include "browser/WindowList.h"
#include "common/ErrorHandler.h"
#include "engine/ChromiumFlags.h"
#include "shell/TMainForm.h"
#include "weblist/TWebListOpener.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int kDefaultPages = 1000;
constexpr int kRuns = 3;

/// This process's resident memory in KiB (VmRSS), 0 when unknown.
qint64 residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

/// One list of \a pages in this process; prints "listed stall first rss" (ms ms ms KiB).
int runList(int pages)
{
    TestHttpServer server;
    if (!server.start())
        return 1;
    const QStringList urls = routeOnloadPages(server, pages);
    QByteArray list;
    for (const QString &url : urls)
        list += url.toLatin1() + "\r\n";

    TestHome home;
    home.write(QStringLiteral("WebList/start.wlf"), list);
    // A long list asks first: the user says yes at once, and the times count from there.
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            for (QAbstractButton *button : box->buttons()) {
                if (button->text() == QStringLiteral("はい(&Y)"))
                    button->click();
            }
        }
    });
    answer.start();
    home.write(QStringLiteral("config.ini"),
               "[General]\r\nshutdown=1\r\n[Option_Security]\r\nScript=1\r\n"
               "[Option_StartUp]\r\nType=2\r\nPath=" +
                   home.file(QStringLiteral("WebList/start.wlf")).toUtf8() + "\r\n");
    QElapsedTimer clock;
    clock.start();
    auto form = std::make_unique<TMainForm>(QStringList());
    form->show();

    qint64 lastTick = clock.elapsed();
    qint64 longestStall = 0;
    qint64 firstWindow = -1;
    qint64 listed = -1;
    qint64 firstLoad = -1;
    const WindowList &tabs = form->Browser->windowList();
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        // Stalls count from the second tab (the first window is made by then) until the list
        // is complete.
        if (tabs.count() > 1 && listed < 0)
            longestStall = qMax(longestStall, now - lastTick);
        lastTick = now;
    });
    ticker.start();
    QObject::connect(&server, &TestHttpServer::requested, [&](const QString &path) {
        if (firstLoad < 0 && path == QLatin1String("/loaded0"))
            firstLoad = clock.elapsed();
    });
    // The list's times, exactly as the tabs come.
    QObject::connect(&tabs, &WindowList::entryAppended, [&] {
        if (firstWindow < 0)
            firstWindow = clock.elapsed();
        if (listed < 0 && tabs.count() == pages)
            listed = clock.elapsed();
    });
    const int ahead = std::clamp(TPageOpener::lookAhead(), 0, pages - 1);
    const bool done = QTest::qWaitFor(
        [&] {
            int loaded = 0;
            for (int i = 0; i <= ahead; ++i)
                loaded += server.wasRequested(QStringLiteral("/loaded%1").arg(i)) ? 1 : 0;
            return listed >= 0 && firstLoad >= 0 && loaded == ahead + 1 &&
                   !form->WebListOpener->isRunning();
        },
        120000);
    if (!done) {
        std::fprintf(stderr, "list of %d: %d tabs, first onload %lld ms within 120 s\n", pages,
                     int(tabs.count()), firstLoad);
        return 1;
    }
    // The memory once the pages ahead have settled.
    QTest::qWait(1000);
    std::printf("%lld %lld %lld %lld\n", listed - firstWindow, longestStall, firstLoad,
                residentKiB());
    return 0;
}

struct Figures
{
    double listed = 0, stall = 0, first = 0, rssKiB = 0;
};

/// Medians of kRuns child processes opening \a pages lines.
bool measure(const QString &self, int pages, Figures *out)
{
    QList<Figures> runs;
    for (int run = 0; run < kRuns; ++run) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(self, {QStringLiteral("--list"), QString::number(pages)});
        const bool finished = child.waitForFinished(180000);
        const QByteArray out = child.readAllStandardOutput().trimmed();
        const QList<QByteArray> f = out.split(' ');
        if (!finished || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 ||
            f.size() != 4) {
            std::fprintf(stderr, "list of %d: run %d ended with %d (%s): %s\n", pages, run + 1,
                         child.exitCode(), qPrintable(child.errorString()), out.constData());
            return false;
        }
        runs.append({f[0].toDouble(), f[1].toDouble(), f[2].toDouble(), f[3].toDouble()});
    }
    const auto median = [&runs](double Figures::*field) {
        QList<double> values;
        for (const Figures &f : runs)
            values.append(f.*field);
        std::sort(values.begin(), values.end());
        return values.at(values.size() / 2);
    };
    *out = {median(&Figures::listed), median(&Figures::stall), median(&Figures::first),
            median(&Figures::rssKiB)};
    return true;
}

void report(const char *what, double value, const char *unit, const QString &target, bool met)
{
    std::printf("%-52s %9.1f %-4s %-24s %s\n", what, value, unit, qPrintable(target),
                met ? "met" : "NOT met");
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
    const QStringList args = QApplication::arguments();
    if (args.value(1) == QLatin1String("--list"))
        return runList(args.value(2).toInt());
    const int pages = args.size() > 1 ? qMax(2, args.value(1).toInt()) : kDefaultPages;

    const int ahead = qMax(0, TPageOpener::lookAhead());
    Figures single, front, bulk;
    if (!measure(args.at(0), 1, &single) || !measure(args.at(0), 1 + ahead, &front) ||
        !measure(args.at(0), pages, &bulk)) {
        std::printf("bench_bulkopen: a run failed\n");
        return 1;
    }
    const int waiting = pages - 1 - ahead;
    const double perTab = (bulk.rssKiB - front.rssKiB) / 1024.0 / qMax(1, waiting);
    std::printf("start list of %d, Chromium, medians of %d runs (LookAhead %d)\n", pages, kRuns,
                ahead);
    char title[80];
    std::snprintf(title, sizeof title, "all %d tabs listed after the first window", pages);
    report(title, bulk.listed, "ms", QStringLiteral("<= 1000 ms"), bulk.listed <= 1000);
    report("longest event-loop stall meanwhile", bulk.stall, "ms", QStringLiteral("<= 50 ms"),
           bulk.stall <= 50);
    report("first page's onload, launch ->", bulk.first, "ms",
           QStringLiteral("<= 1.1 x %1 ms").arg(single.first, 0, 'f', 0),
           bulk.first <= 1.1 * single.first);
    report("process growth per waiting tab", perTab, "MiB", QStringLiteral("<= 0.1 MiB"),
           perTab <= 0.1);
    std::printf("(one page: first onload %.0f ms, %.0f MiB; %d windows ahead: %.0f MiB; "
                "%d tabs: %.0f MiB)\n",
                single.first, single.rssKiB / 1024, 1 + ahead, front.rssKiB / 1024, pages,
                bulk.rssKiB / 1024);
    return 0;
}
