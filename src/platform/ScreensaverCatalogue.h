#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvane::platform {

// The desktop's own screensaver programs, beside Windows ".scr" files: which file names are ones, and
// the names users know them by. Safe to ask from any thread.
class ScreensaverCatalogue
{
public:
    virtual ~ScreensaverCatalogue() = default;

    // The program's label ("Deco") for a file name that is one of them; nothing for any other name.
    virtual std::optional<std::string> LabelOf(std::string_view fileName) const = 0;
    // The folder they are installed in, without a trailing separator; empty when there is none.
    virtual std::string ProgramFolder() const = 0;
};

// A system with no screensaver programs of its own.
class NoScreensaverPrograms final : public ScreensaverCatalogue
{
public:
    std::optional<std::string> LabelOf(std::string_view) const override { return std::nullopt; }
    std::string ProgramFolder() const override { return {}; }
};

} // namespace kelvane::platform
