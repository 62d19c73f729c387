// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "Tfrm_WebList.h"

Tfrm_WebList::Tfrm_WebList(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frm_WebList"));
    setWindowTitle(QStringLiteral("WebListの編集"));
    resize(403, 216);
}
