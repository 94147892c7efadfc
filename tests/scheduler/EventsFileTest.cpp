#include "scheduler/EventsFile.h"

#include "common/EventDateTimeText.h"
#include "scheduler/EventTypes.h"
#include "support/EventsFixture.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <bit>
#include <chrono>
#include <filesystem>
#include <functional>

namespace kelvane {
namespace {

using namespace std::string_literals;

using test::Count;
using test::Row;
using test::Str;
using test::Time;

const RegionalFormats kUs;

class EventsFileTest : public testing::Test
{
protected:
    std::vector<ScheduledEvent> Parse(const std::string& bytes, EventsLoadResult* result = nullptr)
    {
        std::vector<ScheduledEvent> rows;
        const EventsLoadResult loaded = ParseEvents(bytes, rows, utc, kUs);
        if (result) {
            *result = loaded;
        }
        return rows;
    }

    static ScheduledEvent Sample(const std::string& name, const std::string& time)
    {
        ScheduledEvent row;
        row.Enabled = true;
        row.SetName(name);
        row.SetEventTime(time);
        row.SetCloseCommand("False");
        row.SetAction("Activate");
        row.SetScreensaver("/home/u/.scr/glow.scr");
        row.SetEventType(std::string(DailyRecurringEvents));
        row.SetLastRun(ZeroDateTimeText(kUs));
        return row;
    }

    test::FakeTimeZone utc;
    test::TempDir dir;
    std::string file = dir.file("events.dat");
};

TEST_F(EventsFileTest, ZeroRowsAreFourZeroBytes)
{
    EXPECT_EQ(SerializeEvents({}, utc, kUs).value(), "\0\0\0\0"s);
    EventsLoadResult result;
    EXPECT_TRUE(Parse("\0\0\0\0"s, &result).empty());
    EXPECT_FALSE(result.Problem.has_value());
    EXPECT_TRUE(Parse("", &result).empty()) << "an empty file is an empty table";
    EXPECT_FALSE(result.Problem.has_value());
}

TEST_F(EventsFileTest, AHandMadeRowLoadsFieldByField)
{
    const double christmasTwoPm = EncodeDateTime({{2023, 12, 25}, {14, 0, 0, 0}});
    const auto rows = Parse(Count(1) + Row("Zo\xC3\xAB", christmasTwoPm));
    ASSERT_EQ(rows.size(), 1u);
    const ScheduledEvent& row = rows[0];
    EXPECT_TRUE(row.Enabled);
    EXPECT_EQ(row.Caption(), "");
    EXPECT_EQ(row.Name(), "Zo\xC3\xAB");
    EXPECT_EQ(row.EventTime(), "12/25/2023 02:00:00 PM");
    EXPECT_EQ(row.CloseCommand(), "True");
    EXPECT_EQ(row.Action(), "Run");
    EXPECT_EQ(row.Screensaver(), "C:\\s\\ribbons.scr");
    EXPECT_EQ(row.EventType(), "One-Time Events");
    EXPECT_EQ(row.LastRun(), "12/30/1899 12:00:00 AM");
    EXPECT_EQ(row.Minutes(), "15");
    EXPECT_EQ(row.HasRun(), "False");
    EXPECT_EQ(row.RunCount(), "0");
    // And it is written back byte for byte.
    EXPECT_EQ(SerializeEvents(rows, utc, kUs).value(), Count(1) + Row("Zo\xC3\xAB", christmasTwoPm));
}

TEST_F(EventsFileTest, LengthsCountBytesInBase128)
{
    ScheduledEvent row = Sample("Zo\xC3\xAB", "01/01/2024 12:00:00 AM");
    row.SetScreensaver(std::string(200, 'x'));
    row.SetCaption("");
    const std::string bytes = SerializeEvents({row}, utc, kUs).value();
    EXPECT_EQ(bytes.substr(5, 6), "\x00\x04Zo\xC3\xAB"s) << "empty caption, then a four-byte name";
    EXPECT_NE(bytes.find("\xC8\x01" + std::string(200, 'x')), std::string::npos) << "200 is C8 01";
    EXPECT_EQ(Parse(bytes), std::vector<ScheduledEvent>{row});

    row.SetName(std::string(300000, 'n')); // a three-byte length
    EXPECT_EQ(Parse(SerializeEvents({row}, utc, kUs).value()), std::vector<ScheduledEvent>{row});
}

TEST_F(EventsFileTest, ACutOrCorruptFileKeepsTheWholeRowsBeforeIt)
{
    const double t = EncodeDate(2024, 5, 1);
    const std::string two = Row("first", t) + Row("second", t);
    const struct
    {
        const char* name;
        std::string bytes;
        size_t rows;
    } cases[] = {
        {"cut_in_the_second_row", Count(2) + two.substr(0, two.size() - 3), 1},
        {"cut_in_the_count", "\x02\x00"s, 0},
        {"more_rows_claimed", Count(5) + two, 2},
        {"length_prefix_over_five_bytes", Count(2) + Row("first", t) + "\x01\x80\x80\x80\x80\x80\x01"s, 1},
        {"length_past_the_end", Count(1) + "\x01\x00\x7Fshort"s, 0},
        {"time_no_calendar_date", Count(2) + Row("first", t) + Row("bad", std::numeric_limits<double>::infinity()), 1},
    };
    for (const auto& c : cases) {
        EventsLoadResult result;
        const auto rows = Parse(c.bytes, &result);
        EXPECT_EQ(rows.size(), c.rows) << c.name;
        EXPECT_TRUE(result.Problem.has_value()) << c.name;
        for (const auto& row : rows) {
            EXPECT_EQ(row.RunCount(), "0") << c.name << ": every kept row is whole";
        }
    }
}

// The count is the file's own word on its rows; when the bytes say otherwise (a damaged count, or a crash
// that zeroed the file) the file is damaged, and every whole row is still read.
TEST_F(EventsFileTest, ACountThatDoesNotMatchTheRowsMakesTheFileDamaged)
{
    const double t = EncodeDate(2024, 5, 1);
    const std::string two = Row("first", t) + Row("second", t);
    const std::string zeros(64, '\0');
    const std::vector<std::string> both{"first", "second"};
    const struct
    {
        const char* name;
        std::string bytes;
        std::vector<std::string> rows;
    } cases[] = {
        {"negative_before_rows", Count(-3) + two, both},
        {"negative_alone", Count(-1), {}},
        {"zero_before_rows", Count(0) + two, both},
        {"too_small", Count(1) + two, both},
        {"zero_filled", zeros, {}},
        {"too_small_then_zero_filled", Count(1) + two + zeros, both},
        {"too_small_then_a_cut_row", Count(1) + two.substr(0, two.size() - 3), {"first"}},
    };
    for (const auto& c : cases) {
        EventsLoadResult result;
        std::vector<std::string> names;
        for (const auto& row : Parse(c.bytes, &result)) {
            names.push_back(row.Name());
        }
        EXPECT_EQ(names, c.rows) << c.name;
        EXPECT_EQ(result.RowsAdded, c.rows.size()) << c.name;
        EXPECT_TRUE(result.Problem.has_value()) << c.name;
    }
}

TEST_F(EventsFileTest, AHugeClaimedCountLoadsWhatIsThereWithoutAllocatingForIt)
{
    const double t = EncodeDate(2024, 5, 1);
    const std::string bytes = Count(2000000000) + Row("a", t) + Row("b", t) + Row("c", t);
    const auto started = std::chrono::steady_clock::now();
    std::vector<ScheduledEvent> rows;
    const EventsLoadResult result = ParseEvents(bytes, rows, utc, kUs);
    EXPECT_EQ(rows.size(), 3u);
    EXPECT_LT(rows.capacity(), 1000u);
    EXPECT_TRUE(result.Problem.has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}

TEST_F(EventsFileTest, LoadingACorruptFileKeepsACopyBesideIt)
{
    const std::string damaged = Count(3) + Row("only", EncodeDate(2024, 5, 1)) + "\x01\x00"s;
    dir.write("events.dat", damaged);
    EventTable table;
    const test::FakeRegionalSettings regional;
    const EventsLoadResult result = LoadEvents(file, table, utc, regional);
    EXPECT_EQ(table.Rows.size(), 1u);
    ASSERT_EQ(result.BackupFile, file + ".bak");
    EXPECT_EQ(dir.read("events.dat.bak"), damaged);

    dir.write("good.dat", "\0\0\0\0"s);
    const EventsLoadResult good = LoadEvents(dir.file("good.dat"), table, utc, regional);
    EXPECT_FALSE(good.BackupFile.has_value());
    EXPECT_FALSE(std::filesystem::exists(dir.file("good.dat.bak")));
}

TEST_F(EventsFileTest, AFileThatCannotBeReadIsSaidSoAndNotCopied)
{
    std::filesystem::create_directory(file); // opens as no file at all
    EventTable table;
    const EventsLoadResult result = LoadEvents(file, table, utc, test::FakeRegionalSettings());
    EXPECT_TRUE(result.Unreadable);
    EXPECT_TRUE(result.Problem.has_value());
    EXPECT_FALSE(result.BackupFile.has_value());
    EXPECT_FALSE(std::filesystem::exists(file + ".bak"));

    // A damaged file whose copy cannot be made says why.
    std::filesystem::remove(file);
    dir.write("events.dat", Count(-1));
    std::filesystem::create_directory(file + ".bak");
    const EventsLoadResult uncopied = LoadEvents(file, table, utc, test::FakeRegionalSettings());
    EXPECT_FALSE(uncopied.Unreadable);
    EXPECT_FALSE(uncopied.BackupFile.has_value());
    EXPECT_TRUE(uncopied.BackupProblem.has_value());
}

TEST_F(EventsFileTest, SummerAndWinterEventsKeepTheirTextsThroughSaveAndLoad)
{
    const test::FakeTimeZone eastern = test::EasternTime2024();
    const test::FakeRegionalSettings regional;
    EventTable saved;
    for (const char* time : {"01/15/2024 08:30:00 AM", "07/04/2024 09:15:45 PM", "03/10/2024 01:59:59 AM",
                             "03/10/2024 03:00:00 AM", "11/03/2024 01:30:00 AM", "12/31/2024 11:59:59 PM"}) {
        saved.Rows.push_back(Sample(time, time));
    }
    saved.Rows.back().Enabled = false;
    saved.Rows.back().SetCaption("kept caption");
    ASSERT_TRUE(SaveEvents(file, saved, eastern, regional).ok());

    EventTable loaded;
    EXPECT_FALSE(LoadEvents(file, loaded, eastern, regional).Problem.has_value());
    EXPECT_EQ(loaded.Rows, saved.Rows);

    // Stored as UTC: the July event at 21:15:45 EDT is 01:15:45 UTC the next day.
    std::vector<ScheduledEvent> inUtc;
    ASSERT_FALSE(ParseEvents(dir.read("events.dat"), inUtc, utc, kUs).Problem);
    EXPECT_EQ(inUtc[1].EventTime(), "07/05/2024 01:15:45 AM");
    EXPECT_EQ(inUtc[4].EventTime(), "11/03/2024 06:30:00 AM") << "the repeated hour's second pass";

    // The machine moved one hour east: every event keeps its instant and shows one hour later.
    const test::FakeTimeZone oneHourEast(-4 * 3600);
    EventTable moved;
    ASSERT_FALSE(LoadEvents(file, moved, oneHourEast, regional).Problem);
    EXPECT_EQ(moved.Rows[0].EventTime(), "01/15/2024 09:30:00 AM");
}

TEST_F(EventsFileTest, ARowThatCannotBeSavedLeavesTheOldFileAndIsNamed)
{
    const test::FakeTimeZone eastern = test::EasternTime2024();
    const test::FakeRegionalSettings regional;
    dir.write("events.dat", "old bytes");
    const struct
    {
        const char* time;
        const char* message;
    } cases[] = {
        {"not a time",
         "The scheduled events were not saved: the event time of row 2 (\"second\") cannot be used: 'not a time' is "
         "not a valid date and time."},
        {"03/10/2024 02:30:00 AM",
         "The scheduled events were not saved: the event time of row 2 (\"second\") cannot be used: '03/10/2024 "
         "02:30:00 AM' lies in the hour skipped when daylight saving time begins."},
    };
    for (const auto& c : cases) {
        EventTable table;
        table.Rows = {Sample("first", "01/01/2024 10:00:00 AM"), Sample("second", c.time)};
        const Status status = SaveEvents(file, table, eastern, regional);
        EXPECT_EQ(status.message(), c.message);
        EXPECT_EQ(dir.read("events.dat"), "old bytes");
    }
}

TEST_F(EventsFileTest, DefaultEventsRunRibbonsInThreeMinutesAndActivateBubblesInFive)
{
    const test::FakeClock clock(EncodeDateTime({{2024, 1, 15}, {11, 58, 30, 0}}));
    const test::FakeRegionalSettings regional;
    EventTable table;
    table.Rows.push_back(Sample("replaced", "01/01/2024 10:00:00 AM"));
    CreateDefaultEvents(table, clock, regional);
    ASSERT_EQ(table.Rows.size(), 2u);
    const ScheduledEvent& ribbons = table.Rows[0];
    const ScheduledEvent& bubbles = table.Rows[1];
    EXPECT_TRUE(ribbons.Enabled && bubbles.Enabled);
    EXPECT_EQ(ribbons.Name(), "Ribbons");
    EXPECT_EQ(ribbons.EventTime(), "01/15/2024 12:01:30 PM");
    EXPECT_EQ(ribbons.Action(), "Run");
    EXPECT_EQ(ribbons.Screensaver(), "C:\\Windows\\System32\\ribbons.scr");
    EXPECT_EQ(bubbles.Name(), "Bubbles");
    EXPECT_EQ(bubbles.EventTime(), "01/15/2024 12:03:30 PM");
    EXPECT_EQ(bubbles.Action(), "Activate");
    EXPECT_EQ(bubbles.Screensaver(), "C:\\Windows\\System32\\bubbles.scr");
    for (const ScheduledEvent& row : table.Rows) {
        EXPECT_EQ(row.Caption(), "");
        EXPECT_EQ(row.CloseCommand(), "True");
        EXPECT_EQ(row.EventType(), "One-Time Events");
        EXPECT_EQ(row.LastRun(), "12/30/1899 12:00:00 AM");
        EXPECT_EQ(row.Minutes(), "15");
        EXPECT_EQ(row.HasRun(), "False");
        EXPECT_EQ(row.RunCount(), "0");
    }
}

TEST_F(EventsFileTest, TheEditorUpdatesTheRowItShowsAndKeepsItsHistory)
{
    const test::FakeRegionalSettings regional({".", ".", ","});
    EventTable table;
    table.Rows = {Sample("a", "x"), Sample("b", "y")};
    table.Rows[1].SetHasRun("True");
    table.Rows[1].SetRunCount("4");
    table.Rows[1].SetLastRun("05.01.2024 10.00.00 AM");
    const RowSerial gone = ScheduledEvent().Serial();
    EventEditorFields fields;
    fields.Year = 2025, fields.Month = 2, fields.Day = 3, fields.Hour = 16, fields.Minute = 5, fields.Second = 6;
    fields.Enabled = false;
    fields.Name = "renamed";
    fields.SendCloseCommand = true;
    fields.Action = "Run";
    fields.Screensaver = "/x.scr";
    fields.EventType = std::string(MinuteBasedEvents);
    fields.Minutes = 45;

    EXPECT_FALSE(UpdateSelectedEvent(table, gone, EditorFieldSet::All(), fields, regional)) << "a deleted row";
    EXPECT_EQ(table.Rows[1].Name(), "b");
    ASSERT_EQ(UpdateSelectedEvent(table, table.Rows[1].Serial(), EditorFieldSet::All(), fields, regional), 1u);
    const ScheduledEvent& row = table.Rows[1];
    EXPECT_FALSE(row.Enabled);
    EXPECT_EQ(row.Name(), "renamed");
    EXPECT_EQ(row.EventTime(), "02.03.2025 04.05.06 PM");
    EXPECT_EQ(row.CloseCommand(), "True");
    EXPECT_EQ(row.Action(), "Run");
    EXPECT_EQ(row.Screensaver(), "/x.scr");
    EXPECT_EQ(row.EventType(), "Minute-Based Events");
    EXPECT_EQ(row.Minutes(), "45");
    EXPECT_EQ(row.HasRun(), "True");
    EXPECT_EQ(row.RunCount(), "4");
    EXPECT_EQ(row.LastRun(), "05.01.2024 10.00.00 AM");
    EXPECT_EQ(table.Rows[0].Name(), "a");
}

TEST_F(EventsFileTest, TheEditorWritesOnlyTheFieldsTheUserEdited)
{
    const test::FakeRegionalSettings regional;
    ScheduledEvent before = Sample("as loaded", "03/04/2024 10:00:00 AM");
    before.SetCloseCommand("true"); // texts the editor would not write this way
    before.SetAction("Bogus");
    before.SetMinutes("abc");
    EventEditorFields fields;
    fields.Year = 2025, fields.Month = 2, fields.Day = 3, fields.Hour = 16, fields.Minute = 5, fields.Second = 6;
    fields.Enabled = false;
    fields.Name = "renamed";
    fields.SendCloseCommand = true;
    fields.Action = "Run";
    fields.Screensaver = "/x.scr";
    fields.EventType = std::string(MinuteBasedEvents);
    fields.Minutes = 45;

    using enum EditorField;
    const struct
    {
        EditorFieldSet edited;
        const char* rowTime; // the row's event time when the editor saves
        std::function<void(ScheduledEvent&)> change;
    } cases[] = {
        {{}, "03/04/2024 10:00:00 AM", [](ScheduledEvent&) {}},
        {{Date}, "03/04/2024 10:00:00 AM", [](ScheduledEvent& row) { row.SetEventTime("02/03/2025 10:00:00 AM"); }},
        {{Time}, "03/05/2024 10:00:00 AM", [](ScheduledEvent& row) { row.SetEventTime("03/05/2024 04:05:06 PM"); }},
        {{Date, Time},
         "03/05/2024 10:00:00 AM",
         [](ScheduledEvent& row) { row.SetEventTime("02/03/2025 04:05:06 PM"); }},
        {{Date}, "unreadable", [](ScheduledEvent& row) { row.SetEventTime("02/03/2025 04:05:06 PM"); }},
        {{Enabled, Action},
         "03/04/2024 10:00:00 AM",
         [](ScheduledEvent& row) {
             row.Enabled = false;
             row.SetAction("Run");
         }},
        {{Name, CloseCommand, Screensaver, EventType, Minutes},
         "03/04/2024 10:00:00 AM",
         [](ScheduledEvent& row) {
             row.SetName("renamed");
             row.SetCloseCommand("True");
             row.SetScreensaver("/x.scr");
             row.SetEventType("Minute-Based Events");
             row.SetMinutes("45");
         }},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        EventTable table;
        table.Rows = {Sample("other", "01/01/2024 10:00:00 AM"), before};
        table.Rows[1].SetEventTime(cases[i].rowTime); // as the scheduler may have moved it since
        ScheduledEvent expected = table.Rows[1];
        cases[i].change(expected);
        EXPECT_EQ(UpdateSelectedEvent(table, table.Rows[1].Serial(), cases[i].edited, fields, regional), 1u);
        EXPECT_EQ(table.Rows[1], expected) << "case " << i << ": " << table.Rows[1].EventTime();
        EXPECT_EQ(table.Rows[0].Name(), "other");
    }
}

} // namespace
} // namespace kelvane
