// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QLabel>

/// A clickable patch of colour that holds a colour value of config.ini (0x00BBGGRR, or a
/// system colour 0x800000NN).
class TColorSwatch : public QLabel
{
    Q_OBJECT

public:
    explicit TColorSwatch(QWidget *parent = nullptr);

    quint32 color() const { return m_color; }
    void setColor(quint32 color);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    quint32 m_color = 0;
};
