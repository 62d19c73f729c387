// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/MozCtlApi.h"

#include <webkit2/webkit2.h>

/// The module's downloads: the context's downloads reported to the host's handler, each
/// written where the host says (MozCtlApi::setDownloadHandler and the two calls after it).
namespace MozCtlDownloads {

/// Follows the downloads of \a context; call once, after the context is made.
void watch(WebKitWebContext *context);
/// A response decision of a view: a main-frame response the engine cannot show, or one sent as
/// an attachment, becomes a download while the host takes downloads. TRUE when decided here.
gboolean decideResponse(WebKitPolicyDecision *decision);

void setHandler(const MozCtlDownloadEvents *events, void *context);
void setDestination(MozCtlDownload *download, const char *path);
void cancel(MozCtlDownload *download);

} // namespace MozCtlDownloads
