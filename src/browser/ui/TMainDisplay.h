// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

class QWidget;

/// What the main window shows for those who open pages and act on them, without handing out
/// its widgets: the window their boxes belong to, the address typed in the address bar, and
/// room at the right of the status bar. The main window implements it.
class TMainDisplay
{
public:
    virtual ~TMainDisplay() = default;

    /// The window that message boxes and dialogs belong to.
    virtual QWidget *dialogParent() const = 0;
    /// The address bar's text as typed.
    virtual QString typedAddress() const = 0;
    /// Shows \a widget at the right end of the status bar, which takes it over.
    virtual void addStatusWidget(QWidget *widget) = 0;
};
