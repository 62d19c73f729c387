// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QtGlobal>

/// The seven host options of an IE engine wrapper, with their defaults at creation.
struct HostOptions
{
    /// Keyboard accelerators reach the engine.
    bool IeEnableAccelerator = true;
    /// The engine's own context menu is suppressed.
    bool IeNoContext = false;
    bool IeSCROLL_hidden = false;
    bool IeNO3DBORDER = false;
    bool IeDontSCRIPT = false;
    bool IeNoBehavior = false;
    bool IeAutoComplete = true;

    /// The host-information flags the options stand for: 0x0004 no 3D border, 0x0008 no scroll
    /// bars, 0x0010 no script while inactive, 0x0400 override behaviour factory, 0x4000 forms
    /// auto-completion. IeNoContext and IeEnableAccelerator take no part. Defaults: 0x4000.
    quint32 hostInfoFlags() const;
};
