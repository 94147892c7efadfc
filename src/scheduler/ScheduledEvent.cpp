#include "scheduler/ScheduledEvent.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <iterator>
#include <limits>
#include <stdexcept>

namespace kelvane {
namespace {

RowSerial NewSerial()
{
    // Unique whichever thread makes the row, at no cost worth counting.
    static std::atomic<RowSerial> last{0};
    return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

} // namespace

static_assert(sizeof(ScheduledEvent) <= 64, "a table of many rows pays for every byte of a row");

ScheduledEvent::ScheduledEvent() : ScheduledEvent(false, {"", "", "", "", "", "", "", "", "15", "False", "0"}) {}

ScheduledEvent::ScheduledEvent(bool enabled, const std::array<std::string_view, FieldCount>& texts)
    : m_serial(NewSerial()), Enabled(enabled)
{
    SetTexts(texts);
}

ScheduledEvent::ScheduledEvent(const ScheduledEvent& other)
    : m_serial(NewSerial()), m_ends(other.m_ends), Enabled(other.Enabled)
{
    if (const size_t size = other.TextBytes(); size > 0) {
        m_texts = std::make_unique_for_overwrite<char[]>(size);
        std::memcpy(m_texts.get(), other.m_texts.get(), size);
    }
}

ScheduledEvent& ScheduledEvent::operator=(const ScheduledEvent& other)
{
    if (this != &other) {
        ScheduledEvent copy(other);
        *this = std::move(copy);
    }
    return *this;
}

bool ScheduledEvent::operator==(const ScheduledEvent& other) const
{
    return Enabled == other.Enabled && m_ends == other.m_ends &&
           (TextBytes() == 0 || std::memcmp(m_texts.get(), other.m_texts.get(), TextBytes()) == 0);
}

void ScheduledEvent::Adopt(std::unique_ptr<char[]> texts, const std::array<uint32_t, FieldCount>& ends)
{
    m_texts = ends.back() > 0 ? std::move(texts) : nullptr;
    m_ends = ends;
}

void ScheduledEvent::SetText(Field field, std::string_view text)
{
    const auto index = static_cast<size_t>(field);
    const uint32_t begin = index == 0 ? 0 : m_ends[index - 1];
    const uint32_t oldLength = m_ends[index] - begin;
    const size_t rest = TextBytes() - oldLength;
    if (text.size() > std::numeric_limits<uint32_t>::max() - rest) {
        throw std::length_error("the texts of an event row exceed 4 GiB");
    }
    // A new buffer of the new size: the text may lie in the old one, which stays until the end.
    const size_t size = rest + text.size();
    auto texts = std::make_unique_for_overwrite<char[]>(size);
    auto put = [at = texts.get()](const char* from, size_t count) mutable {
        if (count > 0) {
            std::memcpy(at, from, count);
            at += count;
        }
    };
    put(m_texts.get(), begin);
    put(text.data(), text.size());
    put(m_texts.get() + m_ends[index], TextBytes() - m_ends[index]);
    std::array<uint32_t, FieldCount> ends = m_ends;
    const auto newLength = static_cast<uint32_t>(text.size());
    for (size_t i = index; i < FieldCount; ++i) {
        ends[i] = ends[i] - oldLength + newLength;
    }
    Adopt(std::move(texts), ends);
}

void ScheduledEvent::SetTexts(const std::array<std::string_view, FieldCount>& texts)
{
    size_t total = 0;
    for (const std::string_view text : texts) {
        total += text.size();
    }
    if (total > std::numeric_limits<uint32_t>::max()) {
        throw std::length_error("the texts of an event row exceed 4 GiB");
    }
    // A buffer of the exact size: a table of many rows holds no spare room.
    auto buffer = std::make_unique_for_overwrite<char[]>(total);
    std::array<uint32_t, FieldCount> ends{};
    size_t at = 0;
    for (size_t i = 0; i < FieldCount; ++i) {
        if (!texts[i].empty()) {
            std::memcpy(buffer.get() + at, texts[i].data(), texts[i].size());
        }
        at += texts[i].size();
        ends[i] = static_cast<uint32_t>(at);
    }
    Adopt(std::move(buffer), ends);
}

RowText ScheduledEvent::SubItem(size_t index) const
{
    if (index >= SubItemCount) {
        throw std::out_of_range("no such sub-item of an event row");
    }
    return Text(static_cast<Field>(index + 1));
}

void ScheduledEvent::SetSubItem(size_t index, std::string_view text)
{
    if (index >= SubItemCount) {
        throw std::out_of_range("no such sub-item of an event row");
    }
    SetText(static_cast<Field>(index + 1), text);
}

void EventTable::AppendRows(std::vector<ScheduledEvent> rows)
{
    if (rows.empty()) {
        return;
    }
    AnnounceChange(m_observer, {ListChange::Kind::Insert, Rows.size(), rows.size()}, [&] {
        Rows.insert(Rows.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    });
}

void EventTable::EraseRow(size_t row)
{
    if (row >= Rows.size()) {
        return;
    }
    AnnounceChange(m_observer, {ListChange::Kind::Remove, row, 1},
                   [&] { Rows.erase(Rows.begin() + static_cast<std::ptrdiff_t>(row)); });
}

void EventTable::MoveRow(size_t from, size_t to)
{
    if (from >= Rows.size() || to >= Rows.size() || from == to) {
        return;
    }
    AnnounceChange(m_observer, {ListChange::Kind::Move, from, 1, to}, [&] { MoveElement(Rows, from, to); });
}

std::optional<size_t> EventTable::IndexOf(RowSerial serial) const
{
    const auto found =
        std::find_if(Rows.begin(), Rows.end(), [serial](const ScheduledEvent& row) { return row.Serial() == serial; });
    if (serial == 0 || found == Rows.end()) {
        return std::nullopt;
    }
    return static_cast<size_t>(found - Rows.begin());
}

void EventTable::RowsUpdated(size_t first, size_t count)
{
    if (first < Rows.size() && count > 0) {
        AnnounceChange(m_observer, {ListChange::Kind::Update, first, std::min(count, Rows.size() - first)}, [] {});
    }
}

} // namespace kelvane
