// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QString>

/// The product's name and version, from the build's project version (the one place it is set).
namespace ProductInfo {

inline QString name()
{
    return QStringLiteral("Dorvu");
}

inline QString version()
{
    return QStringLiteral(DORVU_VERSION);
}

} // namespace ProductInfo
