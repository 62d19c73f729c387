// SPDX-License-Identifier: GPL-2.0-or-later
// SPDX-FileCopyrightText: Dorvu developers
#include "common/ImageList.h"

#include <QAction>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const char *themeName(int index)
{
    switch (index) {
    case 0:
        return "document-new";
    case 1:
        return "go-previous";
    case 2:
        return "go-next";
    case 3:
        return "process-stop";
    case 4:
        return "view-refresh";
    case 6:
        return "go-home";
    case 11:
        return "folder";
    case 12:
        return "text-html";
    case 13:
        return "text-x-generic";
    case 16:
        return "edit-paste";
    default:
        return nullptr;
    }
}

void drawPage(QPainter &p, const QColor &fill)
{
    QPainterPath page;
    page.moveTo(3, 1);
    page.lineTo(10, 1);
    page.lineTo(13, 4);
    page.lineTo(13, 15);
    page.lineTo(3, 15);
    page.closeSubpath();
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(fill);
    p.drawPath(page);
    p.drawLine(QPointF(10, 1), QPointF(10, 4));
    p.drawLine(QPointF(10, 4), QPointF(13, 4));
}

void drawArrow(QPainter &p, bool left)
{
    QPainterPath arrow;
    if (left) {
        arrow.moveTo(1, 8);
        arrow.lineTo(8, 2);
        arrow.lineTo(8, 5.5);
        arrow.lineTo(15, 5.5);
        arrow.lineTo(15, 10.5);
        arrow.lineTo(8, 10.5);
        arrow.lineTo(8, 14);
    } else {
        arrow.moveTo(15, 8);
        arrow.lineTo(8, 2);
        arrow.lineTo(8, 5.5);
        arrow.lineTo(1, 5.5);
        arrow.lineTo(1, 10.5);
        arrow.lineTo(8, 10.5);
        arrow.lineTo(8, 14);
    }
    arrow.closeSubpath();
    p.setPen(QPen(QColor(20, 90, 20), 1));
    p.setBrush(QColor(60, 170, 60));
    p.drawPath(arrow);
}

void drawEngine(QPainter &p, const QColor &ring, const QColor &fill, const QString &letter)
{
    p.setPen(QPen(ring, 1.5));
    p.setBrush(fill);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, letter);
}

// Draws picture \a index in a 16 x 16 coordinate space.
void drawPicture(QPainter &p, int index)
{
    switch (index) {
    case 0:
        drawPage(p, Qt::white);
        break;
    case 1:
    case 2:
        drawArrow(p, index == 1);
        break;
    case 3:
        p.setPen(QPen(QColor(130, 0, 0), 1));
        p.setBrush(QColor(210, 30, 30));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(QPointF(5, 5), QPointF(11, 11));
        p.drawLine(QPointF(11, 5), QPointF(5, 11));
        break;
    case 4: {
        p.setPen(QPen(QColor(30, 90, 170), 2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2.5, 2.5, 11, 11), 60 * 16, 300 * 16);
        QPainterPath head;
        head.moveTo(9, 0.5);
        head.lineTo(14, 3);
        head.lineTo(9.5, 6.5);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 90, 170));
        p.drawPath(head);
        break;
    }
    case 6: {
        QPainterPath roof;
        roof.moveTo(8, 1);
        roof.lineTo(15, 8);
        roof.lineTo(1, 8);
        roof.closeSubpath();
        p.setPen(QPen(QColor(120, 40, 20), 1));
        p.setBrush(QColor(200, 70, 40));
        p.drawPath(roof);
        p.setBrush(QColor(240, 220, 170));
        p.drawRect(QRectF(3, 8, 10, 7));
        p.setBrush(QColor(120, 70, 30));
        p.drawRect(QRectF(7, 10, 3, 5));
        break;
    }
    case 11: {
        p.setPen(QPen(QColor(150, 110, 0), 1));
        p.setBrush(QColor(245, 200, 60));
        QPainterPath folder;
        folder.moveTo(1, 3);
        folder.lineTo(6, 3);
        folder.lineTo(7.5, 5);
        folder.lineTo(15, 5);
        folder.lineTo(15, 14);
        folder.lineTo(1, 14);
        folder.closeSubpath();
        p.drawPath(folder);
        break;
    }
    case 12:
        drawPage(p, QColor(220, 235, 255));
        p.setPen(QPen(QColor(30, 80, 170), 1.5));
        p.drawEllipse(QRectF(5, 7, 6, 6));
        break;
    case 13:
        drawPage(p, Qt::white);
        p.setPen(QPen(QColor(60, 60, 160), 1));
        for (int y = 6; y <= 12; y += 3)
            p.drawLine(QPointF(5, y), QPointF(11, y));
        break;
    case 14:
        drawEngine(p, QColor(150, 60, 0), QColor(235, 120, 20), QStringLiteral("G"));
        break;
    case 15:
        drawEngine(p, QColor(0, 50, 140), QColor(30, 110, 220), QStringLiteral("e"));
        break;
    case 16:
        p.setPen(QPen(QColor(90, 60, 20), 1));
        p.setBrush(QColor(190, 140, 80));
        p.drawRect(QRectF(2, 2, 12, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 4, 8, 9));
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(QRectF(5.5, 1, 5, 3));
        break;
    case 17: {
        // A dark disc with a mask across it: a window that leaves no trace.
        p.setPen(QPen(QColor(40, 30, 70), 1));
        p.setBrush(QColor(90, 70, 140));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        QPainterPath mask;
        mask.moveTo(2.5, 6.5);
        mask.lineTo(13.5, 6.5);
        mask.cubicTo(13.5, 10.5, 10, 10.5, 8, 9);
        mask.cubicTo(6, 10.5, 2.5, 10.5, 2.5, 6.5);
        mask.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(mask);
        p.setBrush(QColor(90, 70, 140));
        p.drawEllipse(QRectF(4.5, 7, 2.5, 1.8));
        p.drawEllipse(QRectF(9, 7, 2.5, 1.8));
        break;
    }
    default:
        break;
    }
}

} // namespace

ImageList::ImageList()
{
    for (int index = 0; index < Count; ++index) {
        const char *name = themeName(index);
        const QIcon drawn = drawnIcon(index);
        m_icons.append(name ? QIcon::fromTheme(QLatin1String(name), drawn) : drawn);
    }
}

const ImageList &ImageList::shared()
{
    static const ImageList list;
    return list;
}

QIcon ImageList::icon(int index) const
{
    return index >= 0 && index < m_icons.size() ? m_icons.at(index) : QIcon();
}

void ImageList::apply(QAction *action, int index) const
{
    action->setIcon(icon(index));
    action->setProperty(ImageIndexProperty, index);
}

int ImageList::imageIndex(const QAction *action)
{
    const QVariant value = action->property(ImageIndexProperty);
    return value.isValid() ? value.toInt() : -1;
}

QIcon ImageList::drawnIcon(int index)
{
    if (index == 5 || (index >= 7 && index <= 10) || index < 0 || index >= Count)
        return QIcon();
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 16.0, size / 16.0);
        drawPicture(painter, index);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
