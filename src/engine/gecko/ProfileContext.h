// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "settings/GeckoPrefs.h"

#include <webkit2/webkit2.h>

#include <string>

/// The engine's web context, made once from its profile: data (cookies, cache, local storage)
/// in the profile folder, and the preferences of its prefs.js.
namespace ProfileContext {

/// The profile base folder, from the host before the engine starts.
void setBase(const char *base);
/// The context for every view. The profile folder is made at the first start ("default" with
/// an empty prefs.js). WebKit's default context when there is no base folder or no profile
/// folder can be had.
WebKitWebContext *make();
/// A new context that keeps nothing on disk (no cookies, cache or storage), with the cookie
/// policy and proxies of prefs.js; call after make().
WebKitWebContext *makePrivate();
/// After make(): the profile folder in use with a trailing "/", "" when none.
const std::string &folder();
/// After make(): what prefs.js asked for (the defaults when it could not be read).
const GeckoPrefs::EngineSettings &prefs();

} // namespace ProfileContext
