// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "settings/OptionValues.h"

#include <QString>
#include <QStringView>

/// The options dialog's page tree and start-up choices, as data the form is built from.
namespace OptionPages {

/// A node of the page tree: its text, whether it sits under the node before it, its page.
struct Node
{
    QStringView text;
    bool child;
    OptionValues::Page page;
};

/// The nodes in tree order: 全般, ウィンドウ (with タブ under it), 広告抑止, スタートアップ,
/// セキュリティ.
inline constexpr Node Nodes[] = {
    {u"全般", false, OptionValues::General},
    {u"ウィンドウ", false, OptionValues::Window},
    {u"タブ", true, OptionValues::Tab},
    {u"広告抑止", false, OptionValues::Advert},
    {u"スタートアップ", false, OptionValues::StartUp},
    {u"セキュリティ", false, OptionValues::Security},
};

/// The page a node text selects; false for a text that is no node.
bool pageOfNode(QStringView text, OptionValues::Page *page);

/// A start-up radio button: its caption, the start-up type it stands for, and whether the
/// path edit and its browse button are enabled while it is ticked.
struct StartupChoice
{
    QStringView caption;
    int type;
    bool pathEnabled;
    bool browseEnabled;
};

/// The buttons top to bottom: radNone, radLastWin, radURL, radWebList.
inline constexpr StartupChoice StartupChoices[] = {
    {u"何も開かない", 0, false, false},
    {u"前回終了時のウィンドウを復元", 3, false, false},
    {u"指定したURL", 1, true, false},
    {u"指定したWebList", 2, true, true},
};

/// The button (index into StartupChoices) a stored type ticks; -1 for a type with none.
int choiceOfType(int type);

} // namespace OptionPages
