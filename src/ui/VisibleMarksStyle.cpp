#include "ui/VisibleMarksStyle.h"

#include "common/ColorContrast.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

namespace kelvane::ui {
namespace {

// How far an empty box's outline is softened toward its background: enough to read as a frame rather
// than as text, never below what a mark needs.
constexpr double OutlineSoftening = 0.35;

Rgb ToRgb(const QColor& color)
{
    return static_cast<Rgb>(color.rgb()) & 0xFFFFFFu;
}

QColor ToColor(Rgb rgb)
{
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

// The colour around a mark and the text colour drawn on it, as the option's palette has them: a selected
// row or menu item, a list's row, or a window.
struct Surroundings
{
    QColor Background;
    QColor Ink;
};

Surroundings SurroundingsOf(const QStyleOption& option)
{
    const QPalette& palette = option.palette;
    if (option.state & QStyle::State_Selected) {
        return {palette.color(QPalette::Highlight), palette.color(QPalette::HighlightedText)};
    }
    if (const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(&option)) {
        const bool alternate = item->features & QStyleOptionViewItem::Alternate;
        return {palette.color(alternate ? QPalette::AlternateBase : QPalette::Base), palette.color(QPalette::Text)};
    }
    return {palette.color(QPalette::Window), palette.color(QPalette::WindowText)};
}

// A square centred in the rectangle, a pixel smaller than it so that its outline stays inside.
QRectF Square(const QRect& rect)
{
    const qreal side = std::min(rect.width(), rect.height()) - 1;
    return {rect.x() + (rect.width() - side) / 2.0, rect.y() + (rect.height() - side) / 2.0, side, side};
}

// A hairline on whole device pixels, whatever the screen's scale and wherever the widget sits: one that
// straddles two pixels is drawn at part strength in each and fades into its background.
struct Hairline
{
    qreal Width;        // in the painter's units
    qreal DeviceOffset; // from a pixel's edge to the line's middle, in device pixels
};

Hairline HairlineFor(const QPainter& painter)
{
    const qreal ratio = std::max<qreal>(1e-3, std::abs(painter.deviceTransform().m11()));
    const qreal devicePixels = std::max<qreal>(1.0, std::round(ratio));
    return {devicePixels / ratio, std::fmod(devicePixels, 2.0) / 2.0};
}

QRectF OnDevicePixels(const QRectF& box, const QPainter& painter, const Hairline& line)
{
    const QTransform toDevice = painter.deviceTransform();
    const QTransform fromDevice = toDevice.inverted();
    const auto snap = [&](QPointF point) {
        const QPointF device = toDevice.map(point);
        return fromDevice.map(
            QPointF(std::floor(device.x()) + line.DeviceOffset, std::floor(device.y()) + line.DeviceOffset));
    };
    return {snap(box.topLeft()), snap(box.bottomRight())};
}

qreal StrokeWidth(const QRectF& box)
{
    return std::max<qreal>(1.5, box.width() / 7.0);
}

void DrawCheckMark(QPainter& painter, const QRectF& box, const QColor& ink)
{
    QPainterPath tick;
    tick.moveTo(box.left() + box.width() * 0.22, box.top() + box.height() * 0.52);
    tick.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.72);
    tick.lineTo(box.left() + box.width() * 0.78, box.top() + box.height() * 0.28);
    painter.setPen(QPen(ink, StrokeWidth(box), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tick);
}

void DrawPartialMark(QPainter& painter, const QRectF& box, const QColor& ink)
{
    const qreal y = box.center().y();
    painter.setPen(QPen(ink, StrokeWidth(box), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(box.left() + box.width() * 0.25, y), QPointF(box.right() - box.width() * 0.25, y));
}

void DrawDot(QPainter& painter, const QRectF& box, const QColor& ink)
{
    const qreal radius = box.width() * 0.22;
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(box.center(), radius, radius);
}

enum class Shape
{
    Box,
    Circle,
    MarkOnly, // a menu item's mark, without a box around it
};

// One of a group of menu items of which only one can be chosen: a dot marks it, as a radio button's.
bool IsExclusiveMenuItem(const QStyleOption& option)
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(&option);
    return item && item->checkType == QStyleOptionMenuItem::Exclusive;
}

void DrawIndicator(QPainter& painter, const QStyleOption& option, Shape shape)
{
    const Surroundings around = SurroundingsOf(option);
    const QRectF box = Square(option.rect);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (shape != Shape::MarkOnly) {
        // The box is as clear as what is around it; its outline alone shows it.
        const QColor outline = ToColor(SoftenedMark(ToRgb(around.Ink), ToRgb(around.Background), OutlineSoftening));
        painter.setBrush(around.Background);
        if (shape == Shape::Circle) {
            // A curve spreads a thin pen over pixels it only partly covers: a little more keeps it solid.
            painter.setPen(QPen(outline, 1.4));
            painter.drawEllipse(box.adjusted(0.2, 0.2, -0.2, -0.2));
        } else {
            const Hairline line = HairlineFor(painter);
            painter.setPen(QPen(outline, line.Width));
            painter.drawRoundedRect(OnDevicePixels(box, painter, line), 2.0, 2.0);
        }
    }
    const bool on = option.state & QStyle::State_On;
    if (on && (shape == Shape::Circle || IsExclusiveMenuItem(option))) {
        DrawDot(painter, box, around.Ink);
    } else if (on) {
        DrawCheckMark(painter, box, around.Ink);
    } else if (option.state & QStyle::State_NoChange) {
        DrawPartialMark(painter, box, around.Ink);
    }
    painter.restore();
}

} // namespace

VisibleMarksStyle::VisibleMarksStyle(QStyle* base) : QProxyStyle(base) {}

void VisibleMarksStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                      const QWidget* widget) const
{
    switch (element) {
    case PE_IndicatorCheckBox:
    case PE_IndicatorItemViewItemCheck:
        DrawIndicator(*painter, *option, Shape::Box);
        return;
    case PE_IndicatorRadioButton:
        DrawIndicator(*painter, *option, Shape::Circle);
        return;
    case PE_IndicatorMenuCheckMark:
        DrawIndicator(*painter, *option, Shape::MarkOnly);
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

} // namespace kelvane::ui
