// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "shell/TSideBar.h"

#include <QEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QToolButton>
#include <QWidget>

TSideBar::TSideBar(QWidget *JBar, QToolButton *btnBar, std::function<int()> room, QObject *parent)
    : QObject(parent)
    , m_bar(JBar)
    , m_button(btnBar)
    , m_room(std::move(room))
{
    // The cursor follows the pointer over the bar's own surface without a button held.
    m_bar->setMouseTracking(true);
    m_bar->installEventFilter(this);
    connect(m_button, &QToolButton::clicked, this, &TSideBar::btnBarClick);
}

void TSideBar::restore(const SideBarState &state)
{
    m_state = state;
    apply();
}

void TSideBar::apply()
{
    const int width = m_state.shownWidth(m_room());
    if (QLayout *layout = m_bar->layout())
        layout->setContentsMargins(0, 0, SideBarState::stripWidth(width), 0);
    m_bar->setFixedWidth(width);
}

void TSideBar::btnBarClick()
{
    m_state.toggleCollapse();
    apply();
}

int TSideBar::buttonLeft() const
{
    return m_button->geometry().left();
}

void TSideBar::JBarMouseDown(QMouseEvent *event)
{
    m_state.press(event->position().toPoint().x(), buttonLeft());
}

void TSideBar::JBarMouseMove(QMouseEvent *event)
{
    if (SideBarState::onResizeStrip(event->position().toPoint().x(), buttonLeft()))
        m_bar->setCursor(Qt::SizeHorCursor);
    else
        m_bar->setCursor(Qt::ArrowCursor);
}

void TSideBar::JBarMouseUp(QMouseEvent *event)
{
    if (m_state.release(event->position().toPoint().x()))
        apply();
}

bool TSideBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_bar) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            JBarMouseDown(static_cast<QMouseEvent *>(event));
            break;
        case QEvent::MouseMove:
            JBarMouseMove(static_cast<QMouseEvent *>(event));
            break;
        case QEvent::MouseButtonRelease:
            JBarMouseUp(static_cast<QMouseEvent *>(event));
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
