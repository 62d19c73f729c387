// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/PageLanguages.h"

namespace PageLanguages {

QStringList forLocale(const QLocale &locale)
{
    QStringList languages;
    const QLocale::Language language = locale.language();
    if (language != QLocale::C && language != QLocale::AnyLanguage &&
        language != QLocale::English && language != QLocale::Japanese)
        languages.append(locale.bcp47Name());
    languages << QStringLiteral("ja") << QStringLiteral("en");
    return languages;
}

QByteArray acceptLanguage(const QStringList &languages)
{
    QByteArray value;
    for (qsizetype i = 0; i < languages.size(); ++i) {
        if (i > 0)
            value += ',';
        value += languages.at(i).toLatin1();
        // q runs 0.9, 0.8, ... and never reaches 0, which would refuse the language.
        if (i > 0)
            value += ";q=0." + QByteArray::number(qMax(1, 10 - int(i)));
    }
    return value;
}

} // namespace PageLanguages
