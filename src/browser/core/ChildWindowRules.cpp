// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/ChildWindowRules.h"

#include <QtGlobal>

namespace ChildWindowRules {

int clampBar(int value)
{
    return qBound(0, value, 100);
}

static int percent(int progress, int progressMax)
{
    // 64 bits: engines report byte counts that overflow progress * 100 in 32 bits.
    return clampBar(int(qint64(progress) * 100 / progressMax));
}

ProgressResult progress(EngineKind kind, int progress, int progressMax, int bar)
{
    ProgressResult r;
    r.bar = clampBar(bar);
    if (kind == EngineKind::IE) {
        if (progressMax != 0)
            r.bar = percent(progress, progressMax);
        else if (progress == progressMax)
            r.bar = 0;
        // A finished or idle page (max 0, or progress at its end) has nothing to stop.
        r.stop = progressMax > 0 && progress >= 0 && progress < progressMax;
        // Chromium ends a load with progress == max; the bar empties as it does when a page
        // of the other engine is complete.
        if (r.bar == 100)
            r.bar = 0;
        return r;
    }
    if (progress != 0 && progressMax != 0)
        r.bar = percent(progress, progressMax);
    if (r.bar == 100) {
        r.bar = 0;
        r.stop = false;
    } else {
        r.stop = true;
    }
    return r;
}

void commandState(CommandStates *states, int command, bool enable)
{
    if (command == 1)
        states->forward = enable;
    else if (command == 2)
        states->back = enable;
    states->reload = true;
}

} // namespace ChildWindowRules
