#include "scheduler/ScheduledEvent.h"

#include <algorithm>
#include <iterator>

namespace kelvane {
namespace {

constexpr std::array<std::string ScheduledEvent::*, ScheduledEvent::SubItemCount> kSubItems = {
    &ScheduledEvent::Name,        &ScheduledEvent::EventTime, &ScheduledEvent::CloseCommand, &ScheduledEvent::Action,
    &ScheduledEvent::Screensaver, &ScheduledEvent::EventType, &ScheduledEvent::LastRun,      &ScheduledEvent::Minutes,
    &ScheduledEvent::HasRun,      &ScheduledEvent::RunCount,
};

} // namespace

std::string& ScheduledEvent::SubItem(size_t index)
{
    return this->*kSubItems.at(index);
}

const std::string& ScheduledEvent::SubItem(size_t index) const
{
    return this->*kSubItems.at(index);
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
