// A list file as any bytes: it reads into lines and paths without crashing, the paths read straight
// from the bytes are those of its lines, and the lines written back read as the same lines.
#include "library/ListFiles.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const kelvane::ListFileText text = kelvane::ParseListFile(bytes);
    const kelvane::ListFilePaths paths{std::string(bytes)};
    size_t found = 0;
    for (const std::string& line : text.Lines) {
        if (const auto path = kelvane::ListLinePath(line)) {
            if (found >= paths.Count() || paths.Path(found) != *path) {
                std::abort();
            }
            ++found;
        }
    }
    if (found != paths.Count()) {
        std::abort();
    }
    for (const auto encoding : {text.Encoding, kelvane::TextEncoding::Windows1252}) {
        const kelvane::ListFileText again = kelvane::ParseListFile(kelvane::SerializeListFile(text.Lines, encoding));
        if (again.Lines != text.Lines) {
            std::abort();
        }
    }
    return 0;
}
