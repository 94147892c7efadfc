// A credits line as any bytes: reading its markup never fails, keeps valid UTF-8 valid, and text that
// was escaped comes back as it was. The layout arithmetic, given any numbers, stays within the lines.
#include "about/CreditsLayout.h"
#include "about/CreditsMarkup.h"
#include "common/TextEncoding.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

template <typename T>
T Take(const uint8_t*& data, size_t& size)
{
    T value{};
    const size_t n = size < sizeof(T) ? size : sizeof(T);
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

void CheckRange(kelvane::CreditLineRange range, size_t count)
{
    if (range.First > range.End || range.End > count) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const kelvane::StyledCreditLine styled = kelvane::ProcessCreditLine(line);
    (void)kelvane::ReportedText(line);
    if (kelvane::IsValidUtf8(line) && !kelvane::IsValidUtf8(styled.Text)) {
        std::abort();
    }
    if (line.find("{{") == std::string_view::npos) {
        // Without words, an escaped text is drawn as it is, with no style.
        const kelvane::StyledCreditLine escaped = kelvane::ProcessCreditLine(kelvane::EscapeCreditText(line));
        if (escaped != kelvane::StyledCreditLine{std::string(line), {}, {}, false, false, false}) {
            std::abort();
        }
    }

    const auto top = Take<int32_t>(data, size);
    const auto height = Take<int32_t>(data, size);
    const auto lineHeight = Take<int32_t>(data, size);
    const auto count = static_cast<size_t>(Take<uint32_t>(data, size));
    CheckRange(kelvane::ScrollingLinesInView(top, lineHeight, height, count), count);
    CheckRange(kelvane::StillLinesInView(top, lineHeight, height, count), count);
    (void)kelvane::PassIsOver(top, lineHeight, count);
    return 0;
}
