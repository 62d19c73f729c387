// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "bookmarks/BookMarkRules.h"

bool BookMarkRules::opensInNewWindow(int setting, int childWindows)
{
    return childWindows == 0 || setting == 1;
}

QString BookMarkRules::menuCaption(const QString &text)
{
    return QLatin1Char('&') + text;
}
