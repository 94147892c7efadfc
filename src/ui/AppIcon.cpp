#include "ui/AppIcon.h"

#include <QPainter>
#include <QPixmap>

namespace kelvane::ui {

QIcon AppIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal unit = size / 16.0;
        // The screen, its stand and its foot.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(40, 44, 52));
        painter.drawRoundedRect(QRectF(0.5 * unit, 1.5 * unit, 15 * unit, 10.5 * unit), 1.5 * unit, 1.5 * unit);
        painter.drawRect(QRectF(7 * unit, 12 * unit, 2 * unit, 2 * unit));
        painter.drawRoundedRect(QRectF(4 * unit, 13.5 * unit, 8 * unit, 1.5 * unit), 0.7 * unit, 0.7 * unit);
        painter.setBrush(QColor(28, 74, 140));
        painter.drawRect(QRectF(1.5 * unit, 2.5 * unit, 13 * unit, 8.5 * unit));
        // A moon and a few stars.
        painter.setBrush(QColor(250, 226, 120));
        painter.drawEllipse(QRectF(9.5 * unit, 3.5 * unit, 3.5 * unit, 3.5 * unit));
        painter.setBrush(QColor(28, 74, 140));
        painter.drawEllipse(QRectF(10.6 * unit, 3 * unit, 3.2 * unit, 3.2 * unit));
        painter.setBrush(QColor(255, 255, 255));
        for (const QPointF star : {QPointF(3.5, 4.5), QPointF(6, 7.5), QPointF(4.5, 9), QPointF(8, 5)}) {
            painter.drawEllipse(QPointF(star.x() * unit, star.y() * unit), 0.5 * unit, 0.5 * unit);
        }
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace kelvane::ui
