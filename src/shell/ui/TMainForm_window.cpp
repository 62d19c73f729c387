// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
// The arrangement commands of the Window menu.
#include "shell/TMainForm.h"

#include "shell/MdiLayout.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

namespace {

QList<QMdiSubWindow *> openWindows(QMdiArea *area, bool minimized)
{
    QList<QMdiSubWindow *> windows;
    const QList<QMdiSubWindow *> all = area->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow *window : all) {
        if (window->isVisible() && window->isMinimized() == minimized)
            windows.append(window);
    }
    return windows;
}

void tile(QMdiArea *area, bool rows)
{
    const QList<QMdiSubWindow *> windows = openWindows(area, false);
    const QRect space = area->viewport()->rect();
    const QList<QRect> rects = rows ? MdiLayout::tileHorizontally(space, int(windows.size()))
                                    : MdiLayout::tileVertically(space, int(windows.size()));
    for (int i = 0; i < windows.size(); ++i) {
        if (windows.at(i)->isMaximized())
            windows.at(i)->showNormal();
        windows.at(i)->setGeometry(rects.at(i));
    }
}

} // namespace

void TMainForm::WindowCascade1Execute()
{
    // Qt's own cascade sizes windows by their size hints, which the engines' pages leave
    // tiny: every window would shrink to its title bar.
    const QList<QMdiSubWindow *> windows = openWindows(m_mdiArea, false);
    if (windows.isEmpty())
        return;
    const int step =
        windows.first()->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, windows.first()) +
        4;
    const QList<QRect> rects =
        MdiLayout::cascade(m_mdiArea->viewport()->rect(), int(windows.size()), step);
    for (int i = 0; i < windows.size(); ++i) {
        if (windows.at(i)->isMaximized())
            windows.at(i)->showNormal();
        windows.at(i)->setGeometry(rects.at(i));
        windows.at(i)->raise();
    }
}

void TMainForm::WindowTileHorizontal1Execute()
{
    tile(m_mdiArea, true);
}

void TMainForm::WindowTileVertical1Execute()
{
    tile(m_mdiArea, false);
}

void TMainForm::WindowMinimizeAll1Execute()
{
    const QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow *window : windows)
        window->showMinimized();
}

void TMainForm::WindowArrangeAll1Execute()
{
    const QList<QMdiSubWindow *> windows = openWindows(m_mdiArea, true);
    if (windows.isEmpty())
        return;
    const QList<QPoint> places = MdiLayout::arrangeIcons(
        m_mdiArea->viewport()->rect(), windows.first()->size(), int(windows.size()));
    for (int i = 0; i < windows.size(); ++i)
        windows.at(i)->move(places.at(i));
}
