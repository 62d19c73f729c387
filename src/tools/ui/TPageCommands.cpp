// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "tools/TPageCommands.h"

#include "browser/TBrowserChild.h"
#include "browser/TBrowserControls.h"
#include "browser/TBrowserHost.h"
#include "browser/TMainDisplay.h"
#include "common/CommandList.h"
#include "common/ErrorHandler.h"
#include "common/ProgramFolder.h"
#include "engine/TEngineBrowser.h"
#include "settings/IniFile.h"
#include "settings/SettingsKeys.h"
#include "tools/HelpPage.h"
#include "tools/LinkList.h"
#include "tools/NetworkSettingsTool.h"
#include "tools/TAboutBox.h"
#include "tools/Tfrm_Extract.h"
#include "tools/TranslationUrl.h"

#include <QAction>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QUrl>

#include <memory>

TPageCommands::TPageCommands(TBrowserHost *host, TAboutBox *aboutBox, Tfrm_Extract *extract,
                             QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_aboutBox(aboutBox)
    , m_extract(extract)
{
    startDetached = [](const QString &program, const QStringList &arguments) {
        return QProcess::startDetached(program, arguments);
    };
}

void TPageCommands::connectActions(const CommandList &commands)
{
    commands.onTriggered("mnuFile_SaveAs", this, [this] { mnuFile_SaveAsClick(); });
    commands.onTriggered("mnuEdit_Copy", this, [this] { mnuEdit_CopyClick(); });
    commands.onTriggered("mnuEdit_slrAll", this, [this] { mnuEdit_slrAllClick(); });
    for (int size = 0; size < 5; ++size)
        commands.onTriggered(TextSizeCommands[size], this, [this, size] { mnuSizeClick(size); });
    commands.onTriggered("mnuTranslate", this, [this] { mnuTranslateClick(); });
    commands.onTriggered("Help2", this, [this] { Help2Click(); });
    commands.onTriggered("mnuIEOption", this, [this] { mnuIEOptionClick(); });
    commands.onTriggered("HelpAbout1", this, [this] { HelpAbout1Execute(); });
    commands.onTriggered("mnuExtract", this, [this] { mnuExtractClick(); });
    commands.onTriggered("popExtract", this, [this] { popExtractClick(); });
}

void TPageCommands::execOnActive(int command)
{
    if (TBrowserChild *child = m_host->activeChild())
        child->engine()->ExecWB(command, 0);
}

void TPageCommands::mnuFile_SaveAsClick()
{
    execOnActive(TEngineBrowser::OLECMDID_SAVEAS);
}

void TPageCommands::mnuEdit_CopyClick()
{
    execOnActive(TEngineBrowser::OLECMDID_COPY);
}

void TPageCommands::mnuEdit_slrAllClick()
{
    execOnActive(TEngineBrowser::OLECMDID_SELECTALL);
}

void TPageCommands::mnuSizeClick(int size)
{
    TBrowserChild *child = m_host->activeChild();
    // A checkable item has ticked itself already; the ticks follow the size actually in use.
    if (!child || child->engine()->Busy()) {
        m_host->showTextSize(m_host->currentTextSize());
        return;
    }
    m_host->setCurrentTextSize(size);
    child->setTextSize(size);
    child->engine()->ExecWB(TEngineBrowser::OLECMDID_ZOOM, 2, size);
    m_host->showTextSize(size);
}

void TPageCommands::mnuTranslateClick()
{
    const IniFile &ini = IniFile::config();
    const bool frameMode = SettingsKeys::read(ini, SettingsKeys::Option_Main::Translate);
    const QString host = SettingsKeys::read(ini, SettingsKeys::Option_Main::TranslateHost);
    const TMainDisplay *display = m_host->display();
    const QString url =
        TranslationUrl::build(host, display ? display->typedAddress() : QString(), frameMode);
    if (url.isEmpty()) {
        m_host->setStatusText(QStringLiteral("このページは翻訳できません"));
        return;
    }
    m_host->OpenPage(QStringLiteral("Gecko"), url);
}

void TPageCommands::Help2Click()
{
    const QString index =
        HelpPage::indexPath(ProgramFolder::path(), QCoreApplication::applicationDirPath());
    m_host->OpenPage(QStringLiteral("へるぷ"), QUrl::fromLocalFile(index).toString());
}

void TPageCommands::mnuIEOptionClick()
{
    const NetworkSettingsTool::Command tool = NetworkSettingsTool::find(toolSearchPaths);
    if (tool.program.isEmpty() || !startDetached(tool.program, tool.arguments))
        m_host->setStatusText(QStringLiteral("ネットワーク設定を開くプログラムが見つかりません"));
}

void TPageCommands::HelpAbout1Execute()
{
    if (m_aboutBox)
        m_aboutBox->exec();
}

void TPageCommands::mnuExtractClick()
{
    extractLinks(m_host->activeChild());
}

void TPageCommands::popExtractClick()
{
    const int pos = m_host->popupPosition();
    if (!m_host->isWaiting(pos)) {
        extractLinks(m_host->childAt(pos));
        return;
    }
    // A waiting tab's page is needed: its window is made, and the links are read once the
    // page has loaded (or after the time an answer may take, from what has loaded by then).
    QPointer<TBrowserChild> child = m_host->windowAt(pos);
    if (!child)
        return;
    auto loaded = std::make_shared<QMetaObject::Connection>();
    auto extract = [this, child, loaded] {
        if (!*loaded)
            return;
        disconnect(*loaded);
        *loaded = {};
        extractLinks(child);
    };
    *loaded = connect(child->engine(), &TEngineBrowser::OnDocumentComplete, this, extract);
    QTimer::singleShot(ExtractTimeoutMs, this, extract);
}

void TPageCommands::extractLinks(TBrowserChild *child)
{
    if (!child || !m_extract)
        return;
    // Only the latest request fills the dialog; an answer after the time limit is dropped.
    const int request = ++m_extractRequest;
    QTimer::singleShot(ExtractTimeoutMs, this, [this, request] {
        if (request != m_extractRequest)
            return;
        ++m_extractRequest;
        showLinks({}, QStringLiteral("リンクを取得できませんでした: ページが応答しません"));
    });
    QPointer<TPageCommands> self(this);
    child->engine()->RunScript(
        LinkList::collectScript(MaxLinks), [self, request](bool ok, const QString &result) {
            if (!self || request != self->m_extractRequest)
                return;
            ++self->m_extractRequest;
            if (ok)
                self->showLinks(LinkList::fromScriptResult(result), {});
            else
                self->showLinks({}, QStringLiteral("リンクを取得できませんでした: ") + result);
        });
}

void TPageCommands::showLinks(const QStringList &lines, const QString &explanation)
{
    if (explanation.isEmpty())
        m_extract->setLines(lines);
    else
        m_extract->Memo1->setPlainText(explanation);
    if (explanation.isEmpty() && lines.isEmpty())
        m_host->setStatusText(QStringLiteral("このページにリンクはありません"));
    m_extract->show();
    m_extract->raise();
    m_extract->activateWindow();
    Q_EMIT linksShown();
}
