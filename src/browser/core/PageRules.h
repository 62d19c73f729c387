// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "engine/EngineKind.h"

#include <QString>

/// The decisions of page opening and of the address bar.
namespace PageRules {

/// Image of the IE picture and of the Gecko picture in the main image list.
constexpr int ImageIE = 15;
constexpr int ImageGecko = 14;
/// Image of a private window's tab and tree node, whatever its engine.
constexpr int ImagePrivate = 17;

/// The two address rules, case-sensitive, nothing else: "ttp://..." becomes "http://...",
/// then text starting "www" gets "http://" in front.
QString cleanAddress(const QString &url);

/// True when a new window must be refused: the limit is on and the number of open tabs
/// equals the limit's low 8 bits. A count already above the limit does not block.
bool tabLimitReached(bool len, int maxLen, int tabCount);

/// The tree image (and engine toggle image) of an engine kind.
int imageOf(EngineKind kind);

/// Whether Move opens a new blank window first: address bar mode ("AddressBar", low 8 bits)
/// 1, or no window open at all.
bool moveOpensNewWindow(int addressBarMode, bool anyWindowOpen);

/// The caption and address of the New command for the default engine.
QString newWindowCaption(EngineKind defaultEngine);
QString newWindowAddress(EngineKind defaultEngine);

} // namespace PageRules
