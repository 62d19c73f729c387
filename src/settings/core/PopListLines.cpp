// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/PopListLines.h"

#include <QHash>

namespace {

/// The escape characters SjisCodec gives for bytes that are not Shift_JIS.
bool isEscape(char16_t c)
{
    return c >= 0xDC80 && c <= 0xDCFF;
}

bool needsDisplay(const QString &line)
{
    for (const QChar c : line) {
        if (isEscape(c.unicode()))
            return true;
    }
    return false;
}

} // namespace

PopListLines::PopListLines(const QStringList &fileLines)
    : m_lines(fileLines)
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (needsDisplay(m_lines.at(i)))
            m_changed.append(i);
    }
}

QString PopListLines::display(const QString &line)
{
    if (!needsDisplay(line))
        return line;
    QString shown = line;
    for (QChar &c : shown) {
        if (isEscape(c.unicode()))
            c = QChar::ReplacementCharacter;
    }
    return shown;
}

QString PopListLines::text() const
{
    if (m_changed.isEmpty())
        return m_lines.join(QLatin1Char('\n'));
    QStringList shown = m_lines;
    for (qsizetype i : m_changed)
        shown[i] = display(shown.at(i));
    return shown.join(QLatin1Char('\n'));
}

QStringList PopListLines::linesFor(const QString &shown) const
{
    // Split exactly as text() joined, so an empty last line survives as well.
    if (shown.isEmpty())
        return {};
    QStringList lines = shown.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    if (m_changed.isEmpty())
        return lines;
    // Lines that show alike are given back their file lines in order, so lines added or
    // removed elsewhere do not mix them up.
    QHash<QString, QList<qsizetype>> byDisplay;
    for (qsizetype i : m_changed)
        byDisplay[display(m_lines.at(i))].append(i);
    for (QString &line : lines) {
        if (!line.contains(QChar::ReplacementCharacter))
            continue;
        const auto found = byDisplay.find(line);
        if (found == byDisplay.end() || found->isEmpty())
            continue;
        line = m_lines.at(found->takeFirst());
    }
    return lines;
}
