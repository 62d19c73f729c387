// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class CommandList;
class QAction;
class TAboutBox;
class TBrowserChild;
class TBrowserHost;
class Tfrm_Extract;

/// The main window's commands on the active page and its auxiliary pages: save as, copy,
/// select all, the five text sizes, translation, help, the desktop's network settings, the
/// about box and link extraction. Each is one engine command or one call.
class TPageCommands : public QObject
{
    Q_OBJECT

public:
    /// Links gathered at most from one page.
    static constexpr int MaxLinks = 200000;
    /// How long link extraction waits for the page's answer.
    static constexpr int ExtractTimeoutMs = 2000;

    TPageCommands(TBrowserHost *host, TAboutBox *aboutBox, Tfrm_Extract *extract,
                  QObject *parent = nullptr);

    /// Connects each of these commands of \a commands to its handler below, run inside the
    /// common error handler: mnuFile_SaveAs, mnuEdit_Copy, mnuEdit_slrAll, the five text sizes,
    /// mnuTranslate, Help2, mnuIEOption, HelpAbout1, mnuExtract and popExtract.
    void connectActions(const CommandList &commands);

    void mnuFile_SaveAsClick();
    void mnuEdit_CopyClick();
    void mnuEdit_slrAllClick();
    /// Text size \a size (0..4) for the active window, unless its page is still loading.
    void mnuSizeClick(int size);
    void mnuTranslateClick();
    void Help2Click();
    void mnuIEOptionClick();
    void HelpAbout1Execute();
    /// Gathers the active window's links into the link extraction dialog and shows it.
    void mnuExtractClick();
    /// The same for the window whose tab was right-clicked.
    void popExtractClick();
    void extractLinks(TBrowserChild *child);

    /// The folders searched for the network settings tools; empty means $PATH (tests).
    QStringList toolSearchPaths;
    /// Starts a program detached; tests record instead. Returns whether it started.
    std::function<bool(const QString &program, const QStringList &arguments)> startDetached;

Q_SIGNALS:
    /// The link extraction dialog was filled and shown.
    void linksShown();

private:
    void execOnActive(int command);
    void showLinks(const QStringList &lines, const QString &explanation);

    TBrowserHost *m_host;
    TAboutBox *m_aboutBox;
    Tfrm_Extract *m_extract;
    int m_extractRequest = 0;
};
