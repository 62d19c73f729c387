// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/MozCtlApi.h"

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

/// One view of the module: a WebKitGTK web view in an undecorated GTK window.
struct MozCtlView
{
    GtkWidget *window = nullptr;
    WebKitWebView *web = nullptr;
    MozCtlEvents events{};
    void *owner = nullptr;
    GCancellable *cancel = nullptr;
    bool dead = false;
    bool loading = false;
    bool finished = false;
    bool committed = false;
    /// Made for a page's own new-window request: it keeps the opener's web process.
    bool related = false;
    /// A view of the private session (createPrivate, or related to such a view).
    bool privateSession = false;
    /// The view has settings of its own, no longer those shared with its opener.
    bool ownSettings = false;
    /// MOZCTL_NO_CLIENT_PULL, and whether a document has come since.
    bool noClientPull = false;
    bool hadDocument = false;
    /// Script dialogs the host has not answered yet; the page waits for them.
    std::vector<WebKitScriptDialog *> dialogs;
    /// The text of the search in progress; the counts asked for and not yet reported, in order.
    std::string findText;
    std::deque<std::pair<MozCtlCountDone, void *>> findCounts;
    bool findConnected = false;
    std::string status;
    /// The address reloaded in a detected character set: it is not examined again, and the
    /// view's default character set is that one until another address loads.
    std::string recoded;
    /// The key event masks taken from the view's GDK windows by releaseFocus(), to give back.
    std::vector<std::pair<GdkWindow *, GdkEventMask>> keyMasks;
};

/// What a view does with its page beyond loading and driving it: the settings and controls of
/// its own, the page's script dialogs, the character set of a page that names none.
namespace MozCtlPage {

/// The view's address; empty when it has none.
const char *currentUri(MozCtlView *v);
/// A finished HTML page whose response and text name no character set is read again in the
/// Japanese encoding it turns out to be written in (once, until another address is loaded).
void examineCharset(MozCtlView *v, const std::string &uri);

/// A page's alert, confirm or prompt goes to the host, which answers it with answerDialog; the
/// page waits meanwhile.
gboolean onScriptDialog(WebKitWebView *web, WebKitScriptDialog *dialog, MozCtlView *v);
/// Closes \a dialog with the answer (\a text for a prompt) and lets it go.
void endDialog(WebKitScriptDialog *dialog, bool accepted, const char *text);
void answerDialog(MozCtlView *v, void *dialog, int accepted, const char *text);

/// A copy of every setting the view has now, so that a change leaves its opener's alone.
void takeOwnSettings(MozCtlView *v);
void setPageControls(MozCtlView *v, unsigned int controls);

/// Find in page (MozCtlApi::findText) through the view's find controller.
void findText(MozCtlView *v, const char *text, int backwards, MozCtlCountDone done, void *context);
/// Reports -1 to every count still asked for and lets the find controller go.
void endFind(MozCtlView *v);

} // namespace MozCtlPage
