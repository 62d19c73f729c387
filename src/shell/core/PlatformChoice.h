// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QString>

/// The Qt platform Dorvu starts on. The WebKit page is an X11 window inside a Qt widget, so
/// Dorvu runs on Qt's xcb platform: under Wayland it takes XWayland by itself, and without an
/// X server it says so instead of letting Qt abort.
namespace PlatformChoice {

struct Decision
{
    /// The value to give QT_QPA_PLATFORM before the application object exists; empty: leave it.
    QByteArray platform;
    /// True when Qt will start on xcb, so an X server has to answer.
    bool needsX = false;
};

/// The decision for the values of QT_QPA_PLATFORM, WAYLAND_DISPLAY and DISPLAY (empty: unset).
Decision Choose(const QByteArray &qpaPlatform, const QByteArray &waylandDisplay,
                const QByteArray &display);

/// True when an X server accepts a connection at \a display; false for an empty one.
bool XServerReachable(const QByteArray &display);

/// What a start without a reachable X server writes to stderr.
QString NoXServerMessage();

/// Choose() on this process's environment, before QApplication: sets QT_QPA_PLATFORM when it
/// decides so, and checks the X server when one is needed. False, after writing
/// NoXServerMessage() to stderr, when there is none to start on.
bool Apply();

} // namespace PlatformChoice
