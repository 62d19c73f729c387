// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QString>

/*
 * The hand-over message a second start sends to the running instance over its local socket:
 *   "DRVH"            4 bytes, magic
 *   value             quint32, big endian; the receiver acts only on 2
 *   length            quint32, big endian; at most MaxTextBytes
 *   text              length bytes, UTF-8: the second start's first argument (may be empty);
 *                     read up to its first NUL byte, if any
 * The receiver answers one Ack byte once it has handled the message (page opened, beep played).
 * Anything else (wrong magic, a longer length, trailing bytes) is malformed and dropped.
 */
namespace HandOverMessage {

constexpr quint32 OpenValue = 2;
constexpr int HeaderBytes = 12;
constexpr int MaxTextBytes = 256 * 1024;
constexpr char Ack = '\x06';

enum class Status { Incomplete, Complete, Malformed };

struct Parsed
{
    Status status = Status::Incomplete;
    quint32 value = 0;
    QString text;
};

/// The message for \a text; a text longer than MaxTextBytes in UTF-8 gives an empty array
/// (it could not be received).
QByteArray encode(quint32 value, const QString &text);
/// Looks at everything received so far on one connection.
Parsed decode(const QByteArray &received);

} // namespace HandOverMessage
