// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "tools/TranslationUrl.h"

namespace TranslationUrl {

QString build(const QString &host, const QString &address, bool frameMode)
{
    // The service is told the scheme apart from the rest, which goes in as it stands.
    QString scheme;
    for (const QString &known : {QStringLiteral("http"), QStringLiteral("https")}) {
        if (address.startsWith(known + QStringLiteral("://"), Qt::CaseInsensitive))
            scheme = known;
    }
    if (scheme.isEmpty())
        return QString();
    // The submit value is the Japanese for "translate web page", in Shift_JIS, percent-encoded.
    return host + QStringLiteral("/world/url/body/?wb_url=") + scheme +
           QStringLiteral("%3A%2F%2F") + address.mid(scheme.size() + 3) +
           QStringLiteral("&submit=%83E%83F%83u%83y%81%5B%83W%96%7C%96%F3&wb_lp=ENJA&wb_dis=") +
           (frameMode ? QStringLiteral("2") : QStringLiteral("3")) +
           QStringLiteral("&wb_co=lunarbeacon3");
}

} // namespace TranslationUrl
