// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/PlatformChoice.h"

#include <QByteArrayList>

#include <xcb/xcb.h>

#include <cstdio>

#include <unistd.h>

namespace PlatformChoice {

Decision Choose(const QByteArray &qpaPlatform, const QByteArray &waylandDisplay,
                const QByteArray &display)
{
    Decision decision;
    if (!qpaPlatform.isEmpty()) {
        // The user's choice stands. "xcb:option=..." and "xcb;wayland" start on xcb too.
        const QByteArray first = qpaPlatform.split(';').value(0).split(':').value(0).trimmed();
        decision.needsX = first == "xcb";
        return decision;
    }
    // Qt would take native Wayland, where the WebKit page cannot be embedded.
    if (!waylandDisplay.isEmpty() && !display.isEmpty())
        decision.platform = "xcb";
    decision.needsX = true;
    return decision;
}

bool XServerReachable(const QByteArray &display)
{
    if (display.isEmpty())
        return false;
    // A server busy with the connections of a program that has just ended may refuse one for
    // a moment: asked again over a second and a half before the start is given up.
    for (int attempt = 0;; ++attempt) {
        xcb_connection_t *connection = xcb_connect(display.constData(), nullptr);
        const int error = xcb_connection_has_error(connection);
        xcb_disconnect(connection);
        if (error == 0)
            return true;
        if (attempt == 5) {
            std::fprintf(stderr, "xcb_connect: error %d\n", error);
            return false;
        }
        ::usleep(300 * 1000);
    }
}

QString NoXServerMessage()
{
    return QStringLiteral("X サーバーに接続できません。Dorvu には X11 または XWayland が必要です。"
                          "DISPLAY を確認してください。");
}

bool Apply()
{
    const Decision decision =
        Choose(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"));
    if (!decision.platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", decision.platform);
    if (!decision.needsX || XServerReachable(qgetenv("DISPLAY")))
        return true;
    std::fprintf(stderr, "%s\n", NoXServerMessage().toLocal8Bit().constData());
    return false;
}

} // namespace PlatformChoice
