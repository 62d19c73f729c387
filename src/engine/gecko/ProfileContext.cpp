// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "ProfileContext.h"

#include "common/TextFile.h"
#include "settings/GeckoProfile.h"

#include <utility>

namespace {

std::string g_base;
std::string g_profile;
GeckoPrefs::EngineSettings g_prefs;

void applyProxies(WebKitWebsiteDataManager *data)
{
    if (!g_prefs.CustomProxy)
        return; // the desktop's settings
    // What the engine itself leaves alone by default.
    const char *direct[] = {"localhost", "127.0.0.1", "::1", nullptr};
    WebKitNetworkProxySettings *proxies = webkit_network_proxy_settings_new(nullptr, direct);
    const std::pair<const char *, const QByteArray *> schemes[] = {
        {"http", &g_prefs.HttpProxy}, {"ftp", &g_prefs.FtpProxy}, {"https", &g_prefs.SslProxy}};
    for (const auto &[scheme, uri] : schemes)
        if (!uri->isEmpty())
            webkit_network_proxy_settings_add_proxy_for_scheme(proxies, scheme, uri->constData());
    webkit_website_data_manager_set_network_proxy_settings(data, WEBKIT_NETWORK_PROXY_MODE_CUSTOM,
                                                           proxies);
    webkit_network_proxy_settings_free(proxies);
}

void applyCookiePolicy(WebKitWebsiteDataManager *data)
{
    WebKitCookieManager *cookies = webkit_website_data_manager_get_cookie_manager(data);
    switch (g_prefs.CookieBehavior) {
    case 0:
        webkit_cookie_manager_set_accept_policy(cookies, WEBKIT_COOKIE_POLICY_ACCEPT_ALWAYS);
        break;
    case 1:
        webkit_cookie_manager_set_accept_policy(cookies,
                                                WEBKIT_COOKIE_POLICY_ACCEPT_NO_THIRD_PARTY);
        break;
    case 2:
        webkit_cookie_manager_set_accept_policy(cookies, WEBKIT_COOKIE_POLICY_ACCEPT_NEVER);
        break;
    default:
        break;
    }
}

void applyCookies(WebKitWebsiteDataManager *data)
{
    WebKitCookieManager *cookies = webkit_website_data_manager_get_cookie_manager(data);
    webkit_cookie_manager_set_persistent_storage(cookies, (g_profile + "cookies.sqlite").c_str(),
                                                 WEBKIT_COOKIE_PERSISTENT_STORAGE_SQLITE);
    applyCookiePolicy(data);
}

} // namespace

namespace ProfileContext {

void setBase(const char *base)
{
    g_base = base ? base : "";
}

const std::string &folder()
{
    return g_profile;
}

const GeckoPrefs::EngineSettings &prefs()
{
    return g_prefs;
}

WebKitWebContext *make()
{
    if (g_base.empty())
        return webkit_web_context_get_default();
    const QString profile = GeckoProfile::EnsureProfile(QString::fromUtf8(g_base.c_str()));
    if (profile.isEmpty())
        return webkit_web_context_get_default();
    g_profile = profile.toStdString();
    QByteArray bytes;
    if (TextFile::readBytes(profile + QStringLiteral("prefs.js"), &bytes))
        g_prefs = GeckoPrefs::ReadEngineSettings(TextFile::splitByteLines(bytes));
    WebKitWebsiteDataManager *data = webkit_website_data_manager_new(
        "base-data-directory", g_profile.c_str(), "base-cache-directory",
        (g_profile + "cache").c_str(), nullptr);
    applyCookies(data);
    applyProxies(data);
    WebKitWebContext *context = webkit_web_context_new_with_website_data_manager(data);
    g_object_unref(data);
    return context;
}

WebKitWebContext *makePrivate()
{
    WebKitWebContext *context = webkit_web_context_new_ephemeral();
    WebKitWebsiteDataManager *data = webkit_web_context_get_website_data_manager(context);
    applyCookiePolicy(data);
    applyProxies(data);
    return context;
}

} // namespace ProfileContext
