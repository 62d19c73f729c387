// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include <QObject>
#include <QPointer>

class QRect;
class QWidget;

/// Where a page inside an MDI child window stands among the other child windows: watches the
/// child window around the page, its siblings and the area's viewport, and reports every change
/// of their places, order or visibility as one changed() per event-loop turn.
class MdiStacking : public QObject
{
    Q_OBJECT

public:
    /// How much of a widget the child area shows.
    enum class Cover {
        Uncovered, ///< all of it: inside the viewport, no child window above touches it
        Partly,    ///< some of it
        Whole,     ///< none: outside the viewport, or one child window above covers it all
    };

    /// Watches around \a page, once page lies inside an MDI child window (see watch()).
    explicit MdiStacking(QWidget *page);

    /// Finds the child window and the viewport around the page; call when the page is shown.
    /// Cheap when they did not change.
    void watch();
    /// Whether the page lies in an MDI child window.
    bool inChildArea() const { return m_viewport && m_subWindow; }
    /// How much of \a part (the page or a widget inside it) shows; Uncovered outside a child
    /// area.
    Cover cover(const QWidget *part) const;
    /// The share (0 to 1) of \a part's area that shows; 1 outside a child area.
    double shownShare(const QWidget *part) const;
    /// Asks for one changed() after this turn.
    void scheduleCheck();

Q_SIGNALS:
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void unwatch();
    /// The child windows stacked above the page's own that are on screen.
    QList<QRect> windowsAbove() const;

    QWidget *m_page;
    QPointer<QWidget> m_viewport;
    QPointer<QWidget> m_subWindow;
    bool m_pending = false;
};
