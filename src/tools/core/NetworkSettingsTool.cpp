// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "tools/NetworkSettingsTool.h"

#include <QStandardPaths>

namespace NetworkSettingsTool {

Command find(const QStringList &searchPaths)
{
    const Command candidates[] = {
        {QStringLiteral("gnome-control-center"), {QStringLiteral("network")}},
        {QStringLiteral("systemsettings"), {QStringLiteral("kcm_proxy")}},
        {QStringLiteral("systemsettings5"), {QStringLiteral("proxy")}},
        {QStringLiteral("nm-connection-editor"), {}},
    };
    for (const Command &candidate : candidates) {
        const QString path = QStandardPaths::findExecutable(candidate.program, searchPaths);
        if (!path.isEmpty())
            return {path, candidate.arguments};
    }
    return {};
}

} // namespace NetworkSettingsTool
