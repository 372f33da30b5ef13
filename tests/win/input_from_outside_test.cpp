// The input taken from outside the open dialog: files dropped on the main
// window (in-process, where the drop's memory can be made) and a file named on
// the command line (the real program).
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "dialog_watch.h"
#include "main/main_ids.h"
#include "main/main_window.h"
#include "support/bench.h"
#include "support/made_main_window.h"
#include "support/texts.h"
#include "support/windows.h"

namespace {

using namespace wendle;
namespace texts = bench::texts;

class FileDrop : public bench::MadeMainWindow {
  protected:
    // The receiver must release the drop, whatever it took from it.
    void Drop(const std::vector<std::string>& names) {
        std::vector<std::wstring> wide;
        for (const std::string& name : names) wide.push_back(bench::Wide(name));
        HDROP drop = bench::MakeDrop(wide);
        SendMessageA(made_->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
        EXPECT_EQ(static_cast<UINT>(GMEM_INVALID_HANDLE), GlobalFlags(drop)) << "drop not released";
    }

    // A drop that makes a batch: its look is shown, and cancelled.
    void DropCancellingTheBatch(const std::vector<std::string>& names) {
        std::string caption;
        EXPECT_TRUE(dialog_watch::WithDialog([&] { Drop(names); },
                                             [&](HWND dialog) {
                                                 caption = bench::WindowText(dialog);
                                                 bench::PressButton(dialog, texts::kCancelAnswer);
                                             }));
        EXPECT_BYTES(texts::kBatchCaption, caption);
    }
};

// Of several dropped names, one file is taken as the open dialog takes it;
// two files or a folder make a batch.
TEST_F(FileDrop, TheFirstExistingFileIsTakenAsTheOpenDialogTakesIt) {
    EXPECT_NE(0, GetWindowLongA(made_->Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    const std::string folder = root_ + "\\wave " + texts::kSo;
    const std::string take = folder + "\\take1.wav";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(bench::WriteFileBytes(take, "RIFF"));

    // A folder makes a batch: its look comes first, and キャンセル changes nothing.
    DropCancellingTheBatch({folder});
    EXPECT_EQ("", made_->Text(kInputFileNameId));
    EXPECT_EQ("", made_->Text(kOutputFileNameId));
    EXPECT_FALSE(IsWindowEnabled(made_->Control(kStartEncodeId)));

    // One file: missing names are passed over; the folder list stays.
    Drop({folder + "\\missing.wav", take});
    EXPECT_BYTES(take, made_->Text(kInputFileNameId));
    EXPECT_EQ("take1.ogg", made_->Text(kOutputFileNameId));
    EXPECT_BYTES(root_ + "\\take1.ogg", made_->Text(kOutputFilePathId));
    EXPECT_TRUE(IsWindowEnabled(made_->Control(kStartEncodeId)));
    EXPECT_BYTES(root_, Folders().Folder());

    DropCancellingTheBatch({folder, take});
    EXPECT_BYTES(take, made_->Text(kInputFileNameId));

    // As after the dialog: the same file with the name emptied moves the list.
    made_->SetText(kOutputFileNameId, "");
    Drop({take});
    EXPECT_EQ("", made_->Text(kOutputFileNameId));
    EXPECT_BYTES(folder, Folders().Folder());
}

// The fields a start with that file shows, read from the running program.
void ExpectTaken(const bench::Wendle& wendle, const std::string& input, const std::string& name,
                 const std::string& path) {
    ASSERT_TRUE(wendle.Running());
    EXPECT_BYTES(input, wendle.Text(kInputFileNameId));
    EXPECT_BYTES(name, wendle.Text(kOutputFileNameId));
    EXPECT_BYTES(path, wendle.Text(kOutputFilePathId));
    EXPECT_TRUE(IsWindowEnabled(wendle.Control(kStartEncodeId)));
}

TEST(StartWithFile, TheFirstArgumentIsTakenAsAFullPath) {
    const std::string root = bench::FreshFolder();
    // 録音 ソ: a blank, and a trail byte 0x5C.
    const std::string recorded = root + "\\\x98\x5E\x89\xB9 " + texts::kSo;
    const std::string hyou = root + "\\" + texts::kHyou;
    CreateDirectoryA(recorded.c_str(), nullptr);
    CreateDirectoryA(hyou.c_str(), nullptr);
    // Named without an extension, so that its trail byte stands before the quote.
    const std::string take = recorded + "\\take " + texts::kSo;
    ASSERT_TRUE(bench::WriteFileBytes(take, "RIFF"));
    ASSERT_TRUE(bench::WriteFileBytes(hyou + "\\" + texts::kSo + ".wav", "RIFF"));
    const std::string so = std::string(texts::kSo) + ".ogg";
    {
        SCOPED_TRACE("quoted, with a second argument");
        bench::Wendle wendle(root, "", "\"" + take + "\" other.wav");
        const std::string name = std::string("take ") + texts::kSo + ".ogg";
        ExpectTaken(wendle, take, name, root + "\\" + name);
    }
    {
        SCOPED_TRACE("unquoted");
        bench::Wendle wendle(root, "", hyou + "\\" + texts::kSo + ".wav");
        ExpectTaken(wendle, hyou + "\\" + texts::kSo + ".wav", so, root + "\\" + so);
    }
    {
        SCOPED_TRACE("relative to the start folder");
        bench::Wendle wendle(recorded, "",
                             std::string("..\\") + texts::kHyou + "\\" + texts::kSo + ".wav");
        ExpectTaken(wendle, hyou + "\\" + texts::kSo + ".wav", so, recorded + "\\" + so);
    }
}

TEST(StartWithFile, AMissingFileIsReportedOverTheShownWindowAndNothingIsTaken) {
    const std::string root = bench::FreshFolder();
    CreateDirectoryA((root + "\\folder.wav").c_str(), nullptr);
    for (const char* argument : {"missing.wav", "folder.wav", "*"}) {
        SCOPED_TRACE(argument);
        bench::Wendle wendle(root, "", argument);
        ASSERT_TRUE(wendle.Running());
        const RECT main = bench::WindowRect(wendle.MainWindow());
        HWND dialog = wendle.WaitForDialog(texts::kErrorTitle);
        ASSERT_NE(nullptr, dialog) << "no error dialog";
        const bench::DialogView view = bench::ReadDialog(dialog);
        EXPECT_BYTES(std::string("\n") + texts::kInputMissing, view.message);
        EXPECT_EQ(std::vector<std::string>{"OK"}, view.buttons);
        EXPECT_EQ(main.left + 150, view.outer.left);
        EXPECT_EQ(main.top + 150, view.outer.top);
        EXPECT_TRUE(IsWindowVisible(wendle.MainWindow()));
        EXPECT_TRUE(bench::PressButton(dialog, "OK"));
        EXPECT_TRUE(bench::WaitUntil([&] { return !IsWindow(dialog); }));
        EXPECT_TRUE(bench::Settled(wendle.MainWindow()));
        for (int id : {kInputFileNameId, kOutputFileNameId, kOutputFilePathId}) {
            EXPECT_EQ("", wendle.Text(id)) << "control " << id;
        }
        EXPECT_FALSE(IsWindowEnabled(wendle.Control(kStartEncodeId)));
    }
}

}  // namespace
