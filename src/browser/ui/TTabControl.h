// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#pragma once

#include "settings/SettingsKeys.h"

#include <QColor>
#include <QHash>
#include <QSet>
#include <QTabBar>

/// The owner-drawn tab strip of the page windows (component TabControl1). Colours come from
/// "Option_Tab" of config.ini, read again for every paint; a title that does not fit is drawn
/// with a trailing ellipsis, while the tab text itself stays whole.
class TTabControl : public QTabBar
{
    Q_OBJECT

public:
    struct TabColors
    {
        QColor activeText;
        QColor activeBackground;
        QColor inactiveText;
        QColor inactiveBackground;
    };

    explicit TTabControl(QWidget *parent = nullptr);

    /// "TabType": 0 tabs along the bottom edge, any other value buttons along the top.
    void setTabType(int tabType);
    bool isButtonStyle() const { return m_buttons; }
    /// "fix" = 1: every tab \a width pixels wide; 0 or less: tabs size to their text.
    void setFixedTabWidth(int width);
    int fixedTabWidth() const { return m_fixedWidth; }

    /// "CloseButton": a close button on each tab. A middle click closes a tab either way
    /// (tabCloseRequested); a tab dragged elsewhere reports tabMoved.
    void setCloseButtons(bool on);
    /// Where tab \a index's close mark is painted (a click on it closes the tab); empty without
    /// close buttons.
    QRect closeRect(int index) const;

    /// Marks tab \a index as a private window's: \a mark is painted before its text and its
    /// tool tip says so.
    void setTabPrivate(int index, const QIcon &mark);

    /// The tab painted as selected, -1 for none.
    void setSelectedTab(int index);
    int selectedTab() const { return m_selected; }

    /// Reads the four colours. A value that is no colour is reported once (not on every paint)
    /// and drawn in its default colour.
    TabColors LoadTabColors();
    /// The text rectangle of a tab: right edge 10 pixels in, then 8 right and 1 down.
    static QRect textRect(const QRect &tabRect);

Q_SIGNALS:
    /// A press with any button but the left one; \a index is the tab under the cursor, -1 for
    /// none.
    void nonLeftPressed(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    QSize tabSizeHint(int index) const override;
    void changeEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QColor readColor(const ColorKey &key);

    bool m_buttons = false;
    int m_fixedWidth = 0;
    /// The size of a tab by its text (and whether it has a mark).
    mutable QHash<QString, QSize> m_sizes;
    bool m_closeButtons = false;
    int m_closePressed = -1;
    int m_hoveredClose = -1;
    static constexpr int CloseMarkSize = 14;
    static constexpr int MaxCachedSizes = 20000;
    int m_selected = -1;
    QSet<QString> m_reported;
    /// The tab a middle press went down on, -1 for none.
    int m_middlePressed = -1;
};
