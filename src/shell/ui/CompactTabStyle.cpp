// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/CompactTabStyle.h"

int CompactTabStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                                 const QWidget *widget) const
{
    if (metric == PM_TabBarTabHSpace)
        return 8;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
