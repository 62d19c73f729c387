// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "Tfrm_MZOption.h"

Tfrm_MZOption::Tfrm_MZOption(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frm_MZOption"));
    setWindowTitle(QStringLiteral("Mozillaオプション"));
    resize(456, 314);
}
