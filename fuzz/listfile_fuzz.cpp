// A list file as any bytes: it reads into lines and paths without crashing, and the lines written back
// read as the same lines.
#include "library/ListFiles.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const kelvane::ListFileText text = kelvane::ParseListFile(bytes);
    for (const std::string& line : text.Lines) {
        (void)kelvane::ListLinePath(line);
    }
    for (const auto encoding : {text.Encoding, kelvane::TextEncoding::Windows1252}) {
        const kelvane::ListFileText again = kelvane::ParseListFile(kelvane::SerializeListFile(text.Lines, encoding));
        if (again.Lines != text.Lines) {
            std::abort();
        }
    }
    return 0;
}
