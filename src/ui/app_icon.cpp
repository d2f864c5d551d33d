#include "ui/app_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace brivane::ui {

QImage DrawAppIcon(int aSize) {
    QImage image(aSize, aSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(aSize / 64.0, aSize / 64.0);

    // A rounded tile in the product's blue.
    QLinearGradient tile(0, 0, 0, 64);
    tile.setColorAt(0, QColor(0x3C, 0x8E, 0xDE));
    tile.setColorAt(1, QColor(0x1B, 0x5C, 0xA6));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 13, 13);

    // A circling arrow: the programs come round to their newest version.
    QPen arc(Qt::white, 6.5, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(arc);
    painter.setBrush(Qt::NoBrush);
    const QRectF circle(15, 15, 34, 34);
    painter.drawArc(circle, 100 * 16, 290 * 16);
    QPainterPath head;
    head.moveTo(30.5, 5.5);
    head.lineTo(42.5, 15.5);
    head.lineTo(29.5, 22.5);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(head);

    // The download mark in the middle.
    painter.setPen(QPen(Qt::white, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(32, 24), QPointF(32, 39));
    painter.drawPolyline(QPolygonF({QPointF(25.5, 33), QPointF(32, 39.5), QPointF(38.5, 33)}));
    return image;
}

QIcon AppIcon() {
    QIcon icon;
    for (const int size : kAppIconSizes) {
        icon.addPixmap(QPixmap::fromImage(DrawAppIcon(size)));
    }
    return icon;
}

} // namespace brivane::ui
