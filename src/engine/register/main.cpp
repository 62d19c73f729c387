// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
//
// dorvu-gecko-register <folder>/mozctl.so
//
// Loads the WebKit module, checks its interface version, starts the engine and loads a blank
// page in a hidden view; reports the engine's version or why it failed in a message box.
// Exit code 0 when the engine works, 1 otherwise. With DORVU_REGISTER_PRINT=1 in the
// environment the report goes to standard output instead of the box (tests, scripts).

#include "common/DorvuError.h"
#include "engine/MozCtlModule.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>

namespace {

constexpr int kPageTimeoutMs = 60000;

struct Probe
{
    QEventLoop loop;
    bool complete = false;
};

void onDocumentComplete(void *owner, const char *)
{
    auto *probe = static_cast<Probe *>(owner);
    probe->complete = true;
    probe->loop.quit();
}

/// Throws DorvuError with the reason when the engine does not work.
QString check(const QString &file)
{
    const MozCtlApi &api = MozCtlModule::open(file);
    Probe probe;
    MozCtlEvents events{};
    events.documentComplete = onDocumentComplete;
    MozCtlView *view = api.create(&events, &probe);
    if (!view)
        throw DorvuError(QStringLiteral("Geckoエンジン (%1) を読み込めません: %2")
                             .arg(file, QStringLiteral("表示を作れません")));
    QTimer::singleShot(kPageTimeoutMs, &probe.loop, &QEventLoop::quit);
    api.loadUri(view, "about:blank");
    if (!probe.complete)
        probe.loop.exec();
    api.destroy(view);
    if (!probe.complete)
        throw DorvuError(QStringLiteral("Geckoエンジン (%1) を読み込めません: %2")
                             .arg(file, QStringLiteral("空のページを表示できません")));
    return QStringLiteral("Geckoエンジンを登録しました\n%1\n%2")
        .arg(MozCtlModule::engineVersion(), file);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Dorvu"));
    const QString file = app.arguments().value(1);

    bool ok = false;
    QString report;
    try {
        report = check(file);
        ok = true;
    } catch (const DorvuError &e) {
        report = e.message();
    }

    if (qgetenv("DORVU_REGISTER_PRINT") == "1") {
        QTextStream(stdout) << report << Qt::endl;
    } else {
        QMessageBox box(ok ? QMessageBox::Information : QMessageBox::Warning,
                        QStringLiteral("Geckoをシステムに登録"), report, QMessageBox::Ok);
        box.exec();
    }
    return ok ? 0 : 1;
}
