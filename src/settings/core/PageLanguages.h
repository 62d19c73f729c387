// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QByteArray>
#include <QLocale>
#include <QStringList>

/// The languages both engines ask sites for, and the one Chromium shows its own pages in.
namespace PageLanguages {

/// Japanese first, then English. A locale of another language (not C, not English: many
/// systems are English by default) goes before both: the user has said so.
QStringList forLocale(const QLocale &locale);
/// \a languages as an Accept-Language value: "ja,en;q=0.9", each later one weighted less.
QByteArray acceptLanguage(const QStringList &languages);

} // namespace PageLanguages
