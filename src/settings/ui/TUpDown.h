// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

/// A pair of arrow buttons that step the integer in an edit box within a range. The edit
/// keeps whatever text is typed into it; a step starts from its integer (or from the last
/// position when it holds none) and writes the new position back.
class TUpDown : public QWidget
{
    Q_OBJECT

public:
    TUpDown(QLineEdit *associate, int min, int max, QWidget *parent = nullptr);

    int position() const { return m_position; }
    /// Clamps \a position to the range and shows it in the edit.
    void setPosition(int position);
    /// Steps by \a delta (+1 up, -1 down).
    void step(int delta);

private:
    QLineEdit *m_associate;
    QToolButton *m_up;
    QToolButton *m_down;
    int m_min;
    int m_max;
    int m_position = 0;
};
