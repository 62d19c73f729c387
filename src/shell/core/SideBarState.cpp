// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/SideBarState.h"

#include <algorithm>

SideBarState::SideBarState(int width, int memory)
    : m_width(width)
    , m_memory(std::max(0, memory))
{}

int SideBarState::shownWidth(int available) const
{
    return std::clamp(m_width, MinimumWidth, std::max(MinimumWidth, available));
}

void SideBarState::toggleCollapse()
{
    if (m_memory == 0) {
        // Never 0, or the bar would count as open again.
        m_memory = std::max(m_width, MinimumWidth);
        m_width = MinimumWidth;
    } else {
        m_width = m_memory;
        m_memory = 0;
    }
}

int SideBarState::stripWidth(int shownWidth)
{
    // One pixel of the panel stays beside the button.
    return std::clamp(shownWidth - 1 - ButtonWidth, 2, StripWidth);
}

bool SideBarState::onResizeStrip(int x, int buttonLeft)
{
    return x > buttonLeft + StripOffset;
}

void SideBarState::press(int x, int buttonLeft)
{
    m_drag = onResizeStrip(x, buttonLeft);
}

bool SideBarState::release(int x)
{
    // The flag stays set: the next press decides anew.
    if (!m_drag)
        return false;
    const int width = std::max(x, MinimumWidth);
    const bool changed = width != m_width;
    m_width = width;
    return changed;
}

int SideBarState::storedMemory(int available) const
{
    if (m_memory == 0)
        return 0;
    return std::clamp(m_memory, MinimumWidth, std::max(MinimumWidth, available));
}
