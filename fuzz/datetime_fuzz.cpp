// Date-time texts as any bytes, under two sets of separators: a text that reads is written and read
// back to the same second.
#include "common/EventDateTimeText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static const kelvane::RegionalFormats formatSets[] = {{"/", ":", "."}, {". ", ".", ","}};
    for (const auto& formats : formatSets) {
        const auto parsed = kelvane::ParseEventDateTime(text, formats);
        if (!parsed) {
            continue;
        }
        const std::string written = kelvane::FormatEventDateTime(parsed.value(), formats);
        const auto again = kelvane::ParseEventDateTime(written, formats);
        if (!again || std::fabs(again.value() - parsed.value()) > 0.5 / 86400.0) {
            std::abort();
        }
    }
    return 0;
}
