// Encodes through the real program's window with the bridge to the host's own
// oggenc, and reads the Ogg files back with the host's ogginfo and
// vorbiscomment: the bit rate chosen and every tag as it was typed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "dialogs/progress_ids.h"
#include "main/main_ids.h"
#include "support/bench.h"
#include "support/encode_fixture.h"
#include "support/texts.h"
#include "support/windows.h"
#include "wine_host.h"

namespace {

using namespace wendle;
namespace texts = bench::texts;

// vorbiscomment's lines as field name (upper case) and value.
std::map<std::string, std::string> Comments(const std::string& listing) {
    std::map<std::string, std::string> fields;
    std::size_t start = 0;
    while (start < listing.size()) {
        std::size_t end = listing.find('\n', start);
        if (end == std::string::npos) end = listing.size();
        const std::string line = listing.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) {
            std::string name = line.substr(0, equals);
            for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            fields[name] = line.substr(equals + 1);
        }
        start = end + 1;
    }
    return fields;
}

class RealEncoder : public bench::EncodeFixture {
  protected:
    void SetUp() override {
        if (!host_.Available()) GTEST_SKIP() << "not under Wine";
        if (host_.Run({"/bin/sh", "-c",
                       "for t in oggenc ogginfo vorbiscomment; do command -v $t >/dev/null || "
                       "exit 1; done",
                       "sh"}) != 0) {
            // tools/setup.sh installs them: CI must never pass by skipping.
            char ci[8];
            const char kMissing[] = "no native oggenc, ogginfo or vorbiscomment (vorbis-tools)";
            if (GetEnvironmentVariableA("CI", ci, sizeof ci) > 0) FAIL() << kMissing;
            GTEST_SKIP() << kMissing;
        }
        // Folders with a blank and a per cent sign, ending in a trail byte 0x5C.
        MakeFolders("oggenc_bridge.exe", std::string("wave ") + texts::kSo,
                    std::string("100% out") + texts::kHyou);
    }

    // A host tool run on a Windows file: its exit code, its output and errors.
    long HostTool(const char* tool, const std::string& option, const std::string& file,
                  std::string* output) {
        const std::string report = root_ + "\\host-tool.txt";
        DeleteFileA(report.c_str());
        const long status = host_.Run({"/bin/sh", "-c", "out=$1; shift; \"$@\" >\"$out\" 2>&1",
                                       "sh", host_.HostPath(bridge::AnsiToUtf8(report)), tool,
                                       option, host_.HostPath(bridge::AnsiToUtf8(file))});
        EXPECT_TRUE(bench::ReadFileBytes(report, output)) << tool << " left no output";
        return status;
    }

    // Starts the job and waits for the window to come back. The file appears
    // only while the window is hidden, so either sign means the job runs.
    void EncodeAndWait(bench::Wendle& wendle, const std::string& outputPath) {
        HWND main = wendle.MainWindow();
        Start(wendle);
        ASSERT_TRUE(bench::WaitUntil(
            [&] { return bench::Exists(outputPath) || !IsWindowVisible(main); }, 60000))
            << "the encoder never ran";
        ASSERT_TRUE(bench::WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 60000))
            << "the window did not come back";
        EXPECT_TRUE(bench::Settled(main));
        EXPECT_EQ(nullptr, bench::FindTopLevel(wendle.ProcessId(), nullptr, texts::kErrorTitle));
    }

    std::vector<std::string> OggNames() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA((out_ + "\\*.ogg").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) return names;
        do names.push_back(entry.cFileName);
        while (FindNextFileA(search, &entry));
        FindClose(search);
        return names;
    }

    bridge::WineHost host_;
};

TEST_F(RealEncoder, EveryBitRateWithTagsAsTypedAndAPerCentSignInTheName) {
    const std::string input = wave_ + "\\take" + texts::kHyou + ".wav";
    ASSERT_TRUE(bench::WriteFileBytes(input, bench::Wave(2, 44100, 2000)));
    bench::Wendle wendle(start_);
    ASSERT_TRUE(wendle.Running());
    wendle.SetText(kInputFileNameId, input);
    wendle.SetText(kTitleEditId, "Morning \"Song\"  -n x");
    wendle.SetText(kArtistEditId, "ソ表 楽団");
    wendle.SetText(kAlbumEditId, "C:\\表\\");
    wendle.SetText(kCommentEditId, "100% \"live\"");

    HWND bitrate = wendle.Control(kBitrateListId);
    ASSERT_EQ(5, SendMessageA(bitrate, CB_GETCOUNT, 0, 0));
    // The rate each item names, read as the user sees it once it is chosen.
    std::vector<std::string> rates;
    for (int item = 0; item < 5; ++item) {
        wendle.SelectBitrate(item);
        const std::string text = bench::WindowText(bitrate);
        SCOPED_TRACE(text);
        const std::string kbps = std::to_string(std::atoi(text.c_str()));
        rates.push_back(kbps);
        const std::string name = "50% " + kbps + texts::kSo + ".ogg";
        const std::string output = out_ + "\\" + name;
        wendle.SetText(kOutputFileNameId, name);
        wendle.SetText(kOutputFilePathId, output);
        EncodeAndWait(wendle, output);

        std::string info;
        EXPECT_EQ(0, HostTool("ogginfo", "-v", output, &info)) << info;
        EXPECT_NE(std::string::npos, info.find("New logical stream (#1, serial: ")) << info;
        EXPECT_NE(std::string::npos, info.find("type vorbis")) << info;
        EXPECT_NE(std::string::npos, info.find("Channels: 2\nRate: 44100\n")) << info;
        EXPECT_NE(std::string::npos, info.find("Nominal bitrate: " + kbps + ".000000 kb/s"))
            << info;

        std::string listing;
        EXPECT_EQ(0, HostTool("vorbiscomment", "-lR", output, &listing)) << listing;
        std::map<std::string, std::string> tags = Comments(listing);
        EXPECT_EQ(u8"Morning \"Song\"  -n x", tags["TITLE"]) << listing;
        EXPECT_EQ(u8"ソ表 楽団", tags["ARTIST"]) << listing;
        EXPECT_EQ(u8"C:\\表\\", tags["ALBUM"]) << listing;
        EXPECT_EQ(u8"100% \"live\"", tags["COMMENT"]) << listing;
    }
    EXPECT_EQ((std::vector<std::string>{"128", "160", "192", "256", "350"}), rates);
}

// Windows names ignore case and the host's do not: the confirmed overwrite of
// take1.ogg typed as TAKE1.OGG must replace that file, not add a second one.
TEST_F(RealEncoder, AConfirmedOverwriteInAnotherCaseReplacesTheFile) {
    const std::string input = wave_ + "\\take1.wav";
    ASSERT_TRUE(bench::WriteFileBytes(input, bench::Wave(2, 44100, 500)));
    ASSERT_TRUE(bench::WriteFileBytes(out_ + "\\take1.ogg", "old"));
    bench::Wendle wendle(start_);
    ASSERT_TRUE(wendle.Running());
    wendle.SetText(kInputFileNameId, input);
    wendle.SetText(kOutputFileNameId, "TAKE1.OGG");
    wendle.SetText(kOutputFilePathId, out_ + "\\TAKE1.OGG");
    Start(wendle);
    HWND dialog = wendle.WaitForDialog(texts::kConfirmTitle);
    ASSERT_NE(nullptr, dialog) << "no overwrite question";
    EXPECT_TRUE(bench::PressButton(dialog, "OK"));
    HWND main = wendle.MainWindow();
    std::string bytes;
    const auto replaced = [&] {
        return bench::ReadFileBytes(out_ + "\\take1.ogg", &bytes) && bytes != "old";
    };
    // The job has ended once the window is back and takes input again, with
    // the new file in place and the set-aside copy gone. The window answers
    // while the encoder runs, so "settled" alone says nothing.
    ASSERT_TRUE(bench::WaitUntil(
        [&] {
            return IsWindowVisible(main) && IsWindowEnabled(main) && replaced() &&
                   !bench::Exists(out_ + "\\TAKE1.OGG.wendle-backup");
        },
        60000))
        << "the job did not end with the new file in place; .ogg files: " << OggNames().size();
    EXPECT_TRUE(bench::Settled(main));
    // One file, named as typed: the old one was set aside, then removed.
    const std::vector<std::string> names = OggNames();
    ASSERT_EQ(1u, names.size());
    EXPECT_EQ(0, lstrcmpiA("take1.ogg", names[0].c_str())) << names[0];
    ASSERT_TRUE(replaced());
    EXPECT_EQ("OggS", bytes.substr(0, 4));
}

// The host's oggenc creates its output before it sets the bit rate up and
// fails: neither an empty file nor a lost old one stays behind.
TEST_F(RealEncoder, ABitRateTheEncoderRejectsIsReportedAndLeavesTheFolderAsItWas) {
    const std::string input = wave_ + "\\mono.wav";
    ASSERT_TRUE(bench::WriteFileBytes(input, bench::Wave(1, 22050, 500)));
    ASSERT_TRUE(bench::WriteFileBytes(out_ + "\\old.ogg", "old"));
    bench::Wendle wendle(start_);
    ASSERT_TRUE(wendle.Running());
    wendle.SetText(kInputFileNameId, input);
    wendle.SelectBitrate(4);
    for (const char* name : {"mono.ogg", "old.ogg"}) {
        SCOPED_TRACE(name);
        wendle.SetText(kOutputFileNameId, name);
        wendle.SetText(kOutputFilePathId, out_ + "\\" + name);
        Start(wendle);
        if (std::string(name) == "old.ogg") {
            HWND question = wendle.WaitForDialog(texts::kConfirmTitle);
            ASSERT_NE(nullptr, question);
            EXPECT_TRUE(bench::PressButton(question, "OK"));
        }
        HWND dialog = wendle.WaitForDialog(texts::kErrorTitle);
        ASSERT_NE(nullptr, dialog) << "no error dialog";
        EXPECT_BYTES(std::string("\n") + texts::kJobFailed, bench::ReadDialog(dialog).message);
        EXPECT_TRUE(IsWindowVisible(wendle.MainWindow()));
        EXPECT_TRUE(bench::PressButton(dialog, "OK"));
        EXPECT_TRUE(bench::WaitUntil([&] { return !IsWindow(dialog); }));
    }
    EXPECT_FALSE(bench::Exists(out_ + "\\mono.ogg"));
    std::string kept;
    ASSERT_TRUE(bench::ReadFileBytes(out_ + "\\old.ogg", &kept));
    EXPECT_EQ("old", kept);
    EXPECT_FALSE(bench::Exists(out_ + "\\old.ogg.wendle-backup"));
}

// A long encode shows the encoder's own progress; 中止 ends the host's
// encoder too, and no Ogg file appears afterwards.
TEST_F(RealEncoder, ALongEncodeShowsProgressAndStopsWithoutAFile) {
    const std::string input = wave_ + "\\long.wav";
    ASSERT_TRUE(bench::WriteFileBytes(input, bench::Wave(2, 44100, 4 * 60 * 1000)));
    bench::Wendle wendle(start_);
    ASSERT_TRUE(wendle.Running());
    wendle.SetText(kInputFileNameId, input);
    wendle.SetText(kOutputFilePathId, out_ + "\\long.ogg");
    Start(wendle);
    HWND progress = nullptr;
    ASSERT_TRUE(bench::WaitUntil(
        [&] {
            progress = bench::FindTopLevel(wendle.ProcessId(), kProgressWindowClass,
                                           texts::kProgressCaption);
            return progress != nullptr;
        },
        60000));
    std::string percent;
    ASSERT_TRUE(bench::WaitUntil(
        [&] {
            percent = bench::WindowText(GetDlgItem(progress, kProgressPercentId));
            return percent != "0%" && !percent.empty();
        },
        60000))
        << "no progress from the encoder";
    EXPECT_GT(std::atoi(percent.c_str()), 0) << percent;
    EXPECT_LT(std::atoi(percent.c_str()), 100) << percent;
    EXPECT_TRUE(bench::PressButton(progress, texts::kStop));
    ASSERT_TRUE(bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
    EXPECT_EQ(nullptr, bench::FindTopLevel(wendle.ProcessId(), nullptr, texts::kErrorTitle));
    EXPECT_TRUE(bench::WaitUntil([&] {
        return host_.Run({"/bin/sh", "-c", "! pgrep -f -- '[o]ggenc .*-nlong.ogg' >/dev/null",
                          "sh"}) == 0;
    })) << "the host's encoder still runs";
    EXPECT_TRUE(OggNames().empty());
}

// A batch of three files, each with the title its INFO carries: three Ogg
// files whose TITLE is that title.
TEST_F(RealEncoder, ABatchGivesEachFileTheTitleItCarries) {
    const struct {
        const char* name;
        const char* title;  // as the file carries it, in Shift-JIS
        const char* utf8;   // as vorbiscomment shows it
    } files[] = {{"01.wav", "朝の歌", u8"朝の歌"},
                 {"02.wav", "夕方の歌 \"テイク2\"", u8"夕方の歌 \"テイク2\""},
                 {"03.wav", "Night", u8"Night"}};
    std::string arguments;
    for (const auto& file : files) {
        const std::string path = wave_ + "\\" + file.name;
        ASSERT_TRUE(bench::WriteFileBytes(
            path, bench::WithInfo(bench::Wave(2, 44100, 1000), {{"INAM", file.title}})));
        arguments += " \"" + path + "\"";
    }
    bench::Wendle wendle(start_, "", arguments);
    HWND look = wendle.WaitForDialog(texts::kBatchCaption);
    ASSERT_NE(nullptr, look);
    ASSERT_TRUE(bench::PressButton(look, texts::kBatchStart));
    HWND main = wendle.MainWindow();
    ASSERT_TRUE(bench::WaitUntil(
        [&] {
            return !IsWindow(look) && IsWindowVisible(main) && IsWindowEnabled(main) &&
                   !bench::FindTopLevel(wendle.ProcessId(), kProgressWindowClass,
                                        texts::kProgressCaption) &&
                   bench::Exists(start_ + "\\03.ogg");
        },
        60000));
    EXPECT_EQ(nullptr, bench::FindTopLevel(wendle.ProcessId(), nullptr, texts::kErrorTitle));
    for (const auto& file : files) {
        const std::string output = start_ + "\\" + std::string(file.name, 2) + ".ogg";
        SCOPED_TRACE(output);
        std::string listing;
        EXPECT_EQ(0, HostTool("vorbiscomment", "-lR", output, &listing)) << listing;
        EXPECT_EQ(file.utf8, Comments(listing)["TITLE"]) << listing;
    }
}

}  // namespace
