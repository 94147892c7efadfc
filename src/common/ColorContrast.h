#pragma once

#include <cstdint>

namespace kelvane {

// A colour as 0xRRGGBB.
using Rgb = uint32_t;

// The least contrast between a text and its background that keeps the text readable for most eyes.
inline constexpr double MinimumTextContrast = 4.5;

// The least contrast that lets a mark be seen against what is around it: a check mark, a radio
// button's dot, the outline of an empty check box.
inline constexpr double MinimumMarkContrast = 3.0;

// The colour a share t (0 to 1) of the way from one colour to another.
Rgb Blend(Rgb from, Rgb to, double t);

// The relative luminance of a colour on the sRGB scale, 0 for black to 1 for white.
double RelativeLuminance(Rgb color);

// (lighter + 0.05) / (darker + 0.05): 1 for equal colours, 21 for black on white.
double ContrastRatio(Rgb a, Rgb b);

// The background moved by a share t away from its text colour: lighter behind dark text, darker behind
// light text, so that the text only gains contrast.
Rgb AwayFromText(Rgb background, Rgb text, double t);

// The text moved toward its background by up to the share t, but no further than the contrast rule
// allows: a softer text (hints, placeholders) that is still readable.
Rgb SoftenedText(Rgb text, Rgb background, double t);

// The same for a mark drawn in the colour of the text beside it (the outline of an empty check box):
// softened by up to the share t, but never below the contrast a mark needs.
Rgb SoftenedMark(Rgb text, Rgb background, double t);

} // namespace kelvane
