// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>

/// The character set of Japanese text that does not say it: WebKit pages that name none (WebKit
/// reads them in its default, UTF-8, and has no detector of its own for the other Japanese
/// encodings) and imported bookmark files.
namespace JapaneseCharset {

/// How far into an HTML document a declaration counts: the first 1024 bytes, where browsers
/// look for one.
inline constexpr qsizetype DeclarationWindow = 1024;

/// The character set that a meta tag in the first DeclarationWindow bytes of an HTML document
/// names (`<meta charset=...>` or the http-equiv content type), as written; empty when none does.
QByteArray declared(const char *data, qsizetype length);

/// The Japanese encoding \a data is written in: "ISO-2022-JP", "Shift_JIS" or "EUC-JP". Null for
/// seven-bit text without JIS escapes, for valid UTF-8 and for text that the detector takes for
/// Latin-1 (a Western page).
const char *detect(const char *data, qsizetype length);

} // namespace JapaneseCharset
