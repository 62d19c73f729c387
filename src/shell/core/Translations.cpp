// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool Translations::install(QCoreApplication *app)
{
    // "qt_ja" gathers the catalogues of every Qt module that has one.
    auto *translator = new QTranslator(app);
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    if (!translator->load(japanese, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
