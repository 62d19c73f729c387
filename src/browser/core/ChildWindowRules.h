// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/EngineKind.h"

/// The navigation button states a page window keeps for itself and puts back on the main
/// window whenever it is the active window.
struct CommandStates
{
    bool back = false;
    bool forward = false;
    bool stop = false;
    bool reload = false;
};

/// What a progress report does to the progress bar and to the window's Stop state.
struct ProgressResult
{
    int bar = 0;
    bool stop = false;
};

/// The rules of the page windows' engine reports, as functions of their inputs.
namespace ChildWindowRules {

/// The bar keeps within 0..100 whatever it is given.
int clampBar(int value);

/// A progress report (\a progress of \a progressMax) with the bar at \a bar.
/// IE: bar := progress * 100 / max when max is not 0; 0 when both are 0; else unchanged;
/// a bar at 100 (the load has ended) drops to 0.
/// Gecko: bar := progress * 100 / max when both are non-zero; then 100 drops to 0.
/// Stop follows the loading state for both kinds: IE while 0 <= progress < max, Gecko while
/// the bar is not at its end.
ProgressResult progress(EngineKind kind, int progress, int progressMax, int bar);

/// A command-state report: 1 forward, 2 back, every other command only sets reload.
void commandState(CommandStates *states, int command, bool enable);

} // namespace ChildWindowRules
