// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

/*
 * The plain C interface between TMozillaBrowser and the WebKit module mozctl.so.
 *
 * The module exports one function, mozctl_api(), returning a table of function pointers.
 * The loader refuses a module whose version differs from MOZCTL_API_VERSION or whose table is
 * smaller than this header's. A later version may only append members.
 *
 * Threading: everything runs on the GUI thread. The module attaches GTK to the default GLib
 * main context, which Qt's event loop iterates; it never runs a loop of its own.
 *
 * Strings are UTF-8. A string handed to a callback is valid only during the call.
 * After destroy() a view raises no further event. A MozCtlDone is called exactly once, also
 * when its view is destroyed first (then with ok 0).
 */

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#define MOZCTL_API_VERSION 5
#define MOZCTL_ENTRY_POINT "mozctl_api"

enum { MOZCTL_MOD_SHIFT = 1, MOZCTL_MOD_CONTROL = 2, MOZCTL_MOD_ALT = 4 };

/* What setPageControls() turns off for one view. */
enum {
    MOZCTL_NO_SCRIPTS = 1,
    MOZCTL_NO_IMAGES = 2,
    /* The page cache: pages left are not kept for going back. */
    MOZCTL_NO_CACHE = 4,
    /* Once a document has come, the page moves on only when the user does it (no refresh
       or redirect the page asks for by itself). */
    MOZCTL_NO_CLIENT_PULL = 8
};

typedef struct MozCtlView MozCtlView;
/* One download of the engine, from download-started until its finished event. */
typedef struct MozCtlDownload MozCtlDownload;

/* What a view reports to its owner; every member may be NULL. */
typedef struct MozCtlEvents
{
    void (*titleChanged)(void *owner, const char *title);
    /* The link under the pointer; "" when it leaves a link. */
    void (*statusText)(void *owner, const char *text);
    /* 0.0 .. 1.0. A load that ends without a document (refused, stopped early) still
       reports 1.0, so every load ends alike. */
    void (*progress)(void *owner, double fraction);
    void (*historyChanged)(void *owner, int canGoBack, int canGoForward);
    /* The page asks for a new window for uri. Return a view made by createRelated() on this
       view to let the page load into it, or NULL to refuse. */
    MozCtlView *(*newWindow)(void *owner, const char *uri);
    void (*beforeNavigate)(void *owner, const char *uri);
    void (*navigateComplete)(void *owner, const char *uri);
    void (*documentComplete)(void *owner, const char *uri);
    /* A mouse button went down in the page; the module has given it the keyboard focus. */
    void (*clicked)(void *owner);
    /* The page's keyboard focus came or went (X input focus of the view's window). */
    void (*focusChanged)(void *owner, int hasFocus);
    /* A key press the page did not handle: X keysym and MOZCTL_MOD_* bits. */
    void (*keyUnhandled)(void *owner, unsigned int keysym, unsigned int modifiers);
    /* The page opened an alert (kind 0), confirm (1) or prompt (2). The page waits until the
       host calls answerDialog() with this dialog, or the view is destroyed. NULL: WebKit's
       own dialog. */
    void (*scriptDialog)(void *owner, void *dialog, int kind, const char *message,
                         const char *defaultText);
    /* The wheel turned over the page with Ctrl held: steps > 0 away from the user (zoom in),
       < 0 towards. The page does not scroll. */
    void (*zoomWheel)(void *owner, int steps);
} MozCtlEvents;

typedef void (*MozCtlDone)(void *context, int ok, const char *message);
/* A number of matches; -1 when the view was destroyed first. */
typedef void (*MozCtlCountDone)(void *context, int count);
typedef void (*MozCtlTextHandler)(void *context, const char *text);
/* A picture in 32-bit premultiplied ARGB, native byte order; valid only during the call.
   ok 0 (and no pixels) when the view could not be drawn or was destroyed first. */
typedef void (*MozCtlImageDone)(void *context, int ok, const unsigned char *pixels, int width,
                                int height, int stride);

/* What the engine reports about its downloads; set with setDownloadHandler(). */
typedef struct MozCtlDownloadEvents
{
    /* A download has its response and waits for its file: the host calls
       setDownloadDestination() or cancelDownload() on it, now or later. suggestedName may be
       ""; total is -1 when the response announces no size. */
    void (*started)(void *context, MozCtlDownload *download, const char *uri,
                    const char *suggestedName, long long total);
    void (*progress)(void *context, MozCtlDownload *download, long long received, long long total);
    /* The last event of a download; the handle is gone once it returns. ok 1: the whole
       response is in the destination file; ok 0: cancelled or failed (message says why). */
    void (*finished)(void *context, MozCtlDownload *download, int ok, const char *message);
} MozCtlDownloadEvents;

typedef struct MozCtlApi
{
    int version;
    size_t size;

    /* Initialises GTK and the web context once. 1 on success; otherwise 0 and *error
       points at a static description. */
    int (*initialize)(const char **error);
    /* Text that a page put on the clipboard; the host makes its own clipboard hold it. */
    void (*setClipboardHandler)(MozCtlTextHandler handler, void *context);

    /* A view inside an undecorated, unmapped GTK window; NULL on failure. */
    MozCtlView *(*create)(const MozCtlEvents *events, void *owner);
    /* A view that can receive related's new-window request (call from newWindow). */
    MozCtlView *(*createRelated)(MozCtlView *related, const MozCtlEvents *events, void *owner);
    void (*destroy)(MozCtlView *view);

    /* The X11 window id of the view's GTK window, for embedding. */
    unsigned long (*windowId)(MozCtlView *view);
    /* Shows the GTK window (call once it has been reparented into the host). */
    void (*show)(MozCtlView *view);
    /* Hides the GTK window and moves it back to the root window at once; call before the
       host destroys the X window it sits in. embed() puts it into a window again. */
    void (*detach)(MozCtlView *view);
    void (*resize)(MozCtlView *view, int width, int height);
    /* Gives the view the X input focus and GTK's widget focus. */
    void (*focus)(MozCtlView *view);

    void (*loadUri)(MozCtlView *view, const char *uri);
    void (*goBack)(MozCtlView *view);
    void (*goForward)(MozCtlView *view);
    void (*stop)(MozCtlView *view);
    void (*reload)(MozCtlView *view);
    int (*canGoBack)(MozCtlView *view);
    int (*canGoForward)(MozCtlView *view);
    /* The address on show; "" when none. */
    const char *(*uri)(MozCtlView *view);
    int (*isLoading)(MozCtlView *view);

    /* A WebKit editing command such as "Copy" or "SelectAll". */
    void (*editingCommand)(MozCtlView *view, const char *command);
    /* Scales the text only, by level (1.0 = normal). */
    void (*setTextZoom)(MozCtlView *view, double level);
    double (*zoomLevel)(MozCtlView *view);
    /* Saves the page as MHTML to path; done reports the outcome. */
    void (*saveMhtml)(MozCtlView *view, const char *path, MozCtlDone done, void *context);
    /* Runs script in the page; done gets ok and the result as text, or the error. */
    void (*runJavaScript)(MozCtlView *view, const char *script, MozCtlDone done, void *context);
    /* 1 while GTK (a page) owns the X clipboard selection. */
    int (*clipboardOwnedByPage)(void);
    /* Reparents the GTK window into the host's X window \a parent at its top left corner and
       shows it. The host owns the parent window; call detach() before destroying it. */
    void (*embed)(MozCtlView *view, unsigned long parent);
    /* Draws the visible part of the page into a picture, also while its window is off the
       screen. */
    void (*snapshot)(MozCtlView *view, MozCtlImageDone done, void *context);
    /* The WebKitGTK version the module runs on, "major.minor.micro"; needs no initialize(). */
    const char *(*engineVersion)(void);

    /* Call before initialize(): the profile base folder (a folder of profile folders). The
       engine keeps cookies, cache and local storage in the first profile folder, making
       "default" with an empty prefs.js when there is none, and applies that prefs.js
       (images, cookies, JavaScript, proxies). Without a base folder, or when no profile
       folder can be had, the engine starts with WebKit's own defaults. */
    void (*setProfileFolder)(const char *base);
    /* After initialize(): the profile folder in use, with a trailing "/"; "" when none. */
    const char *(*profileFolder)(void);

    /* Gives the view settings of its own (a related view starts with its opener's) with what
       controls names turned off; call before the view loads. */
    void (*setPageControls)(MozCtlView *view, unsigned int controls);
    /* Ends a dialog that scriptDialog reported: accepted 0 cancels it; text is a prompt's
       answer. A dialog already ended (its view destroyed) is ignored. */
    void (*answerDialog)(MozCtlView *view, void *dialog, int accepted, const char *text);

    /* Find in page, case-insensitive, wrapping round. A new text selects its first match (its
       last when backwards); the same text again moves to the next or previous match; "" ends
       the search and takes the highlight away. done gets the number of matches. */
    void (*findText)(MozCtlView *view, const char *text, int backwards, MozCtlCountDone done,
                     void *context);
    /* Scales the whole page, layout and images included, by level (1.0 = normal); setTextZoom
       scales the text alone. */
    void (*setPageZoom)(MozCtlView *view, double level);

    /* The host has taken the keyboard focus back (and given the X focus to its own window):
       the view stops taking key events until focus() gives it the focus again. X sends keys
       to the window under the pointer when the focus is on one of its ancestors. */
    void (*releaseFocus)(MozCtlView *view);

    /* A view of the private session: its cookies, cache and storage live in memory only, in a
       web context of their own that every private view shares and that goes with the last of
       them, so a later private view starts empty. It has the settings and preferences of a
       view made by create(); views made by createRelated() on it are private too. */
    MozCtlView *(*createPrivate)(const MozCtlEvents *events, void *owner);

    /* Where downloads are reported (events is copied; NULL stops the reports).
       While a handler is set, a main-frame response the engine cannot show, or one the server
       sends as an attachment, becomes a download; without one, downloads are cancelled. */
    void (*setDownloadHandler)(const MozCtlDownloadEvents *events, void *context);
    /* Writes the download to path, which must not exist yet. Once per download. */
    void (*setDownloadDestination)(MozCtlDownload *download, const char *path);
    /* Stops the download; finished (ok 0) follows, perhaps during this call. */
    void (*cancelDownload)(MozCtlDownload *download);
} MozCtlApi;

typedef const MozCtlApi *(*MozCtlEntryPoint)(void);

#ifdef __cplusplus
}
#endif
