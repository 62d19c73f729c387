// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QString>

/// Shift_JIS (CP932) on disk, QString in memory, through iconv.
/// Bytes that are not valid Shift_JIS decode to the escape characters U+DC80..U+DCFF (one per
/// byte) and encode back to the same bytes, so such text survives a read-then-write unchanged.
/// Characters that CP932 cannot hold encode as "?".
namespace SjisCodec {

QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);

} // namespace SjisCodec
