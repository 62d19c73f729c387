// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "Tfrm_Option.h"

#include "DorvuError.h"
#include "ErrorHandler.h"
#include "IniFile.h"
#include "OptionGroups.h"
#include "TOptionsTarget.h"
#include "TextFile.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QVBoxLayout>

Tfrm_Option::Tfrm_Option(TOptionsTarget *main, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
    , m_main(main)
{
    setObjectName(QStringLiteral("frm_Option"));
    setWindowTitle(QStringLiteral("オプション"));
    resize(495, 284);
    chkMoz = new QCheckBox(QStringLiteral("Geckoを使用する"), this);
    chkMoz->setObjectName(QStringLiteral("chkMoz"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(chkMoz);
    layout->addStretch(1);
    connect(chkMoz, &QCheckBox::clicked, this,
            [this] { ErrorHandler::Run([this] { chkMozClick(); }); });
    ErrorHandler::Run([this] { FormCreate(); });
}

void Tfrm_Option::FormCreate()
{
    const IniFile ini = IniFile::config();
    chkMoz->setChecked(OptionGroups::ReadGecko(ini).Mozilla != 0);
    chkMozClick();

    // The block list. A missing file is only worth a message while blocking is on: with blocking
    // off nothing reads it, and a fresh program folder has none.
    const QString closeUrl = m_main->programFolder() + QStringLiteral("CloseURL.txt");
    const bool blocking = SettingsKeys::read(ini, SettingsKeys::Option_advertisemen::CloseURL);
    if (QFileInfo::exists(closeUrl) || blocking)
        m_popLines = TextFile::readLines(closeUrl);
}

void Tfrm_Option::chkMozClick()
{
    const bool ticked = chkMoz->isChecked();
    m_mozilla = ticked ? 1 : 0;
    m_main->setGeckoEnabled(ticked);
}
