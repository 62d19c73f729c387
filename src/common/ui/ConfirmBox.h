// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

/// A modal question with the buttons "はい(&Y)" and "いいえ(&N)"; はい is the default.
namespace ConfirmBox {

/// True when the user answers はい; closing the box answers いいえ.
bool ask(QWidget *parent, const QString &title, const QString &text,
         QMessageBox::Icon icon = QMessageBox::Question);

} // namespace ConfirmBox
