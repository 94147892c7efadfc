#include "common/EventDateTimeText.h"
#include "scheduler/EventLog.h"
#include "scheduler/NextEvent.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

using namespace std::string_literals;

std::vector<std::string> Lines(const EventLog& log)
{
    return {log.Lines().begin(), log.Lines().end()};
}

TEST(EventLogLimit, TrimsBeforeAppendingSoTheLimitPlusOneStays)
{
    EventLog log;
    log.AddLogLine("ignored");
    EXPECT_TRUE(log.Lines().empty()) << "logging off";

    log.LogIsOn = true;
    log.MaxLogLines = 3;
    for (int i = 1; i <= 6; ++i) {
        log.AddLogLine(std::to_string(i));
    }
    EXPECT_EQ(Lines(log), (std::vector<std::string>{"3", "4", "5", "6"}));

    log.MaxLogLines = 0;
    log.AddLogLine("only");
    EXPECT_EQ(Lines(log), std::vector<std::string>{"only"});
    log.AddLogLine("newest");
    EXPECT_EQ(Lines(log), std::vector<std::string>{"newest"});
}

TEST(EventLogFile, ComesBackWholeAndKeepsItsEncoding)
{
    test::TempDir dir;
    EventLog log;
    log.LogIsOn = true;
    log.AddLogLine("Checking Events");
    log.AddLogLine("Name: Gl\xC3\xBChwein");
    ASSERT_TRUE(log.SaveFile(dir.file("eventLog.txt")).ok());
#ifdef _WIN32
    EXPECT_EQ(dir.read("eventLog.txt"), "Checking Events\r\nName: Gl\xFChwein\r\n") << "the system's code page";
#else
    EXPECT_EQ(dir.read("eventLog.txt"), "Checking Events\r\nName: Gl\xC3\xBChwein\r\n");
#endif

    // A file from elsewhere, UTF-16 with its mark and more lines than the limit: read whole, written back alike.
    dir.write("old.txt", "\xFF\xFE"
                         "a\0\r\0\n\0b\0\r\0\n\0c\0\r\0\n\0"s);
    EventLog reloaded;
    reloaded.MaxLogLines = 1;
    reloaded.LoadFile(dir.file("old.txt"));
    EXPECT_EQ(Lines(reloaded), (std::vector<std::string>{"a", "b", "c"}));
    reloaded.LogIsOn = true;
    reloaded.AddLogLine("d");
    EXPECT_EQ(Lines(reloaded), (std::vector<std::string>{"c", "d"}));
    ASSERT_TRUE(reloaded.SaveFile(dir.file("old.txt")).ok());
    EXPECT_EQ(dir.read("old.txt"), "\xFF\xFE"
                                   "c\0\r\0\n\0d\0\r\0\n\0"s);

    EventLog untouched;
    untouched.LoadFile(dir.file("missing.txt"));
    EXPECT_TRUE(untouched.Lines().empty());
    EXPECT_FALSE(untouched.SaveFile(dir.file("no/such/folder.txt")).ok());
}

class NextEventTest : public testing::Test
{
protected:
    void Add(const std::string& name, DateTime when, bool enabled = true)
    {
        ScheduledEvent row;
        row.SetName(name);
        row.SetEventTime(FormatEventDateTime(when, formats));
        row.Enabled = enabled;
        rows.push_back(row);
    }
    std::string Text() const { return GetNextEventText(rows, clock, formats); }

    RegionalFormats formats;
    test::FakeClock clock{EncodeDateTime({{2024, 5, 1}, {12, 0, 0, 0}})};
    std::vector<ScheduledEvent> rows;
};

TEST_F(NextEventTest, NamesTheNearestCheckedFutureRow)
{
    EXPECT_EQ(Text(), "Next Event: No upcoming events found.");
    Add("past", clock.now - 1.0);
    Add("now", clock.now);
    EXPECT_EQ(Text(), "Next Event: No upcoming events found.");
    EXPECT_EQ(NextEventMessage(rows, clock, formats), "No upcoming events found.");

    Add("later", clock.now + 1 + (2 * 3600 + 3 * 60 + 4) / 86400.0);
    Add("disabled nearer", clock.now + 10 * OneSecond, false);
    EXPECT_EQ(Text(), "Next Event: later in: 1 Day(s), 2 Hour(s), 3 Minute(s), and 4 Second(s)");
    EXPECT_EQ(NextEventMessage(rows, clock, formats),
              "Next Event later in: 1 Day(s), 2 Hour(s), 3 Minute(s), and 4 Second(s)");

    Add("50% off", clock.now + 30 * OneSecond);
    Add("same time, lower", clock.now + 30 * OneSecond);
    EXPECT_EQ(Text(), "Next Event: 50% off in: 0 Day(s), 0 Hour(s), 0 Minute(s), and 30 Second(s)");

    rows.insert(rows.begin(), rows.back());
    rows.front().SetEventTime("not a time");
    EXPECT_EQ(Text(), "Next Event: 50% off in: 0 Day(s), 0 Hour(s), 0 Minute(s), and 30 Second(s)")
        << "an unreadable row cannot be next";
}

TEST(DistanceInWordsText, SecondsAreNotRoundedUp)
{
    EXPECT_EQ(DistanceInWords(59.6 / 86400.0), " in: 0 Day(s), 0 Hour(s), 0 Minute(s), and 59 Second(s)");
    EXPECT_EQ(DistanceInWords(3.0 + 86399.9999 / 86400.0), " in: 4 Day(s), 0 Hour(s), 0 Minute(s), and 0 Second(s)");
}

} // namespace
} // namespace kelvane
