// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

/// The about box: the product's version, the Chromium version of the running Qt WebEngine
/// and the version of the WebKit module in "MozPath" (or "未導入"). Made once at start-up,
/// when the versions are read; afterwards only shown and hidden.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);

    QLabel *ProductName = nullptr;
    QLabel *Version = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QPushButton *OKButton = nullptr;

private:
    void FormCreate();
};
