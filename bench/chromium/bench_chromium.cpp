// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// Prints the time from Navigate to OnDocumentComplete for a local page and the memory that
// each further open engine adds (PSS of this process and its engine processes).
#include "ProcessMemory.h"
#include "TestHome.h"
#include "TestHttpServer.h"
#include "common/ErrorHandler.h"
#include "engine/TUIWebBrowser.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kTimeout = 30000;

// Waits in a real event loop, as the program does: a polling wait with sleeps would stretch
// the engine's many small hand-overs between threads and measure itself.
bool loadAndWait(TUIWebBrowser *browser, const QString &url, qint64 *ms)
{
    QEventLoop loop;
    bool done = false;
    const auto connection =
        QObject::connect(browser, &TEngineBrowser::OnDocumentComplete, &loop, [&](const QString &) {
            done = true;
            loop.quit();
        });
    QTimer::singleShot(kTimeout, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    browser->Navigate(url);
    if (!done)
        loop.exec();
    if (ms)
        *ms = timer.elapsed();
    QObject::disconnect(connection);
    return done;
}

void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestHome home;
    ErrorHandler::setSink(
        [](const QString &text) { std::fprintf(stderr, "error: %s\n", qPrintable(text)); });

    QString body;
    for (int i = 0; i < 200; ++i)
        body += QStringLiteral("<p>Dorvu 段落 %1: the quick brown fox jumps over the lazy dog.</p>")
                    .arg(i);
    home.write(QStringLiteral("page.html"),
               QStringLiteral("<html><head><meta charset=utf-8><title>bench</title></head>"
                              "<body>%1</body></html>")
                   .arg(body)
                   .toUtf8());
    const QString page = QUrl::fromLocalFile(home.file(QStringLiteral("page.html"))).toString();

    QTextStream out(stdout);
    const qint64 before = ProcessMemory::treePssKiB(QCoreApplication::applicationPid());

    // Time to a completed page.
    auto first = std::make_unique<TUIWebBrowser>();
    first->resize(800, 600);
    first->show();
    qint64 cold = 0;
    if (!loadAndWait(first.get(), page, &cold)) {
        out << "the first page never completed\n";
        return 1;
    }
    TestHttpServer server;
    if (!server.start()) {
        out << "no loopback port\n";
        return 1;
    }
    server.route(QStringLiteral("/page.html"), home.read(QStringLiteral("page.html")));
    out << "Navigate -> OnDocumentComplete (" << body.size() / 1024 << " KiB of text)\n";
    out << "  first page (engine start-up included): " << cold << " ms\n";
    const QList<QPair<QString, QString>> kinds = {
        {QStringLiteral("local file"), page},
        {QStringLiteral("loopback http"), server.url(QStringLiteral("/page.html")).toString()}};
    for (const auto &kind : kinds) {
        std::vector<qint64> times;
        for (int i = 0; i < 20; ++i) {
            qint64 ms = 0;
            if (!loadAndWait(first.get(), kind.second + QStringLiteral("?%1").arg(i), &ms)) {
                out << "a page never completed\n";
                return 1;
            }
            times.push_back(ms);
        }
        std::sort(times.begin(), times.end());
        out << "  " << kind.first << ", 20 pages: median " << times[times.size() / 2] << " ms, min "
            << times.front() << " ms, max " << times.back() << " ms\n";
    }
    out.flush();

    // Memory per open engine.
    settle(1000);
    const qint64 one = ProcessMemory::treePssKiB(QCoreApplication::applicationPid());
    constexpr int kMore = 5;
    std::vector<std::unique_ptr<TUIWebBrowser>> more;
    for (int i = 0; i < kMore; ++i) {
        more.push_back(std::make_unique<TUIWebBrowser>());
        more.back()->resize(800, 600);
        more.back()->show();
        if (!loadAndWait(more.back().get(), page, nullptr)) {
            out << "a page never completed\n";
            return 1;
        }
    }
    settle(1000);
    const qint64 six = ProcessMemory::treePssKiB(QCoreApplication::applicationPid());
    out << "Memory (PSS of this process and its engine processes)\n";
    out << "  before any engine: " << before / 1024 << " MiB\n";
    out << "  first engine with a page: +" << (one - before) / 1024 << " MiB\n";
    out << "  each further engine with a page: +" << (six - one) / kMore / 1024 << " MiB (" << kMore
        << " opened, " << six / 1024 << " MiB in all)\n";
    out.flush();

    more.clear();
    first.reset();
    return 0;
}
