#include "settings/IniDocument.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

using namespace std::string_literals;

// A file as the Windows build leaves it, with a few things people do to INI files by hand.
const std::string kFixture = "; written by hand\r\n"
                             "orphan=before any section\r\n"
                             "[Settings]\r\n"
                             "Interval=120\r\n"
                             "  Skin  =  Windows10 Dark  \r\n"
                             "Quoted=\"  padded  \"\r\n"
                             "Single='x'\r\n"
                             "Half=\"open\r\n"
                             "Empty=\r\n"
                             "Unknown=kept\r\n"
                             "\r\n"
                             "[settings]\r\n"
                             "Interval=999\r\n"
                             "Later=only in the second section\r\n"
                             "[PosSave]\r\n"
                             "Left=10\r\n";

TEST(IniDocumentRead, FollowsTheProfileFileRules)
{
    const IniDocument doc = IniDocument::Parse(kFixture);
    const struct
    {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    } cases[] = {
        {"Settings", "Interval", "120"},
        {"SETTINGS", "interval", "120"},        // names match without regard to case
        {"Settings", "Skin", "Windows10 Dark"}, // blanks around name and value dropped
        {"Settings", "Quoted", "  padded  "},   // one pair of quotes dropped, inside kept
        {"Settings", "Single", "x"},
        {"Settings", "Half", "\"open"}, // an unmatched quote stays
        {"Settings", "Empty", ""},
        {"Settings", "Later", std::nullopt},  // the first section of a name wins
        {"Settings", "orphan", std::nullopt}, // keys before any section belong to none
        {"PosSave", "Left", "10"},
        {"PosSave", "Top", std::nullopt},
        {"Missing", "Left", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(doc.Get(c.section, c.key), c.value) << c.section << "/" << c.key;
    }
}

TEST(IniDocumentRead, CutsLongValuesAtWholeCharacters)
{
    const std::string accented = "\xC3\xA9"; // é, two bytes
    std::string longValue;
    for (int i = 0; i < 3000; ++i) {
        longValue += accented;
    }
    const IniDocument doc = IniDocument::Parse("[S]\nk=" + longValue + "\n");
    const std::string value = doc.Get("S", "k").value();
    EXPECT_EQ(value.size(), MaxIniValueLength * accented.size());
}

TEST(IniDocumentWrite, ChangesOnlyTheKeyItWrites)
{
    IniDocument doc = IniDocument::Parse(kFixture);
    doc.Set("settings", "INTERVAL", "60");     // replaces the line, keeps its spelling
    doc.Set("Settings", "SwitchEnabled", "0"); // joins the first section, before its blank line
    doc.Set("PosSave", "Top", "20");
    doc.Set("NormalColumnWidths", "Column0", "150");
    EXPECT_EQ(doc.Serialize(), "; written by hand\r\n"
                               "orphan=before any section\r\n"
                               "[Settings]\r\n"
                               "Interval=60\r\n"
                               "  Skin  =  Windows10 Dark  \r\n"
                               "Quoted=\"  padded  \"\r\n"
                               "Single='x'\r\n"
                               "Half=\"open\r\n"
                               "Empty=\r\n"
                               "Unknown=kept\r\n"
                               "SwitchEnabled=0\r\n"
                               "\r\n"
                               "[settings]\r\n"
                               "Interval=999\r\n"
                               "Later=only in the second section\r\n"
                               "[PosSave]\r\n"
                               "Left=10\r\n"
                               "Top=20\r\n"
                               "\r\n"
                               "[NormalColumnWidths]\r\n"
                               "Column0=150\r\n");
}

TEST(IniDocumentWrite, StartsAnEmptyFileAndKeepsValuesOnOneLine)
{
    IniDocument doc;
    doc.Set("Settings", "Skin", "two\r\nlines");
    EXPECT_EQ(doc.Serialize(), "[Settings]\r\nSkin=two  lines\r\n");
    EXPECT_EQ(IniDocument::Parse(doc.Serialize()).Get("Settings", "Skin"), "two  lines");
}

TEST(IniDocumentWrite, KeepsTheFileEncoding)
{
    // UTF-16 with a mark, as the Windows profile functions write Unicode files.
    IniDocument utf16 = IniDocument::Parse("\xFF\xFE[\0S\0]\0\r\0\n\0"s);
    utf16.Set("S", "k", "\xC3\xA9");
    EXPECT_EQ(utf16.Serialize(), "\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE9\0\r\0\n\0"s);

    IniDocument ansi = IniDocument::Parse("[S]\r\nname=caf\xE9\r\n");
    EXPECT_EQ(ansi.Get("S", "name"), "caf\xC3\xA9");
    ansi.Set("S", "k", "1");
    EXPECT_EQ(ansi.Serialize(), "[S]\r\nname=caf\xE9\r\nk=1\r\n");
}

TEST(IniDocumentRead, LinuxLineEndsAndAMissingLastLineEndRead)
{
    const IniDocument doc = IniDocument::Parse("[S]\na=1\nb=2");
    EXPECT_EQ(doc.Get("S", "a"), "1");
    EXPECT_EQ(doc.Get("S", "b"), "2");
}

} // namespace
} // namespace kelvane
