#include "common/StyleCatalog.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace kelvane {
namespace {

TEST(StyleCatalog, TheListHoldsEveryStyleAlphabetically)
{
    const std::vector<std::string> expected = {
        "Amakrits",
        "Amethyst Kamri",
        "Aqua Graphite",
        "Aqua Light Slate",
        "Auric",
        "Carbon",
        "Charcoal Dark Slate",
        "Cobalt XEMedia",
        "Cyan Dusk",
        "Cyan Night",
        "Emerald Light Slate",
        "Glossy",
        "Glow",
        "Golden Graphite",
        "Iceberg Classico",
        "Lavender Classico",
        "Light",
        "Luna",
        "Obsidian",
        "Onyx Blue",
        "Ruby Graphite",
        "Sapphire Kamri",
        "Silver",
        "Sky",
        "Slate Classico",
        "Smokey Quartz Kamri",
        "Tablet Dark",
        "Tablet Light",
        "Turquoise Gray",
        "Windows",
        "Windows10",
        "Windows10 Blue",
        "Windows10 Dark",
        "Windows10 Green",
        "Windows10 Purple",
        "Windows10 SlateGray",
        "Windows10 SlateGrayEnhanced",
    };
    EXPECT_EQ(StyleListNames(), expected);
}

TEST(StyleCatalog, NamesAreFoundWhateverTheirLetterCase)
{
    const struct
    {
        const char* name;
        const char* carried; // nullptr: no carried style
        bool plain;
    } cases[] = {
        {"Windows10 Dark", "Windows10 Dark", false},
        {"windows10 dark", "Windows10 Dark", false},
        {"SMOKEY QUARTZ KAMRI", "Smokey Quartz Kamri", false},
        {"Windows", nullptr, true},
        {"wINDOWS", nullptr, true},
        {"Windows10 Dark ", nullptr, false}, // a trailing blank makes another name
        {"Windows 10", nullptr, false},
        {"", nullptr, false},
        {"Marble", nullptr, false},
    };
    for (const auto& c : cases) {
        const CarriedStyle* found = FindCarriedStyle(c.name);
        if (c.carried) {
            ASSERT_NE(found, nullptr) << c.name;
            EXPECT_EQ(found->Name, c.carried);
        } else {
            EXPECT_EQ(found, nullptr) << c.name;
        }
        EXPECT_EQ(IsPlainStyle(c.name), c.plain) << c.name;
    }
}

TEST(StyleCatalog, EveryTextOfEveryStyleIsReadable)
{
    for (const CarriedStyle& style : CarriedStyles()) {
        for (const TextOnBackground& pair : TextColorPairs(style)) {
            EXPECT_GE(ContrastRatio(pair.Text, pair.Background), MinimumTextContrast)
                << style.Name << ": " << pair.What << std::hex << " 0x" << pair.Text << " on 0x" << pair.Background;
        }
    }
}

TEST(StyleCatalog, NoTwoStylesLookAlike)
{
    std::set<std::tuple<Rgb, Rgb, Rgb, Rgb>> looks;
    for (const CarriedStyle& style : CarriedStyles()) {
        const auto look = std::tuple{style.Window.Background, style.Field.Background, style.Selection.Background,
                                     style.StatusBar.Background};
        EXPECT_TRUE(looks.insert(look).second) << style.Name << " repeats another style's colours";
    }
}

} // namespace
} // namespace kelvane
