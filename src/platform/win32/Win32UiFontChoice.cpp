#include "platform/win32/Win32UiFontChoice.h"

#include "common/TextCase.h"

#include <algorithm>
#include <array>

namespace kelvane::platform {
namespace {

// The faces Windows draws its own dialogs in, in its Western and East Asian editions: a system that
// draws in one of them looks as its user expects.
constexpr std::array<const char*, 12> WindowsUiFaces = {
    "Segoe UI",           "Tahoma",       "Microsoft Sans Serif",  "MS UI Gothic",
    "Meiryo UI",          "Yu Gothic UI", "Malgun Gothic",         "Gulim",
    "Microsoft YaHei UI", "SimSun",       "Microsoft JhengHei UI", "PMingLiU"};

// In order of preference when the drawn face will not do: the Western Windows faces, then the sans
// faces that a Wine without Windows fonts finds on its host.
constexpr std::array<const char*, 8> StandInFaces = {
    "Segoe UI", "Tahoma", "Microsoft Sans Serif", "Arial", "Liberation Sans", "DejaVu Sans", "Noto Sans", "FreeSans"};

const std::string* Find(const std::vector<std::string>& available, const std::string& name)
{
    const auto found = std::find_if(available.begin(), available.end(),
                                    [&](const std::string& family) { return EqualsIgnoringAsciiCase(family, name); });
    return found == available.end() ? nullptr : &*found;
}

} // namespace

std::string ChooseUiFontFamily(const std::string& named, const std::string& drawn,
                               const std::vector<std::string>& available)
{
    const bool windowsFace = std::any_of(WindowsUiFaces.begin(), WindowsUiFaces.end(),
                                         [&](const char* face) { return EqualsIgnoringAsciiCase(drawn, face); });
    if (!drawn.empty() && (windowsFace || EqualsIgnoringAsciiCase(drawn, named))) {
        return drawn;
    }
    for (const char* face : StandInFaces) {
        if (const std::string* family = Find(available, face)) {
            return *family;
        }
    }
    return {};
}

} // namespace kelvane::platform
