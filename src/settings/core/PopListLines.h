// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>
#include <QStringList>

/// The lines of CloseURL.txt as an edit box shows them, and back. Bytes that are not
/// Shift_JIS show as U+FFFD; a line the user left as shown is written back as it was read, so
/// its bytes survive the round trip.
class PopListLines
{
public:
    explicit PopListLines(const QStringList &fileLines = {});

    /// The lines as read.
    const QStringList &lines() const { return m_lines; }
    /// The text to show: the lines joined with "\n".
    QString text() const;
    /// The lines to save for the edited \a shown text: a line equal to what was shown for a
    /// file line is that file line again (lines shown alike in their order).
    QStringList linesFor(const QString &shown) const;

    /// What the box shows for one file line.
    static QString display(const QString &line);

private:
    QStringList m_lines;
    /// Indices of the lines that show differently from what they hold.
    QList<qsizetype> m_changed;
};
