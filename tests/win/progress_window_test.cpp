// The job in view on the real program: the progress window while the
// encoder's stand-in runs and reports progress, the program answering
// meanwhile, and every way of stopping the job leaving the folder as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dialogs/progress_ids.h"
#include "main/main_ids.h"
#include "support/bench.h"
#include "support/encode_fixture.h"
#include "support/texts.h"
#include "support/windows.h"

namespace {

using namespace wendle;
namespace texts = bench::texts;

std::set<std::string> FolderNames(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.insert(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

bool ProcessEnded(DWORD processId) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process) return true;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// Everything posted to the window's thread before this call has been handled:
// the second of two sent messages is taken only by a later turn of its loop
// than the one that took the first, which took what was posted before it.
bool PostedHandled(HWND window) {
    return bench::Settled(window) && bench::Settled(window);
}

class ProgressWindow : public bench::EncodeFixture {
  protected:
    void SetUp() override {
        EncodeFixture::SetUp();
        // Never set unless a test lets the encoder finish: it holds at 50.0%.
        hold_ = CreateEventA(nullptr, TRUE, FALSE, "WendleProgressHold");
        SetEnvironmentVariableA("WENDLE_DOUBLE_HOLD", "WendleProgressHold");
        SetEnvironmentVariableA("WENDLE_DOUBLE_PROGRESS", "1");
        output_ = out_ + "\\take1.ogg";
    }
    void TearDown() override {
        SetEvent(hold_);
        CloseHandle(hold_);
        EncodeFixture::TearDown();
    }

    // Starts the job (confirming the overwrite of an existing output) and
    // waits for the progress window and the output the encoder made at once.
    HWND StartJob(bench::Wendle& wendle) {
        wendle.SetText(kInputFileNameId, input_);
        wendle.SetText(kOutputFilePathId, output_);
        const bool overwrite = bench::Exists(output_);
        Start(wendle);
        if (overwrite) {
            HWND dialog = wendle.WaitForDialog(texts::kConfirmTitle);
            EXPECT_TRUE(dialog && bench::PressButton(dialog, "OK"));
        }
        HWND progress = nullptr;
        EXPECT_TRUE(bench::WaitUntil([&] {
            progress = bench::FindTopLevel(wendle.ProcessId(), kProgressWindowClass,
                                           texts::kProgressCaption);
            return progress && encoder_.Read() && bench::Exists(output_);
        })) << "no progress window, or the encoder did not start";
        return progress;
    }

    HANDLE hold_ = nullptr;
    std::string output_;
};

TEST_F(ProgressWindow, ShowsTheJobWhileTheProgramAnswers) {
    bench::Wendle wendle(start_);
    const RECT main = bench::WindowRect(wendle.MainWindow());
    HWND progress = StartJob(wendle);
    ASSERT_NE(nullptr, progress);
    EXPECT_FALSE(IsWindowVisible(wendle.MainWindow()));
    EXPECT_FALSE(IsWindowEnabled(wendle.MainWindow()));
    const RECT shown = bench::WindowRect(progress);
    EXPECT_EQ(main.left, shown.left);
    EXPECT_EQ(main.top, shown.top);
    const LONG style = GetWindowLongA(progress, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    auto text = [&](int id) { return bench::WindowText(GetDlgItem(progress, id)); };
    EXPECT_BYTES(std::string(texts::kInputPrefix) + "take1.wav", text(kProgressInputId));
    EXPECT_BYTES(std::string(texts::kOutputPrefix) + "take1.ogg", text(kProgressOutputId));
    EXPECT_BYTES(texts::kStop, text(kProgressStopId));
    EXPECT_TRUE(bench::WaitUntil([&] { return text(kProgressPercentId) == "50%"; }))
        << "shows " << text(kProgressPercentId);
    EXPECT_BYTES(std::string(texts::kLeftPrefix) + "0:05", text(kProgressLeftId));
    EXPECT_EQ(0u, text(kProgressElapsedId).find(texts::kElapsedPrefix));
    DWORD_PTR answer = 0;
    EXPECT_NE(0, SendMessageTimeoutA(progress, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer))
        << "the program does not answer while the encoder runs";

    SetEvent(hold_);
    ASSERT_TRUE(bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
    EXPECT_FALSE(IsWindow(progress));
    EXPECT_TRUE(IsWindowEnabled(wendle.MainWindow()));
    const RECT back = bench::WindowRect(wendle.MainWindow());
    EXPECT_TRUE(EqualRect(&main, &back)) << "the main window moved";
    EXPECT_TRUE(bench::Settled(wendle.MainWindow()));
    EXPECT_EQ(nullptr, bench::FindTopLevel(wendle.ProcessId(), nullptr, texts::kErrorTitle));
    EXPECT_TRUE(bench::Exists(output_));
}

TEST_F(ProgressWindow, StaysInsideTheWorkArea) {
    RECT work;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    bench::Wendle wendle(start_);
    SetWindowPos(wendle.MainWindow(), nullptr, work.right - 40, work.bottom - 40, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(bench::Settled(wendle.MainWindow()));
    HWND progress = StartJob(wendle);
    ASSERT_NE(nullptr, progress);
    const RECT shown = bench::WindowRect(progress);
    EXPECT_EQ(work.right, shown.right);
    EXPECT_EQ(work.bottom, shown.bottom);
}

// 中止, Esc, the close box, Alt+F4, the end of the session and the taskbar
// button's close: the encoder
// ends, the folder holds what it held before, and no dialog is shown.
TEST_F(ProgressWindow, EveryWayOfStoppingLeavesTheFolderAsItWas) {
    const char* const ways[] = {"button", "escape",         "close box",
                                "alt+f4", "end of session", "taskbar"};
    for (const bool overwrite : {false, true}) {
        for (const char* way : ways) {
            SCOPED_TRACE(std::string(way) + (overwrite ? ", over an old file" : ", a new file"));
            DeleteFileA(output_.c_str());
            DeleteFileA(encoder_.reportPath.c_str());
            if (overwrite) {
                ASSERT_TRUE(bench::WriteFileBytes(output_, "old"));
            }
            const std::set<std::string> before = FolderNames(out_);
            bench::Wendle wendle(start_);
            HWND progress = StartJob(wendle);
            ASSERT_NE(nullptr, progress);
            const std::string w = way;
            if (w == "button") {
                EXPECT_TRUE(bench::PressButton(progress, texts::kStop));
            } else if (w == "escape") {
                bench::PressKey(progress, VK_ESCAPE);
            } else if (w == "close box") {
                PostMessageA(progress, WM_SYSCOMMAND, SC_CLOSE, 0);
            } else if (w == "alt+f4") {
                PostMessageA(progress, WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));
            } else if (w == "taskbar") {
                // The taskbar button's close reaches the hidden main window.
                PostMessageA(wendle.MainWindow(), WM_CLOSE, 0, 0);
            } else {
                DWORD_PTR answer = 0;
                ASSERT_NE(0, SendMessageTimeoutA(progress, WM_QUERYENDSESSION, 0, 0,
                                                 SMTO_ABORTIFHUNG, 5000, &answer));
                EXPECT_EQ(TRUE, static_cast<BOOL>(answer));
                ASSERT_NE(0, SendMessageTimeoutA(progress, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG,
                                                 15000, &answer));
                // Put right before the answer: the session may end right after.
                EXPECT_TRUE(ProcessEnded(encoder_.processId));
                EXPECT_EQ(before, FolderNames(out_));
            }
            ASSERT_TRUE(
                bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
            EXPECT_TRUE(bench::Settled(wendle.MainWindow()));
            EXPECT_EQ(nullptr,
                      bench::FindTopLevel(wendle.ProcessId(), nullptr, texts::kErrorTitle));
            EXPECT_TRUE(ProcessEnded(encoder_.processId)) << "the encoder still runs";
            EXPECT_EQ(before, FolderNames(out_));
            std::string kept;
            EXPECT_EQ(overwrite, bench::ReadFileBytes(output_, &kept));
            EXPECT_EQ(overwrite ? "old" : "", kept);
        }
    }
}

// During a job no command or key reaches the hidden main window's handlers (a drop's
// memory cannot be made across processes: the in-process job tries one), the
// taskbar's restore brings back the progress window in its place, and only a
// press made in the progress window stops the job.
TEST_F(ProgressWindow, NothingButADeliberatePressTripsTheJob) {
    const std::set<std::string> before = FolderNames(out_);
    bench::Wendle wendle(start_);
    HWND progress = StartJob(wendle);
    ASSERT_NE(nullptr, progress);
    HWND main = wendle.MainWindow();
    const DWORD encoder = encoder_.processId;
    ASSERT_TRUE(DeleteFileA(encoder_.reportPath.c_str()));

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(kStartEncodeId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(wendle.Control(kStartEncodeId)));
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(main, WM_COMMAND, kEncodeMenuId, 0, SMTO_NORMAL, 15000, &answer);
    PostMessageA(main, WM_COMMAND, kExitMenuId, 0);
    // Nor does a key move the folder or the drive: the next encoder would run elsewhere.
    HWND folders = wendle.Control(kFolderListId);
    const std::string folder = wendle.CurrentDirectory(), drive = wendle.Text(kDriveChooserId);
    SendMessageA(folders, LB_SETCURSEL, 0, 0);
    PostMessageA(folders, WM_CHAR, '\r', 1);
    PostMessageA(wendle.Control(kDriveChooserId), WM_KEYDOWN, VK_DOWN, 1);
    ASSERT_TRUE(PostedHandled(main));
    EXPECT_EQ(folder, wendle.CurrentDirectory());
    EXPECT_EQ(drive, wendle.Text(kDriveChooserId));
    EXPECT_FALSE(bench::Exists(encoder_.reportPath)) << "a second encoder ran";
    EXPECT_BYTES(input_, wendle.Text(kInputFileNameId));
    EXPECT_BYTES(output_, wendle.Text(kOutputFilePathId));

    HWND app = GetWindow(progress, GW_OWNER);
    SendMessageTimeoutA(app, WM_SYSCOMMAND, SC_MINIMIZE, 0, SMTO_NORMAL, 15000, &answer);
    EXPECT_TRUE(IsIconic(app));
    EXPECT_FALSE(IsWindowVisible(progress));
    SendMessageTimeoutA(app, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_NORMAL, 15000, &answer);
    EXPECT_TRUE(bench::WaitUntil([&] { return GetForegroundWindow() == progress; }))
        << "the progress window is not active";
    EXPECT_FALSE(IsWindowVisible(main)) << "the restore showed the main window";

    HWND stop = GetDlgItem(progress, kProgressStopId);
    PostMessageA(stop, WM_KEYDOWN, VK_RETURN, 0x40000001);  // held since the start button
    PostMessageA(stop, WM_KEYUP, VK_RETURN, 0xC0000001);
    ASSERT_TRUE(PostedHandled(progress));
    EXPECT_FALSE(ProcessEnded(encoder)) << "a held key stopped the job";
    EXPECT_TRUE(IsWindowVisible(progress));

    bench::PressKey(progress, VK_RETURN);
    ASSERT_TRUE(bench::WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    EXPECT_TRUE(ProcessEnded(encoder));
    EXPECT_EQ(before, FolderNames(out_));
    EXPECT_FALSE(bench::Exists(encoder_.reportPath)) << "a second encoder ran";
    EXPECT_BYTES(input_, wendle.Text(kInputFileNameId));
    EXPECT_FALSE(wendle.Exited(0)) << "the exit command was taken";
}

// A file another program holds cannot be removed: the dialog names what
// stays and where the old content is.
TEST_F(ProgressWindow, AFolderThatCannotBePutBackIsReported) {
    for (const bool overwrite : {false, true}) {
        SCOPED_TRACE(overwrite ? "over an old file" : "a new file");
        DeleteFileA(output_.c_str());
        const std::string backup = output_ + ".wendle-backup";
        if (overwrite) {
            ASSERT_TRUE(bench::WriteFileBytes(output_, "old"));
        }
        bench::Wendle wendle(start_);
        const RECT main = bench::WindowRect(wendle.MainWindow());
        HWND progress = StartJob(wendle);
        ASSERT_NE(nullptr, progress);
        HANDLE held = INVALID_HANDLE_VALUE;
        ASSERT_TRUE(bench::WaitUntil([&] {
            held = CreateFileA(output_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            return held != INVALID_HANDLE_VALUE;
        }));
        EXPECT_TRUE(bench::PressButton(progress, texts::kStop));
        HWND dialog = wendle.WaitForDialog(texts::kErrorTitle);
        ASSERT_NE(nullptr, dialog);
        const bench::DialogView view = bench::ReadDialog(dialog);
        EXPECT_BYTES(overwrite ? std::string("\n") + texts::kNotPutBack + texts::kPartialAt +
                                     output_ + "\n" + texts::kOldAt + backup
                               : std::string("\n") + texts::kLeftover + output_,
                     view.message);
        EXPECT_EQ(main.left + 150, view.outer.left);
        EXPECT_EQ(main.top + 150, view.outer.top);
        EXPECT_TRUE(bench::PressButton(dialog, "OK"));
        EXPECT_TRUE(bench::WaitUntil([&] { return !IsWindow(dialog); }));
        CloseHandle(held);
        std::string kept;
        EXPECT_EQ(overwrite, bench::ReadFileBytes(backup, &kept));
        EXPECT_EQ(overwrite ? "old" : "", kept);
        DeleteFileA(backup.c_str());
    }
}

}  // namespace
