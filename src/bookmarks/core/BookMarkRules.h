// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

/// How a chosen bookmark is shown.
namespace BookMarkRules {

/// True when a bookmark opens in a new window: "Option_Window"/"BookMark" is 1, or no page
/// window is open (other values open it in the active window).
bool opensInNewWindow(int setting, int childWindows);
/// A menu caption: "&" and the name, so the name's first character is the access key ("&&"
/// in a name shows one ampersand).
QString menuCaption(const QString &text);

} // namespace BookMarkRules
