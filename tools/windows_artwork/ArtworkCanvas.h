#pragma once

#include "common/AppArtwork.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kelvane::artwork {

// A colour with its alpha multiplied in, each part from 0 to 1.
struct Pixel
{
    double R = 0, G = 0, B = 0, A = 0;
};

// An image that the artwork's shapes are painted into, smoothed at their edges; without Qt, so that a
// cross build can draw the Windows resources with the build machine's own compiler.
class ArtworkCanvas
{
public:
    ArtworkCanvas(int width, int height);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    const Pixel& At(int x, int y) const;

    void Fill(uint32_t rgb);
    // Top to bottom from one colour to the other.
    void FillGradient(uint32_t top, uint32_t bottom);
    // The shapes, back to front, with the artwork's 16-unit square put at (left, top) and `size` pixels wide.
    void Paint(std::span<const ArtworkShape> shapes, double left, double top, double size);

private:
    Pixel& At(int x, int y);

    int FWidth;
    int FHeight;
    std::vector<Pixel> FPixels;
};

} // namespace kelvane::artwork
