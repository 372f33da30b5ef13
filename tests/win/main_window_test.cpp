// The main window's field rules with the folder list and the drive chooser,
// in-process: the window is made here as start-up makes it.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "dialog_watch.h"
#include "main/program_strings.h"
#include "main/main_ids.h"
#include "main/main_window.h"
#include "dialogs/prompt_dialog.h"
#include "support/bench.h"
#include "support/texts.h"
#include "support/windows.h"

namespace {

using namespace wendle;

std::string CurrentDirectory() {
    char path[MAX_PATH];
    return std::string(path, GetCurrentDirectoryA(MAX_PATH, path));
}

class MainWindowFields : public testing::Test {
  protected:
    void SetUp() override {
        dialog_watch::SetUpApplication();
        root_ = bench::FreshFolder();
        SetCurrentDirectoryA(root_.c_str());
        // Made after the move: the choosers start on the current directory.
        made_ = std::make_unique<MainWindow>();
        made_->Create();
    }

    std::string root_;
    std::unique_ptr<MainWindow> made_;
};

TEST_F(MainWindowFields, OutputPathFollowsTheFolderList) {
    made_->SetText(kOutputFileNameId, "a.ogg");
    EXPECT_BYTES(root_ + "\\a.ogg", made_->Text(kOutputFilePathId));
    // A folder whose name ends in a trail byte 0x5C still gets its backslash.
    const std::string japanese = root_ + "\\" + bench::texts::kHyou;
    CreateDirectoryA(japanese.c_str(), nullptr);
    made_->OutputFolders().AssignFolder(japanese);
    EXPECT_BYTES(japanese + "\\a.ogg", made_->Text(kOutputFilePathId));
    made_->OutputFolders().AssignFolder("C:\\");
    EXPECT_BYTES("C:\\a.ogg", made_->Text(kOutputFilePathId));
    // A name set with a backslash cannot move the folder, step by step or not.
    made_->SetText(kOutputFileNameId, "a\\");
    made_->SetText(kOutputFileNameId, "a\\b");
    EXPECT_BYTES("C:\\a\\b", made_->Text(kOutputFilePathId));
    made_->SetText(kOutputFileNameId, "..\\x");
    EXPECT_BYTES("C:\\..\\x", made_->Text(kOutputFilePathId));
}

// A start folder longer than MAX_PATH cannot be read: the encoder path stays
// empty, so no program named oggenc.exe is looked for along a search path.
TEST(StartFolder, AnUnreadableOneLeavesNoEncoderToRun) {
    dialog_watch::SetUpApplication();
    std::string deep = bench::FreshFolder();
    while (deep.size() < 300) {
        deep += "\\" + std::string(bench::texts::kHyou) + bench::texts::kSo + "0123456789";
        ASSERT_TRUE(CreateDirectoryW(bench::Wide("\\\\?\\" + deep).c_str(), nullptr));
    }
    ASSERT_TRUE(SetCurrentDirectoryW(bench::Wide("\\\\?\\" + deep).c_str()));
    MainWindow window;
    window.Create();
    SetCurrentDirectoryA(bench::FreshFolder("short").c_str());
    EXPECT_EQ("", EncoderPath);
    std::string message;
    ASSERT_TRUE(dialog_watch::WithDialog([&] { window.StartEncodeClick(); },
                                         [&](HWND dialog) {
                                             message = bench::ReadDialog(dialog).message;
                                             bench::PressButton(dialog, "OK");
                                         }));
    EXPECT_BYTES(std::string("\n") + bench::texts::kEncoderMissing, message);
}

// Read from the window's own surface, as painted.
COLORREF PixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

TEST_F(MainWindowFields, FramesStandRaisedAndTheOutputLabelSitsOnItsBottomEdge) {
    HWND window = made_->Handle();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const COLORREF lit = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    // Bevel3, a raised box: lit top and left, shadowed bottom and right.
    EXPECT_EQ(lit, PixelAt(window, 8, 200));
    EXPECT_EQ(lit, PixelAt(window, 200, 88));
    EXPECT_EQ(shadow, PixelAt(window, 8 + 457 - 1, 200));
    EXPECT_EQ(shadow, PixelAt(window, 200, 88 + 289 - 1));
    // Bevel1, a raised frame: a ridge, lit outside at the top and left and
    // inside at the bottom and right.
    EXPECT_EQ(lit, PixelAt(window, 16, 200));
    EXPECT_EQ(shadow, PixelAt(window, 17, 200));
    EXPECT_EQ(lit, PixelAt(window, 16 + 249 - 2, 200));
    EXPECT_EQ(shadow, PixelAt(window, 16 + 249 - 1, 200));
    EXPECT_EQ(lit, PixelAt(window, 100, 96));
    EXPECT_EQ(shadow, PixelAt(window, 100, 96 + 209 - 1));
    // "出力先" (280, 104, 57 x 17): its lowest inked row near the bottom edge.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    int lowest = -1;
    for (int y = 104; y < 104 + 17; ++y) {
        for (int x = 280; x < 280 + 57; ++x) {
            if (PixelAt(window, x, y) != face) lowest = y;
        }
    }
    EXPECT_GE(lowest, 104 + 17 - 2);  // centred, it would end three rows higher
    EXPECT_LT(lowest, 104 + 17);
}

TEST_F(MainWindowFields, ADriveThatIsNotReadyIsReportedOnceAndTheChooserGoesBack) {
    const char drive = made_->OutputDrives().Drive();
    const std::string folder = made_->OutputFolders().Folder();
    RECT main = bench::WindowRect(made_->Handle());
    int dialogs = 0;
    bench::DialogView view;
    EXPECT_TRUE(dialog_watch::WithDialog([&] { made_->OutputDrives().SetDrive('X'); },
                                         [&](HWND dialog) {
                                             ++dialogs;
                                             view = bench::ReadDialog(dialog);
                                             bench::PressButton(dialog, "OK");
                                         }));
    EXPECT_EQ(1, dialogs);
    EXPECT_BYTES(bench::texts::kErrorTitle, view.title);
    // \nドライブの準備が出来ていません
    EXPECT_BYTES(
        "\n\x83\x68\x83\x89\x83\x43\x83\x75\x82\xCC\x8F\x80\x94\xF5\x82\xAA\x8F\x6F\x97"
        "\x88\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1",
        view.message);
    EXPECT_EQ(main.left + 150, view.outer.left);
    EXPECT_EQ(main.top + 150, view.outer.top);
    EXPECT_EQ(drive, made_->OutputDrives().Drive());
    EXPECT_BYTES(folder, made_->OutputFolders().Folder());
    EXPECT_BYTES(root_, CurrentDirectory());
}

}  // namespace

namespace {

// フォルダ作成 / \n作成できませんでした
const char kNewFolderCaption[] = "\x83\x74\x83\x48\x83\x8B\x83\x5F\x8D\xEC\x90\xAC";
const char kCreationFailed[] =
    "\n\x8D\xEC\x90\xAC\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD";

class NewDirectory : public MainWindowFields {
  protected:
    // Answers the prompt with `name` (OK) or cancels it (nullptr); returns the
    // error dialog's message when one follows, else empty.
    std::string Create(const char* name) {
        std::string caption, error;
        RECT errorAt{};
        std::atomic<bool> done{false};
        dialog_watch::WithDialog(
            [&] {
                made_->NewDirectoryClick();
                done = true;
            },
            [&](HWND prompt) {
                caption = bench::WindowText(prompt);
                if (!name) {
                    bench::PressButton(prompt, bench::texts::kCancel);
                    return;
                }
                SetWindowTextA(GetDlgItem(prompt, kPromptEditId), name);
                bench::PressButton(prompt, "OK");
                bench::WaitUntil([&] { return !IsWindow(prompt); });
                HWND dialog = nullptr;
                bench::WaitUntil([&] {
                    dialog = dialog_watch::FindDialog(
                        GetWindowThreadProcessId(made_->Handle(), nullptr));
                    return dialog != nullptr || done;
                });
                if (!dialog) return;
                bench::DialogView view = bench::ReadDialog(dialog);
                error = view.message;
                errorAt = view.outer;
                bench::PressButton(dialog, "OK");
                bench::WaitUntil([&] { return !IsWindow(dialog); });
            });
        EXPECT_BYTES(kNewFolderCaption, caption);
        if (!error.empty()) {
            // The one error dialog that stands centred.
            const int width = errorAt.right - errorAt.left;
            EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2, errorAt.left);
        }
        return error;
    }
};

TEST_F(NewDirectory, MadeInTheShownFolderAndListed) {
    made_->SetText(kOutputFileNameId, "a.ogg");
    made_->SetText(kOutputFilePathId, "elsewhere");  // a reload composes it again
    EXPECT_EQ("", Create("New"));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((root_ + "\\New").c_str()));
    EXPECT_BYTES(root_ + "\\a.ogg", made_->Text(kOutputFilePathId));
    bool listed = false;
    for (const auto& item : made_->OutputFolders().Items()) listed |= item.text == "New";
    EXPECT_TRUE(listed);
}

TEST_F(NewDirectory, EmptyOrExistingNameFailsAndStillReloads) {
    made_->SetText(kOutputFileNameId, "a.ogg");
    EXPECT_EQ("", Create("Twice"));
    for (const char* name : {"", "Twice"}) {
        SCOPED_TRACE(name);
        made_->SetText(kOutputFilePathId, "elsewhere");
        EXPECT_BYTES(kCreationFailed, Create(name));
        EXPECT_BYTES(root_ + "\\a.ogg", made_->Text(kOutputFilePathId));
    }
}

TEST_F(NewDirectory, CancelledDoesNotReload) {
    made_->SetText(kOutputFileNameId, "a.ogg");
    made_->SetText(kOutputFilePathId, "elsewhere");
    EXPECT_EQ("", Create(nullptr));
    EXPECT_EQ("elsewhere", made_->Text(kOutputFilePathId));
}

}  // namespace

namespace {

class InputFile : public MainWindowFields {
  protected:
    void SetUp() override {
        MainWindowFields::SetUp();
        wave_ = root_ + "\\wave" + bench::texts::kSo;
        CreateDirectoryA(wave_.c_str(), nullptr);
        ASSERT_TRUE(bench::WriteFileBytes(wave_ + "\\take1.wav", "RIFF"));
    }

    // Runs the open handler; types `path` into the real open dialog and opens
    // it, or cancels when `path` is empty. False when no dialog appeared.
    bool Choose(const std::string& path) {
        return dialog_watch::WithDialog([&] { made_->InputFileOpenClick(); },
                                        [&](HWND dialog) {
                                            if (path.empty()) {
                                                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                                                return;
                                            }
                                            SetDlgItemTextA(dialog, 0x47C, path.c_str());
                                            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                                        });
    }

    std::string wave_;
};

TEST_F(InputFile, TheFirstChoiceTakesTheFolderListsFolder) {
    ASSERT_TRUE(Choose(wave_ + "\\take1.wav"));
    EXPECT_BYTES(wave_ + "\\take1.wav", made_->Text(kInputFileNameId));
    EXPECT_EQ("take1.ogg", made_->Text(kOutputFileNameId));
    EXPECT_BYTES(root_ + "\\take1.ogg", made_->Text(kOutputFilePathId));
    EXPECT_TRUE(IsWindowEnabled(made_->Control(kStartEncodeId)));
    EXPECT_BYTES(root_, made_->OutputFolders().Folder());
}

TEST_F(InputFile, TheSameFileAfterEmptyingTheNameMovesTheFolderList) {
    ASSERT_TRUE(Choose(wave_ + "\\take1.wav"));
    made_->SetText(kOutputFileNameId, "");
    ASSERT_TRUE(Choose(wave_ + "\\take1.wav"));
    EXPECT_EQ("", made_->Text(kOutputFileNameId));
    EXPECT_EQ("", made_->Text(kOutputFilePathId));
    EXPECT_BYTES(wave_, made_->OutputFolders().Folder());
}

// Its folder gone, the present input must not stop another from being chosen.
TEST_F(InputFile, TheDialogOpensWhenThePresentInputsFolderIsGone) {
    ASSERT_TRUE(Choose(wave_ + "\\take1.wav"));
    SetCurrentDirectoryA(root_.c_str());
    DeleteFileA((wave_ + "\\take1.wav").c_str());
    ASSERT_TRUE(RemoveDirectoryA(wave_.c_str()));
    ASSERT_TRUE(bench::WriteFileBytes(root_ + "\\other.wav", "RIFF"));
    ASSERT_TRUE(Choose(root_ + "\\other.wav"));
    EXPECT_BYTES(root_ + "\\other.wav", made_->Text(kInputFileNameId));
    EXPECT_EQ("other.ogg", made_->Text(kOutputFileNameId));
}

}  // namespace
