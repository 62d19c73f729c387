// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <string>

/// Which pages count as one site when WebKit pages share their web processes.
namespace WebSite {

/// The site of \a uri: its scheme and registrable domain (the host itself for an IP address or
/// a name without one); "file://" for local files; empty for anything else, \a uri null too.
std::string of(const char *uri);

} // namespace WebSite
