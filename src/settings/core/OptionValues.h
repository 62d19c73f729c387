// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "settings/OptionGroups.h"

#include <QString>

#include <array>

class IniFile;

/// Everything the options dialog shows, read from config.ini and written back page by page.
/// The tab size and count are texts, as typed; they become integers only when saved.
struct OptionValues
{
    /// The pages in the order their keys are written (the order of their sheets).
    enum Page { General, Window, Advert, Tab, StartUp, Security, PageCount };
    /// Visited marks, one per page: 1 once the page was shown.
    using Visited = std::array<int, PageCount>;

    /// The up-down ranges of the tab size and count; stored values outside are clamped.
    static constexpr int MaxSizeMin = 0, MaxSizeMax = 300;
    static constexpr int MaxLenMin = 0, MaxLenMax = 100;

    // 全般
    bool Mozilla = false;
    QString MozPath;
    bool Translate = false;
    // ウィンドウ
    bool BookMark = false;
    bool AddressBar = false;
    bool NewWindow_Active = false;
    // 広告抑止
    bool CloseURL = false;
    // タブ
    bool fix = false;
    QString MaxSize;
    bool Len = false;
    QString MaxLen;
    int TabType = 0;
    quint32 ActivateChColor = 0;
    quint32 ActivateBGColor = 0;
    quint32 DeActivateChColor = 0;
    quint32 DeActivateBGColor = 0;
    // スタートアップ
    int Type = 0;
    QString Path;
    // セキュリティ
    OptionGroups::Security security;

    /// Every key with its default; bad colours give their key's default, MaxSize and MaxLen are
    /// clamped to their ranges.
    static OptionValues Read(const IniFile &ini);

    /// Writes the keys of each visited page, page by page in Page order. Throws DorvuError
    /// "'%s' は整数ではありません" when MaxSize or MaxLen is not an integer (the keys before it
    /// stay written), and "%s に書き込めません" when the file cannot be written.
    void Write(IniFile &ini, const Visited &visited) const;
};
