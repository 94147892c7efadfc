#include "platform/xscreensaver/XScreenSaverHacks.h"

#include "common/FileIO.h"

#include <filesystem>
#include <system_error>

namespace kelvane::platform {
namespace {

constexpr size_t MaximumConfigSize = 256 * 1024;

std::string DecodeEntities(std::string_view text)
{
    static constexpr std::pair<std::string_view, char> entities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string decoded;
    for (size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [entity, c] : entities) {
            if (text.substr(i, entity.size()) == entity) {
                decoded += c;
                i += entity.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            decoded += text[i++];
        }
    }
    return decoded;
}

// The value of the attribute inside the tag text, quoted with " or '.
std::optional<std::string> Attribute(std::string_view tag, std::string_view name)
{
    for (size_t at = tag.find(name); at != std::string_view::npos; at = tag.find(name, at + 1)) {
        const bool wordStart =
            at > 0 && (tag[at - 1] == ' ' || tag[at - 1] == '\t' || tag[at - 1] == '\n' || tag[at - 1] == '\r');
        size_t pos = at + name.size();
        while (pos < tag.size() && (tag[pos] == ' ' || tag[pos] == '\t')) {
            ++pos;
        }
        if (!wordStart || pos >= tag.size() || tag[pos] != '=') {
            continue;
        }
        ++pos;
        while (pos < tag.size() && (tag[pos] == ' ' || tag[pos] == '\t')) {
            ++pos;
        }
        if (pos >= tag.size() || (tag[pos] != '"' && tag[pos] != '\'')) {
            return std::nullopt;
        }
        const size_t close = tag.find(tag[pos], pos + 1);
        if (close == std::string_view::npos) {
            return std::nullopt;
        }
        return DecodeEntities(tag.substr(pos + 1, close - pos - 1));
    }
    return std::nullopt;
}

bool IsUsableName(std::string_view name)
{
    if (name.empty() || name.front() == '-' || name.front() == '.' || name.starts_with("xscreensaver")) {
        return false;
    }
    for (const char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                        c == '-' || c == '.' || c == '+';
        if (!ok) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<HackDescription> ParseHackConfig(std::string_view xml)
{
    const size_t open = xml.find("<screensaver");
    if (open == std::string_view::npos) {
        return std::nullopt;
    }
    const size_t close = xml.find('>', open);
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view tag = xml.substr(open, close - open);
    HackDescription description;
    description.Name = Attribute(tag, "name").value_or("");
    // Only names that are safe as a word of a shell command line: the daemon runs its list through one.
    if (!IsUsableName(description.Name)) {
        return std::nullopt;
    }
    description.Label = Attribute(tag, "_label").value_or("");
    if (description.Label.empty()) {
        description.Label = description.Name;
    }
    return description;
}

XScreenSaverHacks::XScreenSaverHacks(std::string hackFolder, std::string configFolder)
    : m_hackFolder(std::move(hackFolder)), m_configFolder(std::move(configFolder))
{}

void XScreenSaverHacks::Load() const
{
    namespace fs = std::filesystem;
    std::error_code ec;
    for (fs::directory_iterator it(PathFromUtf8(m_configFolder), ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& file = it->path();
        std::error_code sizeError;
        if (file.extension() != ".xml" || it->file_size(sizeError) > MaximumConfigSize || sizeError) {
            continue;
        }
        const Result<std::string> bytes = ReadFileBytes(PathToUtf8(file));
        if (!bytes) {
            continue;
        }
        // The file names the hack; a file whose name differs from its element's is someone's copy.
        const std::optional<HackDescription> description = ParseHackConfig(bytes.value());
        if (description && description->Name == PathToUtf8(file.stem())) {
            m_labels.emplace(description->Name, description->Label);
        }
    }
}

std::optional<std::string> XScreenSaverHacks::LabelOf(std::string_view fileName) const
{
    std::call_once(m_loaded, [this] { Load(); });
    const auto found = m_labels.find(fileName);
    if (found == m_labels.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::string XScreenSaverHacks::ProgramFolder() const
{
    std::error_code ec;
    return std::filesystem::is_directory(PathFromUtf8(m_hackFolder), ec) ? m_hackFolder : std::string();
}

} // namespace kelvane::platform
