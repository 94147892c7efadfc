// XScreenSaver's preferences as any bytes: a text that parses keeps its programs list through an edit,
// the edited text parses again to the same list with the new entry at its end, and a hack's
// configuration parses without crashing.
#include "platform/xscreensaver/XScreenSaverHacks.h"
#include "platform/xscreensaver/XScreenSaverPreferences.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool SameEntries(const std::vector<kelvane::platform::HackProgramEntry>& a,
                 const std::vector<kelvane::platform::HackProgramEntry>& b, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        if (a[i].Enabled != b[i].Enabled || a[i].Visual != b[i].Visual || a[i].PrettyName != b[i].PrettyName ||
            a[i].Command != b[i].Command) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using kelvane::platform::XScreenSaverPreferences;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    (void)kelvane::platform::ParseHackConfig(bytes);
    auto parsed = XScreenSaverPreferences::Parse(bytes);
    if (!parsed) {
        return 0;
    }
    XScreenSaverPreferences preferences = std::move(parsed).value();
    const auto before = preferences.Programs();
    preferences.SetValue("mode", "one");
    const size_t index = preferences.AddProgram("GL: deco --root");
    preferences.SetValue("selected", std::to_string(index));
    const auto again = XScreenSaverPreferences::Parse(preferences.Text());
    if (!again) {
        std::abort();
    }
    const auto after = again.value().Programs();
    if (index != before.size() || after.size() != before.size() + 1 || !SameEntries(before, after, before.size()) ||
        after.back().Command != "deco --root" || after.back().Visual != "GL" || again.value().Value("mode") != "one" ||
        again.value().Value("selected") != std::to_string(index)) {
        std::abort();
    }
    return 0;
}
