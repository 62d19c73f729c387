// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "Tfrm_BMEdit.h"

Tfrm_BMEdit::Tfrm_BMEdit(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frm_BMEdit"));
    setWindowTitle(QStringLiteral("ブックマークの編集"));
    resize(453, 261);
}
