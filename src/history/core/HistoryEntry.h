// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

/// One visited address as the history keeps it, or a bookmark offered beside it.
struct HistoryEntry
{
    QString url;
    QString title;
    /// Loads of the address; 0 for a bookmark never visited.
    int visits = 0;
    /// The last load, in milliseconds since the epoch (UTC); 0 for none.
    qint64 lastVisit = 0;
    bool bookmarked = false;
};
