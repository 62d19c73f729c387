// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

class QWidget;

/// A window that shows Chromium pages is composed through a GPU surface. Qt switches a window
/// to that surface by destroying and recreating its native window when the first such page
/// comes in, and the native windows inside it (the WebKit pages' hosts) do not survive that:
/// their window objects are deleted with the old top-level window. A window prepared here is
/// composed that way from its first showing on, so it is never made anew under a page.
namespace ComposedWindow {

/// Prepares \a window (a top-level widget). Call before it is first shown; later calls do
/// nothing, and a window already on screen is recreated at once, before any page is inside.
void prepare(QWidget *window);

} // namespace ComposedWindow
