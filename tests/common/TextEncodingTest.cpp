#include "common/TextEncoding.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

struct DecodeCase
{
    const char* name;
    std::string bytes;
    std::string utf8;
    TextEncoding encoding;

    friend void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }
};

class LenientDecoding : public testing::TestWithParam<DecodeCase>
{};

TEST_P(LenientDecoding, DecodesAndWritesBackTheSameBytes)
{
    const DecodeCase& c = GetParam();
    const DecodedText decoded = DecodeTextLenient(c.bytes);
    EXPECT_EQ(decoded.utf8, c.utf8);
    EXPECT_EQ(decoded.encoding, c.encoding);
    EXPECT_EQ(EncodeText(decoded.utf8, decoded.encoding), c.bytes);

    // Handing the bytes over, as a large file's reader does, decodes them the same way.
    const DecodedText taken = DecodeTextLenient(std::string(c.bytes));
    EXPECT_EQ(taken.utf8, c.utf8);
    EXPECT_EQ(taken.encoding, c.encoding);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Files, LenientDecoding,
    testing::Values(DecodeCase{"plain_ascii", "a=1\r\n", "a=1\r\n", TextEncoding::Utf8},
                    DecodeCase{"utf8_without_mark", "caf\xC3\xA9", "caf\xC3\xA9", TextEncoding::Utf8},
                    DecodeCase{"utf8_with_mark",
                               "\xEF\xBB\xBF"
                               "caf\xC3\xA9",
                               "caf\xC3\xA9", TextEncoding::Utf8Bom},
                    DecodeCase{"utf16le_with_mark",
                               "\xFF\xFE"
                               "a\0\xE9\0"s,
                               "a\xC3\xA9", TextEncoding::Utf16LeBom},
                    DecodeCase{"utf16be_with_mark", "\xFE\xFF\0a\0\xE9"s, "a\xC3\xA9", TextEncoding::Utf16BeBom},
                    DecodeCase{"utf16le_surrogate_pair", "\xFF\xFE\x3D\xD8\x00\xDE"s, "\xF0\x9F\x98\x80",
                               TextEncoding::Utf16LeBom},
                    // Western Windows "ANSI": é, the euro sign and a curly quote from the 0x80 block.
                    DecodeCase{"windows1252", "caf\xE9 \x80\x96", "caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x93",
                               TextEncoding::Windows1252}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(LenientDecodingEdges, BinaryGarbageNeverFailsAndOddUtf16ByteIsDropped)
{
    std::string garbage;
    for (int i = 0; i < 256; ++i) {
        garbage.push_back(static_cast<char>(i));
    }
    EXPECT_TRUE(IsValidUtf8(DecodeTextLenient(garbage).utf8));
    EXPECT_EQ(DecodeTextLenient("\xFF\xFE"
                                "a\0b"s)
                  .utf8,
              "a");
    EXPECT_EQ(DecodeTextLenient("\xFF\xFE\x00\xD8"s).utf8, "\xEF\xBF\xBD") << "a lone surrogate";
}

TEST(StrictDecoding, RefusesBytesThatAreNotUtf8AndSaysWhere)
{
    const struct
    {
        std::string bytes;
        std::string error;
    } cases[] = {
        {"ab\xE9", "invalid UTF-8 at byte 2"},
        {"\xC0\x80", "invalid UTF-8 at byte 0"},     // overlong
        {"\xED\xA0\x80", "invalid UTF-8 at byte 0"}, // a surrogate
        {"\xEF\xBB\xBF"
         "a\xFF",
         "invalid UTF-8 at byte 4"},              // after the mark
        {"x\xE2\x82", "invalid UTF-8 at byte 1"}, // cut short
        // Past long runs of ASCII, and inside the eight bytes that follow one.
        {"/usr/lib/xscreensaver/glow.scr\r\n/s/\xE9t\xC3\xA9.scr", "invalid UTF-8 at byte 35"},
        {"0123456789abcdef\xC3\xA9"
         "0123456\x80",
         "invalid UTF-8 at byte 25"},
        {"0123456789abcdef\xC3", "invalid UTF-8 at byte 16"},
    };
    for (const auto& c : cases) {
        const auto result = DecodeTextStrict(c.bytes);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.message(), c.error);
    }
    EXPECT_EQ(DecodeTextStrict("\xFF\xFE{\0}\0"s).value().utf8, "{}");
}

TEST(Encoding, CharactersWindows1252CannotHoldBecomeQuestionMarks)
{
    EXPECT_EQ(EncodeText("a\xE2\x82\xAC\xE4\xB8\xAD", TextEncoding::Windows1252), "a\x80?");
}

} // namespace
} // namespace kelvane
