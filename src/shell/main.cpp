// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/ErrorHandler.h"
#include "common/StartupTrace.h"
#include "engine/ChromiumFlags.h"
#include "engine/PageDialogs.h"
#include "shell/PlatformChoice.h"
#include "shell/SignalPipe.h"
#include "shell/SingleInstance.h"
#include "shell/StartupSequence.h"
#include "shell/TMainForm.h"
#include "shell/Translations.h"
#include "shell/VisibleApplication.h"

#include <QApplication>
#include <QIcon>
#include <QSessionManager>

#include <csignal>

#include <sys/stat.h>

namespace {

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/dorvu-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

int main(int argc, char *argv[])
{
    // What a browser keeps (the open addresses, settings, bookmarks, the engines' cookies and
    // caches) is nobody else's business: every file and folder made from here on, by us or by
    // the engines' processes, is the user's alone. A file that exists keeps its mode.
    ::umask(077);
    StartupTrace::mark("main");
    SingleInstance instance(SingleInstance::executableKey(QString::fromLocal8Bit(argv[0])));
    if (!instance.CheckSingleInstance(argc, argv))
        return 0;
    StartupTrace::mark("single instance checked");

    if (!PlatformChoice::Apply())
        return 1;

    ChromiumFlags::apply();
    QApplication app(argc, argv);
    StartupTrace::mark("application made");
    QApplication::setApplicationName(QStringLiteral("Dorvu"));
    // The desktop matches windows to dorvu.desktop (and its icon) by this name.
    QApplication::setDesktopFileName(QStringLiteral("dorvu"));
    QApplication::setWindowIcon(programIcon());
    Translations::install(&app);
    VisibleApplication::install();
    instance.listen();
    StartupTrace::mark("translations and instance socket");

    StartupSequence forms(QApplication::arguments().mid(1));
    TMainForm *main = forms.mainForm();
    StartupTrace::mark("main window and forms made");
    instance.setHandler(
        [main](quint32 value, const QString &text) { main->WMCopyData(value, text); });

    QObject::connect(main, &TMainForm::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    // A desktop session ending sends SIGTERM: close as the close box does, so the settings are
    // written, then leave every event loop (a modal box may be open). Nobody is there to answer
    // a box by then: failures go to stderr.
    SignalPipe signalPipe({SIGTERM, SIGINT});
    QObject::connect(&signalPipe, &SignalPipe::signalReceived, main, [main] {
        ErrorHandler::setUnattended();
        PageDialogs::refuseAll();
        main->close();
        QCoreApplication::quit();
    });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, main,
                     [](QSessionManager &) { ErrorHandler::setUnattended(); });
    StartupTrace::mark("event loop");
    return app.exec();
}
