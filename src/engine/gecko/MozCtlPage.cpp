// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The WebKit module's views and their pages: settings of their own, script dialogs and the
// character set of pages that name none.
#include "MozCtlView.h"

#include "common/JapaneseCharset.h"

#include <algorithm>
#include <cstring>

namespace {

struct CharsetCheck
{
    MozCtlView *view;
    GCancellable *cancel;
    std::string uri;
};

void onMainData(GObject *source, GAsyncResult *result, gpointer data)
{
    auto *check = static_cast<CharsetCheck *>(data);
    gsize length = 0;
    guchar *bytes =
        webkit_web_resource_get_data_finish(WEBKIT_WEB_RESOURCE(source), result, &length, nullptr);
    MozCtlView *v = check->view;
    if (bytes && !g_cancellable_is_cancelled(check->cancel) &&
        MozCtlPage::currentUri(v) == check->uri &&
        JapaneseCharset::declared(reinterpret_cast<const char *>(bytes), qsizetype(length))
            .isEmpty()) {
        if (const char *charset =
                JapaneseCharset::detect(reinterpret_cast<const char *>(bytes), qsizetype(length))) {
            // The view's default applies to this page only: the next address gets UTF-8 back.
            v->recoded = check->uri;
            webkit_settings_set_default_charset(webkit_web_view_get_settings(v->web), charset);
            webkit_web_view_reload(v->web);
        }
    }
    g_free(bytes);
    g_object_unref(check->cancel);
    delete check;
}

} // namespace

namespace MozCtlPage {

const char *currentUri(MozCtlView *v)
{
    const char *uri = webkit_web_view_get_uri(v->web);
    return uri ? uri : "";
}

void examineCharset(MozCtlView *v, const std::string &uri)
{
    if (v->recoded == uri)
        return;
    WebKitWebResource *resource = webkit_web_view_get_main_resource(v->web);
    WebKitURIResponse *response = resource ? webkit_web_resource_get_response(resource) : nullptr;
    if (!response)
        return;
    const char *mime = webkit_uri_response_get_mime_type(response);
    if (!mime || (std::strcmp(mime, "text/html") != 0 && std::strcmp(mime, "text/plain") != 0))
        return;
    if (SoupMessageHeaders *headers = webkit_uri_response_get_http_headers(response)) {
        GHashTable *params = nullptr;
        soup_message_headers_get_content_type(headers, &params);
        const bool named = params && g_hash_table_lookup(params, "charset");
        if (params)
            g_hash_table_destroy(params);
        if (named)
            return;
    }
    auto *check = new CharsetCheck{v, v->cancel, uri};
    g_object_ref(check->cancel);
    webkit_web_resource_get_data(resource, v->cancel, onMainData, check);
}

gboolean onScriptDialog(WebKitWebView *, WebKitScriptDialog *dialog, MozCtlView *v)
{
    if (v->dead || !v->events.scriptDialog)
        return FALSE;
    int kind = 0;
    switch (webkit_script_dialog_get_dialog_type(dialog)) {
    case WEBKIT_SCRIPT_DIALOG_ALERT:
        kind = 0;
        break;
    case WEBKIT_SCRIPT_DIALOG_CONFIRM:
        kind = 1;
        break;
    case WEBKIT_SCRIPT_DIALOG_PROMPT:
        kind = 2;
        break;
    default:
        return FALSE; // leaving the page: WebKit asks itself
    }
    webkit_script_dialog_ref(dialog);
    v->dialogs.push_back(dialog);
    const char *defaultText =
        kind == 2 ? webkit_script_dialog_prompt_get_default_text(dialog) : nullptr;
    v->events.scriptDialog(v->owner, dialog, kind, webkit_script_dialog_get_message(dialog),
                           defaultText ? defaultText : "");
    return TRUE;
}

void endDialog(WebKitScriptDialog *dialog, bool accepted, const char *text)
{
    switch (webkit_script_dialog_get_dialog_type(dialog)) {
    case WEBKIT_SCRIPT_DIALOG_CONFIRM:
        webkit_script_dialog_confirm_set_confirmed(dialog, accepted);
        break;
    case WEBKIT_SCRIPT_DIALOG_PROMPT:
        // A cancelled prompt gives the page null: no text is set.
        if (accepted)
            webkit_script_dialog_prompt_set_text(dialog, text ? text : "");
        break;
    default:
        break;
    }
    webkit_script_dialog_close(dialog);
    webkit_script_dialog_unref(dialog);
}

void takeOwnSettings(MozCtlView *v)
{
    if (v->ownSettings)
        return;
    GObject *shared = G_OBJECT(webkit_web_view_get_settings(v->web));
    GObject *own = G_OBJECT(webkit_settings_new());
    guint count = 0;
    GParamSpec **properties = g_object_class_list_properties(G_OBJECT_GET_CLASS(shared), &count);
    for (guint i = 0; i < count; ++i) {
        const GParamFlags flags = properties[i]->flags;
        if ((flags & G_PARAM_READWRITE) != G_PARAM_READWRITE ||
            (flags & (G_PARAM_CONSTRUCT_ONLY | G_PARAM_DEPRECATED)))
            continue;
        GValue value = G_VALUE_INIT;
        g_value_init(&value, properties[i]->value_type);
        g_object_get_property(shared, properties[i]->name, &value);
        g_object_set_property(own, properties[i]->name, &value);
        g_value_unset(&value);
    }
    g_free(properties);
    webkit_web_view_set_settings(v->web, WEBKIT_SETTINGS(own));
    g_object_unref(own);
    v->ownSettings = true;
}

void setPageControls(MozCtlView *v, unsigned int controls)
{
    if (!v || v->dead)
        return;
    takeOwnSettings(v);
    WebKitSettings *settings = webkit_web_view_get_settings(v->web);
    if (controls & MOZCTL_NO_SCRIPTS)
        webkit_settings_set_enable_javascript_markup(settings, FALSE);
    if (controls & MOZCTL_NO_IMAGES)
        webkit_settings_set_auto_load_images(settings, FALSE);
    if (controls & MOZCTL_NO_CACHE)
        webkit_settings_set_enable_page_cache(settings, FALSE);
    v->noClientPull = controls & MOZCTL_NO_CLIENT_PULL;
}

void answerDialog(MozCtlView *v, void *dialog, int accepted, const char *text)
{
    if (!v || v->dead)
        return;
    const auto it = std::find(v->dialogs.begin(), v->dialogs.end(), dialog);
    if (it == v->dialogs.end())
        return;
    v->dialogs.erase(it);
    endDialog(static_cast<WebKitScriptDialog *>(dialog), accepted, text);
}

namespace {

void onCountedMatches(WebKitFindController *, guint count, MozCtlView *v)
{
    if (v->findCounts.empty())
        return;
    const std::pair<MozCtlCountDone, void *> call = v->findCounts.front();
    v->findCounts.pop_front();
    call.first(call.second, int(count));
}

} // namespace

void findText(MozCtlView *v, const char *text, int backwards, MozCtlCountDone done, void *context)
{
    WebKitFindController *find = webkit_web_view_get_find_controller(v->web);
    if (!v->findConnected) {
        g_signal_connect(find, "counted-matches", G_CALLBACK(onCountedMatches), v);
        v->findConnected = true;
    }
    if (!text || !*text) {
        v->findText.clear();
        webkit_find_controller_search_finish(find);
        done(context, 0);
        return;
    }
    const guint32 options = WEBKIT_FIND_OPTIONS_CASE_INSENSITIVE | WEBKIT_FIND_OPTIONS_WRAP_AROUND;
    if (v->findText == text) {
        if (backwards)
            webkit_find_controller_search_previous(find);
        else
            webkit_find_controller_search_next(find);
    } else {
        v->findText = text;
        webkit_find_controller_search(
            find, text, options | (backwards ? WEBKIT_FIND_OPTIONS_BACKWARDS : 0), G_MAXUINT);
    }
    // Counted apart: the search reports only whether it found the next match.
    v->findCounts.emplace_back(done, context);
    webkit_find_controller_count_matches(find, text, options, G_MAXUINT);
}

void endFind(MozCtlView *v)
{
    if (v->findConnected)
        g_signal_handlers_disconnect_by_data(webkit_web_view_get_find_controller(v->web), v);
    while (!v->findCounts.empty()) {
        const std::pair<MozCtlCountDone, void *> call = v->findCounts.front();
        v->findCounts.pop_front();
        call.first(call.second, -1);
    }
}

} // namespace MozCtlPage
