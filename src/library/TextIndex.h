#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace kelvane {

// A set of item numbers found by a text each item stands for, where the texts are kept elsewhere (in
// the items themselves) and read through `TextOf`. One flat table of slots, probed in order: a list of
// tens of thousands of paths is indexed without an allocation per entry, and most mismatches are told
// apart by the hash kept in the slot without reading the other text.
template <typename TextOf, typename Hasher = std::hash<std::string_view>>
class TextIndex
{
public:
    explicit TextIndex(TextOf textOf, Hasher hash = Hasher()) : m_textOf(std::move(textOf)), m_hash(std::move(hash)) {}

    size_t Size() const { return m_size; }

    std::optional<uint32_t> Find(std::string_view text) const
    {
        if (m_slots.empty()) {
            return std::nullopt;
        }
        const uint32_t hash = HashOf(text);
        for (size_t at = hash & Mask();; at = (at + 1) & Mask()) {
            const Slot& slot = m_slots[at];
            if (slot.Item == kEmpty) {
                return std::nullopt;
            }
            if (slot.Hash == hash && m_textOf(slot.Item) == text) {
                return slot.Item;
            }
        }
    }

    // The item's text must not be in the index yet.
    void Insert(uint32_t item)
    {
        Reserve(m_size + 1);
        Place({item, HashOf(m_textOf(item))});
        ++m_size;
    }

    // The item must be in the index, its text still readable.
    void Erase(uint32_t item)
    {
        size_t hole = HashOf(m_textOf(item)) & Mask();
        while (m_slots[hole].Item != item) {
            hole = (hole + 1) & Mask();
        }
        // The entries after it in the same run move back, so that no probe stops at the hole early.
        for (size_t next = (hole + 1) & Mask(); m_slots[next].Item != kEmpty; next = (next + 1) & Mask()) {
            const size_t home = m_slots[next].Hash & Mask();
            if (((next - home) & Mask()) >= ((next - hole) & Mask())) {
                m_slots[hole] = m_slots[next];
                hole = next;
            }
        }
        m_slots[hole] = Slot{};
        --m_size;
    }

    // Room for `count` items without growing again.
    void Reserve(size_t count)
    {
        size_t capacity = m_slots.empty() ? 16 : m_slots.size();
        while (count * 2 > capacity) { // at most half full, so that runs stay short
            capacity *= 2;
        }
        if (capacity == m_slots.size()) {
            return;
        }
        std::vector<Slot> old(capacity);
        old.swap(m_slots);
        for (const Slot& slot : old) {
            if (slot.Item != kEmpty) {
                Place(slot);
            }
        }
    }

private:
    static constexpr uint32_t kEmpty = UINT32_MAX;

    struct Slot
    {
        uint32_t Item = kEmpty;
        uint32_t Hash = 0;
    };

    size_t Mask() const { return m_slots.size() - 1; }
    uint32_t HashOf(std::string_view text) const { return static_cast<uint32_t>(m_hash(text)); }

    void Place(const Slot& entry)
    {
        size_t at = entry.Hash & Mask();
        while (m_slots[at].Item != kEmpty) {
            at = (at + 1) & Mask();
        }
        m_slots[at] = entry;
    }

    TextOf m_textOf;
    Hasher m_hash;
    std::vector<Slot> m_slots; // a power of two in size, or empty
    size_t m_size = 0;
};

} // namespace kelvane
