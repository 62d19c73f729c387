// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "browser/TTabControl.h"

#include "common/ErrorHandler.h"
#include "settings/ColorConvert.h"
#include "settings/ColorPalette.h"
#include "settings/IniFile.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionTab>
#include <QTimer>

TTabControl::TTabControl(QWidget *parent)
    : QTabBar(parent)
{
    setObjectName(QStringLiteral("TabControl1"));
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(true);
    // The paint elides; QTabBar eliding every tab at every layout would only cost time.
    setElideMode(Qt::ElideNone);
    setTabType(0);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMovable(true);
    setCloseButtons(SettingsKeys::Option_Tab::CloseButton.def);
}

void TTabControl::setCloseButtons(bool on)
{
    setTabsClosable(on);
}

void TTabControl::setTabType(int tabType)
{
    m_buttons = tabType != 0;
    setShape(m_buttons ? QTabBar::RoundedNorth : QTabBar::RoundedSouth);
    update();
}

void TTabControl::setFixedTabWidth(int width)
{
    m_fixedWidth = width > 0 ? width : 0;
    // Make QTabBar lay the tabs out again with the new hint.
    setElideMode(elideMode());
    updateGeometry();
    update();
}

void TTabControl::setSelectedTab(int index)
{
    m_selected = index;
    if (index >= 0 && index < count() && index != currentIndex()) {
        const bool old = blockSignals(true);
        setCurrentIndex(index);
        blockSignals(old);
    }
    update();
}

QSize TTabControl::tabSizeHint(int index) const
{
    QSize size = QTabBar::tabSizeHint(index);
    if (m_fixedWidth > 0)
        size.setWidth(m_fixedWidth);
    return size;
}

QRect TTabControl::textRect(const QRect &tabRect)
{
    return tabRect.adjusted(0, 0, -10, 0).translated(8, 1);
}

QColor TTabControl::readColor(const ColorKey &key)
{
    const QString text = SettingsKeys::read(IniFile::config(), key);
    quint32 value = 0;
    if (!ColorConvert::StringToColor(text, &value)) {
        // Reported once per bad value, and outside the paint: a message box shown from a
        // paint event would cause the next paint and the next box.
        if (!m_reported.contains(text)) {
            m_reported.insert(text);
            const QString message =
                QStringLiteral("'%1' は有効な色ではありません (%2)").arg(text, key.name);
            QTimer::singleShot(0, this, [message] { ErrorHandler::Report(message); });
        }
        ColorConvert::StringToColor(key.def.toString(), &value);
    }
    return ColorPalette::toQColor(value);
}

TTabControl::TabColors TTabControl::LoadTabColors()
{
    TabColors c;
    c.activeText = readColor(SettingsKeys::Option_Tab::ActivateChColor);
    c.activeBackground = readColor(SettingsKeys::Option_Tab::ActivateBGColor);
    c.inactiveText = readColor(SettingsKeys::Option_Tab::DeActivateChColor);
    c.inactiveBackground = readColor(SettingsKeys::Option_Tab::DeActivateBGColor);
    return c;
}

void TTabControl::paintEvent(QPaintEvent *)
{
    if (count() == 0)
        return;
    const TabColors colors = LoadTabColors();
    QPainter painter(this);
    for (int i = 0; i < count(); ++i) {
        const QRect rect = tabRect(i);
        if (!rect.isValid() || !rect.intersects(this->rect()))
            continue;
        const bool selected = i == m_selected;
        const QColor bg = selected ? colors.activeBackground : colors.inactiveBackground;
        const QColor fg = selected ? colors.activeText : colors.inactiveText;
        painter.fillRect(rect, bg);
        // The frame around the owner-drawn face: buttons are boxed; a tab along the bottom edge
        // stays open towards the pages above it while it is the selected one.
        painter.setPen(palette().color(QPalette::Mid));
        const QRect frame = rect.adjusted(0, 0, -1, -1);
        if (m_buttons) {
            painter.drawRect(frame);
        } else {
            painter.drawLine(frame.topLeft(), frame.bottomLeft());
            painter.drawLine(frame.bottomLeft(), frame.bottomRight());
            painter.drawLine(frame.topRight(), frame.bottomRight());
            if (!selected)
                painter.drawLine(frame.topLeft(), frame.topRight());
        }
        if (selected) {
            // The configured colours may be the same for every tab: the selected one also gets
            // the desktop's highlight line along its outer edge and a darker frame.
            painter.setPen(palette().color(QPalette::Dark));
            painter.drawLine(frame.topLeft(), frame.bottomLeft());
            painter.drawLine(frame.topRight(), frame.bottomRight());
            const int line = 3;
            painter.fillRect(QRect(frame.left() + 1,
                                   m_buttons ? frame.top() + 1 : frame.bottom() - line + 1,
                                   frame.width() - 1, line),
                             palette().color(QPalette::Highlight));
        }
        QRect textArea = textRect(rect);
        if (const QWidget *button = tabButton(i, QTabBar::RightSide); button && button->isVisible())
            textArea.setRight(qMin(textArea.right(), button->geometry().left() - 2));
        const QString shown =
            fontMetrics().elidedText(tabText(i), Qt::ElideRight, qMax(0, textArea.width()));
        painter.setPen(fg);
        painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }
}

void TTabControl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        Q_EMIT nonLeftPressed(tabAt(event->position().toPoint()));
    if (event->button() == Qt::MiddleButton)
        m_middlePressed = tabAt(event->position().toPoint());
    QTabBar::mousePressEvent(event);
}

// A middle click (press and release on the same tab) closes the tab, as in other browsers.
void TTabControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton) {
        const int index = tabAt(event->position().toPoint());
        const bool click = index >= 0 && index == m_middlePressed;
        m_middlePressed = -1;
        if (click) {
            Q_EMIT tabCloseRequested(index);
            return;
        }
    }
    QTabBar::mouseReleaseEvent(event);
}
