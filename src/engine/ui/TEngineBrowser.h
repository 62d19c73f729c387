// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/EngineKind.h"

#include <QVariant>
#include <QWidget>

#include <functional>

/// The engine command set shared by both engine kinds. Page windows, the capture window and
/// the main window's commands drive an engine only through this interface.
///
/// A command the engine cannot carry out throws DorvuError with a Japanese message (callers
/// run inside ErrorHandler::Run); the text-size command fails silently. The errors, the report
/// after Stop and the save-as prompt that both engine kinds share live here.
class TEngineBrowser : public QWidget
{
    Q_OBJECT

public:
    /// ExecWB command numbers.
    enum { OLECMDID_SAVEAS = 4, OLECMDID_COPY = 12, OLECMDID_SELECTALL = 17, OLECMDID_ZOOM = 19 };
    /// OnCommandStateChange command numbers.
    enum { CSC_NAVIGATEFORWARD = 1, CSC_NAVIGATEBACK = 2, CSC_UPDATECOMMANDS = -1 };

    /// A command of the window around a page whose keys the page never keeps (reload, the
    /// address bar, ...) carries this property, true.
    static constexpr char HostKeyProperty[] = "HostKey";

    using QWidget::QWidget;

    virtual EngineKind kind() const = 0;
    /// Whether the page belongs to the private session: it keeps cookies, cache and storage in
    /// memory only, apart from every ordinary page, until the last private page has gone.
    /// Browsers it makes for its new windows are private too.
    virtual bool isPrivate() const { return false; }

    /// Starts loading and returns at once. Typed text becomes an address as a user expects
    /// (host names get http://, local paths open the file); an empty text shows an empty page.
    /// Text that cannot be an address throws DorvuError (UserAddress::toNavigableUrl).
    virtual void Navigate(const QString &url) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Stop() = 0;
    virtual void Refresh() = 0;
    /// 4 save as, 12 copy, 17 select all, 19 text size (input 0..4, option 2).
    virtual void ExecWB(int command, int option, const QVariant &input = QVariant()) = 0;
    virtual QString LocationURL() const = 0;
    virtual bool Busy() const = 0;

    /// A browser of this engine's kind that can receive this engine's new-window navigation
    /// (WebKit needs a related view). Call only from a slot of OnNewWindow2; the caller owns
    /// the result and hands it back through ppDisp.
    virtual TEngineBrowser *CreateNewWindowBrowser(QWidget *parent) = 0;

    /// Runs \a script in the page; \a done gets, later, whether it ran and its result as text
    /// (or the reason it did not run). Not called when the browser is destroyed first.
    using ScriptDone = std::function<void(bool ok, const QString &result)>;
    virtual void RunScript(const QString &script, const ScriptDone &done) = 0;
    /// Find in page, case-insensitive, wrapping round at either end, matching as the engine
    /// matches (Japanese text included). A new \a text selects its first match; the same text
    /// again moves to the next match, or the previous one when \a backwards. An empty text ends
    /// the search and takes the highlight away. \a done gets, later, the number of matches in
    /// the page (0 for none); it is not called when the browser is destroyed first.
    using FindDone = std::function<void(int matches)>;
    virtual void FindText(const QString &text, bool backwards, const FindDone &done) = 0;
    /// The zoom of the whole page in percent (PageZoom); 100 for a new page. A text size of
    /// a Chromium page is such a zoom (75 % .. 150 %).
    int ZoomPercent() const { return m_zoomPercent; }
    /// Zooms the page to \a percent, kept within PageZoom's range, and reports it.
    void SetZoomPercent(int percent);
    /// \a steps PageZoom steps up (positive) or down: Ctrl++, Ctrl+-, Ctrl+wheel.
    void ZoomBy(int steps);
    /// The engine's name and version as the about box shows them.
    virtual QString EngineName() const = 0;
    virtual QString EngineVersion() const = 0;

protected:
    /// Shows the page at \a percent.
    virtual void applyZoom(int percent) = 0;
    /// Back or forward with no such page.
    [[noreturn]] static void throwNoHistory(bool back);
    /// A page command while no document is loaded.
    [[noreturn]] static void throwNoDocument();
    [[noreturn]] static void throwUnknownCommand(int command);
    /// After Stop: the command states are reported once the caller has returned, as a
    /// finished load reports them. A window that stops a page from its title report (a title
    /// may come after the load) relies on this report to close it.
    void reportStopped();
    /// Asks where to save the page, offering a file named after \a pageTitle with \a extension
    /// (".html", ".mht"); empty when the user cancels.
    QString askSavePath(const QString &pageTitle, const QString &extension, const QString &filters);

Q_SIGNALS:
    void OnTitleChange(const QString &Text);
    /// The link under the pointer; empty when it leaves.
    void OnStatusTextChange(const QString &Text);
    void OnProgressChange(int Progress, int ProgressMax);
    /// 1: forward possible, 2: back possible, other values: other state changes.
    void OnCommandStateChange(int Command, bool Enable);
    /// Delivered synchronously (direct connections only). A slot either stores a browser made
    /// by CreateNewWindowBrowser in *ppDisp, which then receives the navigation, or sets
    /// *Cancel. Neither: the request is refused.
    void OnNewWindow2(TEngineBrowser **ppDisp, bool *Cancel);
    void OnBeforeNavigate2(const QString &URL);
    void OnNavigateComplete2(const QString &URL);
    void OnDocumentComplete(const QString &URL);
    /// The engine let go of the page out of sight to save memory: showing it again loads it
    /// anew.
    void OnDiscarded();
    /// The page's zoom changed to \a percent.
    void OnZoomChange(int percent);

private:
    int m_zoomPercent = 100;
};
