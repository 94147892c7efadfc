#include "settings/fileFunc.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(ParseIniInteger, AcceptsDecimalAndHexOnly)
{
    const struct
    {
        const char* text;
        std::optional<int32_t> value;
    } cases[] = {
        {"0", 0},
        {"3600", 3600},
        {"-25", -25},
        {"+7", 7},
        {"0x10", 16},
        {"0X1f", 31},
        {"0xFFFFFFFF", -1}, // all 32 bits, as the platform that wrote it meant
        {"0x", std::nullopt},
        {"0x1G", std::nullopt},
        {"0x100000000", std::nullopt},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"-2147483648", INT32_MIN},
        {"", std::nullopt},
        {"12abc", std::nullopt},
        {"true", std::nullopt},
        {"1.5", std::nullopt},
        {"+-1", std::nullopt},
        {"1 2", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseIniInteger(c.text), c.value) << c.text;
    }
}

class IniHelpers : public testing::Test
{
protected:
    test::TempDir dir;
    std::string file = dir.file("settings.ini");
};

TEST_F(IniHelpers, MissingFileOrKeyGivesTheDefault)
{
    EXPECT_EQ(ReadIniInteger(file, "Settings", "Interval", 3600), 3600);
    EXPECT_TRUE(ReadIniBool(file, "Settings", "SwitchEnabled", true));
    EXPECT_EQ(ReadIniString(file, "Settings", "Skin", "Windows"), "Windows");

    dir.write("settings.ini", "[Settings]\r\nOther=1\r\n");
    EXPECT_EQ(ReadIniInteger(file, "Settings", "Interval", 3600), 3600);
    EXPECT_EQ(ReadIniString(file, "Other", "Skin", ""), "");
}

TEST_F(IniHelpers, ValuesOfTheWrongFormGiveTheDefault)
{
    dir.write("settings.ini", "[S]\r\nb1=true\r\nb2=7\r\nb3=0\r\ni1=0x10\r\ni2=ten\r\n");
    EXPECT_TRUE(ReadIniBool(file, "S", "b1", true)) << "a word is no integer";
    EXPECT_FALSE(ReadIniBool(file, "S", "b1", false));
    EXPECT_TRUE(ReadIniBool(file, "S", "b2", false)) << "any integer but 0 is true";
    EXPECT_FALSE(ReadIniBool(file, "S", "b3", true));
    EXPECT_EQ(ReadIniInteger(file, "S", "i1", 5), 16);
    EXPECT_EQ(ReadIniInteger(file, "S", "i2", 5), 5);
}

TEST_F(IniHelpers, WritesCreateTheFileAndReadBack)
{
    ASSERT_TRUE(WriteIniBool(file, "Settings", "LogIsOn", true).ok());
    ASSERT_TRUE(WriteIniInteger(file, "Settings", "Interval", -42).ok());
    ASSERT_TRUE(WriteIniString(file, "Settings", "Skin", "Glow").ok());
    EXPECT_EQ(dir.read("settings.ini"), "[Settings]\r\nLogIsOn=1\r\nInterval=-42\r\nSkin=Glow\r\n");
    EXPECT_TRUE(ReadIniBool(file, "Settings", "LogIsOn", false));
    EXPECT_EQ(ReadIniInteger(file, "Settings", "Interval", 0), -42);
    EXPECT_EQ(ReadIniString(file, "Settings", "Skin", ""), "Glow");
}

TEST_F(IniHelpers, ARefusedWriteSaysWhichFile)
{
    dir.write("blocker", "");
    const std::string unreachable = dir.file("blocker/settings.ini");
    const Status status = WriteIniInteger(unreachable, "Settings", "Interval", 1);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.message(), "Unable to write to " + unreachable);
}

TEST_F(IniHelpers, BinaryGarbageReadsAsDefaultsAndSurvivesAWrite)
{
    std::string garbage;
    for (int i = 0; i < 512; ++i) {
        garbage.push_back(static_cast<char>((i * 37) & 0xFF));
    }
    dir.write("settings.ini", garbage);
    EXPECT_EQ(ReadIniInteger(file, "Settings", "Interval", 3600), 3600);
    ASSERT_TRUE(WriteIniInteger(file, "Settings", "Interval", 60).ok());
    EXPECT_EQ(ReadIniInteger(file, "Settings", "Interval", 3600), 60);
}

} // namespace
} // namespace kelvane
