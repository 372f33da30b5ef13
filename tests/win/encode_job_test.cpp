// One encode on the real program, with the encoder's stand-in, and each way a
// job can fail: what the user sees and what reaches the encoder.
#include <windows.h>

#include <gtest/gtest.h>

#include "main/main_ids.h"
#include "support/bench.h"
#include "support/texts.h"
#include "support/windows.h"

namespace {

using namespace wendle;
namespace texts = bench::texts;

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class EncodeJob : public testing::Test {
  protected:
    void SetUp() override {
        root_ = bench::FreshFolder();
        start_ = root_ + "\\start";
        CreateDirectoryA(start_.c_str(), nullptr);
        ASSERT_TRUE(bench::CopyProgram("oggenc_double.exe", start_ + "\\oggenc.exe"));
        // Folders whose names end in a trail byte 0x5C.
        wave_ = root_ + "\\wave" + texts::kSo;
        out_ = root_ + "\\out" + texts::kHyou;
        CreateDirectoryA(wave_.c_str(), nullptr);
        CreateDirectoryA(out_.c_str(), nullptr);
        input_ = wave_ + "\\take1.wav";
        ASSERT_TRUE(bench::WriteFileBytes(input_, "RIFF"));
        encoder_.reportPath = root_ + "\\report.txt";
        SetEnvironmentVariableA("WENDLE_DOUBLE_REPORT", encoder_.reportPath.c_str());
        SetEnvironmentVariableA("WENDLE_DOUBLE_HOLD", nullptr);
        SetEnvironmentVariableA("WENDLE_DOUBLE_EXIT", nullptr);
    }

    void TearDown() override {
        SetEnvironmentVariableA("WENDLE_DOUBLE_REPORT", nullptr);
        SetEnvironmentVariableA("WENDLE_DOUBLE_HOLD", nullptr);
        SetEnvironmentVariableA("WENDLE_DOUBLE_EXIT", nullptr);
    }

    // The input chosen, the output name derived from it, the path in out_.
    void Choose(bench::Wendle& wendle, const std::string& input, const std::string& outputPath) {
        wendle.SetText(kInputFileNameId, input);
        wendle.SetText(kOutputFilePathId, outputPath);
    }

    void Start(bench::Wendle& wendle) {
        HWND start = wendle.Control(kStartEncodeId);
        ASSERT_TRUE(bench::WaitUntil([&] { return IsWindowEnabled(start) != FALSE; }));
        wendle.Click(kStartEncodeId);
    }

    // The error dialog with its text, at the main window's corner + 150, closed
    // with OK; the encoder never ran.
    void ExpectError(bench::Wendle& wendle, const std::string& message, bool encoderRan = false) {
        RECT main = bench::WindowRect(wendle.MainWindow());
        HWND dialog = wendle.WaitForDialog(texts::kErrorTitle);
        ASSERT_NE(nullptr, dialog) << "no error dialog";
        bench::DialogView view = bench::ReadDialog(dialog);
        EXPECT_BYTES(std::string("\n") + message, view.message);
        ASSERT_EQ(1u, view.buttons.size());
        EXPECT_EQ("OK", view.buttons[0]);
        EXPECT_EQ(main.left + 150, view.outer.left);
        EXPECT_EQ(main.top + 150, view.outer.top);
        EXPECT_TRUE(bench::ShowsStandardIcon(dialog, IDI_HAND)) << "not the error icon";
        EXPECT_TRUE(IsWindowVisible(wendle.MainWindow()));
        EXPECT_TRUE(bench::PressButton(dialog, "OK"));
        EXPECT_TRUE(bench::WaitUntil([&] { return !IsWindow(dialog); }));
        EXPECT_TRUE(bench::Settled(wendle.MainWindow()));
        EXPECT_EQ(encoderRan, Exists(encoder_.reportPath)) << "whether the encoder ran";
    }

    std::string root_, start_, wave_, out_, input_;
    bench::EncoderDouble encoder_;
};

TEST_F(EncodeJob, RunsTheEncoderHiddenInTheOutputFolderAndShowsTheWindowAgain) {
    HANDLE hold = CreateEventA(nullptr, TRUE, FALSE, "WendleTestHold");
    SetEnvironmentVariableA("WENDLE_DOUBLE_HOLD", "WendleTestHold");
    bench::Wendle wendle(start_);
    ASSERT_TRUE(wendle.Running());
    Choose(wendle, input_, out_ + "\\take1.ogg");
    EXPECT_EQ("take1.ogg", wendle.Text(kOutputFileNameId));
    wendle.SetText(kTitleEditId, "Morning Song");
    wendle.SetText(kAlbumEditId, "Demo");
    wendle.SelectBitrate(2);
    Start(wendle);

    ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); })) << "the encoder never ran";
    EXPECT_FALSE(IsWindowVisible(wendle.MainWindow())) << "shown while the encoder runs";
    SetEvent(hold);
    EXPECT_TRUE(bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
    CloseHandle(hold);

    EXPECT_BYTES(
        start_ + "\\oggenc.exe -b192 -t\"Morning Song\" -lDemo -ntake1.ogg \"" + input_ + "\"",
        encoder_.commandLine);
    EXPECT_BYTES(out_, encoder_.currentDirectory);
    EXPECT_TRUE(Exists(out_ + "\\take1.ogg"));
    EXPECT_TRUE(bench::Settled(wendle.MainWindow()));
    EXPECT_EQ(nullptr, bench::FindTopLevel(wendle.ProcessId(), nullptr, texts::kErrorTitle));
}

TEST_F(EncodeJob, TheSecondJobStillRunsTheEncoderFromTheStartFolder) {
    bench::Wendle wendle(start_);
    Choose(wendle, input_, out_ + "\\take1.ogg");
    Start(wendle);
    ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); }));
    ASSERT_TRUE(bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
    DeleteFileA(encoder_.reportPath.c_str());

    const std::string second = root_ + "\\second";
    CreateDirectoryA(second.c_str(), nullptr);
    wendle.SetText(kOutputFilePathId, second + "\\take1.ogg");
    Start(wendle);
    ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); }));
    ASSERT_FALSE(encoder_.argv.empty());
    EXPECT_BYTES(start_ + "\\oggenc.exe", encoder_.argv[0]);
    EXPECT_BYTES(second, encoder_.currentDirectory);
}

TEST_F(EncodeJob, AStartFolderWithABlankIsQuotedSoNoOtherProgramRuns) {
    // Unquoted, "...\My Tools\oggenc.exe" would start "...\My.exe" first.
    const std::string tools = root_ + "\\My Tools";
    CreateDirectoryA(tools.c_str(), nullptr);
    ASSERT_TRUE(bench::CopyProgram("oggenc_double.exe", tools + "\\oggenc.exe"));
    ASSERT_TRUE(bench::CopyProgram("oggenc_double.exe", root_ + "\\My.exe"));
    bench::Wendle wendle(tools);
    Choose(wendle, input_, out_ + "\\take1.ogg");
    Start(wendle);
    ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); }));
    ASSERT_FALSE(encoder_.argv.empty());
    EXPECT_BYTES(tools + "\\oggenc.exe", encoder_.argv[0]);
}

TEST_F(EncodeJob, OverwriteQuestionDeclinedRunsNothing) {
    ASSERT_TRUE(bench::WriteFileBytes(out_ + "\\take1.ogg", "old"));
    bench::Wendle wendle(start_);
    Choose(wendle, input_, out_ + "\\take1.ogg");
    RECT main = bench::WindowRect(wendle.MainWindow());
    for (const char* answer : {"cancel", "escape"}) {
        SCOPED_TRACE(answer);
        Start(wendle);
        HWND dialog = wendle.WaitForDialog(texts::kConfirmTitle);
        ASSERT_NE(nullptr, dialog);
        bench::DialogView view = bench::ReadDialog(dialog);
        EXPECT_BYTES(texts::kOverwriteQuestion, view.message);
        ASSERT_EQ(2u, view.buttons.size());
        EXPECT_EQ("OK", view.buttons[0]);
        EXPECT_BYTES(texts::kCancel, view.buttons[1]);
        EXPECT_TRUE(bench::ShowsStandardIcon(dialog, IDI_QUESTION)) << "not the question icon";
        EXPECT_EQ(main.left + 150, view.outer.left);
        EXPECT_EQ(main.top + 150, view.outer.top);
        if (std::string(answer) == "cancel") {
            EXPECT_TRUE(bench::PressButton(dialog, texts::kCancel));
        } else {
            bench::PressKey(dialog, VK_ESCAPE);
        }
        EXPECT_TRUE(bench::WaitUntil([&] { return !IsWindow(dialog); }));
        EXPECT_TRUE(bench::Settled(wendle.MainWindow()));
        EXPECT_FALSE(Exists(encoder_.reportPath)) << "the encoder ran";
        EXPECT_EQ(nullptr, bench::FindTopLevel(wendle.ProcessId(), nullptr, texts::kErrorTitle));
    }
    std::string kept;
    ASSERT_TRUE(bench::ReadFileBytes(out_ + "\\take1.ogg", &kept));
    EXPECT_EQ("old", kept);
}

// The old file is set aside while the encoder runs: removed once the new one
// is written, put back when the encoder fails.
TEST_F(EncodeJob, OverwriteQuestionConfirmedRunsTheEncoderAndAFailureKeepsTheOldFile) {
    const std::string output = out_ + "\\take1.ogg";
    ASSERT_TRUE(bench::WriteFileBytes(output, "old"));
    for (const char* exitCode : {"1", "0"}) {
        SCOPED_TRACE(exitCode);
        SetEnvironmentVariableA("WENDLE_DOUBLE_EXIT", exitCode);
        DeleteFileA(encoder_.reportPath.c_str());
        bench::Wendle wendle(start_);
        Choose(wendle, input_, output);
        Start(wendle);
        HWND dialog = wendle.WaitForDialog(texts::kConfirmTitle);
        ASSERT_NE(nullptr, dialog);
        EXPECT_TRUE(bench::PressButton(dialog, "OK"));
        ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); }));
        EXPECT_BYTES(out_, encoder_.currentDirectory);
        if (*exitCode == '1') ExpectError(wendle, texts::kJobFailed, true);
        ASSERT_TRUE(
            bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
        ASSERT_TRUE(bench::Settled(wendle.MainWindow()));
        std::string kept;
        ASSERT_TRUE(bench::ReadFileBytes(output, &kept));
        EXPECT_EQ(*exitCode == '1' ? "old" : "", kept);
        EXPECT_FALSE(Exists(output + ".wendle-backup"));
    }
}

// The old file cannot be set aside while another program holds it: nothing runs.
TEST_F(EncodeJob, AnOldFileThatCannotBeSetAsideStopsTheJob) {
    const std::string output = out_ + "\\take1.ogg";
    ASSERT_TRUE(bench::WriteFileBytes(output, "old"));
    HANDLE held = CreateFileA(output.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    bench::Wendle wendle(start_);
    Choose(wendle, input_, output);
    Start(wendle);
    HWND dialog = wendle.WaitForDialog(texts::kConfirmTitle);
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(bench::PressButton(dialog, "OK"));
    ExpectError(wendle, texts::kJobFailed);
    CloseHandle(held);
    std::string kept;
    ASSERT_TRUE(bench::ReadFileBytes(output, &kept));
    EXPECT_EQ("old", kept);
}

// Every name is refused that is not exactly one file in the output folder,
// however it got into the field; the path never leaves the list's folder.
TEST_F(EncodeJob, NamesThatAreNotOneFileInTheFolderAreRefused) {
    const char
        kBadCharacter[] =  // 出力ファイル名に使えない文字 ( \ / : * ? " < > | ) が含まれています
        "\x8F\x6F\x97\xCD\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC\x82\xC9\x8E\x67\x82\xA6"
        "\x82\xC8\x82\xA2\x95\xB6\x8E\x9A ( \\ / : * ? \" < > | ) "
        "\x82\xAA\x8A\xDC\x82\xDC\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB7";
    const char kDevice[] =  // 出力ファイル名にデバイス名 ( CON, NUL, COM1 など ) は使えません
        "\x8F\x6F\x97\xCD\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC\x82\xC9\x83\x66\x83\x6F"
        "\x83\x43\x83\x58\x96\xBC ( CON, NUL, COM1 \x82\xC8\x82\xC7 ) \x82\xCD\x8E\x67\x82\xA6"
        "\x82\xDC\x82\xB9\x82\xF1";
    const char kEnding[] =  // 出力ファイル名の末尾に空白やピリオドは使えません
        "\x8F\x6F\x97\xCD\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC\x82\xCC\x96\x96\x94\xF6"
        "\x82\xC9\x8B\xF3\x94\x92\x82\xE2\x83\x73\x83\x8A\x83\x49\x83\x68\x82\xCD\x8E\x67"
        "\x82\xA6\x82\xDC\x82\xB9\x82\xF1";
    const std::string victim = root_ + "\\victim.ogg";
    ASSERT_TRUE(bench::WriteFileBytes(victim, "mine"));
    bench::Wendle wendle(start_);
    wendle.SetText(kInputFileNameId, input_);
    const struct {
        const char* name;
        const char* refusal;
    } rows[] = {{"\\victim.ogg", kBadCharacter},
                {"..\\victim.ogg", kBadCharacter},
                {"Track 1: Intro.ogg", kBadCharacter},
                {"a/b.ogg", kBadCharacter},
                {"con.ogg", kDevice},
                {"NUL.txt.ogg", kDevice},
                {"lpt9", kDevice},
                {"take1.ogg.", kEnding},
                {"take1.ogg ", kEnding}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        wendle.SetText(kOutputFileNameId, row.name);
        EXPECT_BYTES(start_ + "\\" + row.name, wendle.Text(kOutputFilePathId));
        Start(wendle);
        ExpectError(wendle, row.refusal);
    }
    // A plain name afterwards lands in the list's folder.
    wendle.SetText(kOutputFileNameId, "plain.ogg");
    EXPECT_BYTES(start_ + "\\plain.ogg", wendle.Text(kOutputFilePathId));
    Start(wendle);
    ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); }));
    EXPECT_BYTES(start_, encoder_.currentDirectory);
    std::string kept;
    ASSERT_TRUE(bench::ReadFileBytes(victim, &kept));
    EXPECT_EQ("mine", kept);
}

TEST_F(EncodeJob, EncoderMissingOrAFolder) {
    DeleteFileA((start_ + "\\oggenc.exe").c_str());
    {
        bench::Wendle wendle(start_);
        Choose(wendle, input_, out_ + "\\take1.ogg");
        Start(wendle);
        ExpectError(wendle, texts::kEncoderMissing);
    }
    CreateDirectoryA((start_ + "\\oggenc.exe").c_str(), nullptr);
    bench::Wendle wendle(start_);
    Choose(wendle, input_, out_ + "\\take1.ogg");
    Start(wendle);
    ExpectError(wendle, texts::kEncoderMissing);
}

TEST_F(EncodeJob, InputMissing) {
    bench::Wendle wendle(start_);
    Choose(wendle, wave_ + "\\gone.wav", out_ + "\\gone.ogg");
    Start(wendle);
    ExpectError(wendle, texts::kInputMissing);
}

TEST_F(EncodeJob, OutputFolderMissingEmptyOrWithoutFolderPart) {
    bench::Wendle wendle(start_);
    wendle.SetText(kInputFileNameId, input_);
    for (std::string path :
         {root_ + "\\gone\\take1.ogg", std::string("take1.ogg"), std::string()}) {
        SCOPED_TRACE(path);
        wendle.SetText(kOutputFilePathId, path);
        Start(wendle);
        ExpectError(wendle, texts::kFolderMissing);
    }
}

TEST_F(EncodeJob, AnEncoderThatCannotStartIsReportedAfterTheWindowReturns) {
    ASSERT_TRUE(bench::WriteFileBytes(start_ + "\\oggenc.exe", "not a program"));
    bench::Wendle wendle(start_);
    Choose(wendle, input_, out_ + "\\take1.ogg");
    Start(wendle);
    ExpectError(wendle, texts::kJobFailed);
}

// The encoder creates its output before it fails: the file does not stay.
TEST_F(EncodeJob, AnEncoderThatFailsIsReportedAfterTheWindowReturns) {
    SetEnvironmentVariableA("WENDLE_DOUBLE_EXIT", "1");
    bench::Wendle wendle(start_);
    Choose(wendle, input_, out_ + "\\take1.ogg");
    Start(wendle);
    HWND dialog = wendle.WaitForDialog(texts::kErrorTitle);
    ASSERT_NE(nullptr, dialog);
    EXPECT_TRUE(encoder_.Read()) << "the encoder did not run";
    EXPECT_BYTES(std::string("\n") + texts::kJobFailed, bench::ReadDialog(dialog).message);
    EXPECT_TRUE(IsWindowVisible(wendle.MainWindow()));
    EXPECT_FALSE(Exists(out_ + "\\take1.ogg"));
}

}  // namespace
