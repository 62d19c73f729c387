// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QDialog>

/// The Gecko options dialog. Made once at start-up, hidden; afterwards only shown and hidden.
class Tfrm_MZOption : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_MZOption(QWidget *parent = nullptr);
};
