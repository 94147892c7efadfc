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
