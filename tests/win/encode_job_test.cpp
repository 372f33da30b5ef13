// One encode on the real program, with the encoder's stand-in, and each way a
// job can fail: what the user sees and what reaches the encoder.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "core/failure.h"
#include "dialog_watch.h"
#include "dialogs/progress_ids.h"
#include "main/main_ids.h"
#include "main/main_window.h"
#include "support/bench.h"
#include "support/encode_fixture.h"
#include "support/texts.h"
#include "support/windows.h"

namespace {

using namespace wendle;
namespace texts = bench::texts;

class EncodeJob : public bench::EncodeFixture {
  protected:
    // Starts the job and answers the overwrite question with OK.
    void ConfirmOverwrite(bench::Wendle& wendle) {
        Start(wendle);
        HWND dialog = wendle.WaitForDialog(texts::kConfirmTitle);
        ASSERT_NE(nullptr, dialog);
        EXPECT_TRUE(bench::PressButton(dialog, "OK"));
    }

    // The input chosen, the output name derived from it, the path in out_.
    void Choose(bench::Wendle& wendle, const std::string& input, const std::string& outputPath) {
        wendle.SetText(kInputFileNameId, input);
        wendle.SetText(kOutputFilePathId, outputPath);
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
        EXPECT_EQ(encoderRan, bench::Exists(encoder_.reportPath)) << "whether the encoder ran";
    }
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
    EXPECT_TRUE(bench::Exists(out_ + "\\take1.ogg"));
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

// The encoder is looked for in the start folder, even when its name ends in a
// trail byte 0x5C or it is a drive root.
TEST_F(EncodeJob, EncoderIsLookedForInTheStartFolder) {
    const std::string japanese = root_ + "\\" + texts::kHyou;
    CreateDirectoryA(japanese.c_str(), nullptr);
    ASSERT_TRUE(bench::CopyProgram("oggenc_double.exe", japanese + "\\oggenc.exe"));
    ASSERT_TRUE(bench::CopyProgram("oggenc_double.exe", "C:\\oggenc.exe"));
    for (const std::string& start : {japanese, std::string("C:\\")}) {
        SCOPED_TRACE(start);
        DeleteFileA(encoder_.reportPath.c_str());
        DeleteFileA((out_ + "\\take1.ogg").c_str());
        bench::Wendle wendle(start);
        Choose(wendle, input_, out_ + "\\take1.ogg");
        Start(wendle);
        ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); }));
        ASSERT_FALSE(encoder_.argv.empty());
        EXPECT_BYTES((start == "C:\\" ? start : start + "\\") + "oggenc.exe", encoder_.argv[0]);
    }
    DeleteFileA("C:\\oggenc.exe");
}

// Started from "Open with" or a shortcut, the start folder is any folder: the
// encoder beside the program comes first, then the start folder's.
TEST_F(EncodeJob, EncoderBesideTheProgramComesBeforeTheStartFolders) {
    const std::string program = root_ + "\\program";
    CreateDirectoryA(program.c_str(), nullptr);
    ASSERT_TRUE(bench::CopyProgram("wendle.exe", program + "\\wendle.exe"));
    const struct {
        bool beside, inStartFolder;
    } rows[] = {{true, true}, {false, true}, {true, false}, {false, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.beside) + std::to_string(row.inStartFolder));
        for (const auto& [wanted, folder] :
             {std::pair{row.beside, program}, std::pair{row.inStartFolder, start_}}) {
            const std::string encoder = folder + "\\oggenc.exe";
            ASSERT_TRUE(wanted ? bench::CopyProgram("oggenc_double.exe", encoder)
                               : DeleteFileA(encoder.c_str()) || !bench::Exists(encoder));
        }
        DeleteFileA(encoder_.reportPath.c_str());
        bench::Wendle wendle(start_, program + "\\wendle.exe");
        Choose(wendle, input_, out_ + "\\take1.ogg");
        Start(wendle);
        if (!row.beside && !row.inStartFolder) {
            ExpectError(wendle, texts::kEncoderMissing);
            continue;
        }
        ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); }));
        EXPECT_BYTES((row.beside ? program : start_) + "\\oggenc.exe", encoder_.argv[0]);
        EXPECT_TRUE(
            bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
        DeleteFileA((out_ + "\\take1.ogg").c_str());
    }
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
        EXPECT_FALSE(bench::Exists(encoder_.reportPath)) << "the encoder ran";
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
        ConfirmOverwrite(wendle);
        ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); }));
        EXPECT_BYTES(out_, encoder_.currentDirectory);
        if (*exitCode == '1') ExpectError(wendle, texts::kJobFailed, true);
        ASSERT_TRUE(
            bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
        ASSERT_TRUE(bench::Settled(wendle.MainWindow()));
        std::string kept;
        ASSERT_TRUE(bench::ReadFileBytes(output, &kept));
        EXPECT_EQ(*exitCode == '1' ? "old" : "OggS", kept);
        EXPECT_FALSE(bench::Exists(output + ".wendle-backup"));
    }
}

// Ending well without writing is no good encode: the old file is not lost.
TEST_F(EncodeJob, AnEncoderThatEndsWellWithoutItsOutputHasFailed) {
    const std::string output = out_ + "\\take1.ogg";
    ASSERT_TRUE(bench::WriteFileBytes(output, "old"));
    SetEnvironmentVariableA("WENDLE_DOUBLE_NO_OUTPUT", "1");
    bench::Wendle wendle(start_);
    Choose(wendle, input_, output);
    ConfirmOverwrite(wendle);
    ExpectError(wendle, texts::kJobFailed, true);
    std::string kept;
    ASSERT_TRUE(bench::ReadFileBytes(output, &kept));
    EXPECT_EQ("old", kept);
    EXPECT_FALSE(bench::Exists(output + ".wendle-backup"));
}

// The encoder would fail on a folder of the output's name, and the put-back
// would then try to remove it: refused before anything runs.
TEST_F(EncodeJob, AnOutputNameThatIsAFolderIsRefused) {
    const std::string folder = out_ + "\\take1.ogg";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(bench::WriteFileBytes(folder + "\\mine.txt", "mine"));
    bench::Wendle wendle(start_);
    Choose(wendle, input_, folder);
    Start(wendle);
    ExpectError(wendle, std::string(texts::kOutputIsFolder) + "\n" + folder);
    std::string kept;
    ASSERT_TRUE(bench::ReadFileBytes(folder + "\\mine.txt", &kept));
    EXPECT_EQ("mine", kept);
}

// A failure inside the wait (here from the job's seam, once the encoder runs)
// leaves the job as a stop does before it reaches the handler: the encoder
// ended, the old file back, the main window shown and enabled; and a drop
// meanwhile was released and taken by no one. The next job runs.
TEST_F(EncodeJob, AFailureInsideTheWaitLeavesNothingBehind) {
    HANDLE hold = CreateEventA(nullptr, TRUE, FALSE, "WendleTestHold");
    SetEnvironmentVariableA("WENDLE_DOUBLE_HOLD", "WendleTestHold");
    const std::string output = out_ + "\\take1.ogg", other = wave_ + "\\take2.wav";
    ASSERT_TRUE(bench::WriteFileBytes(output, "old"));
    ASSERT_TRUE(bench::WriteFileBytes(other, "RIFF"));
    dialog_watch::SetUpApplication();
    SetCurrentDirectoryA(start_.c_str());
    MSG quit;
    // A quit left by an earlier window of this process would stop the job.
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    wendle::MainWindow window;
    ASSERT_TRUE(window.Create());
    window.SetText(kInputFileNameId, input_);
    SetWindowTextA(window.Control(kOutputFilePathId), output.c_str());
    HDROP drop = nullptr;
    window.Job().OnWaitTurn = [&] {
        if (!encoder_.Read()) return;
        drop = bench::MakeDrop({bench::Wide(other)});
        SendMessageA(window.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        throw Failure{"in the wait"};
    };
    auto confirm = [](HWND dialog) { EXPECT_TRUE(bench::PressButton(dialog, "OK")); };
    dialog_watch::WithDialog([&] { EXPECT_THROW(window.StartEncodeClick(), Failure); }, confirm);
    EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), GlobalFlags(drop)) << "drop not released";
    EXPECT_BYTES(input_, window.Text(kInputFileNameId));
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, encoder_.processId);
    EXPECT_TRUE(!process || WaitForSingleObject(process, 0) == WAIT_OBJECT_0) << "still runs";
    if (process) CloseHandle(process);
    std::string kept;
    ASSERT_TRUE(bench::ReadFileBytes(output, &kept));
    EXPECT_EQ("old", kept);
    EXPECT_FALSE(bench::Exists(output + ".wendle-backup"));
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_TRUE(IsWindowEnabled(window.Handle()));
    EXPECT_EQ(nullptr, FindWindowA(kProgressWindowClass, nullptr));
    EXPECT_FALSE(window.Job().Runs());

    window.Job().OnWaitTurn = nullptr;
    SetEvent(hold);
    DeleteFileA(encoder_.reportPath.c_str());
    dialog_watch::WithDialog([&] { window.StartEncodeClick(); }, confirm);
    EXPECT_TRUE(encoder_.Read()) << "the next job did not run";
    ASSERT_TRUE(bench::ReadFileBytes(output, &kept));
    EXPECT_EQ("OggS", kept);
    CloseHandle(hold);
}

// Refuses the progress window alone, as a system with no window handle left.
LRESULT CALLBACK RefuseProgressWindow(int code, WPARAM wParam, LPARAM lParam) {
    char name[64] = "";
    if (code == HCBT_CREATEWND &&
        GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name) &&
        std::string(name) == kProgressWindowClass) {
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Without a progress window nothing would show the job or take the end of the
// session: the encoder is ended, nothing is left in the folder, and the
// failure is told over the main window given back.
TEST_F(EncodeJob, NoProgressWindowNoJob) {
    HANDLE hold = CreateEventA(nullptr, TRUE, FALSE, "WendleTestHold");
    SetEnvironmentVariableA("WENDLE_DOUBLE_HOLD", "WendleTestHold");
    SetEnvironmentVariableA("WENDLE_DOUBLE_PROGRESS", "1");
    const std::string output = out_ + "\\take1.ogg";
    dialog_watch::SetUpApplication();
    SetCurrentDirectoryA(start_.c_str());
    wendle::MainWindow window;
    ASSERT_TRUE(window.Create());
    window.SetText(kInputFileNameId, input_);
    SetWindowTextA(window.Control(kOutputFilePathId), output.c_str());
    HHOOK refuse = SetWindowsHookExA(WH_CBT, &RefuseProgressWindow, nullptr, GetCurrentThreadId());
    std::string message;
    EXPECT_TRUE(dialog_watch::WithDialog([&] { window.StartEncodeClick(); },
                                         [&](HWND dialog) {
                                             message = bench::ReadDialog(dialog).message;
                                             EXPECT_TRUE(bench::PressButton(dialog, "OK"));
                                         }));
    UnhookWindowsHookEx(refuse);
    EXPECT_BYTES(std::string("\n") + texts::kJobFailed, message);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, encoder_.processId);
    EXPECT_TRUE(!process || WaitForSingleObject(process, 0) == WAIT_OBJECT_0) << "still runs";
    if (process) CloseHandle(process);
    EXPECT_FALSE(bench::Exists(output));
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_TRUE(IsWindowEnabled(window.Handle()));
    EXPECT_FALSE(window.Job().Runs());
    SetEvent(hold);
    CloseHandle(hold);
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
    ConfirmOverwrite(wendle);
    ExpectError(wendle, texts::kJobFailed);
    CloseHandle(held);
    std::string kept;
    ASSERT_TRUE(bench::ReadFileBytes(output, &kept));
    EXPECT_EQ("old", kept);
}

// Every name is refused that is not exactly one file in the output folder,
// however it got into the field; the path never leaves the list's folder.
TEST_F(EncodeJob, NamesThatAreNotOneFileInTheFolderAreRefused) {
    const std::string victim = root_ + "\\victim.ogg";
    ASSERT_TRUE(bench::WriteFileBytes(victim, "mine"));
    bench::Wendle wendle(start_);
    wendle.SetText(kInputFileNameId, input_);
    const struct {
        const char* name;
        const char* refusal;
    } rows[] = {{"\\victim.ogg", texts::kBadCharacter},
                {"..\\victim.ogg", texts::kBadCharacter},
                {"Track 1: Intro.ogg", texts::kBadCharacter},
                {"a/b.ogg", texts::kBadCharacter},
                {"con.ogg", texts::kDeviceName},
                {"NUL.txt.ogg", texts::kDeviceName},
                {"lpt9", texts::kDeviceName},
                {"take1.ogg.", texts::kNameEnding},
                {"take1.ogg ", texts::kNameEnding}};
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
    EXPECT_FALSE(bench::Exists(out_ + "\\take1.ogg"));
}

// The ANSI functions stop at MAX_PATH; these do not.
std::wstring Long(const std::string& path) {
    return L"\\\\?\\" + bench::Wide(path);
}

std::string ReadLong(const std::string& path) {
    HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(none)";
    char buffer[64];
    DWORD got = 0;
    ReadFile(file, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(file);
    return std::string(buffer, got);
}

// The names in a folder, "." and ".." left out, each with "(r)" when read-only.
std::string Entries(const std::string& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((Long(folder) + L"\\*").c_str(), &entry);
    std::string names;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &entry)) {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        names += (names.empty() ? "" : " ") + std::string(name.begin(), name.end());
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) names += "(r)";
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return names;
}

// Around the ANSI limits (MAX_PATH on Windows, one byte more under Wine) and
// where the set-aside name passes them: the question is asked, a failure puts
// the old bytes back under their name with their attributes, a good encode
// leaves no copy, and a new output of a failed encode does not stay.
TEST_F(EncodeJob, NothingIsLostAtAnyOutputPathLength) {
    const std::string name = "oxxxxxxxxxxxxxxx.ogg";  // 20 bytes
    const struct {
        std::size_t length;
        bool old, readOnly;
    } rows[] = {{245, true, false},  {246, true, false}, {247, true, false}, {259, true, false},
                {260, true, false},  {261, true, false}, {270, true, false}, {261, false, false},
                {270, false, false}, {100, true, true},  {261, true, true}};
    char letter = 'a';
    for (const char* exitCode : {"1", "0"}) {
        SetEnvironmentVariableA("WENDLE_DOUBLE_EXIT", exitCode);
        bench::Wendle wendle(start_);
        wendle.SetText(kInputFileNameId, input_);
        wendle.SetText(kOutputFileNameId, name);
        for (const auto& row : rows) {
            SCOPED_TRACE(std::string(exitCode) + " " + std::to_string(row.length) +
                         (row.old ? " old" : " new") + (row.readOnly ? " read-only" : ""));
            const std::string folder =
                root_ + "\\" + std::string(row.length - name.size() - root_.size() - 2, letter++);
            const std::string output = folder + "\\" + name;
            ASSERT_EQ(row.length, output.size());
            ASSERT_TRUE(CreateDirectoryW(Long(folder).c_str(), nullptr));
            if (row.old) {
                ASSERT_TRUE(bench::WriteFileBytes(Long(output), "old"));
                if (row.readOnly) SetFileAttributesW(Long(output).c_str(), FILE_ATTRIBUTE_READONLY);
            }
            DeleteFileA(encoder_.reportPath.c_str());
            wendle.SetText(kOutputFilePathId, output);
            if (row.old) {
                ConfirmOverwrite(wendle);
            } else {
                Start(wendle);
            }
            ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); }));
            if (*exitCode == '1') ExpectError(wendle, texts::kJobFailed, true);
            ASSERT_TRUE(
                bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
            ASSERT_TRUE(bench::Settled(wendle.MainWindow()));
            EXPECT_EQ(nullptr,
                      bench::FindTopLevel(wendle.ProcessId(), nullptr, texts::kErrorTitle));
            const bool kept = *exitCode == '1';
            EXPECT_EQ(!row.old && kept ? "" : name + (kept && row.readOnly ? "(r)" : ""),
                      Entries(folder));
            if (row.old) {
                EXPECT_EQ(kept ? "old" : "OggS", ReadLong(output));
            }
        }
    }
}

// Held by another program, the set-aside copy cannot be removed after a good
// encode: the user is told where the old content is, and it stays there.
TEST_F(EncodeJob, ACopySetAsideThatCannotBeRemovedIsNamed) {
    const std::string output = out_ + "\\take1.ogg", aside = output + ".wendle-backup";
    ASSERT_TRUE(bench::WriteFileBytes(output, "old"));
    HANDLE hold = CreateEventA(nullptr, TRUE, FALSE, "WendleTestHold");
    SetEnvironmentVariableA("WENDLE_DOUBLE_HOLD", "WendleTestHold");
    bench::Wendle wendle(start_);
    Choose(wendle, input_, output);
    ConfirmOverwrite(wendle);
    ASSERT_TRUE(bench::WaitUntil([&] { return encoder_.Read(); }));
    HANDLE held = CreateFileA(aside.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    SetEvent(hold);
    ExpectError(wendle, texts::kOldNotRemoved + aside, true);
    CloseHandle(held);
    CloseHandle(hold);
    std::string kept;
    ASSERT_TRUE(bench::ReadFileBytes(aside, &kept));
    EXPECT_EQ("old", kept);
}

// Refused before anything runs: an output folder the system cannot check for
// another reason than absence, one past what a current directory can be, and
// the console's names.
TEST_F(EncodeJob, WhatCannotBeCheckedOrReachedIsRefused) {
    const std::string tooLong = root_ + "\\" + std::string(260 - root_.size() - 1, 'l');
    ASSERT_TRUE(CreateDirectoryW(Long(tooLong).c_str(), nullptr));
    bench::Wendle wendle(start_);
    wendle.SetText(kInputFileNameId, input_);
    const struct {
        std::string path;
        std::string refusal;
    } rows[] = {
        {out_ + "\\a|b\\take1.ogg", std::string(texts::kCannotCheck) + "\n" + out_ + "\\a|b\\"},
        {tooLong + "\\take1.ogg", texts::kFolderTooLong},
        {out_ + "\\CONIN$", texts::kDeviceName},
        {out_ + "\\conout$", texts::kDeviceName}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        wendle.SetText(kOutputFileNameId, row.path.substr(row.path.rfind('\\') + 1));
        wendle.SetText(kOutputFilePathId, row.path);
        Start(wendle);
        ExpectError(wendle, row.refusal);
    }
}

}  // namespace
