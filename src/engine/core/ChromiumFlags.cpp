// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "ChromiumFlags.h"

#include <QList>
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
    return trimmed.isEmpty() ? QByteArray("--process-per-site")
                             : trimmed + " --process-per-site";
}

void apply()
{
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            withProcessModel(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS")));
}

} // namespace ChromiumFlags
