// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/ChromiumFlags.h"

#include "settings/PageLanguages.h"

#include <QList>
#include <QLocale>
#include <QtGlobal>

namespace ChromiumFlags {

QByteArray withProcessModel(const QByteArray &flags)
{
    const QList<QByteArray> models{"--single-process", "--process-per-tab", "--process-per-site",
                                   "--renderer-process-limit"};
    for (const QByteArray &flag : flags.split(' ')) {
        for (const QByteArray &model : models) {
            if (flag == model || flag.startsWith(QByteArray(model + '=')))
                return flags;
        }
    }
    const QByteArray trimmed = flags.trimmed();
    return trimmed.isEmpty() ? QByteArray("--process-per-site") : trimmed + " --process-per-site";
}

QByteArray withLanguage(const QByteArray &flags, const QString &language)
{
    for (const QByteArray &flag : flags.split(' ')) {
        if (flag.startsWith("--lang="))
            return flags;
    }
    const QByteArray trimmed = flags.trimmed();
    const QByteArray lang = "--lang=" + language.toLatin1();
    return trimmed.isEmpty() ? lang : trimmed + ' ' + lang;
}

void apply()
{
    const QString language = PageLanguages::forLocale(QLocale::system()).constFirst();
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            withLanguage(withProcessModel(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS")), language));
}

} // namespace ChromiumFlags
