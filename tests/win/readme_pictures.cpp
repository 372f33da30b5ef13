// Not a test: takes the README's pictures of the real program in folders a
// user has (tools/readme-screenshots copies them into docs/). Wendle starts in
// the folder it was unpacked to; the WAVE file is chosen in the open dialog,
// the output folder opened in the folder list, the tags typed; at 96 DPI and
// again at 144 (150 %).
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "dialogs/progress_ids.h"
#include "main/main_ids.h"
#include "support/bench.h"
#include "support/dpi.h"
#include "support/windows.h"

namespace {

using namespace wendle;

const char kOpenTitle[] = "開く";
const int kNameBox = 0x47C;  // the open dialog's file name box

const char kTools[] = "C:\\Tools";
const char kUnpacked[] = "C:\\Tools\\wendle-0.0.2";
const char kMusic[] = "C:\\Music";
const char kRecordings[] = "C:\\Music\\録音";
const char kWave[] = "C:\\Music\\録音\\take1.wav";
const char kOgg[] = "C:\\Music\\ogg";

HWND List(const bench::Wendle& wendle) {
    return wendle.Control(kFolderListId);
}

int ListCount(const bench::Wendle& wendle) {
    return static_cast<int>(SendMessageA(List(wendle), LB_GETCOUNT, 0, 0));
}

// A double-click on the list's item as the mouse makes it.
void DoubleClickFolder(const bench::Wendle& wendle, int index) {
    RECT r{};
    SendMessageA(List(wendle), LB_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM(r.left + 40, (r.top + r.bottom) / 2);
    SendMessageA(List(wendle), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(List(wendle), WM_LBUTTONUP, 0, at);
    SendMessageA(List(wendle), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(List(wendle), WM_LBUTTONUP, 0, at);
}

// Opens the subfolder `folder` of the list item `parent` as a user looks for
// it: each subfolder tried in turn, the output path telling where it led.
bool OpenSubfolder(const bench::Wendle& wendle, int parent, const std::string& folder) {
    DoubleClickFolder(wendle, parent);
    for (int i = parent + 1; i < ListCount(wendle); ++i) {
        DoubleClickFolder(wendle, i);
        if (wendle.Text(kOutputFilePathId) == folder + "\\take1.ogg") return true;
        DoubleClickFolder(wendle, parent);
    }
    return false;
}

// The WAVE file chosen in the open dialog, the output folder opened, the tags typed.
void ChooseEverything(const bench::Wendle& wendle) {
    wendle.Click(kInputFileOpenId);
    HWND dialog = wendle.WaitForDialog(kOpenTitle);
    ASSERT_NE(nullptr, dialog);
    SendMessageA(GetDlgItem(dialog, kNameBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kWave));
    PostMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(bench::WaitUntil([&] { return !IsWindow(dialog); }));
    ASSERT_TRUE(bench::Settled(wendle.MainWindow()));

    ASSERT_TRUE(OpenSubfolder(wendle, 0, kMusic));
    ASSERT_TRUE(OpenSubfolder(wendle, 1, kOgg));
    wendle.SetText(kTitleEditId, "朝の歌 \"テイク1\"");
    wendle.SetText(kArtistEditId, "山田 花子");
    wendle.SetText(kAlbumEditId, "はじめての録音");
    wendle.SetText(kCommentEditId, "自宅で録音");
    HWND bitrate = wendle.Control(kBitrateListId);
    SendMessageA(bitrate, WM_KEYDOWN, VK_DOWN, 1);
    SendMessageA(bitrate, WM_KEYUP, VK_DOWN, 0xC0000001);
    EXPECT_EQ(" 192 kbps", wendle.Text(kBitrateListId));
    SendMessageA(wendle.Control(kOutputFileNameId), EM_SETSEL, 0, 0);
    SetForegroundWindow(wendle.MainWindow());
    ASSERT_TRUE(bench::Settled(wendle.MainWindow()));
}

TEST(ReadmePictures, MainWindowAtStartAndWithEverythingChosen) {
    for (const char* folder : {kTools, kUnpacked, kMusic, kRecordings, kOgg}) {
        CreateDirectoryA(folder, nullptr);
    }
    ASSERT_TRUE(bench::WriteFileBytes(kWave, "RIFF"));
    {
        // The prefix at 150 % only until this Wendle has shown its window.
        std::unique_ptr<bench::LogPixelsSet> at150(new bench::LogPixelsSet(144));
        bench::Wendle wendle(kUnpacked);
        at150.reset();
        ASSERT_TRUE(wendle.Running());
        ChooseEverything(wendle);
        EXPECT_TRUE(bench::SavePicture(wendle.MainWindow(), "main-window-chosen-150"));
    }
    // For the encoder's stand-in, which Wendle starts with its own environment.
    HANDLE hold = CreateEventA(nullptr, TRUE, FALSE, "WendlePictureHold");
    SetEnvironmentVariableA("WENDLE_DOUBLE_HOLD", "WendlePictureHold");
    SetEnvironmentVariableA("WENDLE_DOUBLE_PROGRESS", "1");
    {
        bench::Wendle wendle(kUnpacked);
        ASSERT_TRUE(wendle.Running());
        EXPECT_TRUE(bench::WaitForDriveTexts(wendle.Control(kDriveChooserId)));
        EXPECT_TRUE(bench::SavePicture(wendle.MainWindow(), "main-window"));
        ChooseEverything(wendle);
        EXPECT_TRUE(bench::SavePicture(wendle.MainWindow(), "main-window-chosen"));

        // The job in view: the encoder's stand-in holds at 50.0%.
        const std::string encoder = std::string(kUnpacked) + "\\oggenc.exe";
        ASSERT_TRUE(bench::CopyProgram("oggenc_double.exe", encoder));
        wendle.Click(kStartEncodeId);
        HWND progress = nullptr;
        EXPECT_TRUE(bench::WaitUntil([&] {
            progress = bench::FindTopLevel(wendle.ProcessId(), kProgressWindowClass,
                                           "エンコード中 - Wendle");
            return progress && bench::WindowText(GetDlgItem(progress, kProgressPercentId)) == "50%";
        }));
        if (progress) {
            ASSERT_TRUE(bench::Settled(progress));
            EXPECT_TRUE(bench::SavePicture(progress, "progress-window"));
        }
        SetEvent(hold);
        EXPECT_TRUE(
            bench::WaitUntil([&] { return IsWindowVisible(wendle.MainWindow()) != FALSE; }));
        CloseHandle(hold);
        DeleteFileA(encoder.c_str());
        DeleteFileA((std::string(kOgg) + "\\take1.ogg").c_str());
    }
    // The bench's C: drive as it was.
    DeleteFileA(kWave);
    for (const char* folder : {kRecordings, kOgg, kMusic, kUnpacked, kTools}) {
        RemoveDirectoryA(folder);
    }
}

// The look before a batch of an album dropped as a folder: the titles its
// WAVE files carry, else their names; the cover picture left out.
TEST(ReadmePictures, TheLookBeforeABatch) {
    const std::string album = std::string(kMusic) + "\\はじめての録音";
    for (const std::string& folder : {std::string(kMusic), album, std::string(kOgg)}) {
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    const std::string wave = bench::Wave(2, 44100, 3000);
    const struct {
        const char* name;
        const char* title;
    } tracks[] = {{"01 track.wav", "朝の歌 \"テイク1\""},
                  {"02 track.wav", "夕方の歌"},
                  {"03 track.wav", ""},
                  {"04 track.wav", "夜の歌"}};
    for (const auto& track : tracks) {
        const std::string bytes = *track.title ? bench::WithInfo(wave, {{"INAM", track.title}}) : wave;
        ASSERT_TRUE(bench::WriteFileBytes(album + "\\" + track.name, bytes));
    }
    const std::string cover = album + "\\cover.jpg";
    ASSERT_TRUE(bench::WriteFileBytes(cover, "\xFF\xD8\xFF\xE0"));
    {
        // As a drop of the folder and the cover makes it.
        bench::Wendle wendle(kOgg, "", "\"" + album + "\" \"" + cover + "\"");
        HWND look = wendle.WaitForDialog("一括エンコード - Wendle");
        ASSERT_NE(nullptr, look);
        ASSERT_TRUE(bench::Settled(look));
        EXPECT_TRUE(bench::SavePicture(look, "batch-window"));
    }
    DeleteFileA(cover.c_str());
    for (const auto& track : tracks) DeleteFileA((album + "\\" + track.name).c_str());
    for (const std::string& folder : {album, std::string(kOgg), std::string(kMusic)}) {
        RemoveDirectoryA(folder.c_str());
    }
}

}  // namespace
