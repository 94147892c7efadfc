#include "ui/about/AboutArtwork.h"

#include "common/AppIdentity.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdint>

namespace kelvane::ui {
namespace {

// The same stars every time: a small fixed-seed generator, not a random device.
class StarField
{
public:
    explicit StarField(uint32_t seed) : m_state(seed) {}
    double Next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<double>(m_state >> 8) / static_cast<double>(1u << 24);
    }

private:
    uint32_t m_state;
};

void DrawStars(QPainter& painter, const QRectF& area, int count, uint32_t seed)
{
    StarField random(seed);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF at(area.left() + random.Next() * area.width(), area.top() + random.Next() * area.height());
        const double size = 0.4 + random.Next() * random.Next() * 2.2;
        const int alpha = 90 + static_cast<int>(random.Next() * 165);
        painter.setBrush(QColor(255, 250, 235, alpha));
        painter.drawEllipse(at, size, size);
    }
}

void DrawCalendar(QPainter& painter, const QRectF& box)
{
    const QColor gold(205, 184, 72);
    painter.setPen(QPen(gold, 1.5));
    painter.setBrush(QColor(20, 24, 48, 220));
    painter.drawRoundedRect(box, 4, 4);
    const QRectF header(box.left(), box.top(), box.width(), box.height() * 0.25);
    painter.setBrush(gold);
    painter.drawRoundedRect(header, 4, 4);
    for (const double ring : {0.3, 0.7}) {
        const double x = box.left() + box.width() * ring;
        painter.drawLine(QPointF(x, box.top() - 4), QPointF(x, box.top() + 5));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 220, 170));
    const double cellWidth = box.width() / 5.0;
    const double cellHeight = (box.height() - header.height()) / 4.0;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            const QPointF centre(box.left() + cellWidth * (column + 1), header.bottom() + cellHeight * (row + 1));
            painter.drawRect(QRectF(centre.x() - 2.5, centre.y() - 2.5, 5, 5));
        }
    }
}

void DrawMountains(QPainter& painter, const QSizeF& size, double horizon, const QColor& color,
                   std::initializer_list<QPointF> peaks)
{
    QPainterPath ridge(QPointF(0, horizon));
    for (const QPointF& peak : peaks) {
        ridge.lineTo(peak.x() * size.width(), horizon - peak.y() * size.height());
    }
    ridge.lineTo(size.width(), horizon);
    ridge.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(ridge);
}

} // namespace

QPixmap AboutBanner()
{
    QPixmap banner(500, 93);
    banner.fill(Qt::transparent);
    QPainter painter(&banner);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, 93);
    sky.setColorAt(0, QColor(6, 8, 28));
    sky.setColorAt(1, QColor(28, 22, 60));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRoundedRect(QRectF(0, 0, 500, 93), 6, 6);
    DrawStars(painter, QRectF(0, 0, 500, 93), 140, 7);

    DrawCalendar(painter, QRectF(410, 22, 56, 52));

    QFont script;
    script.setFamilies({QStringLiteral("URW Chancery L"), QStringLiteral("Z003"), QStringLiteral("Brush Script MT"),
                        QStringLiteral("Serif")});
    script.setStyleHint(QFont::Cursive);
    script.setItalic(true);
    script.setBold(true);
    script.setPixelSize(52);
    painter.setFont(script);
    QLinearGradient gold(0, 18, 0, 78);
    gold.setColorAt(0, QColor(250, 228, 140));
    gold.setColorAt(0.5, QColor(205, 184, 72));
    gold.setColorAt(1, QColor(150, 118, 30));
    painter.setPen(QPen(QBrush(gold), 1));
    painter.drawText(QRectF(28, 0, 370, 93), Qt::AlignVCenter | Qt::AlignLeft, QString::fromUtf8(ApplicationTitle));
    return banner;
}

QPixmap NightLakePicture(QSize size)
{
    QPixmap picture(size);
    const QSizeF area(size);
    const double horizon = area.height() * 0.62;
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, QColor(4, 6, 24));
    sky.setColorAt(0.7, QColor(18, 28, 70));
    sky.setColorAt(1, QColor(52, 48, 96));
    painter.fillRect(QRectF(0, 0, area.width(), horizon), sky);
    DrawStars(painter, QRectF(0, 0, area.width(), horizon * 0.8), size.width() * size.height() / 2500, 11);

    const QPointF moon(area.width() * 0.78, area.height() * 0.16);
    const double moonRadius = area.height() * 0.05;
    QRadialGradient glow(moon, moonRadius * 4);
    glow.setColorAt(0, QColor(255, 248, 220, 90));
    glow.setColorAt(1, QColor(255, 248, 220, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(moon, moonRadius * 4, moonRadius * 4);
    painter.setBrush(QColor(250, 244, 215));
    painter.drawEllipse(moon, moonRadius, moonRadius);

    DrawMountains(
        painter, area, horizon, QColor(30, 34, 64),
        {{0.0, 0.18}, {0.12, 0.34}, {0.25, 0.22}, {0.4, 0.42}, {0.55, 0.24}, {0.7, 0.36}, {0.85, 0.2}, {1.0, 0.3}});
    DrawMountains(painter, area, horizon, QColor(14, 16, 34),
                  {{0.0, 0.08}, {0.18, 0.2}, {0.3, 0.1}, {0.48, 0.24}, {0.62, 0.12}, {0.8, 0.22}, {1.0, 0.1}});

    // The lake: the sky above mirrored and darkened, with a few ripples of moonlight.
    const QPixmap above = picture.copy(0, 0, size.width(), static_cast<int>(horizon));
    painter.save();
    painter.translate(0, horizon * 2);
    painter.scale(1, -1);
    painter.setOpacity(0.55);
    painter.drawPixmap(0, 0, above);
    painter.restore();
    painter.fillRect(QRectF(0, horizon, area.width(), area.height() - horizon), QColor(2, 6, 20, 110));
    painter.setPen(QPen(QColor(250, 244, 215, 120), std::max(1.0, area.height() / 400)));
    StarField random(3);
    for (int i = 0; i < 18; ++i) {
        const double y = horizon + (area.height() - horizon) * (0.05 + 0.9 * random.Next());
        const double half = area.width() * (0.01 + 0.03 * random.Next());
        painter.drawLine(QPointF(moon.x() - half, y), QPointF(moon.x() + half, y));
    }
    return picture;
}

} // namespace kelvane::ui
