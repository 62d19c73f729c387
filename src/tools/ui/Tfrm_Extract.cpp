// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "Tfrm_Extract.h"

Tfrm_Extract::Tfrm_Extract(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frm_Extract"));
    setWindowTitle(QStringLiteral("linkの抽出"));
    resize(400, 300);
}
