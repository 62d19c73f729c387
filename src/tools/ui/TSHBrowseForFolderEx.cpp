// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "TSHBrowseForFolderEx.h"

#include <QDialog>

TSHBrowseForFolderEx::TSHBrowseForFolderEx(QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
{}

TSHBrowseForFolderEx::~TSHBrowseForFolderEx() = default;

bool TSHBrowseForFolderEx::Execute()
{
    m_folderName.clear();
    m_displayName.clear();
    return false;
}

unsigned TSHBrowseForFolderEx::browseFlags(TSHBrowseOptions options, bool *showPath)
{
    struct Entry
    {
        TSHBrowseOption option;
        unsigned flag;
    };
    static constexpr Entry kFlags[] = {{sboDontGoBelowDomain, 2},
                                       {sboReturnFSAncestors, 8},
                                       {sboReturnOnlyFSDirs, 1},
                                       {sboStatusTextAndShowPath, 4},
                                       {sboStatusText, 4}};
    unsigned flags = 0;
    *showPath = false;
    for (const Entry &e : kFlags) {
        if (!options.testFlag(e.option))
            continue;
        flags |= e.flag;
        if (e.option == sboStatusTextAndShowPath) {
            *showPath = true;
            break;
        }
    }
    return flags;
}

QPoint TSHBrowseForFolderEx::centerScreenPosition(const QPoint &screenOrigin, const QRect &workArea,
                                                  const QSize &dialog)
{
    // Integer division toward zero, as C++ does: a dialog larger than the work area goes up
    // and left by the same rule.
    return screenOrigin + QPoint((workArea.width() - dialog.width()) / 2,
                                 (workArea.height() - dialog.height()) / 3);
}
