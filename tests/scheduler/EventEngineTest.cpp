#include "scheduler/EventEngine.h"

#include "common/EventDateTimeText.h"
#include "scheduler/EventActions.h"
#include "scheduler/EventTypes.h"
#include "scheduler/EventsFile.h"
#include "support/FakePlatform.h"
#include "support/Fakes.h"
#include "support/RecordedActiveScreensaver.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

const RegionalFormats kUs;

DateTime At(int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second, int32_t year = 2024)
{
    return EncodeDateTime({{year, month, day}, {hour, minute, second, 0}});
}

std::string Text(DateTime value)
{
    return FormatEventDateTime(value, kUs);
}

ScheduledEvent Row(const std::string& name, std::string_view type, DateTime time)
{
    ScheduledEvent row;
    row.Enabled = true;
    row.SetName(name);
    row.SetEventTime(Text(time));
    row.SetCloseCommand("False");
    row.SetAction("Run");
    row.SetScreensaver("/s/" + name + ".scr");
    row.SetEventType(std::string(type));
    row.SetLastRun(ZeroDateTimeText(kUs));
    return row;
}

// The engine over a fake clock, zone and platform; the actions are the real ones, recorded by the platform.
class EngineTest : public testing::Test
{
protected:
    EngineTest()
        : active(platform, platform, platform), actions{log, active, nullptr},
          engine(table, log, {clock, zone, regional}, actions, [this](const std::string& problem) {
              problems.push_back(problem);
              actionsBeforeProblems.push_back(platform.calls.size());
          })
    {
        log.LogIsOn = true;
    }

    // One pass; the names of the rows performed are added to `performed`, in the order they ran.
    EventPassResult Pass(bool tick = false)
    {
        const EventPassResult result = tick ? engine.Tick(20) : engine.CheckEvents(20);
        for (const size_t row : result.Performed) {
            performed.push_back(table.Rows[row].Name());
        }
        return result;
    }

    test::FakeClock clock;
    test::FakeTimeZone zone = test::EasternTime2024();
    test::FakeRegionalSettings regional;
    test::FakePlatform platform;
    EventTable table;
    EventLog log;
    ActiveScreensaverControl active;
    EventActionContext actions;
    EventEngine engine;
    std::vector<std::string> performed;
    std::vector<std::string> problems;
    std::vector<size_t> actionsBeforeProblems; // the platform's calls made when each problem was told
};

TEST_F(EngineTest, TheWorkedExampleRunsDueRowsInTimeOrder)
{
    clock.now = At(3, 4, 10, 0, 30); // a Monday
    table.Rows = {Row("A", OneTimeEvents, At(3, 4, 10, 0, 15)), Row("B", DailyRecurringEvents, At(3, 4, 9, 59, 40)),
                  Row("C", MinuteBasedEvents, At(3, 4, 10, 0, 30)),
                  Row("D", "Monday Recurring Events", At(3, 4, 10, 0, 0)),
                  Row("E", WeeklyRecurringEvents, At(2, 20, 8, 0, 0))};
    table.Rows[2].SetMinutes("5");

    EXPECT_TRUE(Pass().Ran());
    EXPECT_EQ(performed, (std::vector<std::string>{"E", "B", "A", "C"}));
    const auto& rows = table.Rows;
    EXPECT_EQ(rows[0].EventTime(), "03/04/2024 10:00:15 AM");
    EXPECT_FALSE(rows[0].Enabled) << "a one-time row unchecks itself";
    EXPECT_EQ(rows[1].EventTime(), "03/05/2024 09:59:40 AM");
    EXPECT_EQ(rows[2].EventTime(), "03/04/2024 10:05:30 AM");
    EXPECT_EQ(rows[3].EventTime(), "03/04/2024 10:00:00 AM");
    EXPECT_EQ(rows[4].EventTime(), "03/11/2024 08:00:00 AM");
    for (const size_t i : {0u, 1u, 2u, 4u}) {
        EXPECT_EQ(rows[i].LastRun(), "03/04/2024 10:00:30 AM") << rows[i].Name();
        EXPECT_EQ(rows[i].HasRun(), "True") << rows[i].Name();
        EXPECT_EQ(rows[i].RunCount(), "1") << rows[i].Name();
    }
    EXPECT_EQ(rows[3].HasRun(), "False");
    EXPECT_EQ(rows[3].RunCount(), "0");
    EXPECT_TRUE(rows[3].Enabled);
    EXPECT_EQ(platform.calls,
              (std::vector<std::string>{"run /s/E.scr", "run /s/B.scr", "run /s/A.scr", "run /s/C.scr"}));
}

struct RuleCase
{
    const char* name;
    std::string_view type;
    DateTime eventTime;
    DateTime now;
    std::optional<std::string> next; // nothing: not due
    const char* minutes = "15";
    const test::FakeTimeZone* zone = nullptr; // the fixture's eastern time when not given
};

// Clocks go from -4 h to -3 h at midnight starting Christmas Day 2025: that day begins at 01:00.
const test::FakeTimeZone
    kChristmasSkipsMidnight(-4 * 3600, {{ToUnixSeconds(EncodeDateTime({{2025, 12, 25}, {4, 0, 0, 0}})), -3 * 3600}});

class DueRules : public EngineTest, public testing::WithParamInterface<RuleCase>
{};

TEST_P(DueRules, DecideAndMoveOn)
{
    const RuleCase& c = GetParam();
    if (c.zone) {
        zone = *c.zone;
    }
    clock.now = c.now;
    table.Rows = {Row("x", c.type, c.eventTime)};
    table.Rows[0].SetMinutes(c.minutes);
    const bool ran = Pass().Ran();
    EXPECT_EQ(ran, c.next.has_value());
    if (c.next) {
        EXPECT_EQ(table.Rows[0].EventTime(), *c.next);
        EXPECT_EQ(table.Rows[0].RunCount(), "1");
        EXPECT_TRUE(SerializeEvents(table.Rows, zone, kUs)) << "a time the engine made can always be saved";
        if (std::string_view(c.minutes) != "0") { // a period of nothing is due at every tick
            EXPECT_FALSE(Pass().Ran()) << "the next time lies ahead";
        }
    } else {
        EXPECT_EQ(table.Rows[0].EventTime(), Text(c.eventTime)) << "a row that is not due is not touched";
        EXPECT_EQ(table.Rows[0].RunCount(), "0");
    }
    EXPECT_TRUE(problems.empty());
}

// Tolerance 20 s everywhere: one-time windows are ±20 s inclusive, recurring rows wait for 40 s past.
INSTANTIATE_TEST_SUITE_P(
    Table, DueRules,
    testing::Values(
        RuleCase{"one_time_19s_ago", OneTimeEvents, At(5, 1, 8, 0, 0), At(5, 1, 8, 0, 19), "05/01/2024 08:00:00 AM"},
        RuleCase{"one_time_19s_ahead", OneTimeEvents, At(5, 1, 8, 0, 19), At(5, 1, 8, 0, 0), "05/01/2024 08:00:19 AM"},
        RuleCase{"one_time_20s_edge", OneTimeEvents, At(5, 1, 8, 0, 0), At(5, 1, 8, 0, 20), "05/01/2024 08:00:00 AM"},
        RuleCase{"one_time_21s", OneTimeEvents, At(5, 1, 8, 0, 0), At(5, 1, 8, 0, 21), std::nullopt},
        RuleCase{"daily_30s_past", DailyRecurringEvents, At(5, 1, 8, 0, 0), At(5, 1, 8, 0, 30), std::nullopt},
        RuleCase{"daily_40s_edge", DailyRecurringEvents, At(5, 1, 8, 0, 0), At(5, 1, 8, 0, 40), std::nullopt},
        RuleCase{"daily_41s", DailyRecurringEvents, At(5, 1, 8, 0, 0), At(5, 1, 8, 0, 41), "05/02/2024 08:00:00 AM"},
        RuleCase{"daily_missed_since_yesterday", DailyRecurringEvents, At(4, 30, 23, 0, 0), At(5, 1, 8, 0, 0),
                 "05/02/2024 11:00:00 PM"},
        RuleCase{"weekly_long_past", WeeklyRecurringEvents, At(1, 2, 7, 30, 0), At(5, 1, 8, 0, 0),
                 "05/08/2024 07:30:00 AM"},
        RuleCase{"monthly_31_jan_leap", MonthlyRecurringEvents, At(1, 31, 9, 0, 0), At(1, 31, 9, 1, 0),
                 "02/29/2024 09:00:00 AM"},
        RuleCase{"monthly_31_jan", MonthlyRecurringEvents, At(1, 31, 9, 0, 0, 2023), At(1, 31, 9, 1, 0, 2023),
                 "02/28/2023 09:00:00 AM"},
        RuleCase{"monthly_then_28_march", MonthlyRecurringEvents, At(2, 28, 9, 0, 0, 2023), At(2, 28, 9, 1, 0, 2023),
                 "03/28/2023 09:00:00 AM"},
        RuleCase{"yearly_29_february", YearlyRecurringEvents, At(2, 29, 6, 0, 0), At(2, 29, 6, 1, 0),
                 "02/28/2025 06:00:00 AM"},
        RuleCase{"monday_on_wednesday", "Monday Recurring Events", At(4, 29, 9, 0, 0), At(5, 1, 10, 0, 0),
                 std::nullopt},
        RuleCase{"monday_missed_all_week", "Monday Recurring Events", At(4, 29, 9, 0, 0), At(5, 6, 0, 0, 5),
                 "05/13/2024 09:00:00 AM"},
        RuleCase{"sunday", "Sunday Recurring Events", At(4, 28, 9, 0, 0), At(5, 5, 9, 0, 41), "05/12/2024 09:00:00 AM"},
        RuleCase{"christmas", "ChristmasDay", At(12, 25, 0, 0, 0), At(12, 25, 0, 1, 0), "12/25/2025 12:00:00 AM"},
        RuleCase{"new_years_eve_across_the_year", "NewYearsEve", At(12, 31, 23, 50, 0), At(12, 31, 23, 51, 0),
                 "12/31/2025 11:50:00 PM"},
        RuleCase{"new_years_day", "NewYearsDay", At(1, 1, 0, 0, 0, 2025), At(1, 1, 0, 0, 41, 2025),
                 "01/01/2026 12:00:00 AM"},
        RuleCase{"minutes_from_the_tick", MinuteBasedEvents, At(5, 1, 10, 0, 0), At(5, 1, 10, 2, 0),
                 "05/01/2024 10:17:00 AM"},
        RuleCase{"minutes_not_yet", MinuteBasedEvents, At(5, 1, 10, 0, 0), At(5, 1, 9, 59, 59), std::nullopt},
        RuleCase{"minutes_zero", MinuteBasedEvents, At(5, 1, 10, 0, 0), At(5, 1, 10, 0, 0), "05/01/2024 10:00:00 AM",
                 "0"},
        RuleCase{"spring_forward", MinuteBasedEvents, At(3, 10, 1, 50, 0), At(3, 10, 1, 50, 0),
                 "03/10/2024 03:05:00 AM"},
        RuleCase{"fall_back", MinuteBasedEvents, At(11, 3, 0, 50, 0), At(11, 3, 0, 50, 0), "11/03/2024 01:05:00 AM",
                 "75"},
        // Days are counted on the wall clock: a time of day that the spring change skips is the time
        // the clock shows instead.
        RuleCase{"daily_into_the_skipped_hour", DailyRecurringEvents, At(3, 9, 2, 30, 0), At(3, 9, 2, 31, 0),
                 "03/10/2024 03:30:00 AM"},
        RuleCase{"weekly_into_the_skipped_hour", WeeklyRecurringEvents, At(3, 3, 2, 15, 0), At(3, 3, 2, 16, 0),
                 "03/10/2024 03:15:00 AM"},
        RuleCase{"monthly_into_the_skipped_hour", MonthlyRecurringEvents, At(2, 10, 2, 30, 0), At(2, 10, 2, 31, 0),
                 "03/10/2024 03:30:00 AM"},
        RuleCase{"yearly_into_the_skipped_hour", YearlyRecurringEvents, At(3, 10, 2, 30, 0, 2023),
                 At(3, 10, 2, 31, 0, 2023), "03/10/2024 03:30:00 AM"},
        RuleCase{"sunday_into_the_skipped_hour", "Sunday Recurring Events", At(3, 3, 2, 45, 0), At(3, 3, 2, 46, 0),
                 "03/10/2024 03:45:00 AM"},
        RuleCase{"holiday_on_a_skipped_midnight", "ChristmasDay", At(12, 25, 0, 0, 0), At(12, 25, 0, 1, 0),
                 "12/25/2025 01:00:00 AM", "15", &kChristmasSkipsMidnight},
        RuleCase{"daily_past_the_skipped_hour", DailyRecurringEvents, At(3, 10, 3, 30, 0), At(3, 10, 3, 31, 0),
                 "03/11/2024 03:30:00 AM"},
        // Periods too long for 32-bit seconds still lie ahead.
        RuleCase{"minutes_beyond_32_bits", MinuteBasedEvents, At(5, 1, 10, 0, 0), At(5, 1, 10, 0, 0),
                 "05/19/2092 12:15:00 PM", "35791395"},
        RuleCase{"minutes_largest", MinuteBasedEvents, At(5, 1, 10, 0, 0), At(5, 1, 10, 0, 0), "05/25/6107 11:07:00 AM",
                 "2147483647"},
        RuleCase{"separator", "-----------------------------", At(5, 1, 8, 0, 0), At(5, 2, 8, 0, 0), std::nullopt},
        RuleCase{"unknown_type", "Hourly Events", At(5, 1, 8, 0, 0), At(5, 2, 8, 0, 0), std::nullopt}),
    [](const auto& test) { return std::string(test.param.name); });

// What a pass has done at the moment it saves its changes.
struct SavedMoment
{
    std::vector<ScheduledEvent> Rows;
    size_t Actions = 0;
    size_t LogLines = 0;
};

// A kill between the save and an action must find the row moved on in the file: the pass saves once,
// with every row changed and no action started, and its log still pairs each row with its action.
TEST_F(EngineTest, APassSavesItsChangesOnceBeforeItsFirstAction)
{
    std::vector<SavedMoment> saves;
    engine.SetProgressSaver([&] { saves.push_back({table.Rows, platform.calls.size(), log.Lines().size()}); });
    clock.now = At(3, 4, 10, 0, 30);
    table.Rows = {Row("A", OneTimeEvents, At(3, 4, 10, 0, 15)), Row("B", DailyRecurringEvents, At(3, 4, 9, 59, 40)),
                  Row("bad count", DailyRecurringEvents, At(3, 4, 9, 0, 0))};
    table.Rows[2].SetRunCount("many");

    EXPECT_TRUE(Pass().Ran());
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].Rows, table.Rows) << "every change of the pass is in what is saved";
    EXPECT_EQ(saves[0].Actions, 0u);
    EXPECT_EQ(saves[0].LogLines, 3u) << "only the pass's heading is logged before the save";
    EXPECT_EQ(std::vector<std::string>(log.Lines().begin() + 3, log.Lines().end()),
              (std::vector<std::string>{
                  "Name: bad count Type:Daily Recurring Events EventTime: 03/04/2024 09:00:00 AM  diff: "
                  "0.0420138888888889 Tol :0.000231481481481481",
                  "Name: B Type:Daily Recurring Events EventTime: 03/04/2024 09:59:40 AM  diff: "
                  "0.000578703703703704 Tol :0.000231481481481481",
                  "Event Procedure Called for B",
                  "Name: A Type:One-Time Events EventTime: 03/04/2024 10:00:15 AM  diff: 0.000173611111111111 "
                  "Tol :0.000231481481481481",
                  "Called event One-Time Events",
                  "Event Procedure Called for A",
              }));
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"run /s/B.scr", "run /s/A.scr"}));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(actionsBeforeProblems, std::vector<size_t>{2}) << "a problem is told after the actions";

    // Nothing performed, nothing written: the one-time row that ran only logs, the others are not due.
    table.Rows[0].Enabled = true;
    EXPECT_FALSE(Pass().Ran());
    EXPECT_EQ(saves.size(), 1u);
}

TEST_F(EngineTest, AOneTimeRowThatRanIsNotRunAgain)
{
    clock.now = At(5, 1, 8, 0, 5);
    table.Rows = {Row("once", OneTimeEvents, At(5, 1, 8, 0, 0))};
    table.Rows[0].SetHasRun("True");
    EXPECT_FALSE(Pass().Ran());
    EXPECT_TRUE(performed.empty());
    EXPECT_EQ(log.Lines().back(), "Event has run, ignoring event procedure");
    EXPECT_TRUE(table.Rows[0].Enabled);
}

TEST_F(EngineTest, EqualTimesKeepTableOrderAndUncheckedRowsAreNotRead)
{
    clock.now = At(5, 1, 8, 1, 0);
    table.Rows = {Row("later", DailyRecurringEvents, At(5, 1, 8, 0, 5)),
                  Row("first", DailyRecurringEvents, At(5, 1, 8, 0, 1)),
                  Row("second", DailyRecurringEvents, At(5, 1, 8, 0, 1))};
    ScheduledEvent off = Row("off", DailyRecurringEvents, 0);
    off.Enabled = false;
    off.SetEventTime("garbage");
    table.Rows.push_back(off);
    EXPECT_TRUE(Pass().Ran());
    EXPECT_EQ(performed, (std::vector<std::string>{"first", "second", "later"}));
    EXPECT_TRUE(problems.empty());
}

TEST_F(EngineTest, TheLogOfOneTickLineByLine)
{
    clock.now = At(3, 4, 10, 0, 30);
    table.Rows = {Row("B", DailyRecurringEvents, At(3, 4, 9, 59, 40))};
    Pass(true);
    EXPECT_EQ(std::vector<std::string>(log.Lines().begin(), log.Lines().end()),
              (std::vector<std::string>{
                  "Checking Events",
                  "[3/4/2024 10:00:30 AM]",
                  "Event Timer Tolerance: 20",
                  "Name: B Type:Daily Recurring Events EventTime: 03/04/2024 09:59:40 AM  diff: 0.000578703703703704 "
                  "Tol :0.000231481481481481",
                  "Event Procedure Called for B",
                  "Next Event: B in: 0 Day(s), 23 Hour(s), 59 Minute(s), and 10 Second(s)",
                  "--------------------------------------------------",
              }));

    Pass(true); // nothing due now
    EXPECT_EQ(log.Lines()[10], "No events to run at this time..");
    EXPECT_EQ(log.Lines().size(), 13u);
}

TEST_F(EngineTest, WithLoggingOffTheSameWorkIsDoneSilently)
{
    log.LogIsOn = false;
    clock.now = At(3, 4, 10, 0, 30);
    table.Rows = {Row("B", DailyRecurringEvents, At(3, 4, 9, 59, 40))};
    Pass(true);
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_EQ(performed, std::vector<std::string>{"B"});
}

TEST_F(EngineTest, AnUnreadableRowIsSkippedAndReportedOnceWhileTheOthersRun)
{
    clock.now = At(5, 1, 8, 1, 0);
    table.Rows = {Row("bad time", DailyRecurringEvents, 0), Row("bad count", DailyRecurringEvents, At(5, 1, 8, 0, 0)),
                  Row("bad minutes", MinuteBasedEvents, At(5, 1, 8, 0, 0)),
                  Row("fine", DailyRecurringEvents, At(5, 1, 8, 0, 0))};
    table.Rows[0].SetEventTime("31/31/2024 08:00:00 AM");
    table.Rows[1].SetRunCount("many");
    table.Rows[2].SetMinutes("");
    const std::vector<ScheduledEvent> before = table.Rows;

    EXPECT_TRUE(Pass().Ran());
    Pass().Ran();
    EXPECT_EQ(performed, std::vector<std::string>{"fine"});
    EXPECT_EQ(problems, (std::vector<std::string>{
                            "The scheduled event \"bad time\" (row 1) is skipped: '31/31/2024 08:00:00 AM' is not a "
                            "valid date and time.",
                            "The scheduled event \"bad count\" (row 2) is skipped: the run count 'many' is not a "
                            "whole number.",
                            "The scheduled event \"bad minutes\" (row 3) is skipped: the minutes '' are not a whole "
                            "number.",
                        }));
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(table.Rows[i], before[i]) << "a skipped row is left as it was";
    }
}

TEST(IncMonthRule, ClampsToTheTargetMonthsLastDay)
{
    EXPECT_EQ(DecodeDateTime(IncMonth(EncodeDate(2024, 1, 31), 1)).Date, (CivilDate{2024, 2, 29}));
    EXPECT_EQ(DecodeDateTime(IncMonth(EncodeDate(2024, 12, 31), 1)).Date, (CivilDate{2025, 1, 31}));
    EXPECT_EQ(DecodeDateTime(IncMonth(EncodeDate(2024, 2, 29), 12)).Date, (CivilDate{2025, 2, 28}));
    EXPECT_EQ(DecodeDateTime(IncMonth(EncodeDate(2024, 3, 31), -1)).Date, (CivilDate{2024, 2, 29}));
}

TEST(EventActions, WhatEachActionDoes)
{
    const struct
    {
        const char* action;
        const char* close;
        std::vector<std::string> calls;
    } cases[] = {
        {"Activate", "False", {"write /s/x.scr"}},
        {"Activate", "True", {"find a.scr", "exit input", "write /s/x.scr"}},
        {"Run", "True", {"find a.scr", "exit input", "run /s/x.scr"}},
        {"Run", "true", {"run /s/x.scr"}}, // the flag is compared exactly
        {"run", "True", {}},               // so is the action
    };
    for (const auto& c : cases) {
        test::FakePlatform platform;
        platform.runningExeNames = {"A.SCR"};
        ActiveScreensaverControl active(platform, platform, platform);
        EventLog log;
        log.LogIsOn = true;
        IconCache icons(platform);
        ScreensaverList list(icons);
        list.AddScreensaverRow("/list/a.scr");
        EventActionContext context{log, active, &list};
        ScheduledEvent row;
        row.SetName("x");
        row.SetAction(c.action);
        row.SetCloseCommand(c.close);
        row.SetScreensaver("/s/x.scr");
        RunEventProcedure(row, context);
        EXPECT_EQ(platform.calls, c.calls) << c.action << " " << c.close;
        EXPECT_EQ(log.Lines().back(), "Event Procedure Called for x");
    }
}

// The example events of a first start name files that need not exist (on Linux, a Wine prefix that was
// never made): neither is started nor set, and the log says why.
TEST(EventActions, AMissingScreensaverFileIsSkippedAndLogged)
{
    EventTable table;
    CreateDefaultEvents(table, test::FakeClock(), test::FakeRegionalSettings());
    ASSERT_EQ(table.Rows.size(), 2u);
    test::FakePlatform platform;
    platform.missingFiles = {table.Rows[0].Screensaver(), table.Rows[1].Screensaver()};
    platform.setting = "/s/kept.scr";
    ActiveScreensaverControl active(platform, platform, platform);
    test::RecordedActiveScreensaver status(active);
    EventLog log;
    log.LogIsOn = true;
    EventActionContext context{log, active, nullptr};
    for (const ScheduledEvent& row : table.Rows) {
        RunEventProcedure(row, context);
    }
    EXPECT_EQ(platform.calls, std::vector<std::string>{});
    EXPECT_EQ(platform.setting, "/s/kept.scr");
    const std::vector<std::string> expected = {
        "Event Procedure Called for Ribbons",
        "Screensaver file is missing, nothing done: C:\\Windows\\System32\\ribbons.scr",
        "Event Procedure Called for Bubbles",
        "Screensaver file is missing, nothing done: C:\\Windows\\System32\\bubbles.scr",
    };
    EXPECT_EQ(std::vector<std::string>(log.Lines().begin(), log.Lines().end()), expected);
    EXPECT_EQ(status.problems, (std::vector<std::string>{expected[1], expected[3]}));
}

} // namespace
} // namespace kelvane
