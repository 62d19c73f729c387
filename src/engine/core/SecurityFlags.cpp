// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "SecurityFlags.h"

#include "IniFile.h"

SecurityFlags SecurityFlags::LoadSecurityFlags(const IniFile &ini)
{
    const QString security = QStringLiteral("Option_Security");
    const QString multimedia = QStringLiteral("Option_Multimedia");
    SecurityFlags flags;
    flags.Java = ini.ReadBool(security, QStringLiteral("Java"), false);
    flags.Script = ini.ReadBool(security, QStringLiteral("Script"), false);
    flags.ActiveX = ini.ReadBool(security, QStringLiteral("ActiveX"), false);
    flags.Image = ini.ReadBool(multimedia, QStringLiteral("Image"), false);
    flags.BGM = ini.ReadBool(multimedia, QStringLiteral("BGM"), false);
    flags.Video = ini.ReadBool(multimedia, QStringLiteral("Video"), false);
    return flags;
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
