// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// A bare Qt WebEngine program: every address on the command line in a view of its own, the first
// one in front, in a window of Dorvu's default size. No settings, no files, no other widgets.
#include "common/StartupTrace.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>
#include <QUrl>
#include <QWebEngineView>

int main(int argc, char *argv[])
{
    StartupTrace::mark("main");
    QApplication app(argc, argv);
    QTabWidget window;
    const QStringList addresses = QApplication::arguments().mid(1);
    for (const QString &address : addresses) {
        auto *view = new QWebEngineView(&window);
        // The same trace as the program's, to be measured alike (nothing without the variable).
        QObject::connect(view, &QWebEngineView::loadFinished, [](bool ok) {
            if (ok)
                StartupTrace::mark("first page loaded");
        });
        view->load(QUrl::fromUserInput(address));
        window.addTab(view, address);
    }
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1000, 750);
    window.resize(
        QSize(screen.width() * 4 / 5, screen.height() * 4 / 5).expandedTo(QSize(800, 600)));
    window.show();
    return QApplication::exec();
}
