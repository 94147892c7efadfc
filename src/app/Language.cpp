#include "app/Language.h"

#include "common/FileIO.h"
#include "common/TextEncoding.h"

#include <nlohmann/json.hpp>

namespace kelvane {

struct Language::Document
{
    nlohmann::json root;
    const nlohmann::json* current = nullptr; // the loaded language's object inside root
};

Language::Language() = default;
Language::~Language() = default;
Language::Language(Language&&) noexcept = default;
Language& Language::operator=(Language&&) noexcept = default;

Status Language::LoadLanguage(const std::string& path, std::string_view name)
{
    if (!FileExists(path)) {
        return Status::Error("Language file not found: " + path);
    }
    const auto bytes = ReadFileBytes(path);
    if (!bytes) {
        return Status::Error("Failed to read language file: " + path + ". Error: " + bytes.message());
    }
    const auto text = DecodeTextStrict(bytes.value());
    if (!text) {
        return Status::Error("Failed to read language file: " + path + ". Error: " + text.message());
    }
    return LoadLanguageFromText(text.value().utf8, name);
}

Status Language::LoadLanguageFromText(std::string_view text, std::string_view name)
{
    auto document = std::make_unique<Document>();
    document->root = nlohmann::json::parse(text, nullptr, /*allow_exceptions=*/false);
    if (document->root.is_discarded()) {
        return Status::Error("Failed to parse JSON language file: Parsed object is nil.");
    }
    if (!document->root.is_object()) {
        return Status::Error("Failed to parse JSON language file. Error: the top-level value is a " +
                             std::string(document->root.type_name()) + ", not an object");
    }
    const auto found = document->root.find(name);
    if (found == document->root.end()) {
        return Status::Error("Language not found in JSON file: " + std::string(name));
    }
    if (!found->is_object()) {
        return Status::Error("Failed to parse JSON language file. Error: the language " + std::string(name) + " is a " +
                             std::string(found->type_name()) + ", not an object");
    }
    document->current = &*found;
    m_document = std::move(document);
    return Status::Ok();
}

std::string Language::Translate(std::string_view key) const
{
    if (!m_document || !m_document->current) {
        return {};
    }
    const auto found = m_document->current->find(key);
    if (found == m_document->current->end()) {
        return {};
    }
    // A text of another JSON type reads as its JSON form, so a number key still gives something shown.
    std::string text = found->is_string() ? found->get<std::string>() : found->dump();
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += "\r\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace kelvane
