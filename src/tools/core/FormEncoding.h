// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QString>

/// A text as the value of an HTML form sent by GET: each character in the form's character set,
/// every byte outside A-Z a-z 0-9 "*-._" as %XX, a space as "+". A character the set cannot
/// hold goes as a numeric character reference ("&#26481;"), as browsers send it; a lone
/// surrogate counts as U+FFFD.
namespace FormEncoding {

enum class Charset { Utf8, ShiftJis, EucJp };

/// "Shift_JIS" (also "SJIS", "CP932", "Windows-31J") and "EUC-JP", without regard to case;
/// anything else is UTF-8.
Charset charsetFromName(const QString &name);

/// The encoded value; ASCII only.
QByteArray encode(const QString &text, Charset charset);

} // namespace FormEncoding
