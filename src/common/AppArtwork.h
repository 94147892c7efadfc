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

// The pictures of the main window's tabs, in the icon's colours and on the same grid.
enum class TabPicture
{
    Screensavers,   // the icon's own screen
    EventScheduler, // a calendar page with one day marked
    Options,        // the screen with three sliders on it
};

std::span<const ArtworkShape> TabArtwork(TabPicture tab);

} // namespace kelvane
