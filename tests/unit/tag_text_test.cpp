#include "core/tag_text.h"

#include <gtest/gtest.h>

#include "common/bytes.h"
#include "common/iconv_conversions.h"

namespace wendle {
namespace {

#define kGeta "\x81\xAC"                         // 〓
#define kMorningSong "\x92\xA9\x82\xCC\x89\xCC"  // 朝の歌 in Shift-JIS

std::string Decode(TagEncoding encoding, const std::string& bytes, unsigned codePage = 932) {
    return DecodeTagText(TagText{encoding, codePage, bytes}, bench::kIconvConversions);
}

TEST(TagText, TextOfTheCodePageOrUtf8AsWritten) {
    struct Row {
        const char* why;
        std::string bytes;
        unsigned codePage;
        std::string expected;
    } rows[] = {
        {"Shift-JIS stays as written", kMorningSong, 932, kMorningSong},
        {"half-width katakana are single bytes", "\xB1\xB2", 932, "\xB1\xB2"},
        {"UTF-8 with a high byte is UTF-8", "\xE6\x9C\x9D\xE3\x81\xAE\xE6\xAD\x8C", 932,
         kMorningSong},
        {"a code page named by CSET",
         "2\xD7"
         "3",
         1252,
         "2\x81\x7E"
         "3"},
        {"a lead byte at the end", "a\x82", 932, "a" kGeta},
        {"a lead byte before a blank", "\x82 b", 932, kGeta " b"},
        {"bytes that start no character", "\x80\xFF" kMorningSong, 932, kGeta kGeta kMorningSong},
        {"valid UTF-8 the program cannot write", "Beyonc\xC3\xA9", 932, "Beyonc" kGeta},
        {"an emoji is one character", "\xF0\x9F\x8E\xB5!", 932, kGeta "!"},
        {"a UTF-8 byte-order mark goes",
         "\xEF\xBB\xBF"
         "abc",
         932, "abc"},
        {"the value ends at its first NUL", std::string("ab\0cd", 5), 932, "ab"},
        {"a run of controls is one blank",
         "a\r\n\tb\x7F"
         "c",
         932, "a b c"},
        {"trailing blanks and controls go", " a  \r\n", 932, " a"},
        {"blanks alone are no value", "   ", 932, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_BYTES(row.expected, Decode(TagEncoding::CodePage, row.bytes, row.codePage));
    }
}

TEST(TagText, UnicodeEncodingsOfId3) {
    const std::string le("\xFF\xFE\x1D\x67\x6E\x30\x4C\x6B\0\0x\0", 12);
    EXPECT_BYTES(kMorningSong, Decode(TagEncoding::Utf16WithBom, le));
    EXPECT_BYTES(kMorningSong, Decode(TagEncoding::Utf16WithBom,
                                      std::string("\xFE\xFF\x67\x1D\x30\x6E\x6B\x4C", 8)));
    // No BOM: little-endian, as Windows writers mean it.
    EXPECT_BYTES(kMorningSong, Decode(TagEncoding::Utf16WithBom, le.substr(2)));
    EXPECT_BYTES(kMorningSong, Decode(TagEncoding::Utf16BigEndian,
                                      std::string("\x67\x1D\x30\x6E\x6B\x4C\x00", 7)));
    // A lone surrogate is no character.
    EXPECT_BYTES("a" kGeta, Decode(TagEncoding::Utf16BigEndian, std::string("\0a\xD8\x3C", 4)));
    // Invalid UTF-8 in a frame that says UTF-8: each bad byte.
    EXPECT_BYTES("a" kGeta kGeta "b", Decode(TagEncoding::Utf8,
                                             "a\xC0\xAF"
                                             "b"));
    EXPECT_BYTES("ab", Decode(TagEncoding::Utf8, std::string("ab\0c", 4)));
}

}  // namespace
}  // namespace wendle
