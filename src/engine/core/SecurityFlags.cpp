// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/SecurityFlags.h"

#include "settings/IniFile.h"
#include "settings/OptionGroups.h"

SecurityFlags SecurityFlags::LoadSecurityFlags(const IniFile &ini)
{
    const OptionGroups::Security s = OptionGroups::ReadSecurity(ini);
    return SecurityFlags{s.Java, s.Script, s.ActiveX, s.Image, s.BGM, s.Video};
}

SecurityFlags SecurityFlags::LoadSecurityFlags()
{
    return LoadSecurityFlags(IniFile::config());
}

TDownLoadControl SecurityFlags::ApplySecurityFlags(const SecurityFlags &flags)
{
    TDownLoadControl set;
    if (!flags.Java)
        set.include(CS_NoJava);
    if (!flags.Script)
        set.include(CS_NoScripts);
    if (!flags.ActiveX) {
        set.include(CS_NoActiveXRun);
        set.include(cs_NoActiveXDownLoad);
    }
    if (flags.Image)
        set.include(CS_Images);
    if (flags.BGM)
        set.include(CS_BGSounds);
    if (flags.Video)
        set.include(CS_Videos);
    return set;
}
