// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The keys every browser has, beyond the menus of the main window: the address and search
// boxes, closing and moving through the windows, a closed page back, reload, back and forward,
// zoom, find in page, full screen and the history. The Edit menu lists find in page, the View
// menu full screen and the history; the others have no menu item.
#include "shell/TMainForm.h"

#include "common/CommandList.h"
#include "engine/TEngineBrowser.h"
#include "tools/TFindBar.h"

#include <QAction>

using Tick = CommandList::Tick;

void TMainForm::CreateEverydayCommands()
{
    const auto key = [](QKeyCombination combination) {
        return QKeySequence(combination);
    };
    // Made with a caption and keys; a handler of the main window's own, when it has one.
    const auto add = [this](const char *name, const QString &caption,
                            const QList<QKeySequence> &keys,
                            const std::function<void()> &handler = {}) {
        QAction *action = m_commands->add(
            {name, caption, keys.value(0), -1, Tick::None, true, {}, {}, {}, handler});
        action->setShortcuts(keys);
        // The keys work anywhere in the main window, also while the bars and menus are hidden,
        // and a page of either engine leaves them to it.
        addAction(action);
        action->setProperty(TEngineBrowser::HostKeyProperty, true);
        return action;
    };
    add("SelectAddress", QStringLiteral("アドレスバーを選択"),
        {key(Qt::CTRL | Qt::Key_L), key(Qt::Key_F6), key(Qt::ALT | Qt::Key_D)},
        [this] { SelectAddressClick(); });
    add("SelectSearch", QStringLiteral("検索バーを選択"), {key(Qt::CTRL | Qt::Key_K)},
        [this] { SelectSearchClick(); });
    add("CloseActive", QStringLiteral("閉じる"), {key(Qt::CTRL | Qt::Key_W)},
        [this] { command("FileClose1")->trigger(); });
    add("NextTab", QStringLiteral("次のタブ"),
        {key(Qt::CTRL | Qt::Key_Tab), key(Qt::CTRL | Qt::Key_PageDown)});
    add("PrevTab", QStringLiteral("前のタブ"),
        {key(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), key(Qt::CTRL | Qt::Key_PageUp)});
    add("ReopenClosed", QStringLiteral("閉じたページを開き直す"),
        {key(Qt::CTRL | Qt::SHIFT | Qt::Key_T)});
    add("ZoomIn", QStringLiteral("拡大"),
        {key(Qt::CTRL | Qt::Key_Plus), key(Qt::CTRL | Qt::Key_Equal)});
    add("ZoomOut", QStringLiteral("縮小"), {key(Qt::CTRL | Qt::Key_Minus)});
    add("ZoomReset", QStringLiteral("等倍"), {key(Qt::CTRL | Qt::Key_0)});
    add("mnuFind", QStringLiteral("ページ内検索(&F)..."), {key(Qt::CTRL | Qt::Key_F)},
        [this] { FindBar->Open(); });
    add("FindNext", QStringLiteral("次を検索"), {key(Qt::Key_F3)}, [this] { FindBar->FindNext(); });
    add("FindPrev", QStringLiteral("前を検索"), {key(Qt::SHIFT | Qt::Key_F3)},
        [this] { FindBar->FindPrevious(); });
    add("mnuHistory", QStringLiteral("履歴(&I)..."), {key(Qt::CTRL | Qt::Key_H)},
        [this] { mnuHistoryClick(); });
    add("mnuFullScreen", QStringLiteral("全画面表示(&U)"), {key(Qt::Key_F11)}, [this] {
        mnuFullScreenClick();
    })->setCheckable(true);
    add("LeaveFullScreen", QStringLiteral("全画面表示を終了"), {key(Qt::Key_Escape)}, [this] {
        if (isFullScreen())
            mnuFullScreenClick();
    })->setEnabled(false);

    // The design's own buttons get the keys of other browsers.
    for (const char *name : {"BackCtrl", "FrwrdCtrl", "ReLoadCtrl"}) {
        addAction(command(name));
        command(name)->setProperty(TEngineBrowser::HostKeyProperty, true);
    }
    command("BackCtrl")->setShortcut(key(Qt::ALT | Qt::Key_Left));
    command("FrwrdCtrl")->setShortcut(key(Qt::ALT | Qt::Key_Right));
    command("ReLoadCtrl")->setShortcuts({key(Qt::Key_F5), key(Qt::CTRL | Qt::Key_R)});
}
