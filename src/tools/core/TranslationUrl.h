// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

/// The address of a page's web translation, English into Japanese.
namespace TranslationUrl {

/// \a host (scheme and host, e.g. "http://honyaku.example") with the service's fixed path and
/// query around \a address. The first seven characters of \a address are dropped whatever they
/// are (they are taken to be "http://"); the rest goes in as it stands. \a frameMode (the
/// "Translate" setting) picks the display mode: 2 when true, 3 when false.
QString build(const QString &host, const QString &address, bool frameMode);

} // namespace TranslationUrl
