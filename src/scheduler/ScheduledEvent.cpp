#include "scheduler/ScheduledEvent.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <stdexcept>

namespace kelvane {
ScheduledEvent::ScheduledEvent() : ScheduledEvent(false, {"", "", "", "", "", "", "", "", "15", "False", "0"}) {}

ScheduledEvent::ScheduledEvent(bool enabled, const std::array<std::string_view, FieldCount>& texts) : Enabled(enabled)
{
    SetTexts(texts);
}

void ScheduledEvent::SetText(Field field, std::string_view text)
{
    const auto index = static_cast<size_t>(field);
    const uint32_t begin = index == 0 ? 0 : m_ends[index - 1];
    const uint32_t oldLength = m_ends[index] - begin;
    if (text.size() > std::numeric_limits<uint32_t>::max() - (m_texts.size() - oldLength)) {
        throw std::length_error("the texts of an event row exceed 4 GiB");
    }
    m_texts.replace(begin, oldLength, text);
    const auto newLength = static_cast<uint32_t>(text.size());
    for (size_t i = index; i < FieldCount; ++i) {
        m_ends[i] = m_ends[i] - oldLength + newLength;
    }
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
    std::string buffer;
    buffer.reserve(total);
    for (size_t i = 0; i < FieldCount; ++i) {
        buffer.append(texts[i]);
        m_ends[i] = static_cast<uint32_t>(buffer.size());
    }
    m_texts = std::move(buffer);
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

void EventTable::RowsUpdated(size_t first, size_t count)
{
    if (first < Rows.size() && count > 0) {
        AnnounceChange(m_observer, {ListChange::Kind::Update, first, std::min(count, Rows.size() - first)}, [] {});
    }
}

} // namespace kelvane
