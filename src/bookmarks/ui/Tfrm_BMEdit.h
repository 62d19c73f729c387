// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QDialog>

/// The bookmark editor. Made once at start-up, hidden; afterwards only shown and hidden.
class Tfrm_BMEdit : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_BMEdit(QWidget *parent = nullptr);
};
