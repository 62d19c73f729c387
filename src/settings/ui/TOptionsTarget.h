// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "settings/OptionGroups.h"

#include <QString>

class QWidget;

/// What the options dialog needs of the main window: what it changes there at once, when a
/// box is ticked or OK is pressed, and the folder picker of the tools. The main window
/// implements it; the dialog knows nothing else of it.
class TOptionsTarget
{
public:
    virtual ~TOptionsTarget() = default;

    virtual QString programFolder() const = 0;
    /// "Geckoを使用する": the Gecko engine item and the engine switch button follow it; with
    /// Gecko off, new windows get IE again when Gecko was their engine.
    virtual void setGeckoEnabled(bool on) = 0;
    /// The tab strip: a fixed tab width (0: each tab as wide as its text; -1 leaves the width
    /// as it is) and the tab type.
    virtual void applyTabStrip(int fixedWidth, int tabType) = 0;
    /// The ticks of the six security and multimedia switches; open windows keep their flags.
    virtual void setSwitchTicks(const OptionGroups::Security &ticks) = 0;
    /// Lets the user pick a folder in a dialog over \a owner with \a caption above the tree.
    /// True with \a folder set (empty for a place without a path) when one was chosen.
    virtual bool browseForFolder(QWidget *owner, const QString &caption, QString *folder) = 0;
};
