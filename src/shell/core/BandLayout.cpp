// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/BandLayout.h"

#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"

#include <algorithm>

namespace Bar = SettingsKeys::Bar;

BandLayout::Stored BandLayout::read(const IniFile &ini)
{
    Stored stored;
    for (int p = 0; p < StoredCount; ++p) {
        stored.at[p].id = SettingsKeys::read(ini, Bar::BandID[p]);
        stored.at[p].width = SettingsKeys::read(ini, Bar::BandWidth[p]);
        stored.at[p].rowBreak = SettingsKeys::read(ini, Bar::BandBreak[p]);
    }
    return stored;
}

void BandLayout::write(IniFile &ini, const QList<Band> &bands)
{
    for (int p = 0; p < StoredCount && p < bands.size(); ++p) {
        SettingsKeys::write(ini, Bar::BandID[p], bands.at(p).id);
        SettingsKeys::write(ini, Bar::BandWidth[p], std::max(0, bands.at(p).width));
        SettingsKeys::write(ini, Bar::BandBreak[p], p == 0 || bands.at(p).rowBreak);
    }
}

QList<BandLayout::Band> BandLayout::restore(const Stored &stored)
{
    QList<Band> bands;
    for (int id = 0; id < BandCount; ++id)
        bands.append(Band{id, 0, true});
    for (int p = 0; p < StoredCount; ++p) {
        const Band &wanted = stored.at[p];
        const auto it = std::find_if(bands.begin(), bands.end(),
                                     [&wanted](const Band &b) { return b.id == wanted.id; });
        if (it != bands.end())
            bands.move(static_cast<int>(it - bands.begin()), p);
        bands[p].rowBreak = wanted.rowBreak;
        bands[p].width = wanted.width;
    }
    // The first band starts the first row whatever its flag says.
    bands[0].rowBreak = true;
    return bands;
}

int BandLayout::fitWidth(int width, int minimum, int available)
{
    return std::clamp(width, minimum, std::max(minimum, available));
}
