// Generated field values go through the command line and come back out of the
// encoder's C runtime as exactly the typed bytes, one argument each.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/command_arguments.h"
#include "core/command_line.h"
#include "win/system_rules.h"
#include "support/bench.h"
#include "support/windows.h"

namespace {

using wendle::EncodeFields;

const char* const kPieces[] = {" ",    "\t",   "\"",       "\\",       "\\\\",       "\\\\\\\"",
                               "\\\"", "a",    "Z",        "9",        "%",          "%%",
                               "=",    "-n",   "\x95\x5C", "\x83\x5C", "\x95\x5C\"", "\x83\x5C\\\"",
                               "\xB1", "\xDF", "\x82\x9F", "\x88\x9F", "*",          "?",
                               "'",    "^",    "&",        "\\ "};

std::string Generate(std::mt19937& random, int maxPieces) {
    std::uniform_int_distribution<int> count(0, maxPieces);
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kPieces / sizeof kPieces[0] - 1);
    std::string value;
    for (int n = count(random); n > 0; --n) value += kPieces[pick(random)];
    return value;
}

std::string DoublePercent(const std::string& name) {
    std::string out;
    for (char c : name) out += c == '%' ? std::string("%%") : std::string(1, c);
    return out;
}

std::vector<std::string> Expected(const std::string& encoder, const EncodeFields& f) {
    static const char* const kRates[] = {"-b128", "-b160", "-b192", "-b256", "-b350"};
    std::vector<std::string> argv = {encoder};
    argv.push_back(f.bitrateIndex >= 0 && f.bitrateIndex <= 4 ? kRates[f.bitrateIndex] : "-b160");
    if (!f.title.empty()) argv.push_back("-t" + f.title);
    if (!f.artist.empty()) argv.push_back("-a" + f.artist);
    if (!f.album.empty()) argv.push_back("-l" + f.album);
    if (!f.comment.empty()) argv.push_back("-cCOMMENT=" + f.comment);
    argv.push_back("-n" + DoublePercent(f.outputFileName));
    argv.push_back(f.inputFileName);
    return argv;
}

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

TEST(CommandLineRoundTrip, GeneratedFieldValuesArriveByteForByte) {
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
    std::mt19937 random(20261207);
    for (int round = 0; round < 60; ++round) {
        EncodeFields f;
        f.bitrateIndex = static_cast<int>(random() % 7) - 1;
        f.title = Generate(random, 6);
        f.artist = Generate(random, 6);
        f.album = Generate(random, 6);
        f.comment = Generate(random, 6);
        f.outputFileName = Generate(random, 4) + ".ogg";
        f.inputFileName = root + "\\wave\x95\x5C" + (round % 2 ? "\\in put.wav" : "\\in.wav");
        const std::string& encoderPath = round % 3 ? plain : tools + "\\oggenc.exe";
        const std::string line = BuildCommandLine(encoderPath, f, rules);
        SCOPED_TRACE("command line: " + bench::Hex(line));

        DeleteFileA(encoder.reportPath.c_str());
        ASSERT_TRUE(RunDouble(line, root));
        ASSERT_TRUE(encoder.Read());
        std::vector<std::string> expected = Expected(encoderPath, f);
        ASSERT_EQ(expected.size(), encoder.argv.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_BYTES(expected[i], encoder.argv[i]) << " argument " << i;
        }
        // Wendle's own split of a command line gives what the runtime gave.
        std::vector<std::string> split;
        std::string argument;
        for (const char* p = wendle::AfterProgramName(encoder.commandLine.c_str(), rules);
             (p = wendle::NextArgument(p, argument, rules));) {
            split.push_back(argument);
        }
        ASSERT_EQ(encoder.argv.size() - 1, split.size());
        for (std::size_t i = 0; i < split.size(); ++i) {
            EXPECT_BYTES(encoder.argv[i + 1], split[i]) << " split argument " << i;
        }
    }
    SetEnvironmentVariableA("WENDLE_DOUBLE_REPORT", nullptr);
}

}  // namespace
