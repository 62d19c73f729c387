// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/ComposedWindow.h"

#include <QOpenGLWidget>

namespace {
const char *const MarkerName = "ComposedWindowMarker";
}

void ComposedWindow::prepare(QWidget *window)
{
    if (!window ||
        window->findChild<QOpenGLWidget *>(QLatin1String(MarkerName), Qt::FindDirectChildrenOnly))
        return;
    // One hidden texture widget makes Qt compose the window as Chromium's views need. It is
    // given its parent afterwards, the way a page's view is, so an already created window is
    // switched now.
    auto *marker = new QOpenGLWidget;
    marker->setObjectName(QLatin1String(MarkerName));
    marker->setAttribute(Qt::WA_DontShowOnScreen);
    marker->setFixedSize(1, 1);
    marker->setParent(window);
    marker->hide();
}
