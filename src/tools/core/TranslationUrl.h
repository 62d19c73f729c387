// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

/// The address of a page's web translation, English into Japanese.
namespace TranslationUrl {

/// \a host (scheme and host, e.g. "http://honyaku.example") with the service's fixed path and
/// query around \a address: its scheme, http or https, percent-encoded with its "://", then the
/// rest as it stands. \a frameMode (the "Translate" setting) picks the display mode: 2 when
/// true, 3 when false. Empty for an address of any other scheme: no page of the web.
QString build(const QString &host, const QString &address, bool frameMode);

} // namespace TranslationUrl
