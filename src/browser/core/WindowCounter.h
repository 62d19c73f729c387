// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

/// Window IDs of one run: the first window gets 0, IDs are never reused.
class WindowCounter
{
public:
    /// The ID of the next window; advances the counter.
    int next() { return ++m_value; }
    /// -1 before the first window.
    int value() const { return m_value; }

private:
    int m_value = -1;
};
