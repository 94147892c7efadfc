#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// The values of an INI text, for reading only: the text is decoded and gone through once, and each read
// then finds its key without going through the text again, however long it is. A key reads as
// IniDocument::Get reads it: names match without regard to ASCII letter case, only the first section of
// a name is searched, and the first line of a key in it wins.
//
// A section's keys are indexed at its first read, so that the sections no read asks for (most of a large
// file, as a rule) cost no more than finding where they end. Not for reads from several threads at once.
class IniValues
{
public:
    // Holds no value: every read gives its default.
    IniValues() = default;

    // Takes the bytes, which become the text itself when they are UTF-8 already.
    static IniValues Parse(std::string bytes);

    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

private:
    // Names, letter case ignored, each standing for a number the caller gives (where its line starts,
    // or which section it names), in one flat table that is never more than half full. The name of a
    // number is asked of the caller when needed, so the table holds no text of its own.
    class NameTable
    {
    public:
        template <typename NameOf>
        std::optional<size_t> Find(std::string_view name, const NameOf& nameOf) const;
        // False, and nothing added, when the name is there already.
        template <typename NameOf>
        bool Add(std::string_view name, size_t number, const NameOf& nameOf);

    private:
        template <typename NameOf>
        size_t SlotOf(std::string_view name, const NameOf& nameOf) const;

        std::vector<size_t> m_slots;
        size_t m_count = 0;
    };

    struct Section
    {
        size_t Header = 0; // where its first header line starts
        size_t End = 0;    // where the next section's header starts
        mutable bool Indexed = false;
        mutable NameTable Keys;
    };

    std::string_view LineAt(size_t start) const;
    std::string_view SectionNameOf(size_t section) const;
    std::string_view KeyAt(size_t line) const;
    const NameTable& KeysOf(const Section& section) const;

    std::string m_text; // as UTF-8
    std::vector<Section> m_sections;
    NameTable m_sectionNames;
};

} // namespace kelvane
