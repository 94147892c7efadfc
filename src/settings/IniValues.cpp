#include "settings/IniValues.h"

#include "common/TextCase.h"
#include "common/TextEncoding.h"
#include "settings/IniLine.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace kelvane {
namespace {

constexpr size_t EmptySlot = static_cast<size_t>(-1);

// FNV-1a over the name with ASCII letters lower-cased, as names are compared.
size_t HashName(std::string_view name)
{
    uint64_t hash = 14695981039346656037ULL;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(AsciiLower(c));
        hash *= 1099511628211ULL;
    }
    return static_cast<size_t>(hash ^ (hash >> 32));
}

} // namespace

template <typename NameOf>
size_t IniValues::NameTable::SlotOf(std::string_view name, const NameOf& nameOf) const
{
    size_t slot = HashName(name) & (m_slots.size() - 1);
    while (m_slots[slot] != EmptySlot && !EqualsIgnoringAsciiCase(nameOf(m_slots[slot]), name)) {
        slot = (slot + 1) & (m_slots.size() - 1);
    }
    return slot;
}

template <typename NameOf>
std::optional<size_t> IniValues::NameTable::Find(std::string_view name, const NameOf& nameOf) const
{
    if (m_slots.empty()) {
        return std::nullopt;
    }
    const size_t number = m_slots[SlotOf(name, nameOf)];
    return number == EmptySlot ? std::nullopt : std::optional<size_t>(number);
}

template <typename NameOf>
bool IniValues::NameTable::Add(std::string_view name, size_t number, const NameOf& nameOf)
{
    if (2 * (m_count + 1) > m_slots.size()) {
        std::vector<size_t> old(std::max<size_t>(16, 2 * m_slots.size()), EmptySlot);
        old.swap(m_slots);
        for (const size_t kept : old) {
            if (kept != EmptySlot) {
                m_slots[SlotOf(nameOf(kept), nameOf)] = kept;
            }
        }
    }
    const size_t slot = SlotOf(name, nameOf);
    if (m_slots[slot] != EmptySlot) {
        return false;
    }
    m_slots[slot] = number;
    ++m_count;
    return true;
}

IniValues IniValues::Parse(std::string bytes)
{
    IniValues values;
    values.m_text = DecodeTextLenient(std::move(bytes)).utf8;
    const std::string_view text = values.m_text;
    const auto sectionName = [&values](size_t section) { return values.SectionNameOf(section); };

    // Only the headers are looked at here: a section's keys wait for its first read.
    std::string_view rest = text;
    while (!rest.empty()) {
        const size_t start = text.size() - rest.size();
        const auto name = IniSectionName(TakeIniLine(rest));
        if (!name) {
            continue;
        }
        if (!values.m_sections.empty() && values.m_sections.back().End == text.size()) {
            values.m_sections.back().End = start;
        }
        // A later section of a name met before is never searched: it ends the one before it, no more.
        if (values.m_sectionNames.Add(*name, values.m_sections.size(), sectionName)) {
            Section& added = values.m_sections.emplace_back();
            added.Header = start;
            added.End = text.size();
        }
    }
    return values;
}

std::optional<std::string> IniValues::Get(std::string_view section, std::string_view key) const
{
    const auto found = m_sectionNames.Find(section, [this](size_t number) { return SectionNameOf(number); });
    if (!found) {
        return std::nullopt;
    }
    const auto line = KeysOf(m_sections[*found]).Find(key, [this](size_t start) { return KeyAt(start); });
    if (!line) {
        return std::nullopt;
    }
    return IniValueText(SplitIniKeyValue(LineAt(*line))->value);
}

const IniValues::NameTable& IniValues::KeysOf(const Section& section) const
{
    if (!section.Indexed) {
        section.Indexed = true;
        NameTable& keys = section.Keys;
        const auto keyAt = [this](size_t start) { return KeyAt(start); };
        const std::string_view text = m_text;
        std::string_view rest = text.substr(0, section.End).substr(section.Header);
        TakeIniLine(rest); // the header
        while (!rest.empty()) {
            const size_t start = section.End - rest.size();
            if (const auto keyValue = SplitIniKeyValue(TakeIniLine(rest))) {
                keys.Add(keyValue->key, start, keyAt); // the first line of a key wins
            }
        }
    }
    return section.Keys;
}

std::string_view IniValues::LineAt(size_t start) const
{
    std::string_view rest = std::string_view(m_text).substr(start);
    return TakeIniLine(rest);
}

std::string_view IniValues::SectionNameOf(size_t section) const
{
    return *IniSectionName(LineAt(m_sections[section].Header));
}

std::string_view IniValues::KeyAt(size_t line) const
{
    return SplitIniKeyValue(LineAt(line))->key;
}

} // namespace kelvane
