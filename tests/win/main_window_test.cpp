// The main window's field rules with the folder list and the drive chooser,
// in-process: the window is made here as start-up makes it.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "dialog_watch.h"
#include "main/main_ids.h"
#include "main/main_window.h"
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
        made_ = std::make_unique<TMainWindow>();
        made_->Create();
    }

    std::string root_;
    std::unique_ptr<TMainWindow> made_;
};

TEST_F(MainWindowFields, OutputPathFollowsTheFolderList) {
    made_->SetText(IDC_OUTPUT_FILE_NAME, "a.ogg");
    EXPECT_BYTES(root_ + "\\a.ogg", made_->Text(IDC_OUTPUT_FILE_PATH));
    // A folder whose name ends in a trail byte 0x5C still gets its backslash.
    const std::string japanese = root_ + "\\" + bench::texts::kHyou;
    CreateDirectoryA(japanese.c_str(), nullptr);
    made_->DirectoryListBox1().AssignFolder(japanese);
    EXPECT_BYTES(japanese + "\\a.ogg", made_->Text(IDC_OUTPUT_FILE_PATH));
    made_->DirectoryListBox1().AssignFolder("C:\\");
    EXPECT_BYTES("C:\\a.ogg", made_->Text(IDC_OUTPUT_FILE_PATH));
    // Typed with a backslash, the name keeps the folder part of the path.
    made_->SetText(IDC_OUTPUT_FILE_NAME, "a\\");
    made_->SetText(IDC_OUTPUT_FILE_NAME, "a\\b");
    EXPECT_BYTES("C:\\a\\a\\b", made_->Text(IDC_OUTPUT_FILE_PATH));
}

TEST_F(MainWindowFields, ADriveThatIsNotReadyIsReportedOnceAndTheChooserGoesBack) {
    const char drive = made_->DriveComboBox1().Drive();
    const std::string folder = made_->DirectoryListBox1().Folder();
    RECT main = bench::WindowRect(made_->Handle());
    int dialogs = 0;
    bench::DialogView view;
    EXPECT_TRUE(dialog_watch::WithDialog([&] { made_->DriveComboBox1().SetDrive('X'); },
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
    EXPECT_EQ(drive, made_->DriveComboBox1().Drive());
    EXPECT_BYTES(folder, made_->DirectoryListBox1().Folder());
    EXPECT_BYTES(root_, CurrentDirectory());
}

}  // namespace
