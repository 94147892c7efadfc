#include "update/UpdateClass.h"

#include "common/TextEncoding.h"
#include "support/FakeHttpGet.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace kelvane {
namespace {

using platform::HttpResponse;
using Lines = std::vector<std::string>;

TEST(CompareVersionsTest, ComparesPartByPartAsNumbers)
{
    struct Case
    {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        // Leading zeros and missing parts do not count.
        {"1.01", "1.1", 0},
        {"1.01", "1.1.0", 0},
        {"1.01", "1.0.0.9", 1},
        {"1.01", "1.2", -1},
        {"1.01", "2", -1},
        {"1.02", "1.01", 1},
        {"1.9", "1.10", -1},
        // Empty parts are parts of value 0.
        {"1..2", "1.0.2", 0},
        {"", "0", 0},
        {"", "0.0.1", -1},
        {".", "0.0", 0},
        // A part that is not a whole number is 0, so such a version is never newer.
        {"abc", "0", 0},
        {"abc", "1.01", -1},
        {"1.x", "1.0", 0},
        {"1.2a", "1", 0},
        {" 2", "0", 0},
        {"1.2 ", "1", 0},
        {"0x10", "0", 0},
        {"1.-", "1", 0},
        // Signs.
        {"1.-1", "1", -1},
        {"1.+2", "1.2", 0},
        {"-0", "0", 0},
        {"-2", "-1", -1},
        // Parts beyond any machine integer still compare by their value.
        {"1.99999999999999999999999", "1.2", 1},
        {"1.00000000000000000000002", "1.2", 0},
        {"18446744073709551617", "18446744073709551616", 1},
        {"-18446744073709551617", "-18446744073709551616", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareVersions(c.a, c.b), c.expected) << '"' << c.a << "\" vs \"" << c.b << '"';
        EXPECT_EQ(CompareVersions(c.b, c.a), -c.expected) << '"' << c.b << "\" vs \"" << c.a << '"';
    }
}

TEST(VersionFileTest, LinesEndWithAnyOfTheThreeBreaks)
{
    struct Case
    {
        std::string text;
        Lines expected;
    };
    const Case cases[] = {
        {"1.02\r\nhttps://a.example/d\r\nNew!", {"1.02", "https://a.example/d", "New!"}},
        {"1.02\nhttps://a.example/d\nNew!\n", {"1.02", "https://a.example/d", "New!"}},
        {"1.02\rhttps://a.example/d\rNew!\r", {"1.02", "https://a.example/d", "New!"}},
        {"1.02\r\nx\ny\r", {"1.02", "x", "y"}},
        // Only one break at the end is free: an empty last line counts.
        {"a\nb\nc\n\n", {"a", "b", "c", ""}},
        {"a\r\n\r\n", {"a", ""}},
        // LF then CR are two breaks, CR then LF one.
        {"a\n\rb", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"", {}},
        {"\n", {""}},
        {"only", {"only"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitLines(c.text), c.expected) << testing::PrintToString(c.text);
    }
}

TEST(VersionFileTest, OnlyAWholeAnswerWithStatus200HasLines)
{
    using Outcome = HttpResponse::Outcome;
    EXPECT_EQ(TextLinesOf({Outcome::Answered, 200, "a\r\nb"}), (Lines{"a", "b"}));
    EXPECT_EQ(TextLinesOf({Outcome::Answered, 200,
                           "\xEF\xBB\xBF"
                           "1.02\nb"}),
              (Lines{"1.02", "b"}));
    EXPECT_EQ(TextLinesOf({Outcome::Answered, 200, ""}), Lines{});
    EXPECT_EQ(TextLinesOf({Outcome::Answered, 200, std::string(MaxVersionFileBytes, 'a')}),
              Lines{std::string(MaxVersionFileBytes, 'a')});

    const HttpResponse refused[] = {
        {Outcome::Answered, 404, "1.02\na\nb"},     {Outcome::Answered, 204, ""},
        {Outcome::Answered, 301, "1.02\na\nb"},     {Outcome::Failed, 0, ""},
        {Outcome::BodyTooLarge, 200, "1.02\na\nb"}, {Outcome::Answered, 200, std::string(MaxVersionFileBytes + 1, 'a')},
    };
    for (const HttpResponse& response : refused) {
        EXPECT_EQ(TextLinesOf(response), std::nullopt) << response.StatusCode << " " << response.Body.size();
    }
}

TEST(CheckForUpdateTest, AnnouncesOnlyANewerVersionInAThreeLineFile)
{
    struct Case
    {
        int status;
        std::string body;
        bool available;
    };
    const Case cases[] = {
        {200, "1.02\r\nhttps://a.example/get\r\nVersion 1.02 is out", true},
        {200, "2\nhttps://a.example/get\nVersion 2 is out\n", true},
        {200, "1.01\nhttps://a.example/get\nsame", false},
        {200, "1.1\nhttps://a.example/get\nsame", false},
        {200, "1.0.0.9\nhttps://a.example/get\nolder", false},
        {200, "abc\nhttps://a.example/get\nnot a version", false},
        {200, "1.02\nhttps://a.example/get\nVersion 1.02 is out\n\n", false},
        {200, "1.02\nhttps://a.example/get", false},
        {200, "1.02\nhttps://a.example/get\nmessage\nmore", false},
        {200, "", false},
        {404, "1.02\nhttps://a.example/get\nVersion 1.02 is out", false},
        {500, "1.02\nhttps://a.example/get\nVersion 1.02 is out", false},
    };
    for (const Case& c : cases) {
        test::FakeHttpGet http;
        std::optional<UpdateCheckResult> result;
        CheckForUpdate(http, "https://updates.example/v.ver", "1.01",
                       [&result](const UpdateCheckResult& r) { result = r; });
        ASSERT_EQ(http.requests.size(), 1u);
        EXPECT_EQ(http.requests[0].Address, "https://updates.example/v.ver");
        EXPECT_EQ(http.requests[0].MaxBodyBytes, MaxVersionFileBytes);
        EXPECT_FALSE(result) << "the check ends only when the answer arrives";

        http.Answer(c.status, c.body);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->Available, c.available) << c.status << " " << testing::PrintToString(c.body);
        if (c.available) {
            EXPECT_EQ(result->DownloadAddress, "https://a.example/get");
            EXPECT_EQ(result->Message.rfind("Version ", 0), 0u) << result->Message;
        }
    }
}

TEST(CheckForUpdateTest, AFailedOrCutOffDownloadAnnouncesNothing)
{
    for (const auto outcome : {HttpResponse::Outcome::Failed, HttpResponse::Outcome::BodyTooLarge}) {
        test::FakeHttpGet http;
        std::optional<UpdateCheckResult> result;
        CheckForUpdate(http, "https://updates.example/v.ver", "1.01",
                       [&result](const UpdateCheckResult& r) { result = r; });
        http.Answer({outcome, 200, "1.02\nhttps://a.example/get\nnew"});
        ASSERT_TRUE(result);
        EXPECT_FALSE(result->Available);
    }
}

TEST(UpdateAddressTest, TheVendorSiteGivesTheAddressUnlessOverridden)
{
    EXPECT_EQ(UpdateFileAddress("https://www.quillfen.example"),
              "https://www.quillfen.example/updates/KelvaneUpdates.ver");
    EXPECT_EQ(UpdateFileAddress("https://mirror.example/"), "https://mirror.example/updates/KelvaneUpdates.ver");
    EXPECT_EQ(UpdateFileAddress("https://www.quillfen.example", "https://127.0.0.1:4443/v.ver"),
              "https://127.0.0.1:4443/v.ver");
}

TEST(UpdateAddressTest, OnlyWebAddressesMayBeOpened)
{
    for (const char* address : {"https://www.quillfen.example/download", "http://a.example", "HTTPS://A.EXAMPLE/x",
                                "https://127.0.0.1:8443/kelvane.zip?x=1"}) {
        EXPECT_TRUE(IsWebAddress(address)) << address;
    }
    for (const char* address :
         {"", "file:///etc/passwd", "file://host/share/setup.exe", "C:\\Windows\\System32\\calc.exe", "/usr/bin/xterm",
          "javascript:alert(1)", "ftp://a.example/k.zip", "https:", "https://", "https:///path", "https:a.example",
          " https://a.example", "https://a.example/ -x", "https://a.example/\t", "mailto:a@b.example",
          "data:text/html,<b>x</b>", "httpsx://a.example"}) {
        EXPECT_FALSE(IsWebAddress(address)) << address;
    }
}

} // namespace
} // namespace kelvane
