// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QToolBar>

/// A band of the top bar: a toolbar that asks its row for a given width, never less than its
/// contents need. The row gives it that width while there is room; the last band of a row
/// takes the rest of the row.
class TBand : public QToolBar
{
    Q_OBJECT

public:
    TBand(const QString &title, QWidget *parent);

    /// \a width 0: the width of the band's contents.
    void setBandWidth(int width);
    QSize sizeHint() const override;

private:
    int m_width = 0;
};
