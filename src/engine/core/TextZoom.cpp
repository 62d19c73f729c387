// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/TextZoom.h"

qreal TextZoom::factor(int size)
{
    static constexpr qreal kFactor[] = {0.75, 0.9, 1.0, 1.2, 1.5};
    return isValid(size) ? kFactor[size] : 1.0;
}
