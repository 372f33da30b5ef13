#include "core/command_line.h"

#include "core/bitrates.h"

#include <gtest/gtest.h>

namespace wendle {
namespace {

PathRules ShiftJis() {
    const unsigned char ranges[12] = {0x81, 0x9F, 0xE0, 0xFC};
    return PathRules::FromSystem(true, ranges);
}

EncodeFields Fields() {
    EncodeFields f;
    f.bitrateIndex = 1;
    f.outputFileName = "take1.ogg";
    f.inputFileName = "D:\\Wave\\take1.wav";
    return f;
}

TEST(CommandLine, WorkedExampleQuotesOnlyWhatNeedsIt) {
    EncodeFields f = Fields();
    f.bitrateIndex = 2;
    f.title = "Morning Song";
    f.album = "Demo";
    EXPECT_EQ(
        "C:\\Tools\\oggenc.exe -b192 -t\"Morning Song\" -lDemo -ntake1.ogg "
        "\"D:\\Wave\\take1.wav\"",
        BuildCommandLine("C:\\Tools\\oggenc.exe", f, ShiftJis()));
}

TEST(CommandLine, BitrateFollowsItemIndexAndFallsBackTo160) {
    const char* expected[] = {" -b160", " -b128", " -b160", " -b192", " -b256", " -b350", " -b160"};
    for (int index = -1; index <= 5; ++index) {
        SCOPED_TRACE(index);
        EXPECT_STREQ(expected[index + 1], BitrateAt(index).option);
    }
}

TEST(CommandLine, EmptyTagsLeaveNoTraceButTheNameAlwaysStands) {
    EncodeFields f = Fields();
    f.outputFileName.clear();
    EXPECT_EQ("e.exe -b160 -n \"D:\\Wave\\take1.wav\"", BuildCommandLine("e.exe", f, ShiftJis()));
}

TEST(CommandLine, AllTagsInOrderWithTheCommentAsTagAssignment) {
    EncodeFields f = Fields();
    f.title = "T";
    f.artist = "A";
    f.album = "L";
    f.comment = "Live at home";
    EXPECT_EQ(
        "e.exe -b160 -tT -aA -lL -c\"COMMENT=Live at home\" -ntake1.ogg \"D:\\Wave\\take1.wav\"",
        BuildCommandLine("e.exe", f, ShiftJis()));
    f.comment = "Live";
    EXPECT_NE(std::string::npos, BuildCommandLine("e.exe", f, ShiftJis()).find(" -cCOMMENT=Live "));
}

TEST(CommandLine, DateGenreAndTrackFollowTheCommentOnlyWhenGiven) {
    EncodeFields f = Fields();
    f.comment = "C";
    f.date = "2004-05-12";
    f.genre = "J-Pop \x89\xB9";  // a blank and a double-byte character: one argument
    f.track = "3/12";
    EXPECT_EQ(
        "e -b160 -cCOMMENT=C -d2004-05-12 -G\"J-Pop \x89\xB9\" -N3/12 -ntake1.ogg "
        "\"D:\\Wave\\take1.wav\"",
        BuildCommandLine("e", f, ShiftJis()));
    f.date.clear();
    f.genre.clear();
    EXPECT_EQ("e -b160 -cCOMMENT=C -N3/12 -ntake1.ogg \"D:\\Wave\\take1.wav\"",
              BuildCommandLine("e", f, ShiftJis()));
}

TEST(CommandLine, EncoderPathWithBlanksIsQuoted) {
    EXPECT_EQ(0u, BuildCommandLine("C:\\My Tools\\oggenc.exe", Fields(), ShiftJis())
                      .find("\"C:\\My Tools\\oggenc.exe\" -b160 "));
    EXPECT_EQ(0u, BuildCommandLine("C:\\My\tTools\\oggenc.exe", Fields(), ShiftJis()).find("\""));
}

TEST(CommandLine, TheInputIsAlwaysQuotedByTheTagsRule) {
    EncodeFields f = Fields();
    f.inputFileName = "C:\\\x95\x5C\\\x83\x5C.wav";  // C:\表\ソ.wav: no byte changes
    EXPECT_EQ(" \"C:\\\x95\x5C\\\x83\x5C.wav\"",
              BuildCommandLine("e", f, ShiftJis()).substr(sizeof "e -b160 -ntake1.ogg" - 1));
    // Not a real path, but it must not end the argument early or add one.
    f.inputFileName = "a\"b\\";
    EXPECT_EQ(" \"a\\\"b\\\\\"",
              BuildCommandLine("e", f, ShiftJis()).substr(sizeof "e -b160 -ntake1.ogg" - 1));
}

TEST(CommandLine, PercentSignsInTheNameAreDoubled) {
    EncodeFields f = Fields();
    f.outputFileName = "100%.ogg";
    EXPECT_NE(std::string::npos, BuildCommandLine("e", f, ShiftJis()).find(" -n100%%.ogg "));
    f.outputFileName = "%a b.ogg";
    EXPECT_NE(std::string::npos, BuildCommandLine("e", f, ShiftJis()).find(" -n\"%%a b.ogg\" "));
}

TEST(QuoteArgument, RowsOfTheRuntimeSplittingRule) {
    struct Row {
        const char* value;
        const char* quoted;
    } rows[] = {
        {"plain", "plain"},
        {"a\\b", "a\\b"},  // no quote, no blank: backslashes stay literal
        {"   ", "\"   \""},
        {"a\tb", "\"a\tb\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"a\\\"b", "\"a\\\\\\\"b\""},        // a \ before an inner quote is doubled
        {"a\\\\\"b", "\"a\\\\\\\\\\\"b\""},  // so is a run of them
        {"end\\ ", "\"end\\ \""},            // not before a quote: unchanged
        {"end \\", "\"end \\\\\""},          // before the closing quote: doubled
        {"\"", "\"\\\"\""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(row.quoted, QuoteArgument(row.value, ShiftJis()));
    }
}

TEST(QuoteArgument, TrailByte5CIsNeverDoubled) {
    // 表 = 95 5C and ソ = 83 5C end in the backslash byte.
    EXPECT_EQ("\"\x95\x5C \x83\x5C\"", QuoteArgument("\x95\x5C \x83\x5C", ShiftJis()));
    EXPECT_EQ("\"\x95\x5C\\\"\"", QuoteArgument("\x95\x5C\"", ShiftJis()));
    // A real backslash after the character still counts.
    EXPECT_EQ("\"\x95\x5C\\\\\\\" \"", QuoteArgument("\x95\x5C\\\" ", ShiftJis()));
    // Without double-byte support the same byte is a backslash.
    EXPECT_EQ("\"\x95\\ \x83\\\\\"", QuoteArgument("\x95\x5C \x83\x5C", PathRules()));
}

TEST(QuoteArgument, HalfWidthKatakanaAreSingleBytes) {
    // ｴ (0xB4) is not a lead byte: the quote after it is escaped.
    EXPECT_EQ("\"\xB4\\\" \"", QuoteArgument("\xB4\" ", ShiftJis()));
}

}  // namespace
}  // namespace wendle
