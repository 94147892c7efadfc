#include "scheduler/EventEditor.h"

#include "common/DateTime.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kelvane {
namespace {

DateTime At(int32_t year, int32_t month, int32_t day, int32_t hour = 0, int32_t minute = 0, int32_t second = 0,
            int32_t millisecond = 0)
{
    return EncodeDateTime({{year, month, day}, {hour, minute, second, millisecond}});
}

TEST(EventEditor, EachTypePresetsItsNextNaturalOccurrence)
{
    const struct
    {
        const char* type;
        DateTime now;
        DateTime expected;
    } cases[] = {
        // 1 July 2024 is a Monday.
        {"Monday Recurring Events", At(2024, 7, 1, 10, 15), At(2024, 7, 8)},
        {"Monday Recurring Events", At(2024, 6, 30, 10, 15), At(2024, 7, 1)},
        {"Sunday Recurring Events", At(2024, 7, 6, 23, 59), At(2024, 7, 7)},
        {"Daily Recurring Events", At(2024, 7, 1, 10, 15, 30, 250), At(2024, 7, 2, 10, 15, 30, 250)},
        {"Weekly Recurring Events", At(2024, 12, 30, 8, 0), At(2025, 1, 6, 8, 0)},
        {"Monthly Recurring Events", At(2024, 1, 31, 10, 15), At(2024, 2, 29, 10, 15)},
        {"Monthly Recurring Events", At(2023, 1, 31, 10, 15), At(2023, 2, 28, 10, 15)},
        {"Yearly Recurring Events", At(2024, 2, 29, 7, 30), At(2025, 2, 28, 7, 30)},
        {"Minute-Based Events", At(2024, 7, 1, 23, 50), At(2024, 7, 2, 0, 5)},
        {"One-Time Events", At(2024, 7, 1, 10, 15, 1, 500), At(2024, 7, 1, 10, 15, 1, 500)},
        {"------------------------------", At(2024, 7, 1, 10, 15), At(2024, 7, 1, 10, 15)},
        {"Easter", At(2024, 3, 31, 9, 0), At(2025, 4, 20)}, // on Easter Sunday: next year's
        {"NewYearsEve", At(2024, 12, 30, 12, 0), At(2024, 12, 31, 23, 50)},
    };
    for (const auto& c : cases) {
        const test::FakeClock clock(c.now);
        EXPECT_EQ(ToLinearMilliseconds(TypePresetDateTime(c.type, clock)), ToLinearMilliseconds(c.expected))
            << c.type << " at " << c.now;
    }
}

TEST(EventEditor, ReadsTheFieldsTheWayTheyAreTyped)
{
    EXPECT_EQ(FirstWord("Minute-Based Events"), "Minute-Based");
    EXPECT_EQ(FirstWord("NewYearsEve"), "NewYearsEve");
    EXPECT_EQ(NextWeekdayDate("friday", test::FakeClock(At(2024, 7, 1))), At(2024, 7, 5)) << "any letter case";
    EXPECT_FALSE(NextWeekdayDate("Funday", test::FakeClock(At(2024, 7, 1))).has_value());

    const std::pair<const char*, std::optional<bool>> closeCommands[] = {
        {"True", true},     {"FALSE", false},      {"0", false},        {"-3", true},
        {"", std::nullopt}, {"yes", std::nullopt}, {"1x", std::nullopt}};
    for (const auto& [text, expected] : closeCommands) {
        EXPECT_EQ(ParseCloseCommand(text), expected) << '"' << text << '"';
    }
    const std::pair<const char*, int32_t> minutes[] = {{"30", 30}, {"", 0}, {"-5", 0}, {"abc", 0}, {"99999", 99999}};
    for (const auto& [text, expected] : minutes) {
        EXPECT_EQ(MinutesFieldValue(text), expected) << '"' << text << '"';
    }
}

TEST(EventEditor, ADroppedRowLandsDirectlyAboveItsTarget)
{
    const struct
    {
        size_t dragged;
        size_t target;
        const char* order;
        size_t landed;
    } cases[] = {
        {1, 3, "ACBD", 2}, {1, 0, "BACD", 0}, {1, 1, "ABCD", 1}, {3, 0, "DABC", 0}, {0, 3, "BCAD", 2},
    };
    for (const auto& c : cases) {
        EventTable table;
        for (const char name : std::string("ABCD")) {
            ScheduledEvent row;
            row.SetName(std::string(1, name));
            table.Rows.push_back(row);
        }
        EXPECT_EQ(MoveRowOnto(table, c.dragged, c.target), c.landed) << c.dragged << " onto " << c.target;
        std::string order;
        for (const ScheduledEvent& row : table.Rows) {
            order += row.Name();
        }
        EXPECT_EQ(order, c.order) << c.dragged << " onto " << c.target;
    }
    EventTable table;
    table.Rows.resize(2);
    EXPECT_FALSE(MoveRowOnto(table, 0, 2).has_value()) << "below the last row: no drop";
    EXPECT_EQ(table.Rows.size(), 2u);
}

TEST(EventEditor, ANewEventWaitsUntilTheUserSetsItUp)
{
    const test::FakeClock clock(At(2024, 7, 1, 9, 0));
    const ScheduledEvent row = NewEventRow("", "/s/glow.scr", true, clock, test::FakeRegionalSettings().formats);
    EXPECT_FALSE(row.Enabled);
    EXPECT_EQ(row.EventTime(), "07/01/2024 09:00:00 AM");
    EXPECT_EQ(row.CloseCommand(), "True");
    EXPECT_EQ(row.Action(), "Activate");
    EXPECT_EQ(row.EventType(), "One-Time Events");
    EXPECT_EQ(row.LastRun(), "12/30/1899 12:00:00 AM");
    EXPECT_EQ(DeleteEventQuestion("Backup"), "Are you sure you want to Delete this Event?\r\nBackup");
    EXPECT_EQ(DeleteEventQuestion(std::nullopt), "Are you sure you want to Delete this Event?\r\nEvent");
}

TEST(EventEditor, ARowShowsAsItsFieldsAndSelectorsKeepTheirEntryForOtherTexts)
{
    const RegionalFormats us;
    ScheduledEvent row;
    row.Enabled = true;
    row.SetName("Glow");
    row.SetEventTime("07/04/2024 09:15:45 PM");
    row.SetCloseCommand("1");
    row.SetAction("Run");
    row.SetScreensaver("/s/glow.scr");
    row.SetEventType("Weekly Recurring Events");
    row.SetMinutes("-5");
    EventEditorFields shown;
    shown.Action = "Activate";
    shown.EventType = "Easter";
    const Result<EventEditorFields> fields = EditorFieldsOfRow(row, shown, us);
    ASSERT_TRUE(fields) << fields.message();
    const EventEditorFields& f = fields.value();
    EXPECT_EQ(std::tie(f.Year, f.Month, f.Day, f.Hour, f.Minute, f.Second), std::tuple(2024, 7, 4, 21, 15, 45));
    EXPECT_TRUE(f.Enabled && f.SendCloseCommand);
    EXPECT_EQ(f.Name, "Glow");
    EXPECT_EQ(f.Action, "Run");
    EXPECT_EQ(f.EventType, "Weekly Recurring Events");
    EXPECT_EQ(f.Screensaver, "/s/glow.scr");
    EXPECT_EQ(f.Minutes, 0);

    row.SetAction("run");
    row.SetEventType("Fortnightly");
    EXPECT_EQ(EditorFieldsOfRow(row, shown, us).value().Action, "Activate") << "no entry is equal: kept";
    EXPECT_EQ(EditorFieldsOfRow(row, shown, us).value().EventType, "Easter");
    row.SetCloseCommand("maybe");
    EXPECT_EQ(EditorFieldsOfRow(row, shown, us).message(), "\"maybe\" is not a valid close command");
    row.SetCloseCommand("True");
    row.SetEventTime("soon");
    EXPECT_FALSE(EditorFieldsOfRow(row, shown, us));
}

TEST(EventEditor, TheUsersEditsStayAndEveryOtherFieldFollowsTheRow)
{
    EventEditorFields loaded;
    loaded.Year = 2024, loaded.Month = 7, loaded.Day = 1, loaded.Hour = 9;
    loaded.Enabled = true;
    loaded.Name = "Glow";
    EventEditorFields shown = loaded; // the user changed the time of day and the name
    shown.Hour = 18;
    shown.Name = "Evening glow";
    EventEditorFields row = loaded; // the scheduler ran the row, moved it to tomorrow and unticked it
    row.Day = 2;
    row.Hour = 10;
    row.Enabled = false;

    const EditorFieldSet edited = EditedFields(loaded, shown);
    EXPECT_EQ(edited, (EditorFieldSet{EditorField::Time, EditorField::Name}));
    const EventEditorFields now = CombineEditorFields(edited, shown, row);
    EXPECT_EQ(std::tie(now.Day, now.Hour), std::tuple(2, 18));
    EXPECT_FALSE(now.Enabled);
    EXPECT_EQ(now.Name, "Evening glow");
    EXPECT_TRUE(EditedFields(shown, shown).Empty());
}

} // namespace
} // namespace kelvane
