// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Launches the built program on one loopback page, five times, with DORVU_TRACE_STARTUP set, and
// prints the median time from launch to each start-up step; then the same page in the bare
// Qt WebEngine program, the floor of the engine choice. Target: Dorvu's launch to its first
// page loaded at most 1.1 times the bare program's.
#include "DorvuProcess.h"
#include "TestHttpServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kRuns = 5;
constexpr int kTimeoutMs = 30000;
constexpr double kTarget = 1.1;

qint64 realtimeNs()
{
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? -1 : values.at(values.size() / 2);
}

/// Runs \a program on \a url once; the steps it traced, in order, until its first page loaded.
QList<QPair<QByteArray, double>> runOnce(const QString &program, const QString &url)
{
    QTemporaryDir scratch;
    QDir(scratch.path()).mkpath(QStringLiteral("home/WebList"));
    QDir(scratch.path()).mkpath(QStringLiteral("run"));
    QFile config(scratch.filePath(QStringLiteral("home/config.ini")));
    if (config.open(QIODevice::WriteOnly))
        config.write("[General]\r\nshutdown=1\r\n[Option_Security]\r\nScript=1\r\n"
                     "[Option_Multimedia]\r\nImage=1\r\n");
    config.close();
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DORVU_HOME"), scratch.filePath(QStringLiteral("home")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), scratch.filePath(QStringLiteral("run")));
    env.insert(QStringLiteral("DORVU_TRACE_STARTUP"), QString::number(realtimeNs()));
    process.setProcessEnvironment(env);
    QList<QPair<QByteArray, double>> steps;
    QEventLoop loop;
    QByteArray pending;
    QObject::connect(&process, &QProcess::readyReadStandardError, &loop, [&] {
        pending += process.readAllStandardError();
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(end);
            pending.remove(0, end + 1);
            if (!line.startsWith("startup "))
                continue;
            const qsizetype space = line.indexOf(' ', 8);
            steps.append({line.mid(space + 1), line.mid(8, space - 8).toDouble()});
            if (steps.last().first == "first page loaded")
                loop.quit();
        }
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kTimeoutMs, &loop, &QEventLoop::quit);
    process.start(program, {url});
    loop.exec();
    if (process.state() != QProcess::NotRunning)
        DorvuProcess::terminate(process);
    return steps;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    TestHttpServer server;
    if (!server.start()) {
        std::printf("ERROR: no loopback server\n");
        return 1;
    }
    server.route(QStringLiteral("/page"),
                 "<!DOCTYPE html><html><head><title>Page</title></head><body><p>Page</p>"
                 "</body></html>");
    const QString url = server.url(QStringLiteral("/page")).toString();
    const QString bare = DorvuProcess::buildDir() + QStringLiteral("/bench_bare_webengine");

    QList<QByteArray> order;
    QMap<QByteArray, QList<double>> dorvu;
    QList<double> floor;
    for (int i = 0; i < kRuns; ++i) {
        // Alternately, so that a change of the machine's load meets both alike.
        for (const auto &[step, ms] : runOnce(DorvuProcess::path(), url)) {
            if (!order.contains(step))
                order.append(step);
            dorvu[step].append(ms);
        }
        for (const auto &[step, ms] : runOnce(bare, url)) {
            if (step == "first page loaded")
                floor.append(ms);
        }
    }
    std::printf("Launch to each start-up step, median of %d runs (ms):\n", kRuns);
    for (const QByteArray &step : std::as_const(order))
        std::printf("  %-40s %8.1f   (%d runs)\n", step.constData(), median(dorvu[step]),
                    int(dorvu[step].size()));
    const double ours = median(dorvu.value("first page loaded"));
    const double base = median(floor);
    std::printf("bare Qt WebEngine, launch to first page loaded %8.1f ms   (%d runs)\n", base,
                int(floor.size()));
    if (ours > 0 && base > 0)
        std::printf("Dorvu / bare                                 %8.2f   (target %.1f)\n",
                    ours / base, kTarget);
    else
        std::printf("ERROR: a program did not load its page\n");
    return 0;
}
