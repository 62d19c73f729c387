// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QList>

class IniFile;

/// The order, rows and widths of the three bands of the top bar, as config.ini "Bar" keeps
/// them. A band's identity is fixed (0 buttons, 1 address, 2 search); its position is its
/// place in reading order, row by row and left to right; its break flag says it starts a row.
/// Only positions 0 and 1 are stored: the third band takes the place that is left, on a row
/// of its own and at its natural width.
class BandLayout
{
public:
    static constexpr int BandCount = 3;
    static constexpr int StoredCount = 2;

    struct Band
    {
        int id = 0;
        /// Width of the band's bar in pixels; 0 for its natural width.
        int width = 0;
        bool rowBreak = true;
    };

    /// What the "Bar" keys hold, as read: identity, width and break per stored position.
    struct Stored
    {
        Band at[StoredCount];
    };

    static Stored read(const IniFile &ini);
    /// Writes positions 0 and 1 of \a bands (in position order). Position 0 always starts a
    /// row and is written so.
    static void write(IniFile &ini, const QList<Band> &bands);

    /// The bands in position order after the stored layout is applied to the first start's
    /// layout (identities 0, 1, 2, each on its own row, natural width): for position 0, then
    /// 1, the band named there moves to that position and takes that position's break and
    /// width. An identity that names no band moves nothing but still gives the band at that
    /// position its break and width.
    static QList<Band> restore(const Stored &stored);

    /// A stored width made fit for a row of \a available pixels: between \a minimum and
    /// \a available (not below \a minimum).
    static int fitWidth(int width, int minimum, int available);
};
