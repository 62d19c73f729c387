// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/DownLoadControl.h"
#include "engine/PageDialogs.h"
#include "engine/TEngineBrowser.h"

#include <QPixmap>
#include <QPointer>

#include <functional>

class MdiStacking;
struct MozCtlApi;
struct MozCtlView;

/// The Gecko engine kind: a WebKitGTK view from the module mozctl.so (see MozCtlModule),
/// whose X11 window is embedded in one native child widget of this widget. It follows every
/// resize; a click into the page gives it the keyboard focus and activates the MDI child window
/// around it; keys the page leaves alone reach the shortcuts of the window around it.
///
/// Only that one widget is native: its ancestors stay alien, so the main window keeps painting
/// as one surface beside the Chromium pages. A native window sits above every alien widget, so
/// inside an MDI area the page is live while nothing covers it; while a window stacked above
/// covers part of it, the page's last picture stands in for it.
///
/// Text sizes (ExecWB 19) scale the text only, by the factors of TextZoom.
class TMozillaBrowser : public TEngineBrowser
{
    Q_OBJECT

public:
    /// A browser with a fresh page, of the private session when \a privateSession. Throws
    /// DorvuError when the module cannot be used.
    static TMozillaBrowser *create(QWidget *parent = nullptr, bool privateSession = false);
    ~TMozillaBrowser() override;

    EngineKind kind() const override { return EngineKind::Gecko; }
    bool isPrivate() const override { return m_private; }

    void Navigate(const QString &url) override;
    void GoBack() override;
    void GoForward() override;
    void Stop() override;
    void Refresh() override;
    void ExecWB(int command, int option, const QVariant &input = QVariant()) override;
    QString LocationURL() const override;
    bool Busy() const override;
    /// A hidden-capable browser whose view is related to this one, so that it can take this
    /// page's new-window request.
    TEngineBrowser *CreateNewWindowBrowser(QWidget *parent) override;
    /// Turns off, for this page only, what \a set leaves out: scripts, images, the page cache
    /// and client pull. Call before the page loads.
    void setDownLoadControl(const TDownLoadControl &set);

    /// Saves the page as MHTML to \a path; saveFinished reports the outcome and a failure is
    /// shown by ErrorHandler.
    void SavePage(const QString &path);
    /// The page's current zoom factor.
    double zoomLevel() const;
    void RunScript(const QString &script, const ScriptDone &done) override;
    void FindText(const QString &text, bool backwards, const FindDone &done) override;
    QString EngineName() const override;
    QString EngineVersion() const override;
    /// Gives the page the keyboard focus.
    void focusPage();

Q_SIGNALS:
    /// A mouse click went into the page.
    void activated();
    void saveFinished(const QString &path, bool ok);

protected:
    /// 100 %: the text size, scaling the text alone; any other zoom scales the whole page.
    void applyZoom(int percent) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    TMozillaBrowser(QWidget *parent, const MozCtlApi &api);
    void attach(MozCtlView *related, bool privateSession);
    void embed();
    void embedWindow();
    void scheduleStackingCheck();
    void updateStacking();
    void requestSnapshot();
    void requireDocument() const;
    void activateSubWindow();
    void forwardShortcut(unsigned int keysym, unsigned int modifiers);
    void releaseFocus();

    static void onTitle(void *owner, const char *title);
    static void onStatusText(void *owner, const char *text);
    static void onProgress(void *owner, double fraction);
    static void onHistory(void *owner, int canGoBack, int canGoForward);
    static MozCtlView *onNewWindow(void *owner, const char *uri);
    static void onBeforeNavigate(void *owner, const char *uri);
    static void onNavigateComplete(void *owner, const char *uri);
    static void onDocumentComplete(void *owner, const char *uri);
    static void onClicked(void *owner);
    static void onFocusChanged(void *owner, int hasFocus);
    static void onKeyUnhandled(void *owner, unsigned int keysym, unsigned int modifiers);
    static void onScriptDialog(void *owner, void *dialog, int kind, const char *message,
                               const char *defaultText);
    static void onZoomWheel(void *owner, int steps);

    const MozCtlApi &m_api;
    MozCtlView *m_view = nullptr;
    /// The native widget that holds the page's X window.
    QWidget *m_host = nullptr;
    /// The child windows around this browser's own, whose places decide whether the page shows.
    MdiStacking *m_stacking;
    PageDialogs m_dialogs{this};
    /// The page as last seen, painted while it is covered.
    QPixmap m_snapshot;
    bool m_hasFocus = false;
    bool m_private = false;
    /// The text size's factor (ExecWB 19).
    double m_textFactor = 1.0;
    QString m_title;
};
