#pragma once

#include "common/ColorContrast.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// The platform's own look, and the style every window starts in.
inline constexpr const char* PlainStyleName = "Windows";

// The built-in widget style that draws a carried style's controls.
enum class BaseLook
{
    Fusion,  // flat, modern controls
    Windows, // classic bevelled controls
};

enum class Finish
{
    Flat,
    Glossy, // buttons, headers and tabs shade toward their edge
};

// A background and the text drawn on it: every pair must stay readable.
struct Surface
{
    Rgb Background;
    Rgb Text;
};

// One of the looks the program carries: its widget style, shape and colours.
struct CarriedStyle
{
    std::string_view Name;
    BaseLook Base;
    int CornerRadius; // pixels, for buttons, tabs and menus
    Finish Surfaces;
    Surface Window;    // windows, group boxes, labels
    Surface Field;     // lists, edit fields
    Surface Button;    // buttons, drop-down lists
    Surface Selection; // selected rows and menu items
    Surface Header;    // list column headers
    Surface Tab;       // tabs that are not selected; the selected one takes the window's colours
    Surface Menu;      // menu bar, menus, tool tips
    Surface StatusBar;
    Rgb AlternateField; // every other row of a list, under the field's text
    Rgb Border;
    Rgb Link; // on the field and the alternate field
};

// A text colour on its background, named for reports.
struct TextOnBackground
{
    std::string_view What;
    Rgb Text;
    Rgb Background;
};

// The 36 carried styles, in no particular order.
std::span<const CarriedStyle> CarriedStyles();

bool IsPlainStyle(std::string_view name);

// The carried style of that name, letter case ignored; nullptr for the plain style and for names of no
// style at all.
const CarriedStyle* FindCarriedStyle(std::string_view name);

// Every style name as the style list shows it: the plain style and the carried ones, alphabetically.
std::vector<std::string> StyleListNames();

// Where a glossy surface is lightest (or darkest, behind light text): its text only gains contrast there.
Rgb GlossColor(const Surface& surface);

// Every pair of text and background colour that the style draws, derived colours included.
std::vector<TextOnBackground> TextColorPairs(const CarriedStyle& style);

} // namespace kelvane
