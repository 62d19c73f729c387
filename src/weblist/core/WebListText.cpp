// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "weblist/WebListText.h"

#include "common/SjisCodec.h"
#include "common/WebListFile.h"

#include <QStringList>

WebListText::WebListText(const QByteArray &fileText)
    : m_lines(WebListFile::splitLines(fileText))
    , m_lineEndAtEnd(WebListFile::endsWithLineEnd(fileText))
{
    setShown(text());
}

QString WebListText::text() const
{
    QString text;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            text += QLatin1Char('\n');
        text += SjisCodec::decode(m_lines.at(i));
    }
    if (m_lineEndAtEnd)
        text += QLatin1Char('\n');
    return text;
}

void WebListText::setShown(const QString &shown)
{
    QStringList lines = shown.split(QLatin1Char('\n'));
    if (m_lineEndAtEnd || m_lines.isEmpty())
        lines.removeLast();
    m_original.clear();
    if (lines.size() != m_lines.size())
        return;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        // With two lines shown alike, the first one's bytes are kept for both.
        if (!m_original.contains(lines.at(i)))
            m_original.insert(lines.at(i), m_lines.at(i));
    }
}

QByteArray WebListText::encode(const QString &edited) const
{
    QByteArray bytes;
    const QStringList lines = edited.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            bytes += "\r\n";
        const QString &line = lines.at(i);
        const auto original = m_original.constFind(line);
        bytes += original != m_original.constEnd() ? *original : SjisCodec::encode(line);
    }
    return bytes;
}
