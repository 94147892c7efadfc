#include "app/Language.h"

#include "TestPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

using namespace std::string_literals;

struct ContentCase
{
    const char* name;
    std::string content;
    std::string message; // empty: loads

    friend void PrintTo(const ContentCase& c, std::ostream* os) { *os << c.name; }
};

class LanguageFileContent : public testing::TestWithParam<ContentCase>
{};

TEST_P(LanguageFileContent, LoadsOrGivesTheMessage)
{
    const ContentCase& c = GetParam();
    test::TempDir dir;
    dir.write("language.json", c.content);
    Language language;
    const Status status = language.LoadLanguage(dir.file("language.json"), "English");
    if (c.message.empty()) {
        EXPECT_TRUE(status.ok()) << status.message();
        EXPECT_EQ(language.Translate("Greeting"), "Hello");
        return;
    }
    ASSERT_FALSE(status.ok());
    const std::string message = status.message();
    EXPECT_EQ(message.substr(0, c.message.size()), c.message);
    EXPECT_EQ(language.Translate("Greeting"), "") << "nothing loaded";
}

const std::string kGood = R"({"English": {"Greeting": "Hello"}, "Deutsch": {"Greeting": "Hallo"}})";

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageFileContent,
    testing::Values(
        ContentCase{"utf8", kGood, ""}, ContentCase{"utf8_with_mark", "\xEF\xBB\xBF" + kGood, ""},
        ContentCase{"utf16le_with_mark",
                    "\xFF\xFE{\0\"\0E\0n\0g\0l\0i\0s\0h\0\"\0:\0{\0\"\0G\0r\0e\0e\0t\0i\0n\0g\0"
                    "\"\0:\0\"\0H\0e\0l\0l\0o\0\"\0}\0}\0"s,
                    ""},
        ContentCase{"empty", "", "Failed to parse JSON language file: Parsed object is nil."},
        ContentCase{"not_json", "English = Hello", "Failed to parse JSON language file: Parsed object is nil."},
        ContentCase{"cut_short", R"({"English": {"Greeting": "Hel)",
                    "Failed to parse JSON language file: Parsed object is nil."},
        ContentCase{"array", R"([{"English": {}}])", "Failed to parse JSON language file. Error: "},
        ContentCase{"string", R"("English")", "Failed to parse JSON language file. Error: "},
        ContentCase{"no_english", R"({"english": {"Greeting": "Hello"}})", "Language not found in JSON file: English"},
        ContentCase{"english_not_object", R"({"English": ["Hello"]})", "Failed to parse JSON language file. Error: "},
        ContentCase{"not_utf8", "{\"English\": {\"Greeting\": \"caf\xE9\"}}", "Failed to read language file: "}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(LanguageFile, MissingFileOrFolderIsNotFound)
{
    test::TempDir dir;
    Language language;
    EXPECT_EQ(language.LoadLanguage(dir.file("language.json"), "English").message(),
              "Language file not found: " + dir.file("language.json"));
    EXPECT_EQ(language.LoadLanguage(dir.path(), "English").message(), "Language file not found: " + dir.path());
}

TEST(LanguageFile, ReadFailureNamesFileAndReason)
{
    test::TempDir dir;
    dir.write("language.json", "{\"English\": {\"a\": \"\xFF\"}}");
    Language language;
    EXPECT_EQ(language.LoadLanguage(dir.file("language.json"), "English").message(),
              "Failed to read language file: " + dir.file("language.json") + ". Error: invalid UTF-8 at byte 19");
}

TEST(LanguageFile, AFailedLoadKeepsTheLanguageLoadedBefore)
{
    Language language;
    ASSERT_TRUE(language.LoadLanguageFromText(kGood, "Deutsch").ok());
    EXPECT_FALSE(language.LoadLanguageFromText("[]", "English").ok());
    EXPECT_EQ(language.Translate("Greeting"), "Hallo");
}

TEST(Translate, TurnsBackslashNIntoALineBreak)
{
    Language language;
    EXPECT_EQ(language.Translate("Any"), "") << "before any load";
    ASSERT_TRUE(language
                    .LoadLanguageFromText(R"({"English": {
        "Two": "First\\nSecond",
        "Escaped": "one\nline feed",
        "Many": "\\n\\na\\n",
        "Lone": "ends with \\",
        "Other": "\\t stays",
        "Number": 42,
        "Case": "lower"
    }})",
                                          "English")
                    .ok());
    const std::pair<const char*, const char*> cases[] = {
        {"Two", "First\r\nSecond"},
        {"Escaped", "one\nline feed"}, // a JSON line feed is decoded by the parser and stays one
        {"Many", "\r\n\r\na\r\n"},
        {"Lone", "ends with \\"},
        {"Other", "\\t stays"},
        {"Number", "42"},
        {"Missing", ""},
        {"case", ""}, // keys match with letter case
    };
    for (const auto& [key, text] : cases) {
        EXPECT_EQ(language.Translate(key), text) << key;
    }
}

TEST(LanguageFile, TheShippedFileTellsANewUserHowToFillTheList)
{
    Language language;
    ASSERT_TRUE(language.LoadLanguage(KELVANE_LANGUAGE_FILE, "English").ok());
    const std::string hint = language.Translate("EmptyListHint");
    EXPECT_NE(hint.find("\"Find Screensavers\""), std::string::npos) << hint;
    EXPECT_NE(hint.find("\"Add Screensaver\""), std::string::npos) << hint;
    EXPECT_EQ(hint.find('\n'), std::string::npos) << "one line";
}

} // namespace
} // namespace kelvane
