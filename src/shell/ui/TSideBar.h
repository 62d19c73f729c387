// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "shell/SideBarState.h"

#include <QObject>

#include <functional>

class QMouseEvent;
class QToolButton;
class QWidget;

/// The side bar's width on screen: the collapse button and the drag of its right edge. The
/// bar's own layout keeps the page panel and the button as tall as the bar and the panel
/// 10 pixels narrower than the bar.
class TSideBar : public QObject
{
    Q_OBJECT

public:
    /// \a room gives the widest the bar may be in the window as it is now.
    TSideBar(QWidget *JBar, QToolButton *btnBar, std::function<int()> room,
             QObject *parent = nullptr);

    SideBarState &state() { return m_state; }
    const SideBarState &state() const { return m_state; }
    /// Takes a state read from config.ini and shows it.
    void restore(const SideBarState &state);
    /// Gives the bar the width of its state, fitted to the window.
    void apply();

    void btnBarClick();
    void JBarMouseDown(QMouseEvent *event);
    void JBarMouseMove(QMouseEvent *event);
    void JBarMouseUp(QMouseEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int buttonLeft() const;

    QWidget *m_bar;
    QToolButton *m_button;
    std::function<int()> m_room;
    SideBarState m_state{153, 0};
};
