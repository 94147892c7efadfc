// Draws the Windows build's pictures from the program's artwork, with the build machine's own compiler and
// no Qt, so that a cross build makes them fresh each time instead of carrying binary files:
//
//   kelvane_windows_artwork <folder>
//     kelvane.ico   the program's icon, 16 to 256 pixels: Explorer, the Start menu, the taskbar, Apps & features
//     wizard.bmp    164 x 314, the left panel of the setup program's welcome and finish pages
//     header.bmp    150 x 57, the corner of the setup program's other pages
#include "ArtworkCanvas.h"
#include "WindowsImageFiles.h"
#include "common/AppArtwork.h"

#include <array>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

namespace {

using kelvane::ArtworkShape;
using kelvane::artwork::ArtworkCanvas;

// The sizes Windows asks an icon for at 100 % to 250 % scaling, and the 256 of Explorer's large views.
constexpr std::array IconSizes = {16, 20, 24, 32, 40, 48, 64, 256};

// The panel is the icon's night sky, deepening downwards, with stars of the icon's kind scattered over it.
constexpr uint32_t SkyTop = 0x1C4A8C;
constexpr uint32_t SkyBottom = 0x0A1A36;
constexpr uint32_t Star = 0xFFFFFF;

constexpr ArtworkShape StarAt(double x, double y, double across)
{
    return {ArtworkShape::Kind::Ellipse, x - across / 2, y - across / 2, across, across, 0, Star};
}

// In the panel's 16-unit square, which spans the panel's width; y runs on past 16 down the panel.
constexpr std::array PanelStars = {
    StarAt(2.0, 1.6, 0.35),   StarAt(13.5, 1.2, 0.3),  StarAt(8.2, 0.9, 0.25),  StarAt(1.2, 15.5, 0.3),
    StarAt(14.6, 14.8, 0.35), StarAt(5.0, 17.4, 0.25), StarAt(11.0, 19.0, 0.3), StarAt(2.8, 22.5, 0.35),
    StarAt(13.9, 24.0, 0.25), StarAt(7.6, 26.8, 0.3),  StarAt(1.6, 28.9, 0.25), StarAt(12.4, 29.6, 0.35),
};

ArtworkCanvas WizardPanel()
{
    ArtworkCanvas panel(164, 314);
    panel.FillGradient(SkyTop, SkyBottom);
    panel.Paint(PanelStars, 0, 0, 164);
    // The icon as on a bright screen: its frame is dark, so it sits on a lighter disc of the sky's colour.
    constexpr double IconSize = 112;
    constexpr double Left = (164 - IconSize) / 2, Top = 44;
    const std::array Halo = {ArtworkShape{ArtworkShape::Kind::Ellipse, 0, 0, 16, 16, 0, 0x3A6BB5}};
    panel.Paint(Halo, Left - 14, Top - 14, IconSize + 28);
    panel.Paint(kelvane::AppArtwork(), Left, Top, IconSize);
    return panel;
}

ArtworkCanvas HeaderCorner()
{
    // The pages' header is white; the icon stands at its right end.
    ArtworkCanvas header(150, 57);
    header.Fill(0xFFFFFF);
    constexpr double IconSize = 48;
    header.Paint(kelvane::AppArtwork(), 150 - IconSize - 6, (57 - IconSize) / 2, IconSize);
    return header;
}

void Write(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    try {
        std::vector<ArtworkCanvas> icons;
        for (const int size : IconSizes) {
            ArtworkCanvas& icon = icons.emplace_back(size, size);
            icon.Paint(kelvane::AppArtwork(), 0, 0, size);
        }
        Write(folder + "/kelvane.ico", kelvane::artwork::IconFile(icons));
        Write(folder + "/wizard.bmp", kelvane::artwork::BitmapFile(WizardPanel()));
        Write(folder + "/header.bmp", kelvane::artwork::BitmapFile(HeaderCorner()));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
