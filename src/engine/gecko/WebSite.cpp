// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "WebSite.h"

#include <glib.h>
#include <libsoup/soup.h>

namespace WebSite {

std::string of(const char *uri)
{
    GUri *parsed = uri ? g_uri_parse(uri, G_URI_FLAGS_NONE, nullptr) : nullptr;
    if (!parsed)
        return std::string();
    std::string site;
    const char *scheme = g_uri_get_scheme(parsed);
    const char *host = g_uri_get_host(parsed);
    if (host && *host) {
        gchar *lower = g_ascii_strdown(host, -1);
        const char *base = soup_tld_get_base_domain(lower, nullptr);
        site = std::string(scheme) + "://" + (base ? base : lower);
        g_free(lower);
    } else if (g_ascii_strcasecmp(scheme, "file") == 0) {
        site = "file://";
    }
    g_uri_unref(parsed);
    return site;
}

} // namespace WebSite
