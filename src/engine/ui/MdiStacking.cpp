// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "engine/MdiStacking.h"

#include <QChildEvent>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegion>
#include <QWidget>

MdiStacking::MdiStacking(QWidget *page)
    : QObject(page)
    , m_page(page)
{
    page->installEventFilter(this);
}

void MdiStacking::watch()
{
    QWidget *subWindow = nullptr;
    for (QWidget *w = m_page->parentWidget(); w; w = w->parentWidget()) {
        if (qobject_cast<QMdiSubWindow *>(w)) {
            subWindow = w;
            break;
        }
    }
    if (subWindow == m_subWindow && (!subWindow || subWindow->parentWidget() == m_viewport))
        return;
    unwatch();
    if (!subWindow || !subWindow->parentWidget())
        return;
    m_subWindow = subWindow;
    m_viewport = subWindow->parentWidget();
    // Activation raises a child window; the raise itself reports no event to its siblings.
    if (auto *area = qobject_cast<QMdiArea *>(m_viewport->parentWidget()))
        connect(area, &QMdiArea::subWindowActivated, this, &MdiStacking::scheduleCheck);
    m_viewport->installEventFilter(this);
    for (QObject *child : m_viewport->children()) {
        if (child->isWidgetType())
            child->installEventFilter(this);
    }
    scheduleCheck();
}

void MdiStacking::unwatch()
{
    if (m_viewport) {
        if (auto *area = qobject_cast<QMdiArea *>(m_viewport->parentWidget()))
            disconnect(area, nullptr, this, nullptr);
        m_viewport->removeEventFilter(this);
        for (QObject *child : m_viewport->children())
            child->removeEventFilter(this);
    }
    m_viewport = nullptr;
    m_subWindow = nullptr;
}

QList<QRect> MdiStacking::windowsAbove() const
{
    QList<QRect> above;
    // Children of the viewport are stacked in the order of its child list, the last on top.
    bool seenOwn = false;
    for (QObject *child : m_viewport->children()) {
        if (child == m_subWindow) {
            seenOwn = true;
            continue;
        }
        auto *w = qobject_cast<QWidget *>(child);
        if (seenOwn && w && w->isVisible() && !w->isWindow())
            above.append(w->geometry());
    }
    return above;
}

MdiStacking::Cover MdiStacking::cover(const QWidget *part) const
{
    if (!inChildArea() || !m_viewport->isAncestorOf(part))
        return Cover::Uncovered;
    const QRect place(part->mapTo(m_viewport, QPoint(0, 0)), part->size());
    const QRect shown = m_viewport->rect();
    if (!shown.intersects(place))
        return Cover::Whole;
    bool partly = !shown.contains(place);
    for (const QRect &window : windowsAbove()) {
        if (window.contains(place))
            return Cover::Whole;
        if (window.intersects(place))
            partly = true;
    }
    return partly ? Cover::Partly : Cover::Uncovered;
}

double MdiStacking::shownShare(const QWidget *part) const
{
    if (!inChildArea() || !m_viewport->isAncestorOf(part))
        return 1.0;
    const QRect place(part->mapTo(m_viewport, QPoint(0, 0)), part->size());
    if (place.isEmpty())
        return 0.0;
    QRegion shown = QRegion(place).intersected(m_viewport->rect());
    for (const QRect &window : windowsAbove()) {
        shown -= window;
        if (shown.isEmpty())
            return 0.0;
    }
    qint64 area = 0;
    for (const QRect &r : shown)
        area += qint64(r.width()) * r.height();
    return double(area) / (qint64(place.width()) * place.height());
}

void MdiStacking::scheduleCheck()
{
    if (m_pending)
        return;
    m_pending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_pending = false;
            Q_EMIT changed();
        },
        Qt::QueuedConnection);
}

bool MdiStacking::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == m_page) {
        if (type == QEvent::Show || type == QEvent::Hide || type == QEvent::Move ||
            type == QEvent::Resize || type == QEvent::ParentChange)
            scheduleCheck();
    } else if (watched == m_viewport) {
        if (type == QEvent::ChildAdded) {
            if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
                child->installEventFilter(this);
            scheduleCheck();
        } else if (type == QEvent::ChildRemoved || type == QEvent::Resize) {
            scheduleCheck();
        }
    } else if (m_viewport && watched->isWidgetType() &&
               static_cast<QWidget *>(watched)->parentWidget() == m_viewport) {
        switch (type) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ZOrderChange:
        case QEvent::WindowStateChange:
            scheduleCheck();
            break;
        default:
            break;
        }
    }
    return false;
}
