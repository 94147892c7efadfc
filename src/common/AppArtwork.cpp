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
