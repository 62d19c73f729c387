// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QAccessibleObject>

/// The application as a screen reader sees it: its top-level windows on show, without the
/// hidden helpers (the engine's offscreen drawing windows, named "Offscreen"; the hidden
/// capture window), which would be read out as windows of their own.
class VisibleApplication : public QAccessibleApplication
{
public:
    /// Makes the application's interface this one; call once, before any window shows.
    static void install();

    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *child(int index) const override;

private:
    QList<QAccessibleInterface *> visibleChildren() const;
};
