#include "core/error_texts.h"

#include <gtest/gtest.h>

namespace wendle {
namespace {

PathRules ShiftJisRules() {
    const unsigned char ranges[12] = {0x81, 0x9F, 0xE0, 0xFC};
    return PathRules::FromSystem(true, ranges);
}

TEST(IoFailureTextTest, KnownCodesHaveTheirOwnTexts) {
    struct Row {
        std::uint32_t code;
        const char* text;
    };
    const Row rows[] = {
        {2, "\xCC\xA7\xB2\xD9\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1"},
        {3, "\x95\x73\x90\xB3\x82\xC8\xCC\xA7\xB2\xD9\x96\xBC\x82\xC5\x82\xB7"},
        {4,
         "\xB5\xB0\xCC\xDF\xDD\x82\xB5\x82\xBD\xCC\xA7\xB2\xD9\x82\xAA\x91\xBD\x82\xB7\x82\xAC\x82"
         "\xDC\x82\xB7"},
        {5,
         "\xCC\xA7\xB2\xD9\x82\xD6\x82\xCC\xB1\xB8\xBE\xBD\x82\xAA\x8B\x91\x94\xDB\x82\xB3\x82\xEA"
         "\x82\xDC\x82\xB5\x82\xBD"},
        {100,
         "\xCC\xA7\xB2\xD9\x82\xCC\x96\x96\x94\xF6\x88\xC8\x8D\x7E\x82\xF0\x93\xC7\x82\xDD\x8D\x9E"
         "\x82\xDD\x82\xDC\x82\xB5\x82\xBD"},
        {101, "\xC3\xDE\xA8\xBD\xB8\x82\xAA\x82\xA2\x82\xC1\x82\xCF\x82\xA2\x82\xC5\x82\xB7"},
        {106,
         "\x93\xFC\x97\xCD\x92\x6C\x82\xAA\x90\x94\x92\x6C\x82\xC5\x82\xCD\x82\xA0\x82\xE8\x82\xDC"
         "\x82\xB9\x82\xF1"},
        {0, "I/O \xB4\xD7\xB0 (0)"},
        {21, "I/O \xB4\xD7\xB0 (21)"},
        {267, "I/O \xB4\xD7\xB0 (267)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        EXPECT_EQ(row.text, IoFailureText(row.code));
    }
}

TEST(FallbackBoxTextTest, FullStopFollowsCharactersThatSortAfterIt) {
    struct Row {
        const char* text;
        const char* shown;
    };
    const Row rows[] = {
        {"", ""},
        {"abc.", "abc."},           // "." itself does not sort after "."
        {"a-", "a-"},               // 2D
        {"a)", "a)"},               // 29
        {"a ", "a "},               // 20
        {"a/", "a/."},              // 2F, the first byte after "."
        {"\xB8", "\xB8."},          // half-width kana sort after it as unsigned bytes
        {"\x95\x5C", "\x95\x5C."},  // 表: its trail byte is a backslash
        // A lead byte binds what follows it, so this ends in one character
        // 81 29, which sorts after "." though its last byte 29 does not.
        {"ab\x81)", "ab\x81)."},
        // Two lead bytes make one character; the ")" after them stands alone.
        {"\x81\x81)", "\x81\x81)"},
    };
    PathRules rules = ShiftJisRules();
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "text: " << row.text);
        EXPECT_EQ(row.shown, FallbackBoxText(row.text, rules));
    }
}

TEST(FallbackBoxTextTest, SingleByteSystemJudgesTheLastByteAlone) {
    EXPECT_EQ("ab\x81)", FallbackBoxText("ab\x81)", PathRules()));
    EXPECT_EQ("ab\x81.", FallbackBoxText("ab\x81", PathRules()));
}

TEST(FallbackBoxTextTest, IoFailureTexts) {
    PathRules rules = ShiftJisRules();
    EXPECT_EQ("\x95\x73\x90\xB3\x82\xC8\xCC\xA7\xB2\xD9\x96\xBC\x82\xC5\x82\xB7.",
              FallbackBoxText(IoFailureText(3), rules));
    EXPECT_EQ("I/O \xB4\xD7\xB0 (21)", FallbackBoxText(IoFailureText(21), rules));
}

}  // namespace
}  // namespace wendle
