// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/DownLoadControl.h"

namespace {

// The platform value of each flag, by set position. Positions 8..10 do not follow the order
// of the values: resynchronize is 0x2000, no-cache 0x4000, no-frame 0x1000.
constexpr quint32 kPlatformValue[] = {
    0x00000010, // CS_Images            DLCTL_DLIMAGES
    0x00000020, // CS_Videos            DLCTL_VIDEOS
    0x00000040, // CS_BGSounds          DLCTL_BGSOUNDS
    0x00000080, // CS_NoScripts         DLCTL_NO_SCRIPTS
    0x00000100, // CS_NoJava            DLCTL_NO_JAVA
    0x00000200, // CS_NoActiveXRun      DLCTL_NO_RUNACTIVEXCTLS
    0x00000400, // cs_NoActiveXDownLoad DLCTL_NO_DLACTIVEXCTLS
    0x00000800, // CS_DownLoadOnly      DLCTL_DOWNLOADONLY
    0x00002000, // CS_ReSynchronize     DLCTL_RESYNCHRONIZE
    0x00004000, // CS_NoCash            DLCTL_PRAGMA_NO_CACHE
    0x00001000, // CS_NoFrame           DLCTL_NO_FRAMEDOWNLOAD
    0x10000000, // CS_ForceOffLine      DLCTL_FORCEOFFLINE
    0x20000000, // CS_NoClientPull      DLCTL_NO_CLIENTPULL
    0x40000000, // CS_Silent            DLCTL_SILENT
    0x80000000, // CS_OffLine           DLCTL_OFFLINEIFNOTCONNECTED
};
static_assert(sizeof(kPlatformValue) / sizeof(kPlatformValue[0]) == CS_OffLine + 1,
              "one platform value per flag");

} // namespace

TDownLoadControl::TDownLoadControl(std::initializer_list<TDownLoadControlFlag> flags)
{
    for (const TDownLoadControlFlag flag : flags)
        include(flag);
}

quint32 TDownLoadControl::report() const
{
    quint32 value = 0;
    for (int position = CS_Images; position <= CS_OffLine; ++position) {
        if (contains(TDownLoadControlFlag(position)))
            value |= kPlatformValue[position];
    }
    return value;
}

TDownLoadControl TDownLoadControl::defaultSet()
{
    return {CS_Images, CS_Videos, CS_BGSounds};
}

TDownLoadControl TDownLoadControl::captureSet()
{
    return {CS_NoScripts,         CS_NoJava, CS_NoActiveXRun,
            cs_NoActiveXDownLoad, CS_NoCash, CS_NoClientPull};
}
