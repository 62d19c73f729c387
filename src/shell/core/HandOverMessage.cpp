// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/HandOverMessage.h"

#include <QtEndian>

namespace HandOverMessage {

namespace {
const char Magic[4] = {'D', 'R', 'V', 'H'};

void appendBigEndian(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}
} // namespace

QByteArray encode(quint32 value, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (utf8.size() > MaxTextBytes)
        return QByteArray();
    QByteArray out;
    out.reserve(HeaderBytes + utf8.size());
    out.append(Magic, 4);
    appendBigEndian(out, value);
    appendBigEndian(out, quint32(utf8.size()));
    out.append(utf8);
    return out;
}

Parsed decode(const QByteArray &received)
{
    Parsed parsed;
    const int magicSeen = int(qMin<qsizetype>(received.size(), 4));
    if (received.left(magicSeen) != QByteArray(Magic, magicSeen)) {
        parsed.status = Status::Malformed;
        return parsed;
    }
    if (received.size() < HeaderBytes)
        return parsed;
    const quint32 length = qFromBigEndian<quint32>(received.constData() + 8);
    if (length > quint32(MaxTextBytes)) {
        parsed.status = Status::Malformed;
        return parsed;
    }
    const qsizetype total = HeaderBytes + qsizetype(length);
    if (received.size() < total)
        return parsed;
    if (received.size() > total) {
        parsed.status = Status::Malformed;
        return parsed;
    }
    parsed.status = Status::Complete;
    parsed.value = qFromBigEndian<quint32>(received.constData() + 4);
    // The text is an argument of a command line, which ends at a NUL: a NUL in an address
    // would also end every list file it is written to.
    const char *text = received.constData() + HeaderBytes;
    parsed.text = QString::fromUtf8(text, qsizetype(qstrnlen(text, length)));
    return parsed;
}

} // namespace HandOverMessage
