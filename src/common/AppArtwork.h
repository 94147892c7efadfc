#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kelvane {

// One filled shape of the program's icon, in a square 16 units wide.
struct ArtworkShape
{
    enum class Kind
    {
        Rectangle,
        RoundedRectangle,
        Ellipse,
    };
    Kind Shape;
    double X, Y, Width, Height;
    double Radius; // the corners' radius of a rounded rectangle
    uint32_t Rgb;  // 0xRRGGBB
};

// The icon's artwork, back to front: a small screen with a starry night on it. The window, the tray and
// the icon files installed for the desktop are all drawn from it.
std::span<const ArtworkShape> AppArtwork();

// The artwork as a scalable SVG image.
std::string AppArtworkSvg();

} // namespace kelvane
