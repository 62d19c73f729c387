// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The WebKit engine module: WebKitGTK views in undecorated GTK windows that the host embeds
// by X11 window id. See MozCtlApi.h for the contract.

#include "MozCtlDownloads.h"
#include "MozCtlView.h"
#include "ProfileContext.h"
#include "WebSite.h"
#include "engine/MozCtlApi.h"
#include "settings/PageLanguages.h"

#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using MozCtlPage::answerDialog;
using MozCtlPage::currentUri;
using MozCtlPage::endDialog;
using MozCtlPage::endFind;
using MozCtlPage::examineCharset;
using MozCtlPage::findText;
using MozCtlPage::onScriptDialog;
using MozCtlPage::setPageControls;

// A pending asynchronous call; it outlives its view and keeps quiet once the view is gone.
struct Pending
{
    MozCtlDone done;
    void *context;
    GCancellable *cancel;
};

MozCtlTextHandler g_clipboardHandler = nullptr;
void *g_clipboardContext = nullptr;
WebKitWebContext *g_context = nullptr;
// The private session's context while any private view lives.
WebKitWebContext *g_privateContext = nullptr;
int g_privateViews = 0;
// The views not yet destroyed, oldest first.
std::vector<MozCtlView *> g_views;

bool sandboxDisabledByEnvironment()
{
    const char *v = std::getenv("WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS");
    return v && std::strcmp(v, "1") == 0;
}

void onClipboardText(GtkClipboard *, const gchar *text, gpointer)
{
    if (text && g_clipboardHandler)
        g_clipboardHandler(g_clipboardContext, text);
}

// WebKit writes the clipboard through GTK in this process. A reader on another X connection
// of this same thread (the host's toolkit) would wait for an answer that only this thread can
// give, so the text is handed to the host, which then owns the clipboard itself.
void onClipboardOwnerChange(GtkClipboard *clipboard, GdkEvent *event, gpointer)
{
    GdkWindow *owner = event->owner_change.owner;
    if (!owner || gdk_window_get_window_type(owner) == GDK_WINDOW_FOREIGN)
        return;
    gpointer widget = nullptr;
    gdk_window_get_user_data(owner, &widget);
    if (!widget)
        return;
    gtk_clipboard_request_text(clipboard, onClipboardText, nullptr);
}

int clipboardOwnedByPage()
{
    GdkDisplay *display = gdk_display_get_default();
    if (!display)
        return 0;
    Display *xdisplay = GDK_DISPLAY_XDISPLAY(display);
    const Window owner = XGetSelectionOwner(xdisplay, XInternAtom(xdisplay, "CLIPBOARD", False));
    return owner != None && gdk_x11_window_lookup_for_display(display, owner) != nullptr;
}

void setProfileFolder(const char *base)
{
    ProfileContext::setBase(base);
}

const char *profileFolder()
{
    return ProfileContext::folder().c_str();
}

// What every web context of the module has, the private one too.
void prepareContext(WebKitWebContext *context)
{
    // Japanese first, as the other engine asks, not the C locale's English.
    std::vector<QByteArray> names;
    for (const QString &language : PageLanguages::forLocale(QLocale::system()))
        names.push_back(language.toLatin1());
    std::vector<const char *> list;
    for (const QByteArray &name : names)
        list.push_back(name.constData());
    list.push_back(nullptr);
    webkit_web_context_set_preferred_languages(context, list.data());
    MozCtlDownloads::watch(context);
    if (!sandboxDisabledByEnvironment())
        webkit_web_context_set_sandbox_enabled(context, TRUE);
}

int initialize(const char **error)
{
    static int state = 0; // 1 ready, -1 failed
    static const char *failure = nullptr;
    if (state == 0) {
        gdk_set_allowed_backends("x11");
        // gtk_init replaces the Xlib error handler; the host's must stay in force.
        XErrorHandler previous = XSetErrorHandler(nullptr);
        const gboolean ok = gtk_init_check(nullptr, nullptr);
        XSetErrorHandler(previous);
        if (!ok) {
            state = -1;
            failure = "GTK cannot open the X11 display";
        } else {
            g_context = ProfileContext::make();
            prepareContext(g_context);
            GtkClipboard *clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
            g_signal_connect(clipboard, "owner-change", G_CALLBACK(onClipboardOwnerChange),
                             nullptr);
            state = 1;
        }
    }
    if (state < 0 && error)
        *error = failure;
    return state > 0;
}

void setClipboardHandler(MozCtlTextHandler handler, void *context)
{
    g_clipboardHandler = handler;
    g_clipboardContext = context;
}

void onTitle(WebKitWebView *web, GParamSpec *, MozCtlView *v)
{
    const char *title = webkit_web_view_get_title(web);
    if (!v->dead && title && *title && v->events.titleChanged)
        v->events.titleChanged(v->owner, title);
}

void onProgress(WebKitWebView *web, GParamSpec *, MozCtlView *v)
{
    if (!v->dead && v->events.progress)
        v->events.progress(v->owner, webkit_web_view_get_estimated_load_progress(web));
}

void onIsLoading(WebKitWebView *web, GParamSpec *, MozCtlView *v)
{
    const bool loading = webkit_web_view_is_loading(web);
    if (loading == v->loading)
        return;
    v->loading = loading;
    if (loading) {
        v->finished = false;
        return;
    }
    // A navigation refused by policy, or cut short, ends without FINISHED.
    if (!v->finished && !v->dead && v->events.progress)
        v->events.progress(v->owner, 1.0);
}

void onMouseTarget(WebKitWebView *, WebKitHitTestResult *hit, guint, MozCtlView *v)
{
    const char *link = webkit_hit_test_result_context_is_link(hit)
                           ? webkit_hit_test_result_get_link_uri(hit)
                           : nullptr;
    std::string text = link ? link : "";
    if (text == v->status)
        return;
    v->status = text;
    if (!v->dead && v->events.statusText)
        v->events.statusText(v->owner, text.c_str());
}

void onHistory(WebKitBackForwardList *, WebKitBackForwardListItem *, gpointer, MozCtlView *v)
{
    if (!v->dead && v->events.historyChanged)
        v->events.historyChanged(v->owner, webkit_web_view_can_go_back(v->web),
                                 webkit_web_view_can_go_forward(v->web));
}

GtkWidget *onCreate(WebKitWebView *, WebKitNavigationAction *action, MozCtlView *v)
{
    if (v->dead || !v->events.newWindow)
        return nullptr;
    const char *uri = webkit_uri_request_get_uri(webkit_navigation_action_get_request(action));
    MozCtlView *target = v->events.newWindow(v->owner, uri ? uri : "");
    return target ? GTK_WIDGET(target->web) : nullptr;
}

gboolean onDecidePolicy(WebKitWebView *, WebKitPolicyDecision *decision,
                        WebKitPolicyDecisionType type, MozCtlView *v)
{
    if (v->dead)
        return FALSE;
    if (type == WEBKIT_POLICY_DECISION_TYPE_RESPONSE)
        return MozCtlDownloads::decideResponse(decision);
    if (type != WEBKIT_POLICY_DECISION_TYPE_NAVIGATION_ACTION)
        return FALSE;
    WebKitNavigationAction *action = webkit_navigation_policy_decision_get_navigation_action(
        WEBKIT_NAVIGATION_POLICY_DECISION(decision));
    WebKitURIRequest *request = webkit_navigation_action_get_request(action);
    const char *uri = webkit_uri_request_get_uri(request);
    if (v->noClientPull && v->hadDocument &&
        webkit_navigation_action_get_navigation_type(action) == WEBKIT_NAVIGATION_TYPE_OTHER &&
        !webkit_navigation_action_is_user_gesture(action)) {
        webkit_policy_decision_ignore(decision);
        return TRUE;
    }
    if (v->events.beforeNavigate)
        v->events.beforeNavigate(v->owner, uri ? uri : "");
    return FALSE; // WebKit's own decision
}

void onLoadChanged(WebKitWebView *web, WebKitLoadEvent event, MozCtlView *v)
{
    if (v->dead)
        return;
    const std::string uri = currentUri(v);
    switch (event) {
    case WEBKIT_LOAD_STARTED:
        v->finished = false;
        v->committed = false;
        if (!v->recoded.empty() && v->recoded != uri) {
            v->recoded.clear();
            webkit_settings_set_default_charset(webkit_web_view_get_settings(v->web), "UTF-8");
        }
        break;
    case WEBKIT_LOAD_COMMITTED:
        v->committed = true;
        v->hadDocument = true;
        // The list's own signal may come before the current item moves: report again.
        onHistory(nullptr, nullptr, nullptr, v);
        if (v->dead)
            return;
        if (v->events.navigateComplete)
            v->events.navigateComplete(v->owner, uri.c_str());
        break;
    case WEBKIT_LOAD_FINISHED: {
        v->finished = true;
        if (v->committed)
            examineCharset(v, uri);
        onHistory(nullptr, nullptr, nullptr, v);
        if (v->dead)
            return;
        // A load that failed before any document came (a download, a refused or unreachable
        // address) completes no document: the page on show is still the previous one.
        if (!v->committed) {
            if (v->events.progress)
                v->events.progress(v->owner, 1.0);
            break;
        }
        // A page without a title is known by its address.
        const char *title = webkit_web_view_get_title(web);
        if ((!title || !*title) && v->events.titleChanged)
            v->events.titleChanged(v->owner, uri.c_str());
        if (!v->dead && v->events.documentComplete)
            v->events.documentComplete(v->owner, uri.c_str());
        break;
    }
    default:
        break;
    }
}

// A page whose process died would stay blank without a word: say so in the page, under the
// page's address, so that Refresh loads it again.
void onProcessTerminated(WebKitWebView *web, WebKitWebProcessTerminationReason reason,
                         MozCtlView *v)
{
    if (v->dead || reason == WEBKIT_WEB_PROCESS_TERMINATED_BY_API)
        return;
    const std::string uri = currentUri(v);
    const char *why = reason == WEBKIT_WEB_PROCESS_EXCEEDED_MEMORY_LIMIT ? "メモリを使い過ぎたため"
                                                                         : "異常が起きたため";
    const std::string html = std::string("<!DOCTYPE html><html><head><meta charset=utf-8>"
                                         "<title>ページを表示できません</title></head><body><p>") +
                             why + "、このページを表示していたプロセスが終了しました。" +
                             "再読み込みすると、もう一度表示します。</p></body></html>";
    webkit_web_view_load_alternate_html(web, html.c_str(),
                                        uri.empty() ? "about:blank" : uri.c_str(), nullptr);
}

constexpr GdkEventMask KeyMasks = GdkEventMask(GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK);

void takeKeys(MozCtlView *v)
{
    for (auto &[window, mask] : v->keyMasks) {
        if (!gdk_window_is_destroyed(window))
            gdk_window_set_events(window, GdkEventMask(gdk_window_get_events(window) | mask));
        g_object_unref(window);
    }
    v->keyMasks.clear();
}

void dropKeys(MozCtlView *v, GdkWindow *window)
{
    const GdkEventMask events = gdk_window_get_events(window);
    if (events & KeyMasks) {
        v->keyMasks.emplace_back(GDK_WINDOW(g_object_ref(window)), GdkEventMask(events & KeyMasks));
        gdk_window_set_events(window, GdkEventMask(events & ~KeyMasks));
    }
    GList *children = gdk_window_peek_children(window);
    for (GList *child = children; child; child = child->next)
        dropKeys(v, GDK_WINDOW(child->data));
}

void releaseFocus(MozCtlView *v)
{
    GdkWindow *window = gtk_widget_get_window(v->window);
    if (v->dead || !window || !v->keyMasks.empty())
        return;
    dropKeys(v, window);
}

void giveFocus(MozCtlView *v)
{
    takeKeys(v);
    GdkWindow *window = gtk_widget_get_window(v->window);
    if (window && gdk_window_is_viewable(window)) {
        gdk_x11_display_error_trap_push(gdk_window_get_display(window));
        XSetInputFocus(GDK_WINDOW_XDISPLAY(window), GDK_WINDOW_XID(window), RevertToParent,
                       gdk_x11_get_server_time(window));
        gdk_x11_display_error_trap_pop_ignored(gdk_window_get_display(window));
    }
    gtk_widget_grab_focus(GTK_WIDGET(v->web));
}

// X input focus does not follow a click into an embedded window: take it here.
gboolean onButtonPress(GtkWidget *, GdkEventButton *, MozCtlView *v)
{
    if (v->dead)
        return FALSE;
    giveFocus(v);
    if (v->events.clicked)
        v->events.clicked(v->owner);
    return FALSE;
}

gboolean onFocusIn(GtkWidget *, GdkEventFocus *, MozCtlView *v)
{
    if (!v->dead && v->events.focusChanged)
        v->events.focusChanged(v->owner, 1);
    return FALSE;
}

gboolean onFocusOut(GtkWidget *, GdkEventFocus *, MozCtlView *v)
{
    if (!v->dead && v->events.focusChanged)
        v->events.focusChanged(v->owner, 0);
    return FALSE;
}

// Runs after GTK's own handling: WebKit re-dispatches the keys the page left alone.
gboolean onKeyPressAfter(GtkWidget *, GdkEventKey *event, MozCtlView *v)
{
    if (v->dead || !v->events.keyUnhandled)
        return FALSE;
    unsigned int mods = 0;
    if (event->state & GDK_SHIFT_MASK)
        mods |= MOZCTL_MOD_SHIFT;
    if (event->state & GDK_CONTROL_MASK)
        mods |= MOZCTL_MOD_CONTROL;
    if (event->state & GDK_MOD1_MASK)
        mods |= MOZCTL_MOD_ALT;
    v->events.keyUnhandled(v->owner, event->keyval, mods);
    return FALSE;
}

// Ctrl+Tab and Ctrl+Shift+Tab belong to the host, which moves through its windows with them:
// the page never sees them, and GTK's own move of the focus never runs. Alt+Left and Alt+Right
// go back and forward, in a text field too, and WebKit would take them for itself.
gboolean onKeyPressBefore(GtkWidget *widget, GdkEventKey *event, MozCtlView *v)
{
    if (v->dead || !v->events.keyUnhandled)
        return FALSE;
    const guint mods = event->state & (GDK_SHIFT_MASK | GDK_CONTROL_MASK | GDK_MOD1_MASK);
    const guint key = event->keyval;
    const bool tab = (mods & GDK_CONTROL_MASK) &&
                     (key == GDK_KEY_Tab || key == GDK_KEY_ISO_Left_Tab || key == GDK_KEY_KP_Tab);
    const bool history = mods == GDK_MOD1_MASK && (key == GDK_KEY_Left || key == GDK_KEY_Right);
    if (!tab && !history)
        return FALSE;
    onKeyPressAfter(widget, event, v);
    return TRUE;
}

// Ctrl+wheel is the host's zoom, not a scroll of the page.
gboolean onScroll(GtkWidget *, GdkEventScroll *event, MozCtlView *v)
{
    if (v->dead || !v->events.zoomWheel || !(event->state & GDK_CONTROL_MASK))
        return FALSE;
    int steps = 0;
    if (event->direction == GDK_SCROLL_UP) {
        steps = 1;
    } else if (event->direction == GDK_SCROLL_DOWN) {
        steps = -1;
    } else if (event->direction == GDK_SCROLL_SMOOTH) {
        double dx = 0, dy = 0;
        if (gdk_event_get_scroll_deltas(reinterpret_cast<GdkEvent *>(event), &dx, &dy))
            steps = dy < 0 ? 1 : dy > 0 ? -1 : 0;
    }
    if (steps != 0)
        v->events.zoomWheel(v->owner, steps);
    return TRUE;
}

// The web view's settings, its place in the window and its signals.
void setUpWeb(MozCtlView *v)
{
    WebKitSettings *settings = webkit_web_view_get_settings(v->web);
    // Pop-ups must reach the host, which decides what to block.
    webkit_settings_set_javascript_can_open_windows_automatically(settings, TRUE);
    // Japanese pages that name no character set are nearly all UTF-8 nowadays, not Latin-1.
    webkit_settings_set_default_charset(settings, "UTF-8");
    webkit_settings_set_auto_load_images(settings, ProfileContext::prefs().Images);
    // Only the page's own scripts: the host still runs its scripts in the page.
    webkit_settings_set_enable_javascript_markup(settings, ProfileContext::prefs().JavaScript);

    gtk_container_add(GTK_CONTAINER(v->window), GTK_WIDGET(v->web));
    gtk_widget_show(GTK_WIDGET(v->web));
    gtk_widget_set_can_focus(GTK_WIDGET(v->web), TRUE);
    gtk_widget_grab_focus(GTK_WIDGET(v->web));

    g_signal_connect(v->web, "notify::title", G_CALLBACK(onTitle), v);
    g_signal_connect(v->web, "notify::estimated-load-progress", G_CALLBACK(onProgress), v);
    g_signal_connect(v->web, "notify::is-loading", G_CALLBACK(onIsLoading), v);
    g_signal_connect(v->web, "mouse-target-changed", G_CALLBACK(onMouseTarget), v);
    g_signal_connect(v->web, "create", G_CALLBACK(onCreate), v);
    g_signal_connect(v->web, "script-dialog", G_CALLBACK(onScriptDialog), v);
    g_signal_connect(v->web, "decide-policy", G_CALLBACK(onDecidePolicy), v);
    g_signal_connect(v->web, "load-changed", G_CALLBACK(onLoadChanged), v);
    g_signal_connect(v->web, "button-press-event", G_CALLBACK(onButtonPress), v);
    g_signal_connect(v->web, "scroll-event", G_CALLBACK(onScroll), v);
    g_signal_connect(v->web, "web-process-terminated", G_CALLBACK(onProcessTerminated), v);
    g_signal_connect(webkit_web_view_get_back_forward_list(v->web), "changed",
                     G_CALLBACK(onHistory), v);
}

void setUp(MozCtlView *v)
{
    // Override-redirect and far off screen: no window manager ever frames it, and nothing
    // shows should it be mapped before the host has reparented it.
    v->window = gtk_window_new(GTK_WINDOW_POPUP);
    g_object_ref(v->window); // GTK destroys it itself should X destroy its window
    gtk_window_set_decorated(GTK_WINDOW(v->window), FALSE);
    gtk_window_move(GTK_WINDOW(v->window), -32000, -32000);
    gtk_window_set_default_size(GTK_WINDOW(v->window), 300, 200);
    setUpWeb(v);
    gtk_widget_realize(v->window);
    v->cancel = g_cancellable_new();
    g_views.push_back(v);

    g_signal_connect(v->window, "focus-in-event", G_CALLBACK(onFocusIn), v);
    g_signal_connect(v->window, "focus-out-event", G_CALLBACK(onFocusOut), v);
    g_signal_connect(v->window, "key-press-event", G_CALLBACK(onKeyPressBefore), v);
    g_signal_connect_after(v->window, "key-press-event", G_CALLBACK(onKeyPressAfter), v);
}

MozCtlView *create(const MozCtlEvents *events, void *owner)
{
    if (!initialize(nullptr))
        return nullptr;
    auto *v = new MozCtlView;
    if (events)
        v->events = *events;
    v->owner = owner;
    v->web = WEBKIT_WEB_VIEW(webkit_web_view_new_with_context(g_context));
    setUp(v);
    return v;
}

MozCtlView *createPrivate(const MozCtlEvents *events, void *owner)
{
    if (!initialize(nullptr))
        return nullptr;
    if (!g_privateContext) {
        g_privateContext = ProfileContext::makePrivate();
        prepareContext(g_privateContext);
    }
    auto *v = new MozCtlView;
    if (events)
        v->events = *events;
    v->owner = owner;
    v->privateSession = true;
    ++g_privateViews;
    v->web = WEBKIT_WEB_VIEW(webkit_web_view_new_with_context(g_privateContext));
    setUp(v);
    return v;
}

MozCtlView *createRelated(MozCtlView *related, const MozCtlEvents *events, void *owner)
{
    if (!related || related->dead)
        return nullptr;
    auto *v = new MozCtlView;
    if (events)
        v->events = *events;
    v->owner = owner;
    v->web = WEBKIT_WEB_VIEW(webkit_web_view_new_with_related_view(related->web));
    v->related = true;
    v->privateSession = related->privateSession;
    if (v->privateSession)
        ++g_privateViews;
    setUp(v);
    return v;
}

// Unmaps the window and moves it out of the host's window, synchronously: the host is about
// to destroy its own X window, which would take this one along behind GTK's back.
void detach(MozCtlView *v)
{
    GdkDisplay *display = gtk_widget_get_display(v->window);
    gdk_x11_display_error_trap_push(display);
    gtk_widget_hide(v->window);
    if (GdkWindow *window = gtk_widget_get_window(v->window)) {
        Display *xdisplay = GDK_DISPLAY_XDISPLAY(display);
        XReparentWindow(xdisplay, GDK_WINDOW_XID(window), DefaultRootWindow(xdisplay), -32000,
                        -32000);
        XSync(xdisplay, False);
    }
    gdk_x11_display_error_trap_pop_ignored(display);
}

gboolean destroyLater(gpointer data)
{
    auto *v = static_cast<MozCtlView *>(data);
    GdkDisplay *display = gtk_widget_get_display(v->window);
    gdk_x11_display_error_trap_push(display);
    gtk_widget_destroy(v->window);
    gdk_x11_display_error_trap_pop_ignored(display);
    g_object_unref(v->window);
    g_object_unref(v->cancel);
    // The private session ends with its last view: what it kept in memory goes with it.
    if (v->privateSession && --g_privateViews == 0 && g_privateContext) {
        g_object_unref(g_privateContext);
        g_privateContext = nullptr;
    }
    delete v;
    return G_SOURCE_REMOVE;
}

// The view may be destroyed from inside one of its own callbacks: stop it now, free it later.
void destroy(MozCtlView *v)
{
    if (!v || v->dead)
        return;
    v->dead = true;
    for (WebKitScriptDialog *dialog : v->dialogs)
        endDialog(dialog, false, nullptr);
    v->dialogs.clear();
    g_views.erase(std::remove(g_views.begin(), g_views.end(), v), g_views.end());
    endFind(v);
    takeKeys(v);
    g_cancellable_cancel(v->cancel);
    g_signal_handlers_disconnect_by_data(webkit_web_view_get_back_forward_list(v->web), v);
    g_signal_handlers_disconnect_by_data(v->web, v);
    g_signal_handlers_disconnect_by_data(v->window, v);
    webkit_web_view_stop_loading(v->web);
    detach(v);
    g_idle_add(destroyLater, v);
}

unsigned long windowId(MozCtlView *v)
{
    GdkWindow *window = gtk_widget_get_window(v->window);
    return window ? GDK_WINDOW_XID(window) : 0;
}

void show(MozCtlView *v)
{
    gtk_widget_show(v->window);
    gdk_display_flush(gtk_widget_get_display(v->window));
}

void resize(MozCtlView *v, int width, int height)
{
    if (width > 0 && height > 0)
        gtk_window_resize(GTK_WINDOW(v->window), width, height);
}

void focus(MozCtlView *v)
{
    giveFocus(v);
}

/// Before a view's first address: when another view already shows that site, the view is made
/// anew in that view's web process. Pages of one site then share a process, as they do in the
/// other engine, and pages of different sites never do. A private view only joins another
/// private one: a related view shares its peer's web context, cookies and storage.
void joinSiteProcess(MozCtlView *v, const char *uri)
{
    if (v->related || webkit_web_view_get_uri(v->web))
        return;
    const std::string site = WebSite::of(uri);
    if (site.empty())
        return;
    MozCtlView *peer = nullptr;
    for (auto it = g_views.rbegin(); it != g_views.rend() && !peer; ++it) {
        if (*it != v && (*it)->privateSession == v->privateSession &&
            WebSite::of(webkit_web_view_get_uri((*it)->web)) == site)
            peer = *it;
    }
    if (!peer)
        return;
    g_signal_handlers_disconnect_by_data(webkit_web_view_get_back_forward_list(v->web), v);
    g_signal_handlers_disconnect_by_data(v->web, v);
    // The window holds the only reference: removing the view destroys it.
    gtk_container_remove(GTK_CONTAINER(v->window), GTK_WIDGET(v->web));
    v->web = WEBKIT_WEB_VIEW(webkit_web_view_new_with_related_view(peer->web));
    setUpWeb(v);
}

void loadUri(MozCtlView *v, const char *uri)
{
    joinSiteProcess(v, uri);
    webkit_web_view_load_uri(v->web, uri);
}

void goBack(MozCtlView *v)
{
    webkit_web_view_go_back(v->web);
}

void goForward(MozCtlView *v)
{
    webkit_web_view_go_forward(v->web);
}

void stop(MozCtlView *v)
{
    webkit_web_view_stop_loading(v->web);
}

void reload(MozCtlView *v)
{
    webkit_web_view_reload(v->web);
}

int canGoBack(MozCtlView *v)
{
    return webkit_web_view_can_go_back(v->web);
}

int canGoForward(MozCtlView *v)
{
    return webkit_web_view_can_go_forward(v->web);
}

const char *uri(MozCtlView *v)
{
    return currentUri(v);
}

int isLoading(MozCtlView *v)
{
    return webkit_web_view_is_loading(v->web);
}

void editingCommand(MozCtlView *v, const char *command)
{
    webkit_web_view_execute_editing_command(v->web, command);
}

void setTextZoom(MozCtlView *v, double level)
{
    webkit_settings_set_zoom_text_only(webkit_web_view_get_settings(v->web), TRUE);
    webkit_web_view_set_zoom_level(v->web, level);
}

void setPageZoom(MozCtlView *v, double level)
{
    webkit_settings_set_zoom_text_only(webkit_web_view_get_settings(v->web), FALSE);
    webkit_web_view_set_zoom_level(v->web, level);
}

double zoomLevel(MozCtlView *v)
{
    return webkit_web_view_get_zoom_level(v->web);
}

Pending *pending(MozCtlView *v, MozCtlDone done, void *context)
{
    auto *p = new Pending{done, context, v->cancel};
    g_object_ref(p->cancel);
    return p;
}

void finishPending(Pending *p, bool ok, const char *message)
{
    if (g_cancellable_is_cancelled(p->cancel)) {
        ok = false;
        message = "cancelled";
    }
    if (p->done)
        p->done(p->context, ok, message ? message : "");
    g_object_unref(p->cancel);
    delete p;
}

void onSaved(GObject *source, GAsyncResult *result, gpointer data)
{
    GError *error = nullptr;
    const gboolean ok =
        webkit_web_view_save_to_file_finish(WEBKIT_WEB_VIEW(source), result, &error);
    finishPending(static_cast<Pending *>(data), ok, error ? error->message : "");
    if (error)
        g_error_free(error);
}

void saveMhtml(MozCtlView *v, const char *path, MozCtlDone done, void *context)
{
    GFile *file = g_file_new_for_path(path);
    webkit_web_view_save_to_file(v->web, file, WEBKIT_SAVE_MODE_MHTML, v->cancel, onSaved,
                                 pending(v, done, context));
    g_object_unref(file);
}

void onScriptDone(GObject *source, GAsyncResult *result, gpointer data)
{
    GError *error = nullptr;
    JSCValue *value =
        webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, &error);
    auto *p = static_cast<Pending *>(data);
    if (!value) {
        finishPending(p, false, error ? error->message : "");
    } else {
        char *text = jsc_value_to_string(value);
        finishPending(p, true, text);
        g_free(text);
        g_object_unref(value);
    }
    if (error)
        g_error_free(error);
}

void runJavaScript(MozCtlView *v, const char *script, MozCtlDone done, void *context)
{
    webkit_web_view_evaluate_javascript(v->web, script, -1, nullptr, nullptr, v->cancel,
                                        onScriptDone, pending(v, done, context));
}

void embed(MozCtlView *v, unsigned long parent)
{
    GdkWindow *window = gtk_widget_get_window(v->window);
    if (!window || !parent)
        return;
    GdkDisplay *display = gtk_widget_get_display(v->window);
    Display *xdisplay = GDK_DISPLAY_XDISPLAY(display);
    gdk_x11_display_error_trap_push(display);
    XReparentWindow(xdisplay, GDK_WINDOW_XID(window), parent, 0, 0);
    XSync(xdisplay, False);
    gdk_x11_display_error_trap_pop_ignored(display);
    // GTK keeps the position of its own last move: the window sits at the host's corner now.
    gtk_window_move(GTK_WINDOW(v->window), 0, 0);
    show(v);
}

struct PendingImage
{
    MozCtlImageDone done;
    void *context;
    GCancellable *cancel;
};

void onSnapshot(GObject *source, GAsyncResult *result, gpointer data)
{
    auto *p = static_cast<PendingImage *>(data);
    GError *error = nullptr;
    cairo_surface_t *surface =
        webkit_web_view_get_snapshot_finish(WEBKIT_WEB_VIEW(source), result, &error);
    const bool live = !g_cancellable_is_cancelled(p->cancel);
    if (surface && live && cairo_surface_get_type(surface) == CAIRO_SURFACE_TYPE_IMAGE &&
        cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32) {
        cairo_surface_flush(surface);
        p->done(p->context, 1, cairo_image_surface_get_data(surface),
                cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface),
                cairo_image_surface_get_stride(surface));
    } else {
        p->done(p->context, 0, nullptr, 0, 0, 0);
    }
    if (surface)
        cairo_surface_destroy(surface);
    if (error)
        g_error_free(error);
    g_object_unref(p->cancel);
    delete p;
}

void snapshot(MozCtlView *v, MozCtlImageDone done, void *context)
{
    auto *p = new PendingImage{done, context, v->cancel};
    g_object_ref(p->cancel);
    webkit_web_view_get_snapshot(v->web, WEBKIT_SNAPSHOT_REGION_VISIBLE,
                                 WEBKIT_SNAPSHOT_OPTIONS_NONE, v->cancel, onSnapshot, p);
}

const char *engineVersion()
{
    static const std::string version = std::to_string(webkit_get_major_version()) + '.' +
                                       std::to_string(webkit_get_minor_version()) + '.' +
                                       std::to_string(webkit_get_micro_version());
    return version.c_str();
}

const MozCtlApi g_api = {
    MOZCTL_API_VERSION,
    sizeof(MozCtlApi),
    initialize,
    setClipboardHandler,
    create,
    createRelated,
    destroy,
    windowId,
    show,
    detach,
    resize,
    focus,
    loadUri,
    goBack,
    goForward,
    stop,
    reload,
    canGoBack,
    canGoForward,
    uri,
    isLoading,
    editingCommand,
    setTextZoom,
    zoomLevel,
    saveMhtml,
    runJavaScript,
    clipboardOwnedByPage,
    embed,
    snapshot,
    engineVersion,
    setProfileFolder,
    profileFolder,
    setPageControls,
    answerDialog,
    findText,
    setPageZoom,
    releaseFocus,
    createPrivate,
    MozCtlDownloads::setHandler,
    MozCtlDownloads::setDestination,
    MozCtlDownloads::cancel,
};

} // namespace

extern "C" __attribute__((visibility("default"))) const MozCtlApi *mozctl_api(void)
{
    return &g_api;
}
