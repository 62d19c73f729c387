// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/UIWebPage.h"

#include "engine/TUIWebBrowser.h"

#include <QAction>

namespace {

// The page's own context menu is made of these actions; Qt ships no Japanese texts for them.
void captionActionsInJapanese(QWebEnginePage *page)
{
    static const struct
    {
        QWebEnginePage::WebAction action;
        const char *caption;
    } captions[] = {
        {QWebEnginePage::Back, "戻る(&B)"},
        {QWebEnginePage::Forward, "進む(&F)"},
        {QWebEnginePage::Stop, "中止(&S)"},
        {QWebEnginePage::Reload, "再読み込み(&R)"},
        {QWebEnginePage::ReloadAndBypassCache, "キャッシュを使わずに再読み込み"},
        {QWebEnginePage::Cut, "切り取り(&T)"},
        {QWebEnginePage::Copy, "コピー(&C)"},
        {QWebEnginePage::Paste, "貼り付け(&P)"},
        {QWebEnginePage::PasteAndMatchStyle, "書式なしで貼り付け"},
        {QWebEnginePage::Undo, "元に戻す(&U)"},
        {QWebEnginePage::Redo, "やり直し(&R)"},
        {QWebEnginePage::SelectAll, "すべて選択(&A)"},
        {QWebEnginePage::Unselect, "選択の解除"},
        {QWebEnginePage::OpenLinkInThisWindow, "このウィンドウでリンクを開く"},
        {QWebEnginePage::OpenLinkInNewWindow, "新しいウィンドウでリンクを開く(&W)"},
        {QWebEnginePage::OpenLinkInNewTab, "新しいタブでリンクを開く(&T)"},
        {QWebEnginePage::OpenLinkInNewBackgroundTab, "背後の新しいタブでリンクを開く"},
        {QWebEnginePage::CopyLinkToClipboard, "リンクのアドレスをコピー(&L)"},
        {QWebEnginePage::DownloadLinkToDisk, "リンク先を保存(&K)"},
        {QWebEnginePage::CopyImageToClipboard, "画像をコピー(&Y)"},
        {QWebEnginePage::CopyImageUrlToClipboard, "画像のアドレスをコピー(&O)"},
        {QWebEnginePage::DownloadImageToDisk, "画像を保存(&V)"},
        {QWebEnginePage::CopyMediaUrlToClipboard, "メディアのアドレスをコピー"},
        {QWebEnginePage::DownloadMediaToDisk, "メディアを保存"},
        {QWebEnginePage::ToggleMediaControls, "コントロールを表示"},
        {QWebEnginePage::ToggleMediaLoop, "ループ再生"},
        {QWebEnginePage::ToggleMediaPlayPause, "再生/一時停止"},
        {QWebEnginePage::ToggleMediaMute, "ミュート"},
        {QWebEnginePage::SavePage, "名前を付けてページを保存(&A)"},
        {QWebEnginePage::ViewSource, "ページのソースを表示(&V)"},
        {QWebEnginePage::InspectElement, "要素を検証(&N)"},
        {QWebEnginePage::ExitFullScreen, "全画面表示を終了"},
    };
    for (const auto &c : captions)
        page->action(c.action)->setText(QString::fromUtf8(c.caption));
}

} // namespace

UIWebPage::UIWebPage(QWebEngineProfile *profile, TUIWebBrowser *browser)
    : QWebEnginePage(profile, browser)
    , m_browser(browser)
    , m_dialogs(browser)
{
    captionActionsInJapanese(this);
    connect(this, &QWebEnginePage::loadStarted, this, [this] { m_dialogs.newDocument(); });
}

QWebEnginePage *UIWebPage::createWindow(WebWindowType)
{
    return m_browser->pageCreateWindow();
}

bool UIWebPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    return m_browser->pageAcceptNavigation(url, type, isMainFrame);
}

PageDialogs::Answer UIWebPage::ask(PageDialogs::Kind kind, const QUrl &origin,
                                   const QString &message, const QString &defaultText)
{
    if (m_browser->policy().silent)
        return PageDialogs::Answer();
    return m_dialogs.ask(kind, origin.host(), message, defaultText);
}

void UIWebPage::javaScriptAlert(const QUrl &securityOrigin, const QString &msg)
{
    ask(PageDialogs::Alert, securityOrigin, msg);
}

bool UIWebPage::javaScriptConfirm(const QUrl &securityOrigin, const QString &msg)
{
    return ask(PageDialogs::Confirm, securityOrigin, msg).accepted;
}

bool UIWebPage::javaScriptPrompt(const QUrl &securityOrigin, const QString &msg,
                                 const QString &defaultValue, QString *result)
{
    const PageDialogs::Answer answer = ask(PageDialogs::Prompt, securityOrigin, msg, defaultValue);
    if (answer.accepted && result)
        *result = answer.text;
    return answer.accepted;
}
