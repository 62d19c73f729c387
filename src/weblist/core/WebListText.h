// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

/// The web list editor's text together with the bytes it was loaded from. A line saved as it
/// was loaded keeps its bytes, also bytes that are no Shift_JIS and characters with a second
/// code; lines typed or changed are written in Shift_JIS. Lines are joined with CR LF, and the
/// text ends with a line end only when it did in the text area.
class WebListText
{
public:
    WebListText() = default;
    /// \a fileText: a file's text, already cut at its NUL (WebListFile::readText).
    explicit WebListText(const QByteArray &fileText);

    /// The lines, joined with "\n"; a line end at the end of the file is kept.
    QString text() const;
    /// Tells how the text area shows text(): it may show some characters otherwise (a no-break
    /// space as a space, say). Lines shown that way still stand for their own bytes.
    void setShown(const QString &shown);
    /// The bytes to save for \a edited, the text area's text with "\n" between lines.
    QByteArray encode(const QString &edited) const;

private:
    QList<QByteArray> m_lines;
    bool m_lineEndAtEnd = false;
    QHash<QString, QByteArray> m_original;
};
