#include "ArtworkCanvas.h"

#include <algorithm>
#include <cmath>

namespace kelvane::artwork {
namespace {

// Each pixel is sampled on a grid this many points wide and high: enough that an edge fades in 1/64 steps.
constexpr int Samples = 8;

double Channel(uint32_t rgb, int shift)
{
    return static_cast<double>((rgb >> shift) & 0xFF) / 255.0;
}

bool Inside(const ArtworkShape& shape, double x, double y)
{
    if (x < shape.X || y < shape.Y || x >= shape.X + shape.Width || y >= shape.Y + shape.Height) {
        return false;
    }
    switch (shape.Shape) {
    case ArtworkShape::Kind::Rectangle:
        return true;
    case ArtworkShape::Kind::RoundedRectangle: {
        // Outside the corners' squares the rectangle is whole; inside one, the quarter circle decides.
        const double r = std::min({shape.Radius, shape.Width / 2, shape.Height / 2});
        const double cx = std::clamp(x, shape.X + r, shape.X + shape.Width - r);
        const double cy = std::clamp(y, shape.Y + r, shape.Y + shape.Height - r);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
    }
    case ArtworkShape::Kind::Ellipse: {
        const double rx = shape.Width / 2, ry = shape.Height / 2;
        const double dx = (x - shape.X - rx) / rx, dy = (y - shape.Y - ry) / ry;
        return dx * dx + dy * dy <= 1;
    }
    }
    return false;
}

// The share of the pixel's samples that fall inside the shape.
double Coverage(const ArtworkShape& shape, int px, int py, double left, double top, double unit)
{
    int inside = 0;
    for (int sy = 0; sy < Samples; ++sy) {
        for (int sx = 0; sx < Samples; ++sx) {
            const double x = (px + (sx + 0.5) / Samples - left) / unit;
            const double y = (py + (sy + 0.5) / Samples - top) / unit;
            inside += Inside(shape, x, y) ? 1 : 0;
        }
    }
    return inside / static_cast<double>(Samples * Samples);
}

} // namespace

ArtworkCanvas::ArtworkCanvas(int width, int height)
    : FWidth(width), FHeight(height), FPixels(static_cast<size_t>(width) * static_cast<size_t>(height))
{}

const Pixel& ArtworkCanvas::At(int x, int y) const
{
    return FPixels[static_cast<size_t>(y) * static_cast<size_t>(FWidth) + static_cast<size_t>(x)];
}

Pixel& ArtworkCanvas::At(int x, int y)
{
    return FPixels[static_cast<size_t>(y) * static_cast<size_t>(FWidth) + static_cast<size_t>(x)];
}

void ArtworkCanvas::Fill(uint32_t rgb)
{
    FillGradient(rgb, rgb);
}

void ArtworkCanvas::FillGradient(uint32_t top, uint32_t bottom)
{
    for (int y = 0; y < FHeight; ++y) {
        const double t = FHeight > 1 ? y / static_cast<double>(FHeight - 1) : 0;
        const auto mix = [&](int shift) { return Channel(top, shift) * (1 - t) + Channel(bottom, shift) * t; };
        for (int x = 0; x < FWidth; ++x) {
            At(x, y) = {mix(16), mix(8), mix(0), 1};
        }
    }
}

void ArtworkCanvas::Paint(std::span<const ArtworkShape> shapes, double left, double top, double size)
{
    const double unit = size / 16;
    const int x0 = std::max(0, static_cast<int>(std::floor(left)));
    const int y0 = std::max(0, static_cast<int>(std::floor(top)));
    const int x1 = std::min(FWidth, static_cast<int>(std::ceil(left + size)));
    const int y1 = std::min(FHeight, static_cast<int>(std::ceil(top + size)));
    for (const ArtworkShape& shape : shapes) {
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                const double c = Coverage(shape, x, y, left, top, unit);
                if (c == 0) {
                    continue;
                }
                // Source over: the shape's colour at its coverage, on what is already there.
                Pixel& p = At(x, y);
                p.R = Channel(shape.Rgb, 16) * c + p.R * (1 - c);
                p.G = Channel(shape.Rgb, 8) * c + p.G * (1 - c);
                p.B = Channel(shape.Rgb, 0) * c + p.B * (1 - c);
                p.A = c + p.A * (1 - c);
            }
        }
    }
}

} // namespace kelvane::artwork
