// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/OptionPages.h"

#include <iterator>

namespace OptionPages {

bool pageOfNode(QStringView text, OptionValues::Page *page)
{
    for (const Node &node : Nodes) {
        if (node.text == text) {
            *page = node.page;
            return true;
        }
    }
    return false;
}

int choiceOfType(int type)
{
    for (int i = 0; i < int(std::size(StartupChoices)); ++i) {
        if (StartupChoices[i].type == type)
            return i;
    }
    return -1;
}

} // namespace OptionPages
