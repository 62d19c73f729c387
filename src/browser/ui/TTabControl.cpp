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
    // Painted, not a button widget per tab: a strip of a thousand tabs would lay a thousand
    // widgets out again whenever a tab comes or goes.
    m_closeButtons = on;
    setMouseTracking(true); // the mark under the pointer is lit
    m_sizes.clear();
    setElideMode(elideMode()); // lays the tabs out again with the new hint
    updateGeometry();
    update();
}

QRect TTabControl::closeRect(int index) const
{
    if (!m_closeButtons)
        return {};
    const QRect tab = tabRect(index);
    if (!tab.isValid())
        return {};
    const int side = CloseMarkSize;
    return QRect(tab.right() - side - 5, tab.center().y() - side / 2, side, side);
}

void TTabControl::setTabType(int tabType)
{
    m_buttons = tabType != 0;
    m_sizes.clear();
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

void TTabControl::setTabPrivate(int index, const QIcon &mark)
{
    // The icon also makes QTabBar lay the tabs out again, with room for it.
    setTabToolTip(index, QStringLiteral("プライベートウィンドウ"));
    setTabIcon(index, mark);
}

QSize TTabControl::tabSizeHint(int index) const
{
    // QTabBar lays every tab out again whenever a tab comes, goes or is looked up, asking each
    // tab's size: a list of a thousand tabs asks half a million times while it fills the strip.
    // The size depends on the text alone, and is kept until the font, the style or the shape
    // changes.
    // A marked tab's text is kept apart by a character no title holds.
    const QString text =
        tabIcon(index).isNull() ? tabText(index) : QLatin1Char('\x01') + tabText(index);
    QSize size = m_sizes.value(text);
    if (!size.isValid()) {
        size = QTabBar::tabSizeHint(index);
        if (m_closeButtons)
            size.rwidth() += CloseMarkSize + 6;
        if (m_sizes.size() > MaxCachedSizes)
            m_sizes.clear();
        m_sizes.insert(text, size);
    }
    if (m_fixedWidth > 0)
        size.setWidth(m_fixedWidth);
    return size;
}

void TTabControl::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_sizes.clear();
    QTabBar::changeEvent(event);
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
        if (const QRect mark = closeRect(i); mark.isValid()) {
            textArea.setRight(qMin(textArea.right(), mark.left() - 2));
            // The close mark: a cross, on a light square while the pointer is on it.
            if (i == m_hoveredClose)
                painter.fillRect(mark, palette().color(QPalette::Midlight));
            painter.setPen(QPen(fg, 1.5));
            painter.setRenderHint(QPainter::Antialiasing, true);
            const QRectF cross = QRectF(mark).adjusted(3.5, 3.5, -3.5, -3.5);
            painter.drawLine(cross.topLeft(), cross.bottomRight());
            painter.drawLine(cross.topRight(), cross.bottomLeft());
            painter.setRenderHint(QPainter::Antialiasing, false);
        }
        if (const QIcon mark = tabIcon(i); !mark.isNull()) {
            const QSize side = iconSize();
            const QRect place(QPoint(textArea.left(), rect.center().y() - side.height() / 2), side);
            mark.paint(&painter, place);
            textArea.setLeft(place.right() + 4);
        }
        const QString shown =
            fontMetrics().elidedText(tabText(i), Qt::ElideRight, qMax(0, textArea.width()));
        painter.setPen(fg);
        painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }
}

void TTabControl::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        // A press on a close mark neither selects nor drags the tab.
        const int index = tabAt(pos);
        if (index >= 0 && closeRect(index).contains(pos)) {
            m_closePressed = index;
            return;
        }
    }
    if (event->button() != Qt::LeftButton)
        Q_EMIT nonLeftPressed(tabAt(event->position().toPoint()));
    if (event->button() == Qt::MiddleButton)
        m_middlePressed = tabAt(event->position().toPoint());
    QTabBar::mousePressEvent(event);
}

// A middle click (press and release on the same tab) closes the tab, as in other browsers.
void TTabControl::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_closePressed >= 0) {
        // Released on the mark it was pressed on: that tab closes.
        const int index = m_closePressed;
        m_closePressed = -1;
        if (index < count() && closeRect(index).contains(event->position().toPoint()))
            Q_EMIT tabCloseRequested(index);
        return;
    }
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

void TTabControl::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const int index = tabAt(pos);
    const int hovered = index >= 0 && closeRect(index).contains(pos) ? index : -1;
    if (hovered != m_hoveredClose) {
        m_hoveredClose = hovered;
        update();
    }
    if (m_closePressed < 0)
        QTabBar::mouseMoveEvent(event);
}

void TTabControl::leaveEvent(QEvent *event)
{
    if (m_hoveredClose >= 0) {
        m_hoveredClose = -1;
        update();
    }
    QTabBar::leaveEvent(event);
}
