// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/DownLoadControl.h"
#include "engine/DownLoadPolicy.h"
#include "engine/HostOptions.h"
#include "engine/TEngineBrowser.h"

#include <QMenu>
#include <QPointer>
#include <QTimer>

class MdiStacking;
class QWebEngineDownloadRequest;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;
class UIWebPage;

/// The "Internet Explorer" engine kind: the command set on Qt WebEngine (Chromium).
///
/// The seven host options and DownLoadControl are plain fields, read and written at any time.
/// A new DownLoadControl takes effect at once for what the engine loads next; AmbientPropertyChange
/// re-applies it explicitly, and Refresh then loads the page again under it (see DownLoadPolicy
/// for what each flag does in this engine).
///
/// All ordinary pages share one persistent profile ("WebEngine" in the program folder): cookies
/// and the HTTP cache survive a restart, as a user expects of a browser. Private pages share an
/// off-the-record profile that keeps everything in memory; it is made for the first private page
/// and goes with the last one, so the next private page starts with nothing.
class TUIWebBrowser : public TEngineBrowser
{
    Q_OBJECT

public:
    /// How long a page whose view never showed must be in sight before it shows.
    static constexpr int ViewDelayMs = 60;
    /// The share of a page that must be in sight before its view first shows.
    static constexpr double MinShownShare = 0.25;
    /// A frozen page out of sight this many times its sleep time longer is discarded, where
    /// the engine recommends it.
    static constexpr int DiscardAfterSleeps = 6;

    /// A browser of the private session when \a privateSession.
    explicit TUIWebBrowser(QWidget *parent = nullptr, bool privateSession = false);
    ~TUIWebBrowser() override;

    EngineKind kind() const override { return EngineKind::IE; }
    bool isPrivate() const override { return m_private; }

    void Navigate(const QString &url) override;
    void GoBack() override;
    void GoForward() override;
    void Stop() override;
    void Refresh() override;
    void ExecWB(int command, int option, const QVariant &input = QVariant()) override;
    QString LocationURL() const override;
    bool Busy() const override;
    TEngineBrowser *CreateNewWindowBrowser(QWidget *parent) override;
    void RunScript(const QString &script, const ScriptDone &done) override;
    void FindText(const QString &text, bool backwards, const FindDone &done) override;
    QString EngineName() const override;
    QString EngineVersion() const override;

    bool IeEnableAccelerator() const { return m_options.IeEnableAccelerator; }
    bool IeNoContext() const { return m_options.IeNoContext; }
    bool IeSCROLL_hidden() const { return m_options.IeSCROLL_hidden; }
    bool IeNO3DBORDER() const { return m_options.IeNO3DBORDER; }
    bool IeDontSCRIPT() const { return m_options.IeDontSCRIPT; }
    bool IeNoBehavior() const { return m_options.IeNoBehavior; }
    bool IeAutoComplete() const { return m_options.IeAutoComplete; }
    void setIeEnableAccelerator(bool on) { m_options.IeEnableAccelerator = on; }
    void setIeNoContext(bool on);
    void setIeSCROLL_hidden(bool on);
    void setIeNO3DBORDER(bool on) { m_options.IeNO3DBORDER = on; }
    void setIeDontSCRIPT(bool on) { m_options.IeDontSCRIPT = on; }
    void setIeNoBehavior(bool on) { m_options.IeNoBehavior = on; }
    void setIeAutoComplete(bool on) { m_options.IeAutoComplete = on; }
    const HostOptions &hostOptions() const { return m_options; }

    /// The wrapper's own context menu, shown instead of the engine's while IeNoContext is set.
    QMenu *PopupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu *menu);

    TDownLoadControl DownLoadControl() const { return m_downLoadControl; }
    void setDownLoadControl(const TDownLoadControl &set);
    /// Tells the engine that the download-control set changed: the page's settings follow it.
    void AmbientPropertyChange();
    /// The platform value of DownLoadControl.
    quint32 downLoadControlReport() const { return m_downLoadControl.report(); }
    const DownLoadPolicy &policy() const { return m_policy; }

    /// The save part of "save as": writes the page to \a path, a single MHTML file for ".mht"
    /// and ".mhtml", else the HTML file with its resources in a folder beside it. Returns at
    /// once; a failure is reported through ErrorHandler when the engine gives up.
    void SaveAs(const QString &path);

    QWebEnginePage *page() const;
    /// The view that shows the page; hidden while the page is out of sight.
    QWebEngineView *view() const { return m_view; }
    /// Whether the page's view has ever shown (the page was in sight, or it took the focus).
    bool hasView() const { return m_viewShown; }

    /// How long the page may be out of sight before it is frozen: its scripts and timers stop
    /// until it is seen again or asked to do something. Later it may be discarded (it loads
    /// again when it comes back, at its address). 0, as a new wrapper has it: never.
    void setSleepAfter(int ms);
    int sleepAfter() const { return m_sleepAfterMs; }

    /// The profile every ordinary TUIWebBrowser uses.
    static QWebEngineProfile *sharedProfile();

Q_SIGNALS:
    /// The page asked for another address by meta refresh or script and CS_NoClientPull held
    /// it back.
    void ClientPullRefused(const QString &URL);

protected:
    void applyZoom(int percent) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    friend class UIWebPage;

    void showView();
    bool isSeen() const;
    void updateView();
    void updateSleep(bool seen);
    void sleepDeeper();
    void wake();

    // Called by the page.
    QWebEnginePage *pageCreateWindow();
    bool pageAcceptNavigation(const QUrl &url, int type, bool isMainFrame);

    void applyPolicy();
    void applyContextMenuPolicy();
    void requireDocument() const;
    void focusPage();
    void updateCommandStates(bool always);
    void onLoadStarted();
    void onLoadFinished(bool ok);
    void onUrlChanged(const QUrl &url);
    void onDownloadRequested(QWebEngineDownloadRequest *download);
    void watchSave(QWebEngineDownloadRequest *download);
    void zoom(const QVariant &input);

    HostOptions m_options;
    TDownLoadControl m_downLoadControl = TDownLoadControl::defaultSet();
    DownLoadPolicy m_policy;
    QPointer<QMenu> m_popupMenu;
    QWebEngineView *m_view = nullptr;
    bool m_viewShown = false;
    MdiStacking *m_stacking = nullptr;
    QTimer m_viewDelay;
    QTimer m_sleep;
    int m_sleepAfterMs = 0;
    UIWebPage *m_page = nullptr;
    bool m_private = false;

    bool m_navigatePending = false; // Navigate called, engine not yet loading
    bool m_navigationOpen = false;  // BeforeNavigate2 sent, NavigateComplete2 not yet
    bool m_inSetUrl = false;        // urlChanged of our own setUrl is no completion
    int m_lastProgress = -1;
    int m_canGoBack = -1; // last state sent, -1 none yet
    int m_canGoForward = -1;
    QString m_savePath; // the path of the save in progress
};
