#include "scheduler/ScheduledEvent.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace kelvane {
namespace {

using Field = ScheduledEvent::Field;

// Every text of a row, in field order, joined by "|": what a change must leave untouched shows too.
std::string AllTexts(const ScheduledEvent& row)
{
    std::string all;
    for (size_t field = 0; field < ScheduledEvent::FieldCount; ++field) {
        all += std::string(row.Text(static_cast<Field>(field))) + "|";
    }
    return all;
}

TEST(ScheduledEvent, ANewRowHoldsTheDefaultTexts)
{
    const ScheduledEvent row;
    EXPECT_FALSE(row.Enabled);
    EXPECT_EQ(AllTexts(row), "||||||||15|False|0|");
}

TEST(ScheduledEvent, ChangingOneTextKeepsEveryOther)
{
    const ScheduledEvent start(true, {"cap", "name", "07/01/2024 10:00:00 AM", "True", "Run", "/s/a.scr",
                                      "Daily Recurring Events", "12/30/1899 12:00:00 AM", "15", "False", "0"});
    const struct
    {
        Field field;
        std::string text;
        const char* expected;
    } cases[] = {
        {Field::Caption, "",
         "|name|07/01/2024 10:00:00 AM|True|Run|/s/a.scr|Daily Recurring Events|"
         "12/30/1899 12:00:00 AM|15|False|0|"},
        {Field::Name, "a much longer name than before",
         "cap|a much longer name than before|07/01/2024 10:00:00 AM|"
         "True|Run|/s/a.scr|Daily Recurring Events|"
         "12/30/1899 12:00:00 AM|15|False|0|"},
        {Field::Screensaver, "",
         "cap|name|07/01/2024 10:00:00 AM|True|Run||Daily Recurring Events|"
         "12/30/1899 12:00:00 AM|15|False|0|"},
        {Field::RunCount, "12345",
         "cap|name|07/01/2024 10:00:00 AM|True|Run|/s/a.scr|Daily Recurring Events|"
         "12/30/1899 12:00:00 AM|15|False|12345|"},
        {Field::EventTime, "x",
         "cap|name|x|True|Run|/s/a.scr|Daily Recurring Events|"
         "12/30/1899 12:00:00 AM|15|False|0|"},
    };
    for (const auto& c : cases) {
        ScheduledEvent row = start;
        row.SetText(c.field, c.text);
        EXPECT_EQ(AllTexts(row), c.expected) << static_cast<int>(c.field);
        EXPECT_TRUE(row.Enabled);
        EXPECT_NE(row, start);
        row.SetText(c.field, start.Text(c.field));
        EXPECT_EQ(row, start) << "putting the old text back gives the same row";
    }
}

TEST(ScheduledEvent, ATextCanBeSetFromAnotherOfTheSameRow)
{
    ScheduledEvent row;
    row.SetName("Ribbons");
    row.SetScreensaver("/s/ribbons.scr");
    row.SetCaption(row.Screensaver());
    row.SetScreensaver(row.Name());
    row.SetName(row.Name());
    EXPECT_EQ(AllTexts(row), "/s/ribbons.scr|Ribbons||||Ribbons|||15|False|0|");
}

TEST(ScheduledEvent, CopiesAreIndependentAndEqualWhileTheirTextsAre)
{
    ScheduledEvent empty(false, {});
    EXPECT_EQ(empty.TextBytes(), 0u);
    EXPECT_EQ(AllTexts(empty), "|||||||||||");
    ScheduledEvent original;
    original.SetName("Glow");
    ScheduledEvent copy = original;
    EXPECT_EQ(copy, original);
    copy.SetName("Ribbons");
    EXPECT_EQ(original.Name(), "Glow");
    EXPECT_NE(copy, original);
    copy = original;
    EXPECT_EQ(copy, original);
    const ScheduledEvent& same = copy;
    copy = same;
    EXPECT_EQ(copy.Name(), "Glow");
    ScheduledEvent moved = std::move(copy);
    EXPECT_EQ(moved, original);
    empty = original;
    EXPECT_EQ(empty, original);
    for (size_t field = 0; field < ScheduledEvent::FieldCount; ++field) {
        empty.SetText(static_cast<Field>(field), "");
    }
    EXPECT_EQ(empty, ScheduledEvent(false, {}));
    original.Enabled = true;
    EXPECT_NE(original, moved) << "the check box counts too";
}

TEST(ScheduledEvent, ARowIsFoundByItsSerialWhereverItGoesAndACopyIsAnotherRow)
{
    EventTable table;
    for (const char name : std::string("ABCD")) {
        ScheduledEvent row;
        row.SetName(std::string(1, name));
        table.Rows.push_back(row);
    }
    const RowSerial b = table.Rows[1].Serial();
    const RowSerial c = table.Rows[2].Serial();
    EXPECT_NE(b, c);
    EXPECT_NE(b, 0u) << "0 is no row";
    table.MoveRow(1, 3); // ACDB
    EXPECT_EQ(table.IndexOf(b), 3u);
    EXPECT_EQ(table.IndexOf(c), 1u);
    table.EraseRow(0); // CDB
    EXPECT_EQ(table.IndexOf(b), 2u);
    table.Rows[0].SetEventTime("07/01/2024 09:30:00 AM"); // as the scheduler changes a row
    EXPECT_EQ(table.IndexOf(c), 0u);
    table.EraseRow(0); // DB
    EXPECT_FALSE(table.IndexOf(c).has_value()) << "a deleted row is found nowhere";
    EXPECT_FALSE(table.IndexOf(0).has_value());

    const ScheduledEvent copy = table.Rows[1];
    EXPECT_EQ(copy, table.Rows[1]) << "the same texts";
    EXPECT_NE(copy.Serial(), b) << "but another row";
    ScheduledEvent assigned;
    assigned = table.Rows[1];
    EXPECT_NE(assigned.Serial(), b);
    table.AppendRows({copy});
    EXPECT_EQ(table.IndexOf(b), 1u) << "its copy does not stand in for it";
}

TEST(ScheduledEvent, SubItemsAreTheTextsAfterTheCaption)
{
    ScheduledEvent row;
    for (size_t index = 0; index < ScheduledEvent::SubItemCount; ++index) {
        row.SetSubItem(index, std::to_string(index));
    }
    EXPECT_EQ(row.Name(), "0");
    EXPECT_EQ(row.EventTime(), "1");
    EXPECT_EQ(row.RunCount(), "9");
    EXPECT_EQ(row.Caption(), "");
    EXPECT_EQ(row.SubItem(5), "5");
    EXPECT_THROW((void)row.SubItem(ScheduledEvent::SubItemCount), std::out_of_range);
    EXPECT_THROW(row.SetSubItem(ScheduledEvent::SubItemCount, "x"), std::out_of_range);
}

TEST(ScheduledEvent, TextsJoinStringsLikeTheStringsTheyAre)
{
    ScheduledEvent row;
    row.SetName("Glow");
    const std::string joined = "Name: " + row.Name() + " ran " + row.RunCount() + " times";
    EXPECT_EQ(joined, "Name: Glow ran 0 times");
    const std::string copy = row.Name();
    row.SetName("changed");
    EXPECT_EQ(copy, "Glow");
}

} // namespace
} // namespace kelvane
