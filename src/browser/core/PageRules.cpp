// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/PageRules.h"

namespace PageRules {

QString cleanAddress(const QString &url)
{
    QString result = url;
    if (result.startsWith(QLatin1String("ttp://")))
        result = QLatin1String("h") + result;
    if (result.startsWith(QLatin1String("www")))
        result = QLatin1String("http://") + result;
    return result;
}

bool tabLimitReached(bool len, int maxLen, int tabCount)
{
    return len && tabCount == (maxLen & 0xFF);
}

int imageOf(EngineKind kind)
{
    return kind == EngineKind::IE ? ImageIE : ImageGecko;
}

bool moveOpensNewWindow(int addressBarMode, bool anyWindowOpen)
{
    return !anyWindowOpen || (addressBarMode & 0xFF) == 1;
}

QString newWindowCaption(EngineKind defaultEngine)
{
    return defaultEngine == EngineKind::IE ? QStringLiteral("Internet Explorer")
                                           : QStringLiteral("Gecko");
}

QString newWindowAddress(EngineKind defaultEngine)
{
    return defaultEngine == EngineKind::IE ? QString() : QStringLiteral("about:blank");
}

} // namespace PageRules
