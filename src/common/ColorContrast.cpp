#include "common/ColorContrast.h"

#include <algorithm>
#include <cmath>

namespace kelvane {
namespace {

double Channel(Rgb color, int shift)
{
    return static_cast<double>((color >> shift) & 0xFFu);
}

// The sRGB transfer curve undone: how much light the channel gives.
double Linear(double channel)
{
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The text moved toward its background by up to the share t, as far as the least contrast allows.
Rgb Softened(Rgb text, Rgb background, double t, double minimumContrast)
{
    // Ten steps are fine enough for the eye and keep the search bounded.
    constexpr int Steps = 10;
    for (int step = Steps; step > 0; --step) {
        const Rgb softened = Blend(text, background, t * step / Steps);
        if (ContrastRatio(softened, background) >= minimumContrast) {
            return softened;
        }
    }
    return text;
}

} // namespace

Rgb Blend(Rgb from, Rgb to, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    Rgb result = 0;
    for (const int shift : {16, 8, 0}) {
        const double value = Channel(from, shift) + (Channel(to, shift) - Channel(from, shift)) * t;
        result |= static_cast<Rgb>(std::lround(std::clamp(value, 0.0, 255.0))) << shift;
    }
    return result;
}

double RelativeLuminance(Rgb color)
{
    return 0.2126 * Linear(Channel(color, 16)) + 0.7152 * Linear(Channel(color, 8)) +
           0.0722 * Linear(Channel(color, 0));
}

double ContrastRatio(Rgb a, Rgb b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb AwayFromText(Rgb background, Rgb text, double t)
{
    const Rgb away = RelativeLuminance(text) < RelativeLuminance(background) ? 0xFFFFFFu : 0x000000u;
    return Blend(background, away, t);
}

Rgb SoftenedText(Rgb text, Rgb background, double t)
{
    return Softened(text, background, t, MinimumTextContrast);
}

Rgb SoftenedMark(Rgb text, Rgb background, double t)
{
    return Softened(text, background, t, MinimumMarkContrast);
}

} // namespace kelvane
