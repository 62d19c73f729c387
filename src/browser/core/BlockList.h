// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

/// Blocking of pop-ups and titles by the wildcard patterns of CloseURL.txt.
namespace BlockList {

/// False without touching any file while blocking ("Option_advertisemen"/"CloseURL") is off.
/// Otherwise CloseURL.txt is read afresh and every line is a pattern for MatchesMask.
/// Throws DorvuError when the file cannot be read; the caller's step is then abandoned.
/// Invalid patterns are skipped; the first check after the file's lines change throws one
/// DorvuError naming each of them (that check's step is abandoned), later checks do not.
bool IsBlockedURL(const QString &text);

/// Wildcard match of the whole \a text: "*", "?", sets "[a-z]" / "[!...]", ASCII letters
/// without regard to case. Throws DorvuError for an invalid pattern.
bool MatchesMask(const QString &text, const QString &pattern);

} // namespace BlockList
