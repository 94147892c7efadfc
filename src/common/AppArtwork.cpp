#include "common/AppArtwork.h"

#include <array>
#include <cstdio>

namespace kelvane {
namespace {

using Kind = ArtworkShape::Kind;

constexpr uint32_t Frame = 0x282C34;
constexpr uint32_t Sky = 0x1C4A8C;
constexpr uint32_t Moon = 0xFAE278;
constexpr uint32_t Star = 0xFFFFFF;
constexpr uint32_t Page = 0xF4F6FA;
constexpr uint32_t Track = 0x7F9CCB;

// A star is a dot half a unit across around its centre.
constexpr ArtworkShape StarAt(double x, double y)
{
    return {Kind::Ellipse, x - 0.5, y - 0.5, 1, 1, 0, Star};
}

constexpr std::array Shapes = {
    // The screen, its stand and its foot.
    ArtworkShape{Kind::RoundedRectangle, 0.5, 1.5, 15, 10.5, 1.5, Frame},
    ArtworkShape{Kind::Rectangle, 7, 12, 2, 2, 0, Frame},
    ArtworkShape{Kind::RoundedRectangle, 4, 13.5, 8, 1.5, 0.7, Frame},
    ArtworkShape{Kind::Rectangle, 1.5, 2.5, 13, 8.5, 0, Sky},
    // A crescent moon: a disc with a disc of the sky's colour over it.
    ArtworkShape{Kind::Ellipse, 9.5, 3.5, 3.5, 3.5, 0, Moon},
    ArtworkShape{Kind::Ellipse, 10.6, 3, 3.2, 3.2, 0, Sky},
    StarAt(3.5, 4.5),
    StarAt(6, 7.5),
    StarAt(4.5, 9),
    StarAt(8, 5),
};

// A calendar: a framed page under a band of the sky's colour, two rings that hold it, and the days as
// small blocks, one of them in the moon's colour.
constexpr ArtworkShape Day(double x, double y, uint32_t rgb = Frame)
{
    return {Kind::Rectangle, x, y, 2, 1.6, 0, rgb};
}

constexpr std::array CalendarShapes = {
    ArtworkShape{Kind::RoundedRectangle, 0.5, 1.5, 15, 14, 1.5, Frame},
    ArtworkShape{Kind::RoundedRectangle, 1.3, 2.3, 13.4, 12.4, 0.9, Page},
    ArtworkShape{Kind::Rectangle, 1.3, 2.3, 13.4, 3.2, 0, Sky},
    ArtworkShape{Kind::RoundedRectangle, 3.8, 0.5, 1.6, 3.4, 0.7, Frame},
    ArtworkShape{Kind::RoundedRectangle, 10.6, 0.5, 1.6, 3.4, 0.7, Frame},
    Day(3, 7),
    Day(6, 7),
    Day(9, 7),
    Day(12, 7),
    Day(3, 9.8),
    Day(6, 9.8),
    Day(9, 9.8, Moon),
    Day(12, 9.8),
    Day(3, 12.6),
    Day(6, 12.6),
    Day(9, 12.6),
};

// Settings: the icon's screen with three sliders across its sky, their knobs in the moon's colour.
constexpr ArtworkShape SliderTrack(double y)
{
    return {Kind::RoundedRectangle, 3, y - 0.5, 10, 1, 0.5, Track};
}

constexpr ArtworkShape SliderKnob(double x, double y)
{
    return {Kind::Ellipse, x - 1.4, y - 1.4, 2.8, 2.8, 0, Moon};
}

constexpr std::array SliderShapes = {
    ArtworkShape{Kind::RoundedRectangle, 0.5, 1.5, 15, 10.5, 1.5, Frame},
    ArtworkShape{Kind::Rectangle, 7, 12, 2, 2, 0, Frame},
    ArtworkShape{Kind::RoundedRectangle, 4, 13.5, 8, 1.5, 0.7, Frame},
    ArtworkShape{Kind::Rectangle, 1.5, 2.5, 13, 8.5, 0, Sky},
    SliderTrack(4.3),
    SliderTrack(6.75),
    SliderTrack(9.2),
    SliderKnob(10, 4.3),
    SliderKnob(5.5, 6.75),
    SliderKnob(8, 9.2),
};

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string Colour(uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    return text;
}

} // namespace

std::span<const ArtworkShape> AppArtwork()
{
    return Shapes;
}

std::span<const ArtworkShape> TabArtwork(TabPicture tab)
{
    switch (tab) {
    case TabPicture::EventScheduler:
        return CalendarShapes;
    case TabPicture::Options:
        return SliderShapes;
    case TabPicture::Screensavers:
        break;
    }
    return Shapes;
}

std::string AppArtworkSvg()
{
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 16 16\">\n";
    for (const ArtworkShape& shape : Shapes) {
        const std::string fill = " fill=\"" + Colour(shape.Rgb) + "\"/>\n";
        if (shape.Shape == Kind::Ellipse) {
            svg += "  <ellipse cx=\"" + Number(shape.X + shape.Width / 2) + "\" cy=\"" +
                   Number(shape.Y + shape.Height / 2) + "\" rx=\"" + Number(shape.Width / 2) + "\" ry=\"" +
                   Number(shape.Height / 2) + "\"" + fill;
        } else {
            svg += "  <rect x=\"" + Number(shape.X) + "\" y=\"" + Number(shape.Y) + "\" width=\"" +
                   Number(shape.Width) + "\" height=\"" + Number(shape.Height) + "\"";
            if (shape.Shape == Kind::RoundedRectangle) {
                svg += " rx=\"" + Number(shape.Radius) + "\"";
            }
            svg += fill;
        }
    }
    return svg + "</svg>\n";
}

} // namespace kelvane
