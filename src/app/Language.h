#pragma once

#include "common/Status.h"

#include <memory>
#include <string>
#include <string_view>

namespace kelvane {

// The language file: one JSON object of languages, each an object mapping text keys to texts.
class Language
{
public:
    Language();
    ~Language();
    Language(Language&&) noexcept;
    Language& operator=(Language&&) noexcept;

    // Loads the named language from the file. On failure the message is the one the user sees, and the
    // language loaded before (if any) stays.
    Status LoadLanguage(const std::string& path, std::string_view name);

    // The same from text already read, for callers that have the file's content.
    Status LoadLanguageFromText(std::string_view text, std::string_view name);

    // The key's text in the loaded language, with every backslash-n pair turned into a line break;
    // the empty text when nothing is loaded or the key is missing.
    std::string Translate(std::string_view key) const;

private:
    struct Document;
    std::unique_ptr<Document> m_document;
};

} // namespace kelvane
