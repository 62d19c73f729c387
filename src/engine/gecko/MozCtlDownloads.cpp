// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "MozCtlDownloads.h"

#include <string>

struct MozCtlDownload
{
    WebKitDownload *download = nullptr;
    bool failed = false;
    std::string error;
    bool cancelled = false;
};

namespace {

MozCtlDownloadEvents g_events{};
void *g_context = nullptr;
bool g_handled = false;

long long announcedSize(WebKitDownload *download)
{
    WebKitURIResponse *response = webkit_download_get_response(download);
    const guint64 length = response ? webkit_uri_response_get_content_length(response) : 0;
    return length > 0 ? static_cast<long long>(length) : -1;
}

bool isAttachment(WebKitURIResponse *response)
{
    SoupMessageHeaders *headers = webkit_uri_response_get_http_headers(response);
    const char *value =
        headers ? soup_message_headers_get_one(headers, "Content-Disposition") : nullptr;
    if (!value)
        return false;
    while (*value == ' ' || *value == '\t')
        ++value;
    return g_ascii_strncasecmp(value, "attachment", 10) == 0;
}

// The host decides later (setDestination or cancel); the download waits meanwhile.
gboolean onDecideDestination(WebKitDownload *download, const gchar *suggested, MozCtlDownload *d)
{
    if (!g_handled || !g_events.started) {
        MozCtlDownloads::cancel(d);
        return TRUE;
    }
    WebKitURIRequest *request = webkit_download_get_request(download);
    const char *uri = request ? webkit_uri_request_get_uri(request) : nullptr;
    g_events.started(g_context, d, uri ? uri : "", suggested ? suggested : "",
                     announcedSize(download));
    return TRUE;
}

void onReceived(WebKitDownload *download, guint64, MozCtlDownload *d)
{
    if (g_handled && g_events.progress)
        g_events.progress(
            g_context, d,
            static_cast<long long>(webkit_download_get_received_data_length(download)),
            announcedSize(download));
}

void onFailed(WebKitDownload *, GError *error, MozCtlDownload *d)
{
    d->failed = true;
    if (g_error_matches(error, WEBKIT_DOWNLOAD_ERROR, WEBKIT_DOWNLOAD_ERROR_CANCELLED_BY_USER))
        d->error = "cancelled";
    else
        d->error = error && error->message ? error->message : "";
}

void onFinished(WebKitDownload *download, MozCtlDownload *d)
{
    g_signal_handlers_disconnect_by_data(download, d);
    if (g_handled && g_events.finished)
        g_events.finished(g_context, d, d->failed ? 0 : 1, d->error.c_str());
    g_object_unref(download);
    delete d;
}

void onStarted(WebKitWebContext *, WebKitDownload *download, gpointer)
{
    auto *d = new MozCtlDownload;
    d->download = download;
    g_object_ref(download);
    g_signal_connect(download, "decide-destination", G_CALLBACK(onDecideDestination), d);
    g_signal_connect(download, "received-data", G_CALLBACK(onReceived), d);
    g_signal_connect(download, "failed", G_CALLBACK(onFailed), d);
    g_signal_connect(download, "finished", G_CALLBACK(onFinished), d);
}

} // namespace

namespace MozCtlDownloads {

void watch(WebKitWebContext *context)
{
    g_signal_connect(context, "download-started", G_CALLBACK(onStarted), nullptr);
}

gboolean decideResponse(WebKitPolicyDecision *decision)
{
    auto *response = WEBKIT_RESPONSE_POLICY_DECISION(decision);
    if (!g_handled || !webkit_response_policy_decision_is_main_frame_main_resource(response))
        return FALSE;
    if (webkit_response_policy_decision_is_mime_type_supported(response) &&
        !isAttachment(webkit_response_policy_decision_get_response(response)))
        return FALSE;
    webkit_policy_decision_download(decision);
    return TRUE;
}

void setHandler(const MozCtlDownloadEvents *events, void *context)
{
    g_handled = events != nullptr;
    g_events = events ? *events : MozCtlDownloadEvents{};
    g_context = context;
}

void setDestination(MozCtlDownload *d, const char *path)
{
    // This interface of the engine takes the destination as a file URI.
    gchar *uri = g_filename_to_uri(path, nullptr, nullptr);
    if (!uri) {
        cancel(d);
        return;
    }
    webkit_download_set_allow_overwrite(d->download, FALSE);
    webkit_download_set_destination(d->download, uri);
    g_free(uri);
}

void cancel(MozCtlDownload *d)
{
    // A second cancel of one download brings the engine down.
    if (d->cancelled)
        return;
    d->cancelled = true;
    webkit_download_cancel(d->download);
}

} // namespace MozCtlDownloads
