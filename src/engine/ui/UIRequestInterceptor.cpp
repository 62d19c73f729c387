// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/UIRequestInterceptor.h"

#include "engine/DownLoadPolicy.h"

namespace {

DownLoadPolicy::Resource resourceOf(QWebEngineUrlRequestInfo::ResourceType type)
{
    using R = DownLoadPolicy::Resource;
    switch (type) {
    case QWebEngineUrlRequestInfo::ResourceTypeMainFrame:
    case QWebEngineUrlRequestInfo::ResourceTypeNavigationPreloadMainFrame:
        return R::MainFrame;
    case QWebEngineUrlRequestInfo::ResourceTypeSubFrame:
    case QWebEngineUrlRequestInfo::ResourceTypeNavigationPreloadSubFrame:
        return R::SubFrame;
    case QWebEngineUrlRequestInfo::ResourceTypeImage:
    case QWebEngineUrlRequestInfo::ResourceTypeFavicon:
        return R::Image;
    case QWebEngineUrlRequestInfo::ResourceTypeMedia:
        return R::Media;
    case QWebEngineUrlRequestInfo::ResourceTypeObject:
    case QWebEngineUrlRequestInfo::ResourceTypePluginResource:
        return R::Object;
    default:
        return R::Other;
    }
}

} // namespace

UIRequestInterceptor::UIRequestInterceptor(const DownLoadPolicy *policy, QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent)
    , m_policy(policy)
{}

void UIRequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    if (m_policy->refuses(resourceOf(info.resourceType()), info.requestUrl().scheme())) {
        info.block(true);
        return;
    }
    if (m_policy->bypassCache) {
        info.setHttpHeader("Pragma", "no-cache");
        info.setHttpHeader("Cache-Control", "no-cache");
    } else if (m_policy->revalidate) {
        info.setHttpHeader("Cache-Control", "max-age=0");
    }
}
