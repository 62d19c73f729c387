// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "OptionGroups.h"

#include <QString>

/// What the options dialog changes on the main window at once, when a box is ticked or OK is
/// pressed. The main window implements it; the dialog knows nothing else of it.
class TOptionsTarget
{
public:
    virtual ~TOptionsTarget() = default;

    virtual QString programFolder() const = 0;
    /// "Geckoを使用する": the Gecko engine item and the engine switch button follow it; with
    /// Gecko off, new windows get IE again when Gecko was their engine.
    virtual void setGeckoEnabled(bool on) = 0;
    /// The tab strip: a fixed tab width (0: each tab as wide as its text) and the tab type.
    virtual void applyTabStrip(int fixedWidth, int tabType) = 0;
    /// The ticks of the six security and multimedia switches; open windows keep their flags.
    virtual void setSwitchTicks(const OptionGroups::Security &ticks) = 0;
};
