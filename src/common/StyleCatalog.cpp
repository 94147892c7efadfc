#include "common/StyleCatalog.h"

#include "common/TextCase.h"

#include <algorithm>

namespace kelvane {

bool IsPlainStyle(std::string_view name)
{
    return ToUpperText(name) == ToUpperText(PlainStyleName);
}

const CarriedStyle* FindCarriedStyle(std::string_view name)
{
    const std::string wanted = ToUpperText(name);
    for (const CarriedStyle& style : CarriedStyles()) {
        if (ToUpperText(style.Name) == wanted) {
            return &style;
        }
    }
    return nullptr;
}

std::vector<std::string> StyleListNames()
{
    std::vector<std::string> names{PlainStyleName};
    for (const CarriedStyle& style : CarriedStyles()) {
        names.emplace_back(style.Name);
    }
    // Alphabetical as a reader means it: letter case does not decide the order.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string upperA = ToUpperText(a);
        const std::string upperB = ToUpperText(b);
        return upperA != upperB ? upperA < upperB : a < b;
    });
    return names;
}

Rgb GlossColor(const Surface& surface)
{
    return AwayFromText(surface.Background, surface.Text, 0.3);
}

std::vector<TextOnBackground> TextColorPairs(const CarriedStyle& style)
{
    std::vector<TextOnBackground> pairs = {
        {"window text", style.Window.Text, style.Window.Background},
        {"field text", style.Field.Text, style.Field.Background},
        {"field text on alternate rows", style.Field.Text, style.AlternateField},
        {"field hint text", SoftenedText(style.Field.Text, style.Field.Background, 0.4), style.Field.Background},
        {"link", style.Link, style.Field.Background},
        {"link on alternate rows", style.Link, style.AlternateField},
        {"button text", style.Button.Text, style.Button.Background},
        {"selected text", style.Selection.Text, style.Selection.Background},
        {"header text", style.Header.Text, style.Header.Background},
        {"tab text", style.Tab.Text, style.Tab.Background},
        {"menu text", style.Menu.Text, style.Menu.Background},
        {"status bar text", style.StatusBar.Text, style.StatusBar.Background},
    };
    if (style.Surfaces == Finish::Glossy) {
        for (const auto& [what, surface] :
             {std::pair{"glossy button text", style.Button}, std::pair{"glossy header text", style.Header},
              std::pair{"glossy tab text", style.Tab}}) {
            pairs.push_back({what, surface.Text, GlossColor(surface)});
        }
    }
    return pairs;
}

} // namespace kelvane
