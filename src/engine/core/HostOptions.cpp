// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/HostOptions.h"

quint32 HostOptions::hostInfoFlags() const
{
    quint32 flags = 0;
    if (IeNO3DBORDER)
        flags |= 0x0004;
    if (IeSCROLL_hidden)
        flags |= 0x0008;
    if (IeDontSCRIPT)
        flags |= 0x0010;
    if (IeNoBehavior)
        flags |= 0x0400;
    if (IeAutoComplete)
        flags |= 0x4000;
    return flags;
}
