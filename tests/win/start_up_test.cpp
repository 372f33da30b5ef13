// The program as it starts: caption, taskbar title, default bit rate, the
// disabled start button, the window's place, and where the encoder is looked for.
#include <windows.h>

#include <gtest/gtest.h>

#include "main/main_ids.h"
#include "support/bench.h"
#include "support/texts.h"
#include "support/windows.h"

namespace {

using namespace wendle;

TEST(StartUp, WindowAsItFirstAppears) {
    bench::Wendle wendle(bench::FreshFolder());
    ASSERT_TRUE(wendle.Running());
    EXPECT_EQ("Wendle v0.02", bench::WindowText(wendle.MainWindow()));
    EXPECT_NE(nullptr, bench::FindTopLevel(wendle.ProcessId(), "TApplication", "Wendle"));
    EXPECT_EQ(1, SendMessageA(wendle.Control(IDC_BITRATE), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(" 160 kbps ( Default )", wendle.Text(IDC_BITRATE));
    EXPECT_FALSE(IsWindowEnabled(wendle.Control(IDC_START_ENCODE)));
    for (int id : {IDC_TITLE, IDC_ARTIST, IDC_ALBUM, IDC_COMMENT, IDC_INPUT_FILE_NAME,
                   IDC_OUTPUT_FILE_NAME, IDC_OUTPUT_FILE_PATH}) {
        EXPECT_EQ("", wendle.Text(id)) << "control " << id;
    }
    RECT outer = bench::WindowRect(wendle.MainWindow());
    EXPECT_EQ(233, outer.left);
    EXPECT_EQ(132, outer.top);
    RECT client{};
    GetClientRect(wendle.MainWindow(), &client);
    EXPECT_EQ(473, client.right);
    EXPECT_EQ(441, client.bottom);
    LONG style = GetWindowLongA(wendle.MainWindow(), GWL_STYLE);
    EXPECT_EQ(0, style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_NE(0, style & WS_MINIMIZEBOX);
}

// The encoder is looked for in the start folder, even when its name ends in a
// trail byte 0x5C or it is a drive root.
TEST(StartUp, EncoderIsLookedForInTheStartFolder) {
    const std::string root = bench::FreshFolder();
    const std::string japanese = root + "\\" + bench::texts::kHyou;
    CreateDirectoryA(japanese.c_str(), nullptr);
    ASSERT_TRUE(bench::CopyProgram("oggenc_double.exe", japanese + "\\oggenc.exe"));
    ASSERT_TRUE(bench::CopyProgram("oggenc_double.exe", "C:\\oggenc.exe"));
    ASSERT_TRUE(bench::WriteFileBytes(root + "\\in.wav", "RIFF"));
    bench::EncoderDouble encoder;
    encoder.reportPath = root + "\\report.txt";
    SetEnvironmentVariableA("WENDLE_DOUBLE_REPORT", encoder.reportPath.c_str());

    for (const std::string& start : {japanese, std::string("C:\\")}) {
        SCOPED_TRACE(start);
        DeleteFileA(encoder.reportPath.c_str());
        DeleteFileA((root + "\\in.ogg").c_str());
        bench::Wendle wendle(start);
        wendle.SetText(IDC_INPUT_FILE_NAME, root + "\\in.wav");
        wendle.SetText(IDC_OUTPUT_FILE_PATH, root + "\\in.ogg");
        HWND button = wendle.Control(IDC_START_ENCODE);
        ASSERT_TRUE(bench::WaitUntil([&] { return IsWindowEnabled(button) != FALSE; }));
        wendle.Click(IDC_START_ENCODE);
        ASSERT_TRUE(bench::WaitUntil([&] { return encoder.Read(); }));
        ASSERT_FALSE(encoder.argv.empty());
        EXPECT_BYTES((start == "C:\\" ? start : start + "\\") + "oggenc.exe", encoder.argv[0]);
    }
    DeleteFileA("C:\\oggenc.exe");
    SetEnvironmentVariableA("WENDLE_DOUBLE_REPORT", nullptr);
}

}  // namespace
