#pragma once

#include "common/Clock.h"
#include "platform/RegionalSettings.h"
#include "platform/TimeZone.h"
#include "scheduler/EventActions.h"
#include "scheduler/EventLog.h"
#include "scheduler/ScheduledEvent.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace kelvane {

// One due row found in a pass: its position and its event time as read then.
struct TEventToProcess
{
    int32_t Index = 0;
    DateTime ScheduledTime = 0.0;
};
using TEventArray = std::vector<TEventToProcess>;

// What a pass changed, in the order it happened.
struct EventPassResult
{
    std::vector<size_t> Performed; // rows whose action was performed
    std::vector<size_t> Unticked;  // one-time rows that ran and took themselves out of scheduling

    bool Ran() const { return !Performed.empty(); }
};

// Today's date moved by whole calendar months; a day the target month lacks becomes its last day.
DateTime IncMonth(DateTime date, int32_t months);

// The scheduler: on each tick it finds the checked rows that are due, performs them in time order and
// moves recurring rows to their next occurrence, all in the row texts. Each row it changes is told to
// the table, so a view follows.
class EventEngine
{
public:
    struct Services
    {
        const Clock& LocalClock;
        const TimeZone& Zone;
        const RegionalSettings& Regional;
    };

    EventEngine(EventTable& table, EventLog& log, Services services, EventActionContext& actions,
                std::function<void(const std::string&)> reportProblem);

    // Called once in each pass that changed rows, when all of the pass's changes are in the table and
    // before its first action starts: what it saves is what a later start must not run again.
    void SetProgressSaver(std::function<void()> save) { m_saveProgress = std::move(save); }

    // One pass with the tolerance in seconds.
    EventPassResult CheckEvents(int32_t toleranceSeconds);

    // The work of one timer tick (the caller switches the timer off before and on after): the pass, then
    // "No events to run at this time.." when nothing ran, the next-event line and the separator.
    EventPassResult Tick(int32_t toleranceSeconds);

private:
    enum class Outcome
    {
        NotRun,
        Ran,
        RanAndUnticked,
    };

    // A log line, or a row's action, that waits until the pass's changes are saved.
    struct PassStep;

    // Carries out the rule of a due row's kind on the row; dMs is its distance from the pass's start. Its
    // log lines and its action are added to the steps.
    Outcome Process(ScheduledEvent& row, size_t index, DateTime eventTime, int64_t dMs, int64_t toleranceMs,
                    const RegionalFormats& formats, std::vector<PassStep>& steps);
    // Last run, has run and run count; then the row's action is added to the steps.
    void Stamp(ScheduledEvent& row, int64_t runCount, const RegionalFormats& formats, std::vector<PassStep>& steps);
    // Tells the user about a row that cannot be scheduled, once for each distinct problem, at the end of
    // the pass.
    void ReportOnce(const ScheduledEvent& row, size_t index, const std::string& problem);

    EventTable& m_table;
    EventLog& m_log;
    Services m_services;
    EventActionContext& m_actions;
    std::function<void(const std::string&)> m_reportProblem;
    std::function<void()> m_saveProgress;
    std::set<std::string> m_reported;
    std::vector<std::string> m_pendingReports;
};

} // namespace kelvane
