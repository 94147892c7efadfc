// A version file as any bytes: reading it never fails, its lines hold no line breaks and give the text
// back when joined, and the version comparison is a consistent order over any parts.
#include "common/TextEncoding.h"
#include "update/UpdateClass.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string body(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = kelvane::SplitLines(body);
    std::string joined;
    for (const std::string& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos) {
            std::abort();
        }
        joined += line;
    }
    std::string withoutBreaks;
    for (const char c : body) {
        if (c != '\r' && c != '\n') {
            withoutBreaks += c;
        }
    }
    if (joined != withoutBreaks) {
        std::abort();
    }

    const kelvane::UpdateCheckResult result = kelvane::UpdateFromVersionFile(
        kelvane::TextLinesOf({kelvane::platform::HttpResponse::Outcome::Answered, 200, body}), "1.01");
    if (result.Available && kelvane::CompareVersions(result.Version, "1.01") != 1) {
        std::abort();
    }
    (void)kelvane::IsWebAddress(result.DownloadAddress);

    // Any two texts compare the other way round when swapped, and a text equals itself.
    const size_t half = body.size() / 2;
    const std::string_view a = std::string_view(body).substr(0, half);
    const std::string_view b = std::string_view(body).substr(half);
    if (kelvane::CompareVersions(a, b) != -kelvane::CompareVersions(b, a) || kelvane::CompareVersions(a, a) != 0) {
        std::abort();
    }
    return 0;
}
