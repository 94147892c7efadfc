#include "scheduler/ScheduledEvent.h"

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

} // namespace kelvane
