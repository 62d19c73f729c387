// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/DownLoadPolicy.h"

#include <QStringList>

DownLoadPolicy DownLoadPolicy::of(const TDownLoadControl &set)
{
    DownLoadPolicy policy;
    policy.loadImages = set.contains(CS_Images);
    policy.loadMedia = set.contains(CS_Videos);
    policy.muted = !set.contains(CS_BGSounds);
    policy.runScripts = !set.contains(CS_NoScripts);
    policy.plugins = !set.contains(CS_NoJava) && !set.contains(CS_NoActiveXRun);
    policy.loadObjects = !set.contains(cs_NoActiveXDownLoad);
    policy.revalidate = set.contains(CS_ReSynchronize);
    policy.bypassCache = set.contains(CS_NoCash);
    policy.loadFrames = !set.contains(CS_NoFrame);
    policy.offline = set.contains(CS_ForceOffLine);
    policy.followClientPull = !set.contains(CS_NoClientPull);
    policy.silent = set.contains(CS_Silent);
    return policy;
}

bool DownLoadPolicy::refuses(Resource resource, const QString &scheme) const
{
    static const QStringList network = {QStringLiteral("http"), QStringLiteral("https"),
                                        QStringLiteral("ftp"), QStringLiteral("ws"),
                                        QStringLiteral("wss")};
    if (offline && network.contains(scheme.toLower()))
        return true;
    switch (resource) {
    case Resource::SubFrame:
        return !loadFrames;
    case Resource::Image:
        return !loadImages;
    case Resource::Media:
        return !loadMedia;
    case Resource::Object:
        return !loadObjects;
    case Resource::MainFrame:
    case Resource::Other:
        break;
    }
    return false;
}
