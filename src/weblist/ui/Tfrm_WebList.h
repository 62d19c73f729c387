// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QDialog>

/// The web list editor. Made once at start-up, hidden; afterwards only shown and hidden.
class Tfrm_WebList : public QDialog
{
    Q_OBJECT

public:
    explicit Tfrm_WebList(QWidget *parent = nullptr);
};
