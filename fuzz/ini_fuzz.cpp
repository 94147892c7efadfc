// The settings file as any bytes: read every key the program reads, write one, and the written file
// must read back the value that was written.
#include "settings/IniDocument.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kelvane::IniDocument doc = kelvane::IniDocument::Parse(bytes);
    (void)doc.Get("Settings", "Interval");
    (void)doc.Get("PosSave", "Left");
    doc.Set("Settings", "Skin", "Glow");
    const kelvane::IniDocument again = kelvane::IniDocument::Parse(doc.Serialize());
    if (again.Get("Settings", "Skin") != "Glow") {
        std::abort();
    }
    return 0;
}
