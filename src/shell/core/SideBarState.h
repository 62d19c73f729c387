// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

/// Width and collapse state of the side bar, and its edge drag. The bar is collapsed exactly
/// while the collapse memory is not 0; the memory then holds the width to return to.
class SideBarState
{
public:
    /// Narrowest side bar: the collapse button and the resize strip right of it.
    static constexpr int MinimumWidth = 11;
    /// The resize strip starts this many pixels right of the collapse button's left edge.
    static constexpr int StripOffset = 7;
    static constexpr int ButtonWidth = 8;
    /// The resize strip of an open bar: a splitter handle's width, easy to hit.
    static constexpr int StripWidth = 6;

    /// The resize strip's width in a bar \a shownWidth wide: StripWidth, less where the bar is
    /// too narrow for it (a collapsed bar keeps two pixels).
    static int stripWidth(int shownWidth);

    /// The state read from config.ini ("JBarSize", "JBarMax"), taken as it is; a negative
    /// memory reads as open.
    SideBarState(int width, int memory);

    int width() const { return m_width; }
    int memory() const { return m_memory; }
    bool collapsed() const { return m_memory != 0; }
    bool dragging() const { return m_drag; }

    /// The width to show in a window with \a available pixels for it: the width, at least
    /// MinimumWidth and at most \a available.
    int shownWidth(int available) const;

    /// The collapse button: an open bar remembers its width and becomes MinimumWidth wide; a
    /// collapsed one returns to the remembered width.
    void toggleCollapse();

    /// Whether \a x (from the bar's left edge) lies on the resize strip, given the collapse
    /// button's left edge \a buttonLeft.
    static bool onResizeStrip(int x, int buttonLeft);
    /// A press at \a x starts a drag exactly when it is on the resize strip.
    void press(int x, int buttonLeft);
    /// The release of a drag at \a x sets the width (at least MinimumWidth); without a drag
    /// nothing changes. Returns whether the width changed. The collapse memory stays.
    bool release(int x);

    /// Values for config.ini at exit in a window with \a available pixels for the bar: the
    /// shown width and a memory that returns to a width of that window.
    int storedWidth(int available) const { return shownWidth(available); }
    int storedMemory(int available) const;

private:
    int m_width;
    int m_memory;
    bool m_drag = false;
};
