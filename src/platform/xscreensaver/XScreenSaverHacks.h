#pragma once

#include "platform/ScreensaverCatalogue.h"

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace kelvane::platform {

// What a hack's configuration file says of it.
struct HackDescription
{
    std::string Name;  // the executable's file name
    std::string Label; // the name users know it by
};

// The description in a hack's configuration XML ("<screensaver name="deco" _label="Deco">"); nothing
// when the text holds no such element with a usable name.
std::optional<HackDescription> ParseHackConfig(std::string_view xml);

// XScreenSaver's hacks: the executables of the hack folder described by a configuration XML of the
// same name. The configuration folder is read once, at the first question.
class XScreenSaverHacks final : public ScreensaverCatalogue
{
public:
    XScreenSaverHacks(std::string hackFolder, std::string configFolder);

    std::optional<std::string> LabelOf(std::string_view fileName) const override;
    std::string ProgramFolder() const override;

private:
    void Load() const;

    const std::string m_hackFolder;
    const std::string m_configFolder;
    mutable std::once_flag m_loaded;
    mutable std::map<std::string, std::string, std::less<>> m_labels;
};

} // namespace kelvane::platform
