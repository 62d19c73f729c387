// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/CloseRules.h"

namespace CloseRules {

QList<int> allCloseNotMeTargets(int count, int keep)
{
    QList<int> targets;
    if (count <= 1)
        return targets;
    int target = 0;
    for (int i = 0; i <= count - 2; ++i) {
        if (i == keep)
            target = 1;
        targets.append(target);
    }
    return targets;
}

QString closedUrlCaption(int index, const QString &url)
{
    QString shown = url;
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QLatin1Char('&') + QString::number(index + 1) + QChar(0xFF0E) + shown;
}

} // namespace CloseRules
