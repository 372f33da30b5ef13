// The program as it starts: caption, taskbar title, default bit rate, the
// disabled start button, the window's place, menus, controls and tab order.
#include <windows.h>

#include <gtest/gtest.h>

#include "dialog_watch.h"
#include "main/main_ids.h"
#include "main/main_layout.h"
#include "main/main_window.h"
#include "dialogs/about_ids.h"
#include "support/bench.h"
#include "support/main_design.h"
#include "support/windows.h"

#include <string>
#include <vector>

namespace {

using namespace wendle;

TEST(StartUp, WindowAsItFirstAppears) {
    bench::Wendle wendle(bench::FreshFolder());
    ASSERT_TRUE(wendle.Running());
    EXPECT_EQ("Wendle v0.02", bench::WindowText(wendle.MainWindow()));
    EXPECT_NE(nullptr, bench::FindTopLevel(wendle.ProcessId(), "TApplication", "Wendle"));
    EXPECT_EQ(1, SendMessageA(wendle.Control(kBitrateListId), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(" 160 kbps ( Default )", wendle.Text(kBitrateListId));
    EXPECT_EQ(12, SendMessageA(wendle.Control(kBitrateListId), CB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(16, SendMessageA(wendle.Control(kFolderListId), LB_GETITEMHEIGHT, 0, 0));
    EXPECT_FALSE(IsWindowEnabled(wendle.Control(kStartEncodeId)));
    for (int id : {kTitleEditId, kArtistEditId, kAlbumEditId, kCommentEditId, kInputFileNameId,
                   kOutputFileNameId, kOutputFilePathId}) {
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

std::string MenuText(HMENU menu, UINT position) {
    char text[128] = {};
    int n = GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return std::string(text, n > 0 ? static_cast<std::size_t>(n) : 0);
}

// Menus cannot be read from another process under Wine: this one is in-process.
TEST(StartUp, MenuTreeWithTheStartItemFollowingTheButton) {
    dialog_watch::SetUpApplication();
    const std::string root = bench::FreshFolder();
    SetCurrentDirectoryA(root.c_str());
    MainWindow window;
    window.Create();
    HMENU bar = GetMenu(window.Handle());
    ASSERT_NE(nullptr, bar);
    ASSERT_EQ(2, GetMenuItemCount(bar));
    EXPECT_BYTES("\x83\x74\x83\x40\x83\x43\x83\x8B(&F)", MenuText(bar, 0));  // ファイル(&F)
    EXPECT_BYTES("\x83\x77\x83\x8B\x83\x76(&H)", MenuText(bar, 1));          // ヘルプ(&H)
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(5, GetMenuItemCount(file));
    // WAVEファイルを選択(&O), -, エンコード開始(&S), -, 終了(&X)
    EXPECT_BYTES("WAVE\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x91\x49\x91\xF0(&O)",
                 MenuText(file, 0));
    EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_BYTES("\x83\x47\x83\x93\x83\x52\x81\x5B\x83\x68\x8A\x4A\x8E\x6E(&S)", MenuText(file, 2));
    EXPECT_TRUE(GetMenuState(file, 3, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_BYTES("\x8F\x49\x97\xB9(&X)", MenuText(file, 4));
    HMENU help = GetSubMenu(bar, 1);
    ASSERT_EQ(1, GetMenuItemCount(help));
    EXPECT_BYTES("\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93\x8F\xEE\x95\xF1(&A)", MenuText(help, 0));
    EXPECT_TRUE(GetMenuState(file, kEncodeMenuId, MF_BYCOMMAND) & MF_GRAYED);

    // Both start controls are enabled and disabled together by the names.
    window.SetText(kInputFileNameId, root + "\\a.wav");
    EXPECT_BYTES(root + "\\a.ogg", window.Text(kOutputFilePathId));
    EXPECT_TRUE(IsWindowEnabled(window.Control(kStartEncodeId)));
    EXPECT_FALSE(GetMenuState(file, kEncodeMenuId, MF_BYCOMMAND) & MF_GRAYED);
    window.SetText(kOutputFileNameId, "");
    EXPECT_EQ("", window.Text(kOutputFilePathId));
    EXPECT_FALSE(IsWindowEnabled(window.Control(kStartEncodeId)));
    EXPECT_TRUE(GetMenuState(file, kEncodeMenuId, MF_BYCOMMAND) & MF_GRAYED);

    // 終了(&X) closes the window.
    HWND handle = window.Handle();
    PostMessageA(handle, WM_COMMAND, kExitMenuId, 0);
    EXPECT_TRUE(bench::WaitUntil([&] { return !IsWindow(handle); }));
}

TEST(StartUp, AboutWindowOpensAtTheMainWindowsCornerWithTheVersions) {
    bench::Wendle wendle(bench::FreshFolder());
    SetWindowPos(wendle.MainWindow(), nullptr, 300, 200, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int showing = 0; showing < 2; ++showing) {
        PostMessageA(wendle.MainWindow(), WM_COMMAND, kAboutMenuId, 0);
        HWND about = wendle.WaitForDialog("About Wendle");
        ASSERT_NE(nullptr, about);
        RECT main = bench::WindowRect(wendle.MainWindow());
        RECT outer = bench::WindowRect(about);
        EXPECT_EQ(main.left + 130, outer.left);
        EXPECT_EQ(main.top + 130, outer.top);
        EXPECT_EQ("Wendle v0.02", bench::WindowText(GetDlgItem(about, kAboutVersionNameId)));
        EXPECT_EQ("(For OggEnc v0.5)", bench::WindowText(GetDlgItem(about, kAboutForVerId)));
        EXPECT_FALSE(IsWindowEnabled(wendle.MainWindow()));
        EXPECT_TRUE(bench::PressButton(about, "OK"));
        EXPECT_TRUE(bench::WaitUntil([&] { return !IsWindowVisible(about); }));
        EXPECT_TRUE(bench::WaitUntil([&] { return IsWindowEnabled(wendle.MainWindow()) != 0; }));
        // The next showing follows the main window wherever it is.
        SetWindowPos(wendle.MainWindow(), nullptr, 120, 90, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

RECT ClientRectOf(HWND control) {
    RECT r = bench::WindowRect(control);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The design's places and captions (support/main_design.h).
TEST(StartUp, EveryControlStandsWhereTheDesignSays) {
    bench::Wendle wendle(bench::FreshFolder());
    for (const auto& c : bench::kMainDesign) {
        SCOPED_TRACE(c.id);
        HWND control = wendle.Control(c.id);
        ASSERT_NE(nullptr, control);
        RECT r = ClientRectOf(control);
        EXPECT_EQ(c.left, r.left);
        EXPECT_EQ(c.top, r.top);
        EXPECT_EQ(c.width, r.right - r.left);
        if (c.height >= 0) {
            EXPECT_EQ(c.height, r.bottom - r.top);
        }
        if (c.caption) {
            EXPECT_BYTES(c.caption, bench::WindowText(control)) << "caption";
        }
    }
}

TEST(StartUp, TabOrderSkipsTheStartButtonUntilItIsEnabled) {
    const std::string root = bench::FreshFolder();
    bench::Wendle wendle(root);
    const int order[] = {kTitleEditId,     kStartEncodeId, kInputFileNameId,  kInputFileOpenId,
                         kArtistEditId,    kAlbumEditId,   kCommentEditId,    kDriveChooserId,
                         kFolderListId,    kBitrateListId, kOutputFilePathId, kNewDirectoryId,
                         kOutputFileNameId};
    auto next = [&](int id) {
        return GetDlgCtrlID(GetNextDlgTabItem(wendle.MainWindow(), wendle.Control(id), FALSE));
    };
    EXPECT_EQ(kInputFileNameId, next(kTitleEditId));
    ASSERT_TRUE(bench::WriteFileBytes(root + "\\a.wav", "RIFF"));
    wendle.SetText(kInputFileNameId, root + "\\a.wav");
    for (std::size_t i = 0; i + 1 < sizeof order / sizeof order[0]; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(order[i + 1], next(order[i]));
    }
    EXPECT_EQ(kTitleEditId, next(kOutputFileNameId));
}

// slow_drive_wendle.exe is the program with Z:'s label slow to come, as from
// a disk that has gone to sleep or a network drive whose server is away.
std::string SlowDriveProgram() {
    return bench::ProgramDir() + "\\slow_drive_wendle.exe";
}

const std::vector<std::string> kFullDrives{"A:",    "C: []", "N: []", "Q: [WENDLE CD]",
                                           "X: []", "Z: []"};

// Every drive but Z: shows its full text, and Z: its letter only.
bool OnlyZWaits(HWND chooser) {
    std::vector<std::string> waiting = kFullDrives;
    waiting.back() = "Z:";
    return bench::DriveItemTexts(chooser) == waiting;
}

TEST(StartUp, ADriveSlowToAnswerKeepsOnlyItsOwnItemWaiting) {
    bench::Wendle wendle(bench::FreshFolder(), SlowDriveProgram());
    ASSERT_TRUE(wendle.Running());
    HWND chooser = wendle.Control(kDriveChooserId);
    // Z: answers five seconds late: seen without it, the window did not wait.
    ASSERT_TRUE(bench::WaitUntil([&] { return OnlyZWaits(chooser); }))
        << "items: " << ::testing::PrintToString(bench::DriveItemTexts(chooser));
    EXPECT_EQ(1, SendMessageA(chooser, CB_GETCURSEL, 0, 0));

    // Another drive can be picked meanwhile, and the folder list follows it.
    PostMessageA(chooser, WM_KEYDOWN, VK_DOWN, 1);
    ASSERT_TRUE(bench::Settled(wendle.MainWindow()));
    EXPECT_EQ("N: []", wendle.Text(kDriveChooserId));
    EXPECT_EQ("N:\\", wendle.CurrentDirectory());

    ASSERT_TRUE(bench::WaitUntil([&] { return bench::DriveItemTexts(chooser) == kFullDrives; }))
        << "items: " << ::testing::PrintToString(bench::DriveItemTexts(chooser));
    EXPECT_EQ(2, SendMessageA(chooser, CB_GETCURSEL, 0, 0));
    EXPECT_EQ("N: []", wendle.Text(kDriveChooserId));
}

TEST(StartUp, ClosingDoesNotWaitForADriveThatNeverAnswers) {
    SetEnvironmentVariableA("WENDLE_SLOW_DRIVE_MS", "never");
    bench::Wendle wendle(bench::FreshFolder(), SlowDriveProgram());
    SetEnvironmentVariableA("WENDLE_SLOW_DRIVE_MS", nullptr);
    ASSERT_TRUE(wendle.Running());
    ASSERT_TRUE(bench::WaitUntil([&] { return OnlyZWaits(wendle.Control(kDriveChooserId)); }));
    PostMessageA(wendle.MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(wendle.Exited(15000));
    EXPECT_EQ(0u, wendle.ExitCode());
}

TEST(StartUp, TheReadOnlyFieldsRefuseTyping) {
    bench::Wendle wendle(bench::FreshFolder());
    for (int id : {kInputFileNameId, kOutputFilePathId}) {
        SendMessageA(wendle.Control(id), WM_CHAR, 'x', 1);
        EXPECT_EQ("", wendle.Text(id));
    }
    SendMessageA(wendle.Control(kTitleEditId), WM_CHAR, 'x', 1);
    EXPECT_EQ("x", wendle.Text(kTitleEditId));
}

}  // namespace
