// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QList>

/// The zoom of a page in percent, in the steps other browsers use:
///   25 33 50 67 75 80 90 100 110 125 150 175 200 250 300 400 500
/// Ctrl++ and Ctrl+- go one step up or down from wherever the page stands, also from a zoom
/// between two steps (a text size of 120 % goes to 125 % or 110 %); Ctrl+0 goes back to 100 %.
class PageZoom
{
public:
    static constexpr int Normal = 100;
    static constexpr int Smallest = 25;
    static constexpr int Largest = 500;

    static const QList<int> &steps();
    /// The zoom \a steps steps away from \a percent (up when positive), kept within the steps.
    static int step(int percent, int steps);
    /// The zoom of a factor (1.0 = 100 %), rounded to whole percent.
    static int percentOf(double factor);
};
