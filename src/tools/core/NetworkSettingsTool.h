// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QStringList>

/// The desktop's own network and proxy settings, which stand in for Internet Options.
namespace NetworkSettingsTool {

struct Command
{
    QString program; // a full path, empty when no tool was found
    QStringList arguments;
};

/// The first tool installed, in this order: GNOME Settings (network page), KDE Plasma 6 and 5
/// System Settings (proxy page), the NetworkManager connection editor (Xfce, LXQt and others).
/// \a searchPaths limits the search to those folders (tests); empty means $PATH.
Command find(const QStringList &searchPaths = QStringList());

} // namespace NetworkSettingsTool
