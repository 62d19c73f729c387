// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QString>

/// Shift_JIS (CP932) on disk, QString in memory, through iconv.
/// Bytes that are not valid Shift_JIS (including a multi-byte sequence cut off at the end)
/// decode to the escape characters U+DC80..U+DCFF (byte 0xNN -> U+DCNN, one per byte) and
/// encode back to the same bytes, so such text survives a read-then-write unchanged.
/// Characters that CP932 cannot hold (and other lone surrogates) encode as "?".
/// CP932 has second codes for a few characters (NEC-selected IBM extensions, e.g. 0x879B and
/// 0x81BE are both U+222A); those decode to the character and encode to its first code.
namespace SjisCodec {

QString decode(const QByteArray &bytes);
QString decode(const char *data, qsizetype size);
QByteArray encode(const QString &text);

} // namespace SjisCodec
