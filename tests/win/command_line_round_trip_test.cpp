// Field values full of what quoting must get right go through the command line
// and come back out of the encoder's C runtime as exactly the typed bytes, one
// argument each.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "core/command_arguments.h"
#include "core/command_line.h"
#include "win/system_rules.h"
#include "support/bench.h"
#include "support/windows.h"

namespace {

using wendle::EncodeFields;

bool RunDouble(const std::string& line, const std::string& folder) {
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        folder.c_str(), &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    CloseHandle(process.hProcess);
    return ended;
}

// The fields as typed and the arguments the encoder must get between its own
// path and the input file. 表 is 95 5C and ソ 83 5C: trail bytes that look
// like a backslash, here before quotes and at the ends of values.
const struct {
    int bitrateIndex;
    const char *title, *artist, *album, *comment, *outputFileName;
    std::vector<std::string> arguments;
} kCases[] = {
    {-1, "", "", "", "", "a.ogg", {"-b160", "-na.ogg"}},
    {0,
     "Morning \"Song\"",
     " two  blanks\t",
     "C:\\\x95\x5C\\",
     "100% \"live\"",
     "50% 1.ogg",
     {"-b128", "-tMorning \"Song\"", "-a two  blanks\t", "-lC:\\\x95\x5C\\",
      "-cCOMMENT=100% \"live\"", "-n50%% 1.ogg"}},
    {1,
     "\x95\x5C\"",
     "\x83\x5C\\\"",
     "\\\\\\\"",
     "\\\"",
     "%%.ogg",
     {"-b160", "-t\x95\x5C\"", "-a\x83\x5C\\\"", "-l\\\\\\\"", "-cCOMMENT=\\\"", "-n%%%%.ogg"}},
    {2,
     "-n",
     "=",
     "'^&",
     "\\ ",
     "\x95\x5C.ogg",
     {"-b192", "-t-n", "-a=", "-l'^&", "-cCOMMENT=\\ ", "-n\x95\x5C.ogg"}},
    {3,
     "\xB1\xDF",
     "\x82\x9F\x88\x9F",
     "*?",
     "a\\",
     "\x83\x5C \x83\x5C.ogg",
     {"-b256", "-t\xB1\xDF", "-a\x82\x9F\x88\x9F", "-l*?", "-cCOMMENT=a\\",
      "-n\x83\x5C \x83\x5C.ogg"}},
    {4,
     "\"",
     "\x83\x5C",
     "9 Z",
     "\t\"\\\\\"",
     "-n.ogg",
     {"-b350", "-t\"", "-a\x83\x5C", "-l9 Z", "-cCOMMENT=\t\"\\\\\"", "-n-n.ogg"}},
    {5,
     "\\\\",
     "",
     "a \x95\x5C",
     "",
     "x\\ .ogg",
     {"-b160", "-t\\\\", "-la \x95\x5C", "-nx\\ .ogg"}},
};

TEST(CommandLineRoundTrip, FieldValuesArriveByteForByte) {
    wendle::SetUpPathRules();
    const std::string root = bench::FreshFolder();
    const std::string tools = root + "\\My Tools";
    CreateDirectoryA(tools.c_str(), nullptr);
    ASSERT_TRUE(bench::CopyProgram("oggenc_double.exe", tools + "\\oggenc.exe"));
    const std::string plain = bench::ProgramDir() + "\\oggenc_double.exe";
    bench::EncoderDouble encoder;
    encoder.reportPath = root + "\\report.txt";
    SetEnvironmentVariableA("WENDLE_DOUBLE_REPORT", encoder.reportPath.c_str());

    const wendle::PathRules& rules = wendle::SystemPathRules();
    int round = 0;
    for (const auto& c : kCases) {
        EncodeFields f;
        f.bitrateIndex = c.bitrateIndex;
        f.title = c.title;
        f.artist = c.artist;
        f.album = c.album;
        f.comment = c.comment;
        f.outputFileName = c.outputFileName;
        f.inputFileName = root + "\\wave\x95\x5C" + (round % 2 ? "\\in put.wav" : "\\in.wav");
        const std::string& encoderPath = round++ % 3 ? plain : tools + "\\oggenc.exe";
        const std::string line = BuildCommandLine(encoderPath, f, rules);
        SCOPED_TRACE("command line: " + bench::Hex(line));

        DeleteFileA(encoder.reportPath.c_str());
        ASSERT_TRUE(RunDouble(line, root));
        ASSERT_TRUE(encoder.Read());
        std::vector<std::string> expected = c.arguments;
        expected.insert(expected.begin(), encoderPath);
        expected.push_back(f.inputFileName);
        ASSERT_EQ(expected.size(), encoder.argv.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_BYTES(expected[i], encoder.argv[i]) << " argument " << i;
        }
        // Wendle's own split of a command line gives what the runtime gave.
        const std::vector<std::string> split = wendle::ProgramArguments(encoder.commandLine, rules);
        ASSERT_EQ(encoder.argv.size() - 1, split.size());
        for (std::size_t i = 0; i < split.size(); ++i) {
            EXPECT_BYTES(encoder.argv[i + 1], split[i]) << " split argument " << i;
        }
    }
    SetEnvironmentVariableA("WENDLE_DOUBLE_REPORT", nullptr);
}

}  // namespace
