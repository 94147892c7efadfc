// The language file as any bytes: a load either succeeds or gives a message, and never crashes.
#include "app/Language.h"
#include "common/TextEncoding.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto text = kelvane::DecodeTextStrict(bytes);
    if (!text) {
        return 0;
    }
    kelvane::Language language;
    if (language.LoadLanguageFromText(text.value().utf8, "English").ok()) {
        (void)language.Translate("Greeting");
    }
    return 0;
}
