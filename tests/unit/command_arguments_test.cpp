#include "core/command_arguments.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace wendle {
namespace {

using Arguments = std::vector<std::string>;

PathRules ShiftJis() {
    const unsigned char ranges[12] = {0x81, 0x9F, 0xE0, 0xFC};
    return PathRules::FromSystem(true, ranges);
}

TEST(CommandArguments, RowsOfTheRuntimeRule) {
    struct Row {
        const char* line;
        Arguments arguments;
    } rows[] = {
        {"wendle.exe", {}},
        {"\"C:\\My Tools\\wendle.exe\"  ", {}},
        {"wendle.exe C:\\wave\\a.wav", {"C:\\wave\\a.wav"}},
        {"\"C:\\My Tools\\wendle.exe\" \"C:\\録音 1\\a.wav\"", {"C:\\録音 1\\a.wav"}},
        // The program's name keeps its backslash before the quote.
        {"\"C:\\x\\\" a.wav", {"a.wav"}},
        {"w \t a.wav\t b.wav  \"c d\"", {"a.wav", "b.wav", "c d"}},
        {"w \"\"", {""}},
        {"w a\"b c\"d", {"ab cd"}},
        {"w \"unclosed quote", {"unclosed quote"}},
        // Backslashes are literal unless a quote follows them.
        {"w \\\\server\\share\\a.wav", {"\\\\server\\share\\a.wav"}},
        {"w \"C:\\\\\" b", {"C:\\", "b"}},
        {"w \"C:\\\" b\"", {"C:\" b"}},
        {"w a\\\\\\\"b", {"a\\\"b"}},
        {"w \"say \"\"hi\"\"\"", {"say \"hi\""}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(row.arguments, ProgramArguments(row.line, ShiftJis()));
        // The wide line splits by the same rule.
        const std::string line = row.line;
        if (std::any_of(line.begin(), line.end(), [](char c) { return c & 0x80; })) continue;
        std::vector<std::u16string> wide;
        for (const std::string& argument : row.arguments) {
            wide.emplace_back(argument.begin(), argument.end());
        }
        EXPECT_TRUE(wide == ProgramArguments(std::u16string(line.begin(), line.end())));
    }
}

TEST(CommandArguments, TrailByte5CIsPartOfItsCharacter) {
    // 表 = 95 5C, ソ = 83 5C: a quote after them closes the argument.
    EXPECT_EQ(Arguments({"C:\\\x95\x5C", "x"}),
              ProgramArguments("w \"C:\\\x95\x5C\" x", ShiftJis()));
    EXPECT_EQ(Arguments({"C:\\\x83\x5C\\a b.wav"}),
              ProgramArguments("w \"C:\\\x83\x5C\\a b.wav\"", ShiftJis()));
    // A real backslash after the character still escapes the quote.
    EXPECT_EQ(Arguments({"\x95\x5C\" x"}), ProgramArguments("w \"\x95\x5C\\\" x\"", ShiftJis()));
    // In the program's name too: its quote still closes the name.
    EXPECT_EQ(Arguments({"a.wav"}), ProgramArguments("\"C:\\\x95\x5C\" a.wav", ShiftJis()));
    // Without double-byte rules the same byte is a backslash.
    EXPECT_EQ(Arguments({"C:\\\x95\" x"}), ProgramArguments("w \"C:\\\x95\x5C\" x", PathRules()));
}

}  // namespace
}  // namespace wendle
