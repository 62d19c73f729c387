// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QDialog>

/// The link extraction dialog. Made once at start-up, hidden; afterwards only shown and hidden.
class Tfrm_Extract : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_Extract(QWidget *parent = nullptr);
};
