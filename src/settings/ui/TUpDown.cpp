// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "settings/TUpDown.h"

#include "settings/IniFile.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

TUpDown::TUpDown(QLineEdit *associate, int min, int max, QWidget *parent)
    : QWidget(parent)
    , m_associate(associate)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
    , m_min(min)
    , m_max(max)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton *button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        button->setFixedWidth(16);
        layout->addWidget(button);
    }
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
    setPosition(min);
}

void TUpDown::setPosition(int position)
{
    m_position = qBound(m_min, position, m_max);
    m_associate->setText(QString::number(m_position));
}

void TUpDown::step(int delta)
{
    int typed = m_position;
    if (IniFile::parseInteger(m_associate->text(), &typed))
        m_position = qBound(m_min, typed, m_max);
    setPosition(m_position + delta);
}
