// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/TUIWebBrowser.h"

#include "common/DorvuError.h"
#include "common/ErrorHandler.h"
#include "common/ProgramFolder.h"
#include "common/StartupTrace.h"
#include "engine/ChromiumDownload.h"
#include "engine/MdiStacking.h"
#include "engine/NewWindowRelay.h"
#include "engine/PageZoom.h"
#include "engine/TextZoom.h"
#include "engine/UIRequestInterceptor.h"
#include "engine/UIWebPage.h"
#include "engine/UserAddress.h"
#include "settings/PageLanguages.h"

#include <QAction>
#include <QChildEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFindTextResult>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWheelEvent>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

namespace {

QString urlText(const QUrl &url)
{
    return url.toString();
}

QString acceptLanguage()
{
    return QString::fromLatin1(
        PageLanguages::acceptLanguage(PageLanguages::forLocale(QLocale::system())));
}

// The private session's profile and the private browsers that use it.
QPointer<QWebEngineProfile> &privateProfile()
{
    static QPointer<QWebEngineProfile> profile;
    return profile;
}
int g_privateBrowsers = 0;

QWebEngineProfile *usePrivateProfile()
{
    QPointer<QWebEngineProfile> &profile = privateProfile();
    if (!profile) {
        // No storage name: off the record. The pages' own settings, interceptor and switches
        // are set per page, as for ordinary pages.
        profile = new QWebEngineProfile(QCoreApplication::instance());
        profile->setHttpAcceptLanguage(acceptLanguage());
        ChromiumDownload::watch(profile);
    }
    ++g_privateBrowsers;
    return profile;
}

// The last private page has gone: the session's cookies, cache and storage go with the profile.
void releasePrivateProfile()
{
    if (--g_privateBrowsers > 0)
        return;
    if (QWebEngineProfile *profile = privateProfile()) {
        privateProfile() = nullptr;
        profile->deleteLater();
    }
}

} // namespace

TUIWebBrowser::TUIWebBrowser(QWidget *parent, bool privateSession)
    : TEngineBrowser(parent)
    , m_private(privateSession)
{
    QWebEngineProfile *profile = privateSession ? usePrivateProfile() : sharedProfile();
    m_page = new UIWebPage(profile, this);
    m_page->setUrlRequestInterceptor(new UIRequestInterceptor(&m_policy, m_page));
    m_page->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    // Japanese pages that name no character set are nearly all UTF-8 nowadays, not Latin-1.
    m_page->settings()->setDefaultTextEncoding(QStringLiteral("UTF-8"));

    // The view is bound to the page before the page loads anything, as Qt WebEngine needs: a
    // view set on a page that has already rendered without one binds to a drawing surface the
    // engine may have replaced meanwhile (a process swap), which crashes. It stays hidden until
    // the page is in sight (see updateView); until then the page area is a blank page.
    setAutoFillBackground(true);
    QPalette blank = palette();
    blank.setColor(QPalette::Window, Qt::white);
    setPalette(blank);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new QWebEngineView(this);
    m_view->installEventFilter(this);
    m_view->setVisible(false);
    m_view->setPage(m_page);
    layout->addWidget(m_view);
    setFocusProxy(m_view);
    connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        if (m_popupMenu)
            m_popupMenu->popup(m_view->mapToGlobal(pos));
    });
    m_stacking = new MdiStacking(this);
    connect(m_stacking, &MdiStacking::changed, this, &TUIWebBrowser::updateView);
    m_viewDelay.setSingleShot(true);
    m_viewDelay.setInterval(ViewDelayMs);
    connect(&m_viewDelay, &QTimer::timeout, this, [this] {
        if (isSeen())
            showView();
    });

    m_sleep.setSingleShot(true);
    connect(&m_sleep, &QTimer::timeout, this, &TUIWebBrowser::sleepDeeper);

    connect(m_page, &QWebEnginePage::titleChanged, this, [this](const QString &title) {
        // Chromium names a page by its address until the title arrives: that is a commit too.
        if (m_navigationOpen)
            onUrlChanged(m_page->url());
        Q_EMIT OnTitleChange(title);
    });
    connect(m_page, &QWebEnginePage::linkHovered, this, &TEngineBrowser::OnStatusTextChange);
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int progress) {
        if (progress == m_lastProgress)
            return;
        m_lastProgress = progress;
        Q_EMIT OnProgressChange(progress, 100);
    });
    connect(m_page, &QWebEnginePage::loadStarted, this, &TUIWebBrowser::onLoadStarted);
    connect(m_page, &QWebEnginePage::loadFinished, this, &TUIWebBrowser::onLoadFinished);
    connect(m_page, &QWebEnginePage::urlChanged, this, &TUIWebBrowser::onUrlChanged);
    // The history has no signals of its own; the back and forward actions follow it.
    connect(m_page->action(QWebEnginePage::Back), &QAction::changed, this,
            [this] { updateCommandStates(false); });
    connect(m_page->action(QWebEnginePage::Forward), &QAction::changed, this,
            [this] { updateCommandStates(false); });
    connect(profile, &QWebEngineProfile::downloadRequested, this,
            &TUIWebBrowser::onDownloadRequested);

    applyPolicy();
    applyContextMenuPolicy();
}

void TUIWebBrowser::showView()
{
    m_viewDelay.stop();
    m_viewShown = true;
    m_view->setVisible(true);
}

bool TUIWebBrowser::isSeen() const
{
    if (!isVisible())
        return false;
    // A shown view stays while any of its page shows; a new one is made only for a page that
    // shows enough to look at, not for the edge of a window in a cascade.
    if (m_view->isVisibleTo(this))
        return m_stacking->cover(this) != MdiStacking::Cover::Whole;
    return m_stacking->shownShare(this) >= MinShownShare;
}

// A page nobody can see needs no view on screen, and a shown view costs our process 5 to 40 MiB
// by its size: a window opened behind others loads with its view hidden (its page area stays
// white), and the view of a window covered by another is hidden.
// The engine then takes the page as hidden and slows its timers and drawing down, as it does
// for a background tab. A window of a bulk open is in front for a moment only, so the first
// view waits until the page has been in sight for ViewDelayMs.
void TUIWebBrowser::updateView()
{
    const bool seen = isSeen();
    // A page coming into sight is woken before its view shows.
    updateSleep(seen);
    if (!m_viewShown) {
        if (!seen)
            m_viewDelay.stop();
        else if (!m_viewDelay.isActive())
            m_viewDelay.start();
    } else if (m_view->isVisibleTo(this) != seen) {
        m_view->setVisible(seen);
    }
}

void TUIWebBrowser::setSleepAfter(int ms)
{
    m_sleepAfterMs = qMax(0, ms);
    m_sleep.stop();
    updateSleep(isSeen());
}

void TUIWebBrowser::updateSleep(bool seen)
{
    if (seen) {
        m_sleep.stop();
        wake();
    } else if (m_sleepAfterMs > 0 && !m_sleep.isActive() &&
               m_page->lifecycleState() == QWebEnginePage::LifecycleState::Active) {
        m_sleep.start(m_sleepAfterMs);
    }
}

// A page goes no further than the engine recommends: it keeps a page active that plays
// sound, and frozen rather than discarded where discarding would lose something.
void TUIWebBrowser::sleepDeeper()
{
    using State = QWebEnginePage::LifecycleState;
    if (isSeen() || m_sleepAfterMs <= 0)
        return;
    if (Busy()) {
        m_sleep.start(m_sleepAfterMs);
        return;
    }
    const State now = m_page->lifecycleState();
    if (now == State::Discarded)
        return;
    const State next = now == State::Active ? State::Frozen : State::Discarded;
    // Not yet (the page plays sound, say): asked again after as long.
    if (int(m_page->recommendedState()) < int(next)) {
        m_sleep.start(next == State::Frozen ? m_sleepAfterMs : m_sleepAfterMs * DiscardAfterSleeps);
        return;
    }
    m_page->setLifecycleState(next);
    if (next == State::Frozen)
        m_sleep.start(m_sleepAfterMs * DiscardAfterSleeps);
    else
        Q_EMIT OnDiscarded();
}

// Anything asked of the page, and the page coming into sight, wakes it first.
void TUIWebBrowser::wake()
{
    if (m_page->lifecycleState() != QWebEnginePage::LifecycleState::Active)
        m_page->setLifecycleState(QWebEnginePage::LifecycleState::Active);
}

void TUIWebBrowser::showEvent(QShowEvent *event)
{
    TEngineBrowser::showEvent(event);
    m_stacking->watch();
    updateView();
}

void TUIWebBrowser::hideEvent(QHideEvent *event)
{
    TEngineBrowser::hideEvent(event);
    updateSleep(false);
}

TUIWebBrowser::~TUIWebBrowser()
{
    // No events from a page on its way out; the view lets go of the page first, and the page
    // goes before the shared profile.
    disconnect(m_page, nullptr, this, nullptr);
    delete m_view;
    m_view = nullptr;
    delete m_page;
    m_page = nullptr;
    if (m_private)
        releasePrivateProfile();
}

QWebEngineProfile *TUIWebBrowser::sharedProfile()
{
    static QPointer<QWebEngineProfile> profile;
    if (!profile) {
        StartupTrace::mark("engine profile");
        profile = new QWebEngineProfile(QStringLiteral("Dorvu"), QCoreApplication::instance());
        const QString folder = ProgramFolder::file(QStringLiteral("WebEngine"));
        profile->setPersistentStoragePath(folder);
        profile->setCachePath(folder + QStringLiteral("/Cache"));
        profile->setHttpAcceptLanguage(acceptLanguage());
        ChromiumDownload::watch(profile);
    }
    return profile;
}

QWebEnginePage *TUIWebBrowser::page() const
{
    return m_page;
}

void TUIWebBrowser::Navigate(const QString &url)
{
    wake();
    // A relative file name means a file of the current folder when one exists there.
    const QUrl address = UserAddress::toNavigableUrl(url, QDir::currentPath());
    // A script address and an anchor of the page on show load no document: the engine never
    // reports a load for them.
    const QUrl current = m_page->url();
    const bool sameDocument =
        address.scheme() == QLatin1String("javascript") ||
        (address.hasFragment() && !current.isEmpty() &&
         address.adjusted(QUrl::RemoveFragment) == current.adjusted(QUrl::RemoveFragment));
    m_navigatePending = !sameDocument;
    StartupTrace::mark("first navigate");
    m_inSetUrl = true;
    m_page->setUrl(address);
    m_inSetUrl = false;
}

void TUIWebBrowser::GoBack()
{
    wake();
    if (!m_page->history()->canGoBack())
        throwNoHistory(true);
    m_navigatePending = true;
    m_page->history()->back();
}

void TUIWebBrowser::GoForward()
{
    wake();
    if (!m_page->history()->canGoForward())
        throwNoHistory(false);
    m_navigatePending = true;
    m_page->history()->forward();
}

void TUIWebBrowser::Stop()
{
    m_navigatePending = false;
    m_page->triggerAction(QWebEnginePage::Stop);
    reportStopped();
}

void TUIWebBrowser::Refresh()
{
    wake();
    if (m_page->url().isEmpty())
        return;
    m_navigatePending = true;
    m_page->triggerAction(m_policy.bypassCache ? QWebEnginePage::ReloadAndBypassCache
                                               : QWebEnginePage::Reload);
}

void TUIWebBrowser::ExecWB(int command, int, const QVariant &input)
{
    wake();
    switch (command) {
    case OLECMDID_ZOOM:
        zoom(input);
        return;
    case OLECMDID_SAVEAS: {
        requireDocument();
        const QString path = askSavePath(
            m_page->title(), QStringLiteral(".html"),
            QStringLiteral("Web ページ 完全 (*.html *.htm);;Web アーカイブ 単一のファイル "
                           "(*.mht *.mhtml)"));
        if (!path.isEmpty())
            SaveAs(path);
        return;
    }
    case OLECMDID_COPY:
        requireDocument();
        focusPage();
        m_page->triggerAction(QWebEnginePage::Copy);
        return;
    case OLECMDID_SELECTALL:
        requireDocument();
        focusPage();
        m_page->triggerAction(QWebEnginePage::SelectAll);
        return;
    default:
        throwUnknownCommand(command);
    }
}

void TUIWebBrowser::RunScript(const QString &script, const ScriptDone &done)
{
    wake();
    // Chromium reports no script errors: a failing script gives an empty result. Our scripts
    // run in a world of their own, which sees the page's document but not its scripts, and
    // which runs also while the Script switch keeps the page's own scripts off.
    QPointer<TUIWebBrowser> self = this;
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                          [self, done](const QVariant &result) {
                              if (self && done)
                                  done(true, result.toString());
                          });
}

QString TUIWebBrowser::EngineName() const
{
    return QStringLiteral("Chromium (Qt WebEngine)");
}

QString TUIWebBrowser::EngineVersion() const
{
    return QString::fromLatin1(qWebEngineChromiumVersion());
}

QString TUIWebBrowser::LocationURL() const
{
    return urlText(m_page->url());
}

bool TUIWebBrowser::Busy() const
{
    // The engine reports loading only from loadStarted on, a moment after setUrl.
    return m_navigatePending || m_page->isLoading();
}

TEngineBrowser *TUIWebBrowser::CreateNewWindowBrowser(QWidget *parent)
{
    return new TUIWebBrowser(parent, m_private);
}

void TUIWebBrowser::setIeNoContext(bool on)
{
    m_options.IeNoContext = on;
    applyContextMenuPolicy();
}

void TUIWebBrowser::setIeSCROLL_hidden(bool on)
{
    m_options.IeSCROLL_hidden = on;
    m_page->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, !on);
}

void TUIWebBrowser::setPopupMenu(QMenu *menu)
{
    m_popupMenu = menu;
    applyContextMenuPolicy();
}

void TUIWebBrowser::setDownLoadControl(const TDownLoadControl &set)
{
    m_downLoadControl = set;
    applyPolicy();
}

void TUIWebBrowser::AmbientPropertyChange()
{
    applyPolicy();
}

void TUIWebBrowser::SaveAs(const QString &path)
{
    wake();
    requireDocument();
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool archive = suffix == QLatin1String("mht") || suffix == QLatin1String("mhtml");
    m_savePath = path;
    m_page->save(path, archive ? QWebEngineDownloadRequest::MimeHtmlSaveFormat
                               : QWebEngineDownloadRequest::CompleteHtmlSaveFormat);
}

void TUIWebBrowser::applyPolicy()
{
    m_policy = DownLoadPolicy::of(m_downLoadControl);
    QWebEngineSettings *settings = m_page->settings();
    settings->setAttribute(QWebEngineSettings::AutoLoadImages, m_policy.loadImages);
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, m_policy.runScripts);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, m_policy.plugins);
    settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, !m_policy.loadMedia);
    m_page->setAudioMuted(m_policy.muted);
}

void TUIWebBrowser::applyContextMenuPolicy()
{
    if (!m_view)
        return;
    if (!m_options.IeNoContext)
        m_view->setContextMenuPolicy(Qt::DefaultContextMenu);
    else
        m_view->setContextMenuPolicy(m_popupMenu ? Qt::CustomContextMenu : Qt::NoContextMenu);
}

void TUIWebBrowser::focusPage()
{
    // The engine edits the focused frame; a page never clicked into has none. A hidden view
    // takes no focus: a page in sight shows its view now rather than after the delay.
    if (!m_view->isVisibleTo(this) && isSeen())
        showView();
    if (!m_view->hasFocus())
        m_view->setFocus(Qt::OtherFocusReason);
}

void TUIWebBrowser::requireDocument() const
{
    if (m_page->url().isEmpty())
        throwNoDocument();
}

void TUIWebBrowser::updateCommandStates(bool always)
{
    const int back = m_page->history()->canGoBack() ? 1 : 0;
    const int forward = m_page->history()->canGoForward() ? 1 : 0;
    if (always || forward != m_canGoForward) {
        m_canGoForward = forward;
        Q_EMIT OnCommandStateChange(CSC_NAVIGATEFORWARD, forward);
    }
    if (always || back != m_canGoBack) {
        m_canGoBack = back;
        Q_EMIT OnCommandStateChange(CSC_NAVIGATEBACK, back);
    }
}

void TUIWebBrowser::FindText(const QString &text, bool backwards, const FindDone &done)
{
    // The same text again: the engine moves on to the next match by itself.
    QWebEnginePage::FindFlags flags;
    if (backwards)
        flags |= QWebEnginePage::FindBackward;
    m_page->findText(
        text, flags,
        [self = QPointer<TUIWebBrowser>(this), done](const QWebEngineFindTextResult &result) {
            if (self && done)
                done(result.numberOfMatches());
        });
}

void TUIWebBrowser::zoom(const QVariant &input)
{
    // Silent on every failure: the text size is a preference, not a command the user awaits.
    bool ok = false;
    const int size = input.toInt(&ok);
    if (!ok || !TextZoom::isValid(size) || m_page->url().isEmpty())
        return;
    // A text size of this engine is a zoom of the whole page, from which Ctrl++ steps on.
    SetZoomPercent(PageZoom::percentOf(TextZoom::factor(size)));
}

void TUIWebBrowser::applyZoom(int percent)
{
    m_page->setZoomFactor(percent / 100.0);
}

// Ctrl+wheel over the page zooms it; the page's drawing is a child widget of the view.
bool TUIWebBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ChildAdded && watched == m_view) {
        if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
            child->installEventFilter(this);
    } else if (event->type() == QEvent::ShortcutOverride && watched != m_view) {
        // Chromium keeps some keys (F5, Ctrl+R, ...) from the window's shortcuts.
        const QKeySequence key(static_cast<QKeyEvent *>(event)->keyCombination());
        const QList<QAction *> actions = window()->actions();
        for (const QAction *action : actions) {
            if (action->isEnabled() && action->property(HostKeyProperty).toBool() &&
                action->shortcuts().contains(key)) {
                event->ignore();
                return true;
            }
        }
    } else if (event->type() == QEvent::Wheel && watched != m_view) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier) {
            const int delta = wheel->angleDelta().y();
            if (delta != 0)
                ErrorHandler::Run([&] { ZoomBy(delta > 0 ? 1 : -1); });
            return true;
        }
    }
    return TEngineBrowser::eventFilter(watched, event);
}

QWebEnginePage *TUIWebBrowser::pageCreateWindow()
{
    TEngineBrowser *target = nullptr;
    bool cancel = false;
    ErrorHandler::Run([&] { Q_EMIT OnNewWindow2(&target, &cancel); });
    if (cancel || !target)
        return nullptr; // window.open() gets null
    if (auto *browser = qobject_cast<TUIWebBrowser *>(target)) {
        if (browser == this)
            return nullptr;
        return browser->m_page;
    }
    return new NewWindowRelay(m_page->profile(), target);
}

bool TUIWebBrowser::pageAcceptNavigation(const QUrl &url, int type, bool isMainFrame)
{
    if (!isMainFrame)
        return m_policy.loadFrames;
    // A redirect while the page's own navigation is still open is the server's answer; once the
    // document has committed, it is the page pulling another address (meta refresh, script).
    const bool clientPull = type == QWebEnginePage::NavigationTypeRedirect && !m_navigationOpen;
    if (clientPull && !m_policy.followClientPull) {
        Q_EMIT ClientPullRefused(urlText(url));
        return false;
    }
    m_navigationOpen = true;
    Q_EMIT OnBeforeNavigate2(urlText(url));
    return true;
}

void TUIWebBrowser::onLoadStarted()
{
    m_navigatePending = false;
    m_lastProgress = -1;
    Q_EMIT OnCommandStateChange(CSC_UPDATECOMMANDS, false);
}

void TUIWebBrowser::onLoadFinished(bool ok)
{
    m_navigatePending = false;
    if (m_lastProgress != 100) {
        m_lastProgress = 100;
        Q_EMIT OnProgressChange(100, 100);
    }
    if (m_navigationOpen)
        onUrlChanged(m_page->url());
    if (ok) {
        StartupTrace::mark("first page loaded");
        Q_EMIT OnDocumentComplete(LocationURL());
    }
    updateCommandStates(true);
    Q_EMIT OnCommandStateChange(CSC_UPDATECOMMANDS, false);
}

void TUIWebBrowser::onUrlChanged(const QUrl &url)
{
    // setUrl announces its address at once, before the engine has even been asked.
    if (m_inSetUrl || !m_navigationOpen)
        return;
    m_navigationOpen = false;
    Q_EMIT OnNavigateComplete2(urlText(url));
}

void TUIWebBrowser::onDownloadRequested(QWebEngineDownloadRequest *download)
{
    // Other downloads go to the downloads list (ChromiumDownload).
    if (download->page() != m_page || !download->isSavePageDownload())
        return;
    watchSave(download);
    if (download->state() == QWebEngineDownloadRequest::DownloadRequested)
        download->accept();
}

void TUIWebBrowser::watchSave(QWebEngineDownloadRequest *download)
{
    const QString path =
        m_savePath.isEmpty()
            ? QDir(download->downloadDirectory()).filePath(download->downloadFileName())
            : m_savePath;
    m_savePath.clear();
    connect(download, &QWebEngineDownloadRequest::isFinishedChanged, this, [download, path] {
        if (download->isFinished() &&
            download->state() != QWebEngineDownloadRequest::DownloadCompleted)
            ErrorHandler::Report(QStringLiteral("ページを %1 に保存できませんでした").arg(path));
    });
}
