#include "ui/AppIcon.h"

#include <QPainter>
#include <QPixmap>

namespace kelvane::ui {

namespace {

QIcon ArtworkIcon(std::span<const ArtworkShape> shapes)
{
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        PaintArtwork(painter, shapes, size);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

void PaintAppArtwork(QPainter& painter, int size)
{
    PaintArtwork(painter, AppArtwork(), size);
}

void PaintArtwork(QPainter& painter, std::span<const ArtworkShape> shapes, int size)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const qreal unit = size / 16.0;
    for (const ArtworkShape& shape : shapes) {
        painter.setBrush(QColor::fromRgb(static_cast<QRgb>(shape.Rgb)));
        const QRectF area(shape.X * unit, shape.Y * unit, shape.Width * unit, shape.Height * unit);
        switch (shape.Shape) {
        case ArtworkShape::Kind::Rectangle:
            painter.drawRect(area);
            break;
        case ArtworkShape::Kind::RoundedRectangle:
            painter.drawRoundedRect(area, shape.Radius * unit, shape.Radius * unit);
            break;
        case ArtworkShape::Kind::Ellipse:
            painter.drawEllipse(area);
            break;
        }
    }
}

QIcon AppIcon()
{
    return ArtworkIcon(AppArtwork());
}

QIcon TabIcon(TabPicture tab)
{
    return ArtworkIcon(TabArtwork(tab));
}

} // namespace kelvane::ui
