// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QStringList>

/// The last ten closed addresses, oldest first; duplicates and empty texts are kept.
class ClosedUrlList
{
public:
    static constexpr int MaxEntries = 10;

    /// Appends \a url; drops the oldest entry when more than ten are held.
    void append(const QString &url);
    const QStringList &entries() const { return m_entries; }
    /// Removes the newest entry and returns it; a null text when the list is empty.
    QString takeLast();

    /// Writes the list to Close.txt in the program folder. Throws DorvuError on failure.
    void save() const;

private:
    QStringList m_entries;
};
