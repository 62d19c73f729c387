// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/TMozillaBrowser.h"

#include "common/DorvuError.h"
#include "common/ErrorHandler.h"
#include "engine/ComposedWindow.h"
#include "engine/MdiStacking.h"
#include "engine/MozCtlModule.h"
#include "engine/PageZoom.h"
#include "engine/TextZoom.h"
#include "engine/UserAddress.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPlatformSurfaceEvent>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

namespace {

// While a page holds the X input focus, Qt does not see the clicks that should take it back:
// a press on any Qt widget returns the focus to that widget's window.
class FocusReturn : public QObject
{
public:
    int pagesWithFocus = 0;
    // Set when a page was given the X focus and its focus-in has not arrived yet: a press that
    // comes in between must take the focus back too, or keys would go on to the page.
    bool focusRequested = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if ((pagesWithFocus > 0 || focusRequested) && event->type() == QEvent::MouseButtonPress &&
            watched->isWidgetType()) {
            // The press reaches the clicked widget first; its window takes the X focus back.
            focusRequested = false;
            QWidget *window = static_cast<QWidget *>(watched)->window();
            if (window)
                window->activateWindow();
        }
        return false;
    }
};

FocusReturn *focusReturn()
{
    static FocusReturn *filter = [] {
        auto *f = new FocusReturn;
        qApp->installEventFilter(f);
        return f;
    }();
    return filter;
}

// X keysyms of the keys a shortcut may use, as Qt keys; 0 for any other.
int qtKey(unsigned int keysym)
{
    if (keysym >= 'a' && keysym <= 'z')
        return Qt::Key_A + int(keysym - 'a');
    if (keysym >= 0x20 && keysym <= 0x7e)
        return int(keysym); // Latin-1 printable: Qt keys share the codes
    if (keysym >= 0xffbe && keysym <= 0xffd5)
        return Qt::Key_F1 + int(keysym - 0xffbe);
    switch (keysym) {
    case 0xff08:
        return Qt::Key_Backspace;
    case 0xff09:
        return Qt::Key_Tab;
    case 0xfe20:
        return Qt::Key_Backtab;
    case 0xff0d:
        return Qt::Key_Return;
    case 0xff1b:
        return Qt::Key_Escape;
    case 0xff50:
        return Qt::Key_Home;
    case 0xff51:
        return Qt::Key_Left;
    case 0xff52:
        return Qt::Key_Up;
    case 0xff53:
        return Qt::Key_Right;
    case 0xff54:
        return Qt::Key_Down;
    case 0xff55:
        return Qt::Key_PageUp;
    case 0xff56:
        return Qt::Key_PageDown;
    case 0xff57:
        return Qt::Key_End;
    case 0xff63:
        return Qt::Key_Insert;
    case 0xffff:
        return Qt::Key_Delete;
    case 0xffab:
        return Qt::Key_Plus; // the keypad's
    case 0xffad:
        return Qt::Key_Minus;
    default:
        return 0;
    }
}

// The native widget that the page's X window lives in; the page covers it whole.
class EmbedHost : public QWidget
{
public:
    explicit EmbedHost(QWidget *parent)
        : QWidget(parent)
    {
        // Qt flushes the window's picture into every native window inside it: this one must be
        // a GPU surface like the window's own, or the flush draws black over the window. Its
        // window object comes with the native attribute, so this goes first.
        ComposedWindow::prepare(this);
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_DontCreateNativeAncestors);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent *) override {}
};

struct ScriptCall
{
    std::function<void(bool, const QString &)> done;
};

struct SnapshotCall
{
    QPointer<TMozillaBrowser> browser;
};

struct FindCall
{
    QPointer<TMozillaBrowser> browser;
    TEngineBrowser::FindDone done;
};

struct SaveCall
{
    QPointer<TMozillaBrowser> browser;
    QString path;
};

} // namespace

TMozillaBrowser *TMozillaBrowser::create(QWidget *parent, bool privateSession)
{
    const MozCtlApi &api = MozCtlModule::api();
    auto *browser = new TMozillaBrowser(parent, api);
    try {
        browser->attach(nullptr, privateSession);
    } catch (...) {
        delete browser;
        throw;
    }
    return browser;
}

TMozillaBrowser::TMozillaBrowser(QWidget *parent, const MozCtlApi &api)
    : TEngineBrowser(parent)
    , m_api(api)
    , m_stacking(new MdiStacking(this))
{
    connect(m_stacking, &MdiStacking::changed, this, &TMozillaBrowser::updateStacking);
}

void TMozillaBrowser::attach(MozCtlView *related, bool privateSession)
{
    static const MozCtlEvents events = {
        onTitle,          onStatusText,       onProgress,         onHistory, onNewWindow,
        onBeforeNavigate, onNavigateComplete, onDocumentComplete, onClicked, onFocusChanged,
        onKeyUnhandled,   onScriptDialog,     onZoomWheel,
    };
    m_private = privateSession;
    if (related)
        m_view = m_api.createRelated(related, &events, this);
    else if (privateSession)
        m_view = m_api.createPrivate(&events, this);
    else
        m_view = m_api.create(&events, this);
    if (!m_view)
        throw DorvuError(QStringLiteral("Geckoエンジンのページを作れません"));
    focusReturn();
}

// Embedding waits for the first show: by then the widget sits where it will stay.
void TMozillaBrowser::embed()
{
    // The window must not be made anew under the page later (see ComposedWindow).
    ComposedWindow::prepare(window());
    m_host = new EmbedHost(this);
    m_host->setGeometry(rect());
    m_host->installEventFilter(this);
    // Creates the one native window; the page's window goes in at once, before GTK maps it.
    m_host->winId();
    m_host->windowHandle()->installEventFilter(this);
    embedWindow();
    m_host->show();
    m_stacking->watch();
    updateStacking();
}

void TMozillaBrowser::embedWindow()
{
    if (m_host && m_host->internalWinId())
        m_api.embed(m_view, static_cast<unsigned long>(m_host->internalWinId()));
}

void TMozillaBrowser::scheduleStackingCheck()
{
    if (m_host)
        m_stacking->scheduleCheck();
}

void TMozillaBrowser::updateStacking()
{
    if (!m_host)
        return;
    // Qt places a native window when its own widget moves, not when an alien ancestor does
    // (a child window dragged or cascaded): put it where the widget now is.
    if (QWidget *native = m_host->nativeParentWidget()) {
        const QPoint place = m_host->mapTo(native, QPoint(0, 0));
        if (m_host->windowHandle() && m_host->windowHandle()->position() != place) {
            m_host->move(1, 0);
            m_host->move(0, 0);
        }
    }
    if (!m_stacking->inChildArea())
        return;
    // A native window sits above every alien widget, and a shape cut out of it leaves X showing
    // nothing fresh below (what it uncovers is not repainted): the page is shown only while no
    // child window above its own covers any part of it and the viewport shows it whole.
    const bool whole = m_stacking->cover(m_host) == MdiStacking::Cover::Uncovered;
    if (whole && m_host->isHidden()) {
        m_snapshot = QPixmap();
        m_host->show();
    } else if (!whole && !m_host->isHidden()) {
        // What the screen showed stands in for the page at once; the engine's own picture
        // follows, and again after every load while it is covered.
        if (QScreen *screen = m_host->screen()) {
            const QPoint at = m_host->mapToGlobal(QPoint(0, 0));
            m_snapshot = screen->grabWindow(0, at.x(), at.y(), m_host->width(), m_host->height());
        }
        m_host->hide();
        update();
        requestSnapshot();
    }
}

void TMozillaBrowser::requestSnapshot()
{
    auto *call = new SnapshotCall{this};
    m_api.snapshot(
        m_view,
        [](void *context, int ok, const unsigned char *pixels, int width, int height, int stride) {
            auto *call = static_cast<SnapshotCall *>(context);
            TMozillaBrowser *self = call->browser;
            if (self && ok && self->m_host && self->m_host->isHidden()) {
                const QImage image(pixels, width, height, stride,
                                   QImage::Format_ARGB32_Premultiplied);
                self->m_snapshot = QPixmap::fromImage(image.copy());
                self->update();
            }
            delete call;
        },
        call);
}

void TMozillaBrowser::paintEvent(QPaintEvent *)
{
    // Only seen while the page is covered, or before it is embedded.
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_snapshot.isNull())
        painter.drawPixmap(QPoint(0, 0), m_snapshot);
}

TMozillaBrowser::~TMozillaBrowser()
{
    if (m_hasFocus)
        focusReturn()->pagesWithFocus--;
    if (m_view)
        m_api.destroy(m_view);
}

void TMozillaBrowser::Navigate(const QString &url)
{
    const QUrl address = UserAddress::toNavigableUrl(url, QDir::currentPath());
    m_api.loadUri(m_view, address.toString(QUrl::FullyEncoded).toUtf8().constData());
}

void TMozillaBrowser::GoBack()
{
    if (!m_api.canGoBack(m_view))
        throwNoHistory(true);
    m_api.goBack(m_view);
}

void TMozillaBrowser::GoForward()
{
    if (!m_api.canGoForward(m_view))
        throwNoHistory(false);
    m_api.goForward(m_view);
}

void TMozillaBrowser::Stop()
{
    m_api.stop(m_view);
    reportStopped();
}

void TMozillaBrowser::Refresh()
{
    if (!LocationURL().isEmpty())
        m_api.reload(m_view);
}

void TMozillaBrowser::requireDocument() const
{
    if (LocationURL().isEmpty())
        throwNoDocument();
}

void TMozillaBrowser::ExecWB(int command, int option, const QVariant &input)
{
    Q_UNUSED(option)
    switch (command) {
    case OLECMDID_SAVEAS: {
        requireDocument();
        const QString path = askSavePath(m_title, QStringLiteral(".mht"),
                                         QStringLiteral("Web アーカイブ 単一のファイル "
                                                        "(*.mht *.mhtml)"));
        if (!path.isEmpty())
            SavePage(path);
        break;
    }
    case OLECMDID_COPY:
        requireDocument();
        m_api.editingCommand(m_view, "Copy");
        break;
    case OLECMDID_SELECTALL:
        requireDocument();
        m_api.editingCommand(m_view, "SelectAll");
        break;
    case OLECMDID_ZOOM: {
        // Failures of the text size are ignored.
        bool ok = false;
        const int size = input.toInt(&ok);
        if (ok && TextZoom::isValid(size)) {
            m_textFactor = TextZoom::factor(size);
            applyZoom(ZoomPercent());
        }
        break;
    }
    default:
        throwUnknownCommand(command);
    }
}

QString TMozillaBrowser::LocationURL() const
{
    return QString::fromUtf8(m_api.uri(m_view));
}

bool TMozillaBrowser::Busy() const
{
    return m_api.isLoading(m_view);
}

TEngineBrowser *TMozillaBrowser::CreateNewWindowBrowser(QWidget *parent)
{
    auto *browser = new TMozillaBrowser(parent, m_api);
    try {
        browser->attach(m_view, m_private);
    } catch (...) {
        delete browser;
        throw;
    }
    return browser;
}

void TMozillaBrowser::setDownLoadControl(const TDownLoadControl &set)
{
    unsigned int controls = 0;
    if (set.contains(CS_NoScripts))
        controls |= MOZCTL_NO_SCRIPTS;
    if (!set.contains(CS_Images))
        controls |= MOZCTL_NO_IMAGES;
    if (set.contains(CS_NoCash))
        controls |= MOZCTL_NO_CACHE;
    if (set.contains(CS_NoClientPull))
        controls |= MOZCTL_NO_CLIENT_PULL;
    if (m_view && m_api.setPageControls)
        m_api.setPageControls(m_view, controls);
}

void TMozillaBrowser::SavePage(const QString &path)
{
    requireDocument();
    auto *call = new SaveCall{this, path};
    m_api.saveMhtml(
        m_view, QFile::encodeName(path).constData(),
        [](void *context, int ok, const char *message) {
            auto *call = static_cast<SaveCall *>(context);
            if (call->browser) {
                if (!ok)
                    ErrorHandler::Report(
                        QStringLiteral("%1 に保存できません: %2")
                            .arg(QDir::toNativeSeparators(call->path), QString::fromUtf8(message)));
                Q_EMIT call->browser->saveFinished(call->path, ok);
            }
            delete call;
        },
        call);
}

void TMozillaBrowser::applyZoom(int percent)
{
    if (percent == PageZoom::Normal)
        m_api.setTextZoom(m_view, m_textFactor);
    else
        m_api.setPageZoom(m_view, percent / 100.0);
}

double TMozillaBrowser::zoomLevel() const
{
    return m_api.zoomLevel(m_view);
}

void TMozillaBrowser::RunScript(const QString &script, const ScriptDone &done)
{
    m_api.runJavaScript(
        m_view, script.toUtf8().constData(),
        [](void *context, int ok, const char *result) {
            auto *call = static_cast<ScriptCall *>(context);
            if (call->done)
                call->done(ok, QString::fromUtf8(result));
            delete call;
        },
        new ScriptCall{done});
}

void TMozillaBrowser::FindText(const QString &text, bool backwards, const FindDone &done)
{
    m_api.findText(
        m_view, text.toUtf8().constData(), backwards,
        [](void *context, int matches) {
            auto *call = static_cast<FindCall *>(context);
            if (call->browser && call->done && matches >= 0)
                ErrorHandler::RunInCallback([&] { call->done(matches); });
            delete call;
        },
        new FindCall{this, done});
}

void TMozillaBrowser::focusPage()
{
    focusReturn()->focusRequested = true;
    m_api.focus(m_view);
}

// Qt destroys a native window when its widget moves to another window and makes it anew: the
// page's window must not be inside then, or X would destroy it with its parent.
bool TMozillaBrowser::eventFilter(QObject *watched, QEvent *event)
{
    if (m_host && watched == m_host->windowHandle() && event->type() == QEvent::PlatformSurface) {
        switch (static_cast<QPlatformSurfaceEvent *>(event)->surfaceEventType()) {
        case QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed:
            m_api.detach(m_view);
            break;
        case QPlatformSurfaceEvent::SurfaceCreated:
            embedWindow();
            scheduleStackingCheck();
            break;
        }
    } else if (watched == m_host) {
        if (event->type() == QEvent::FocusIn)
            focusPage();
        else if (event->type() == QEvent::WinIdChange && m_host->windowHandle())
            m_host->windowHandle()->installEventFilter(this);
    }
    return TEngineBrowser::eventFilter(watched, event);
}

void TMozillaBrowser::showEvent(QShowEvent *event)
{
    TEngineBrowser::showEvent(event);
    if (!m_host)
        embed();
    else
        scheduleStackingCheck();
}

void TMozillaBrowser::resizeEvent(QResizeEvent *event)
{
    TEngineBrowser::resizeEvent(event);
    if (m_host) {
        m_host->setGeometry(rect());
        scheduleStackingCheck();
    }
    // GTK is told too, so that it lays the page out at once.
    m_api.resize(m_view, width(), height());
}

void TMozillaBrowser::moveEvent(QMoveEvent *event)
{
    TEngineBrowser::moveEvent(event);
    scheduleStackingCheck();
}

// A click on the stand-in of a covered page: the child window comes to the front by itself;
// the click counts as one into the page.
void TMozillaBrowser::mousePressEvent(QMouseEvent *event)
{
    TEngineBrowser::mousePressEvent(event);
    activateSubWindow();
    Q_EMIT activated();
}

void TMozillaBrowser::activateSubWindow()
{
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(w)) {
            if (QMdiArea *area = sub->mdiArea(); area && area->activeSubWindow() != sub)
                area->setActiveSubWindow(sub);
            return;
        }
    }
}

void TMozillaBrowser::forwardShortcut(unsigned int keysym, unsigned int modifiers)
{
    int key = qtKey(keysym);
    if (!key)
        return;
    int mods = 0;
    if (modifiers & MOZCTL_MOD_SHIFT)
        mods |= Qt::SHIFT;
    // X names Shift+Tab a key of its own; shortcuts name it Shift+Tab.
    if (key == Qt::Key_Backtab) {
        key = Qt::Key_Tab;
        mods |= Qt::SHIFT;
    }
    // Shift that chose a symbol ("+" on most keyboards) is part of the key, as Qt's own
    // shortcuts take it (Ctrl++).
    if (keysym > 0x20 && keysym <= 0x7e && !(key >= Qt::Key_A && key <= Qt::Key_Z) &&
        !(key >= Qt::Key_0 && key <= Qt::Key_9))
        mods &= ~int(Qt::SHIFT);
    if (modifiers & MOZCTL_MOD_CONTROL)
        mods |= Qt::CTRL;
    if (modifiers & MOZCTL_MOD_ALT)
        mods |= Qt::ALT;
    const QKeySequence sequence(key | mods);
    QWidget *top = window();
    // Alt and a letter open the menu bar's menu of that access key, as with Qt's own focus.
    if (mods == Qt::ALT) {
        if (auto *bar = top->findChild<QMenuBar *>()) {
            const QList<QAction *> menus = bar->actions();
            for (QAction *menu : menus) {
                if (menu->isVisible() && menu->isEnabled() &&
                    QKeySequence::mnemonic(menu->text()) == sequence) {
                    top->activateWindow();
                    bar->setActiveAction(menu);
                    return;
                }
            }
        }
    }
    QPointer<TMozillaBrowser> self(this);
    QList<QAction *> actions = top->findChildren<QAction *>();
    actions += top->actions();
    for (QAction *action : std::as_const(actions)) {
        if (action->isEnabled() && action->shortcuts().contains(sequence)) {
            action->trigger();
            if (self)
                releaseFocus();
            return;
        }
    }
    const QList<QShortcut *> shortcuts = top->findChildren<QShortcut *>();
    for (QShortcut *shortcut : shortcuts) {
        if (shortcut->isEnabled() && shortcut->keys().contains(sequence)) {
            Q_EMIT shortcut->activated();
            if (self)
                releaseFocus();
            return;
        }
    }
}

// A command run from a key in the page may give a Qt widget the focus (the address bar): the
// X focus must then leave the page's window, or the keys typed next would still go there.
// Qt asks for the focus with the time of the last event it saw, older than the page's own
// request, and the X server ignores such a request: this one asks with the current time.
// The page also stops taking keys, which X would still send it while the pointer is over it.
void TMozillaBrowser::releaseFocus()
{
    QWidget *focus = QApplication::focusWidget();
    if (!m_hasFocus || !focus || focus == m_host)
        return;
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !focus->window()->windowHandle())
        return;
    m_api.releaseFocus(m_view);
    xcb_connection_t *connection = x11->connection();
    xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, xcb_window_t(focus->window()->winId()),
                        XCB_CURRENT_TIME);
    xcb_flush(connection);
}

// Engine events. A slot may delete this browser: nothing touches it after an emit.

// The on... functions are called by the module from GTK's C code: no exception may unwind
// through them, so each runs its body under ErrorHandler::RunInCallback.

void TMozillaBrowser::onTitle(void *owner, const char *title)
{
    ErrorHandler::RunInCallback([&] {
        auto *self = static_cast<TMozillaBrowser *>(owner);
        self->m_title = QString::fromUtf8(title);
        Q_EMIT self->OnTitleChange(self->m_title);
    });
}

QString TMozillaBrowser::EngineName() const
{
    return QStringLiteral("WebKitGTK");
}

QString TMozillaBrowser::EngineVersion() const
{
    return MozCtlModule::engineVersion();
}

void TMozillaBrowser::onStatusText(void *owner, const char *text)
{
    ErrorHandler::RunInCallback([&] {
        Q_EMIT static_cast<TMozillaBrowser *>(owner)->OnStatusTextChange(QString::fromUtf8(text));
    });
}

void TMozillaBrowser::onProgress(void *owner, double fraction)
{
    ErrorHandler::RunInCallback([&] {
        Q_EMIT static_cast<TMozillaBrowser *>(owner)->OnProgressChange(qRound(fraction * 100), 100);
    });
}

void TMozillaBrowser::onHistory(void *owner, int canGoBack, int canGoForward)
{
    ErrorHandler::RunInCallback([&] {
        QPointer<TMozillaBrowser> self = static_cast<TMozillaBrowser *>(owner);
        Q_EMIT self->OnCommandStateChange(CSC_NAVIGATEFORWARD, canGoForward);
        if (self)
            Q_EMIT self->OnCommandStateChange(CSC_NAVIGATEBACK, canGoBack);
    });
}

MozCtlView *TMozillaBrowser::onNewWindow(void *owner, const char *uri)
{
    MozCtlView *view = nullptr;
    ErrorHandler::RunInCallback([&] {
        QPointer<TMozillaBrowser> self = static_cast<TMozillaBrowser *>(owner);
        TEngineBrowser *target = nullptr;
        bool cancel = false;
        Q_EMIT self->OnNewWindow2(&target, &cancel);
        if (cancel || !target)
            return;
        auto *mine = qobject_cast<TMozillaBrowser *>(target);
        if (mine && mine->m_view) {
            view = mine->m_view; // WebKit refuses it unless CreateNewWindowBrowser made it
            return;
        }
        // A browser of the other kind cannot take over this request: it gets the address.
        QTimer::singleShot(
            0, target,
            [target = QPointer<TEngineBrowser>(target), address = QString::fromUtf8(uri)] {
                ErrorHandler::Run([&] { target->Navigate(address); });
            });
    });
    return view;
}

void TMozillaBrowser::onBeforeNavigate(void *owner, const char *uri)
{
    ErrorHandler::RunInCallback([&] {
        Q_EMIT static_cast<TMozillaBrowser *>(owner)->OnBeforeNavigate2(QString::fromUtf8(uri));
    });
}

void TMozillaBrowser::onNavigateComplete(void *owner, const char *uri)
{
    ErrorHandler::RunInCallback([&] {
        auto *self = static_cast<TMozillaBrowser *>(owner);
        self->m_dialogs.newDocument();
        Q_EMIT self->OnNavigateComplete2(QString::fromUtf8(uri));
    });
}

void TMozillaBrowser::onScriptDialog(void *owner, void *dialog, int kind, const char *message,
                                     const char *defaultText)
{
    ErrorHandler::RunInCallback([&] {
        auto *self = static_cast<TMozillaBrowser *>(owner);
        // The box waits in a loop of its own, not inside the engine's callback; the page waits
        // for the answer meanwhile.
        QTimer::singleShot(
            0, self,
            [self = QPointer<TMozillaBrowser>(self), dialog, kind,
             message = QString::fromUtf8(message), text = QString::fromUtf8(defaultText)] {
                const QString origin = QUrl(self->LocationURL()).host();
                const PageDialogs::Answer answer =
                    self->m_dialogs.ask(PageDialogs::Kind(kind), origin, message, text);
                // The page may have gone while the box was open.
                if (self && self->m_view && self->m_api.answerDialog)
                    self->m_api.answerDialog(self->m_view, dialog, answer.accepted,
                                             answer.text.toUtf8().constData());
            });
    });
}

void TMozillaBrowser::onDocumentComplete(void *owner, const char *uri)
{
    ErrorHandler::RunInCallback([&] {
        auto *self = static_cast<TMozillaBrowser *>(owner);
        if (self->m_host && self->m_host->isHidden())
            self->requestSnapshot();
        Q_EMIT self->OnDocumentComplete(QString::fromUtf8(uri));
    });
}

void TMozillaBrowser::onClicked(void *owner)
{
    ErrorHandler::RunInCallback([&] {
        QPointer<TMozillaBrowser> self = static_cast<TMozillaBrowser *>(owner);
        self->activateSubWindow();
        if (self) {
            // The MDI activation may have moved the X focus back to Qt.
            self->focusPage();
            Q_EMIT self->activated();
        }
    });
}

void TMozillaBrowser::onFocusChanged(void *owner, int hasFocus)
{
    auto *self = static_cast<TMozillaBrowser *>(owner);
    if (self->m_hasFocus != bool(hasFocus)) {
        self->m_hasFocus = hasFocus;
        focusReturn()->pagesWithFocus += hasFocus ? 1 : -1;
        if (hasFocus)
            focusReturn()->focusRequested = false;
    }
}

void TMozillaBrowser::onZoomWheel(void *owner, int steps)
{
    ErrorHandler::RunInCallback([&] { static_cast<TMozillaBrowser *>(owner)->ZoomBy(steps); });
}

void TMozillaBrowser::onKeyUnhandled(void *owner, unsigned int keysym, unsigned int modifiers)
{
    ErrorHandler::RunInCallback(
        [&] { static_cast<TMozillaBrowser *>(owner)->forwardShortcut(keysym, modifiers); });
}
