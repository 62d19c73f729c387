// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/TCloseCommands.h"

#include "browser/CloseRules.h"
#include "browser/TBrowserChild.h"
#include "browser/TBrowserHost.h"
#include "common/CommandList.h"
#include "common/DynamicMenu.h"
#include "common/ErrorHandler.h"
#include "common/ProgramFolder.h"
#include "common/TextFile.h"
#include "engine/TEngineBrowser.h"

#include <QAction>
#include <QMenu>

namespace {

/// Sets the list-close flag for its lifetime, so that it is cleared also when a close fails.
class ListCloseScope
{
public:
    explicit ListCloseScope(TBrowserHost *host)
        : m_host(host)
    {
        m_host->setListClose(true);
    }
    ~ListCloseScope() { m_host->setListClose(false); }
    ListCloseScope(const ListCloseScope &) = delete;
    ListCloseScope &operator=(const ListCloseScope &) = delete;

private:
    TBrowserHost *m_host;
};

QString closeUrlPath()
{
    return ProgramFolder::file(QStringLiteral("CloseURL.txt"));
}

} // namespace

TCloseCommands::TCloseCommands(TBrowserHost *host, QObject *parent)
    : QObject(parent)
    , m_host(host)
{}

void TCloseCommands::connectControls(const CommandList &commands)
{
    commands.onTriggered("popTabClose", this, [this] { popTabCloseClick(); });
    commands.onTriggered("popAddClose", this, [this] { popAddCloseClick(); });
    commands.onTriggered("mnu_AllClose", this, [this] { mnu_AllCloseClick(); });
    commands.onTriggered("mnu_AllCloseNotMe", this, [this] { mnu_AllCloseNotMeClick(); });
    if (QMenu *least = commands.menu("mnuLeastURL")) {
        QPointer<QMenu> menu = least;
        ErrorHandler::Connect(least, &QMenu::aboutToShow, this, [this, menu] {
            if (menu)
                mnuLeastURLClick(menu);
        });
    }
}

bool TCloseCommands::isWindowPosition(int pos) const
{
    return m_host && pos >= 0 && pos < m_host->windowList().count();
}

void TCloseCommands::CloseWindowAt(int pos)
{
    if (!isWindowPosition(pos))
        return;
    TBrowserHost *host = m_host;
    if (TBrowserChild *child = host->childById(host->windowList().id(pos))) {
        // The window's own closing steps run, but leave its entry to us.
        ListCloseScope scope(host);
        child->close();
    } else {
        // A waiting tab has no window to close: its address is the one it would have opened.
        if (!host->windowList().isPrivate(pos))
            host->closedUrls().append(host->windowList().url(pos));
    }
    // Removes the four items together, then rewrites winlist.
    host->windowList().removeAt(pos);
}

void TCloseCommands::AddToCloseURL(int pos)
{
    if (!isWindowPosition(pos))
        return;
    QStringList lines = TextFile::readLines(closeUrlPath());
    TBrowserChild *child = m_host->childAt(pos);
    // The address becomes a pattern as it stands: its own "*", "?" and "[" are wildcards.
    lines.append(child ? child->pageAddress() : m_host->windowList().url(pos));
    TextFile::writeLines(closeUrlPath(), lines);
}

void TCloseCommands::popTabCloseClick()
{
    if (m_host)
        CloseWindowAt(m_host->popupPosition());
}

void TCloseCommands::popAddCloseClick()
{
    if (!m_host)
        return;
    const int pos = m_host->popupPosition();
    if (!isWindowPosition(pos))
        return;
    AddToCloseURL(pos);
    CloseWindowAt(pos);
}

void TCloseCommands::mnu_AllCloseClick()
{
    if (!m_host)
        return;
    // Every open page window has its entry; a window already closed but not yet deleted does not
    // count.
    const int count = m_host->windowList().count();
    if (count == 0)
        return;
    // Closing makes other windows active one after the other; they must not select their tabs
    // meanwhile. The next window created clears the switch.
    m_host->setActivationSync(true);
    for (int i = 0; i < count; ++i)
        CloseWindowAt(0);
}

void TCloseCommands::mnu_AllCloseNotMeClick()
{
    if (!m_host)
        return;
    const int count = m_host->windowList().count();
    for (int target : CloseRules::allCloseNotMeTargets(count, m_host->popupPosition()))
        CloseWindowAt(target);
}

void TCloseCommands::mnuLeastURLClick(QMenu *mnuLeastURL)
{
    // The design-time empty item stays last; everything before it is built afresh.
    DynamicMenu::RemoveMenuItems(mnuLeastURL);
    if (!m_host)
        return;
    const QStringList urls = m_host->closedUrls().entries();
    for (int i = 0; i < urls.size(); ++i) {
        DynamicMenu::AddMenuItem(
            mnuLeastURL, CloseRules::closedUrlCaption(i, urls.at(i)), urls.at(i), 0, i,
            [this](QAction *item) { ErrorHandler::Run([&] { ClosedURLItemClick(item); }); });
    }
}

void TCloseCommands::ClosedURLItemClick(QAction *Sender)
{
    // The entry stays in the list.
    if (m_host && Sender)
        m_host->OpenPage(QStringLiteral("loading"), Sender->data().toString());
}
