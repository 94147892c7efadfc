// The settings file as any bytes: read every key the program reads, write one, and the written file
// must read back the value that was written. The read-only values and the editable document must find
// the same value for every name.
#include "settings/IniDocument.h"
#include "settings/IniValues.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kelvane::IniDocument doc = kelvane::IniDocument::Parse(bytes);
    const kelvane::IniValues values = kelvane::IniValues::Parse(std::string(bytes));
    // The program's own names, and short names that arbitrary bytes come upon.
    for (const char* section : {"Settings", "PosSave", "NormalColumnWidths", "", "a", "A"}) {
        for (const char* key : {"Interval", "Left", "Column0", "Skin", "", "a", "A"}) {
            if (values.Get(section, key) != doc.Get(section, key)) {
                std::abort();
            }
        }
    }
    doc.Set("Settings", "Skin", "Glow");
    const kelvane::IniDocument again = kelvane::IniDocument::Parse(doc.Serialize());
    if (again.Get("Settings", "Skin") != "Glow" ||
        kelvane::IniValues::Parse(doc.Serialize()).Get("Settings", "Skin") != "Glow") {
        std::abort();
    }
    return 0;
}
