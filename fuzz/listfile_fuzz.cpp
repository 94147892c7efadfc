// A list file as any bytes, read by the rules of either system: it reads into lines and paths without
// crashing, the paths read straight from the bytes are those of its lines, and the lines written back
// as that system writes them read as the same lines.
#include "library/ListFiles.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const auto rule : {kelvane::NonUtf8Lines::CodePage, kelvane::NonUtf8Lines::KeepLocalPathBytes}) {
        const kelvane::ListFileText text = kelvane::ParseListFile(bytes, rule);
        const kelvane::ListFilePaths paths(std::string(bytes), rule);
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
        // A file read with a mark is written back alike; any other in the system's own encoding.
        const kelvane::TextEncoding own =
            rule == kelvane::NonUtf8Lines::CodePage ? kelvane::TextEncoding::Windows1252 : kelvane::TextEncoding::Utf8;
        for (const auto encoding : {text.HadByteOrderMark ? text.Encoding : own, own}) {
            const kelvane::ListFileText again =
                kelvane::ParseListFile(kelvane::SerializeListFile(text.Lines, encoding), rule);
            if (again.Lines != text.Lines) {
                std::abort();
            }
        }
    }
    return 0;
}
