// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <cstddef>

/// Japanese pages that name no character set: WebKit reads them in its default (UTF-8) and has
/// no detector of its own for the other Japanese encodings.
namespace CharsetSniffer {

/// True when the start of an HTML document names its character set in a meta tag.
bool declaresCharset(const char *data, size_t length);

/// The encoding that \a data (an undeclared document) is written in when it is Shift_JIS,
/// EUC-JP or ISO-2022-JP; null for UTF-8, plain ASCII and anything else.
const char *detectJapanese(const char *data, size_t length);

} // namespace CharsetSniffer
