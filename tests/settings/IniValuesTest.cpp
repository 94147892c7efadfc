#include "settings/IniValues.h"

#include "settings/IniDocument.h"
#include "settings/fileFunc.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

using namespace std::string_literals;

// Texts where the reading rules show, each read for the same names.
const std::string kTexts[] = {
    // A key twice, a section twice (the second one holding a key the first lacks), letter case, blanks,
    // quotes, a key before any section, lines without "=", and unknown sections around the known ones.
    "; written by hand\r\n"
    "orphan=before any section\r\n"
    "[Plugin]\r\nInterval=from another program\r\n"
    "[settings]\r\n"
    "interval=0x20\r\n"
    "Interval=999\r\n"
    "  Skin  =  'Carbon'  \r\n"
    "not a key\r\n"
    "Empty=\r\n"
    "[PosSave]\r\nLeft=5\r\n"
    "[ Settings ]\r\n"
    "Interval=1\r\n"
    "Later=only in the second section\r\n"
    "[PosSave]\r\nTop=6\r\n",
    // A header without its closing bracket, a header with text after it, an empty section name, a
    // key of no name, "=" inside a value, and LF line ends with no line end at the very end.
    "[Settings\nInterval=7\n[PosSave] trailing\nLeft=8\n[]\n=nameless\nSkin=a=b\n[Last]\nk=v",
    // The same section given first empty, then again; a section that is nothing but its header.
    "[Settings]\r\n[Settings]\r\nInterval=3\r\n[PosSave]",
    // Marks and encodings: UTF-8 with a mark, Windows-1252 (not UTF-8), UTF-16 with a mark.
    "\xEF\xBB\xBF[Settings]\r\nSkin=Caf\xC3\xA9\r\n",
    "[Settings]\r\nSkin=Caf\xE9\r\n",
    "\xFF\xFE[\0S\0e\0t\0t\0i\0n\0g\0s\0]\0\r\0\n\0S\0k\0i\0n\0=\0\xE9\0\r\0\n\0"s,
    // Only a value longer than a read returns, and nothing at all.
    "[Settings]\nSkin=" + std::string(3000, 'v') + "\n",
    "",
};

const std::pair<const char*, const char*> kNames[] = {
    {"Settings", "Interval"},  {"SETTINGS", "interval"},
    {"Settings", "Skin"},      {"Settings", "Later"},
    {"Settings", "orphan"},    {"Settings", "Empty"},
    {"Settings", "not a key"}, {"Settings", ""},
    {"PosSave", "Left"},       {"PosSave", "Top"},
    {"Plugin", "Interval"},    {"", ""},
    {"", "nameless"},          {"Last", "k"},
    {"Missing", "Left"},
};

// Both readers of the file must agree on every name: the window reads through one, and the tests of
// the writes read back through the other.
TEST(IniValues, ReadsEveryNameAsTheEditableDocumentDoes)
{
    for (const std::string& text : kTexts) {
        const IniDocument document = IniDocument::Parse(text);
        const IniValues values = IniValues::Parse(text);
        for (const auto& [section, key] : kNames) {
            EXPECT_EQ(values.Get(section, key), document.Get(section, key)) << "[" << section << "] " << key << " in\n"
                                                                            << text;
        }
    }
}

TEST(IniValues, TheFirstSectionAndTheFirstLineOfAKeyWin)
{
    const IniValues values = IniValues::Parse(kTexts[0]);
    EXPECT_EQ(values.Get("Settings", "Interval"), "0x20");
    EXPECT_EQ(values.Get("Settings", "Skin"), "Carbon");
    EXPECT_EQ(values.Get("Settings", "Later"), std::nullopt) << "a later section of the same name is not read";
    EXPECT_EQ(values.Get("PosSave", "Left"), "5");
    EXPECT_EQ(values.Get("PosSave", "Top"), std::nullopt);
    EXPECT_EQ(values.Get("Plugin", "Interval"), "from another program");
    EXPECT_EQ(IniValues().Get("Settings", "Interval"), std::nullopt);
}

// Many sections and keys, so that the look-ups meet many other names on their way.
TEST(IniValues, FindsEachOfManyNames)
{
    std::string text;
    for (int section = 0; section < 300; ++section) {
        text += "[Section" + std::to_string(section) + "]\r\n";
        for (int key = 0; key < 300; ++key) {
            text += "KEY" + std::to_string(key) + "=" + std::to_string(section * 1000 + key) + "\r\n";
        }
    }
    text += "[section7]\r\nkey5=a repeated section\r\n";
    const IniValues values = IniValues::Parse(text);
    for (int section = 0; section < 300; section += 7) {
        for (int key = 0; key < 300; key += 13) {
            EXPECT_EQ(values.Get("section" + std::to_string(section), "Key" + std::to_string(key)),
                      std::to_string(section * 1000 + key));
        }
        EXPECT_EQ(values.Get("Section" + std::to_string(section), "Key300"), std::nullopt);
    }
    EXPECT_EQ(values.Get("Section300", "Key0"), std::nullopt);
}

TEST(ReadIniValues, ReadsTheFileAsItIsThenAndNeverAgain)
{
    test::TempDir dir;
    const std::string file = dir.file("settings.ini");
    EXPECT_EQ(ReadIniInteger(ReadIniValues(file), "Settings", "Interval", 42), 42) << "a missing file";
    EXPECT_EQ(ReadIniInteger(ReadIniValues(dir.path()), "Settings", "Interval", 42), 42) << "a folder";

    dir.write("settings.ini", "[Settings]\r\nInterval=0x10\r\nLogIsOn=1\r\nSkin=Carbon\r\nBad=12abc\r\n");
    const IniValues stored = ReadIniValues(file);
    ASSERT_TRUE(WriteIniInteger(file, "Settings", "Interval", 99).ok());
    EXPECT_EQ(ReadIniInteger(stored, "Settings", "Interval", 42), 16);
    EXPECT_EQ(ReadIniInteger(stored, "Settings", "Bad", 42), 42);
    EXPECT_TRUE(ReadIniBool(stored, "Settings", "LogIsOn", false));
    EXPECT_EQ(ReadIniString(stored, "Settings", "Skin", "Windows"), "Carbon");
    EXPECT_EQ(ReadIniString(stored, "Settings", "Missing", "Windows"), "Windows");
    EXPECT_EQ(ReadIniInteger(file, "Settings", "Interval", 42), 99) << "a new read sees the file as it is now";
}

} // namespace
} // namespace kelvane
