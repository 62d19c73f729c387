// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QList>
#include <QString>

/// The decisions behind the close commands and the recently-closed submenu.
namespace CloseRules {

/// The positions to close, in order, for "close all but this one" with \a count open windows
/// and the pop-up position \a keep (-1 for none). Every close shifts the windows behind it one
/// position to the left: positions before \a keep are closed at 0, the rest at 1. The window
/// at \a keep stays; when \a keep is none or not below count - 1, the last window stays.
/// Nothing for one window or none.
QList<int> allCloseNotMeTargets(int count, int keep);

/// The caption of item \a index (from 0, oldest first) of the recently-closed submenu:
/// "&", the number index + 1, the full-width stop "．" and the address, with every "&" of the
/// address doubled so that it shows as itself and never becomes the access key.
QString closedUrlCaption(int index, const QString &url);

} // namespace CloseRules
