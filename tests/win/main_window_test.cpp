// The main window in-process, made here as start-up makes it: what only this
// process can see (its pixels, an unreadable start folder). The field rules
// as a user meets them are in as_a_user_test.cpp.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "dialog_watch.h"
#include "main/main_ids.h"
#include "main/main_window.h"
#include "support/bench.h"
#include "support/made_main_window.h"
#include "support/texts.h"
#include "support/windows.h"

namespace {

using namespace wendle;

using MainWindowFields = bench::MadeMainWindow;

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
    EXPECT_EQ("", window.Job().EncoderPath());
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

}  // namespace
