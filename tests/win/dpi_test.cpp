// Every window laid out at its DPI. The Scaled cases run in a process that
// AtDpi starts with the prefix at 120, 144 and 192 DPI; at the bench's 96
// they skip. Expected numbers are the design's, scaled here by MulDiv.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dialog_watch.h"
#include "dialogs/about_ids.h"
#include "dialogs/about_window.h"
#include "dialogs/message_dialog.h"
#include "dialogs/message_dialog_ids.h"
#include "dialogs/progress_ids.h"
#include "dialogs/progress_window.h"
#include "dialogs/prompt_dialog.h"
#include "main/main_ids.h"
#include "support/dpi.h"
#include "support/made_main_window.h"
#include "support/main_design.h"
#include "support/texts.h"
#include "support/windows.h"
#include "win/dpi.h"

namespace {

using namespace wendle;

RECT ClientRectOf(HWND control) {
    RECT r = bench::WindowRect(control);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

LOGFONTA FontOf(HWND window) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font;
}

// The text's extent in one line in the control's font.
SIZE Extent(HWND control, const std::string& text) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size;
}

void ExpectTextFits(HWND control, bool inHeightToo = true) {
    const std::string text = bench::WindowText(control);
    SCOPED_TRACE(text);
    RECT client;
    GetClientRect(control, &client);
    const SIZE size = Extent(control, text);
    EXPECT_LE(size.cx, client.right);
    if (inHeightToo) {
        EXPECT_LE(size.cy, client.bottom);
    }
}

int ItemHeight(HWND list) {
    return static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
}

HWND DroppedList(HWND comboBox) {
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    GetComboBoxInfo(comboBox, &parts);
    return parts.hwndList;
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bits{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bits, &bits);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bits.bmWidth;
}

// The first run of columns of the item that are not the list's background:
// the picture, which stands before the text with a gap.
int PictureWidth(HWND list, int index) {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    HDC dc = GetDC(list);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    int left = -1;
    int x = item.left;
    for (; x < item.right; ++x) {
        bool inked = false;
        for (int y = item.top; y < item.bottom && !inked; ++y) {
            inked = GetPixel(dc, x, y) != background;
        }
        if (inked && left < 0) left = x;
        if (!inked && left >= 0) break;
    }
    ReleaseDC(list, dc);
    return left < 0 ? 0 : x - left;
}

// The main window as start-up makes it, in a process started at another DPI.
class Scaled : public bench::MadeMainWindow {
  protected:
    void SetUp() override {
        dpi_ = bench::AskedDpi();
        if (!dpi_) GTEST_SKIP() << "runs in the process AtDpi starts at 120, 144 or 192 DPI";
        ASSERT_EQ(dpi_, SystemDpi()) << "the prefix's LogPixels did not reach this process";
        bench::DpiRead();
        MadeMainWindow::SetUp();
    }
    int S(int designed) const { return MulDiv(designed, dpi_, 96); }

    int dpi_ = 0;
};

TEST_F(Scaled, MainWindowItsControlsFontAndListItems) {
    HWND window = made_->Handle();
    RECT client;
    GetClientRect(window, &client);
    EXPECT_NEAR(S(bench::kMainClientWidth), client.right, 1);
    EXPECT_NEAR(S(bench::kMainClientHeight), client.bottom, 1);
    // At its place unless that would leave the work area.
    RECT work, outer = bench::WindowRect(window);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_GE(outer.left, work.left);
    EXPECT_GE(outer.top, work.top);
    EXPECT_LE(outer.right, work.right);
    EXPECT_LE(outer.bottom, work.bottom);
    if (S(233) + outer.right - outer.left <= work.right) {
        EXPECT_EQ(S(233), outer.left);
    }
    for (const auto& c : bench::kMainDesign) {
        SCOPED_TRACE(c.id);
        HWND control = made_->Control(c.id);
        const RECT r = ClientRectOf(control);
        EXPECT_NEAR(S(c.left), r.left, 1);
        EXPECT_NEAR(S(c.top), r.top, 1);
        EXPECT_NEAR(S(c.width), r.right - r.left, 1);
        if (c.height >= 0) {
            EXPECT_NEAR(S(c.height), r.bottom - r.top, 1);
        }
        EXPECT_EQ(-S(12), FontOf(control).lfHeight);
    }
    EXPECT_EQ(-S(12), FontOf(window).lfHeight);
    EXPECT_EQ(S(16), ItemHeight(made_->Control(kFolderListId)));
    EXPECT_EQ(S(12), ItemHeight(DroppedList(made_->Control(kBitrateListId))));
}

TEST_F(Scaled, PicturesAndIconsAreDrawnAtTheirSize) {
    const int size = dpi_ <= 120 ? 20 : dpi_ <= 144 ? 24 : 32;
    // The drive root's open folder.
    EXPECT_EQ(size, PictureWidth(made_->Control(kFolderListId), 0));
    HWND window = made_->Handle();
    EXPECT_EQ(S(32), IconWidth(reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON))));
    EXPECT_EQ(S(16), IconWidth(reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM))));
}

TEST_F(Scaled, NoTextIsCut) {
    for (const auto& c : bench::kMainDesign) {
        if (c.caption && *c.caption) ExpectTextFits(made_->Control(c.id));
    }
    HWND bitrate = DroppedList(made_->Control(kBitrateListId));
    RECT list;
    GetClientRect(bitrate, &list);
    for (int i = 0; i < 5; ++i) {
        char item[64] = {};
        SendMessageA(bitrate, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        EXPECT_LE(Extent(bitrate, item).cx, list.right) << item;
    }
    // The design's items are as high as the font's characters, without the
    // leading above them.
    EXPECT_LE(-FontOf(made_->Control(kBitrateListId)).lfHeight, ItemHeight(bitrate));
    AboutWindow about;
    ASSERT_TRUE(about.Create());
    for (int id : {kAboutVersionNameId, kAboutCopyrightId, kAboutExpositionMessageId,
                   kAboutForVerId, kAboutWindowCloseId}) {
        // The encoder version's 9-pixel label clips its 11-pixel text by design.
        ExpectTextFits(GetDlgItem(about.Handle(), id), id != kAboutForVerId);
    }
}

TEST_F(Scaled, AboutMessagePromptAndProgressWindows) {
    AboutWindow about;
    ASSERT_TRUE(about.Create());
    const RECT outer = bench::WindowRect(about.Handle());
    EXPECT_NEAR(S(233), outer.right - outer.left, 1);
    EXPECT_NEAR(S(164), outer.bottom - outer.top, 1);
    const struct {
        int id, left, top, width, height, fontHeight;
    } aboutDesign[] = {{kAboutVersionNameId, 48, 16, 129, 25, 13},
                       {kAboutForVerId, 40, 32, 145, 9, 11},
                       {kAboutWindowCloseId, 76, 104, 73, 25, 12}};
    for (const auto& c : aboutDesign) {
        HWND control = GetDlgItem(about.Handle(), c.id);
        const RECT r = ClientRectOf(control);
        EXPECT_NEAR(S(c.left), r.left, 1) << c.id;
        EXPECT_NEAR(S(c.width), r.right - r.left, 1) << c.id;
        EXPECT_NEAR(S(c.height), r.bottom - r.top, 1) << c.id;
        EXPECT_EQ(-S(c.fontHeight), FontOf(control).lfHeight) << c.id;
    }

    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    EXPECT_TRUE(dialog_watch::WithDialog(
        [&] { ShowMessageDialog("\nfolder", MessageKind::Error, MessageButtons::OkCancel); },
        [&](HWND dialog) {
            HWND icon = GetDlgItem(dialog, kMessageIconId);
            EXPECT_EQ(S(32), bench::WindowRect(icon).right - bench::WindowRect(icon).left);
            EXPECT_EQ(S(32), IconWidth(dialog_watch::ShownIcon(dialog)));
            EXPECT_EQ(metrics.lfMessageFont.lfHeight,
                      FontOf(GetDlgItem(dialog, kMessageTextId)).lfHeight);
            ExpectTextFits(GetDlgItem(dialog, kMessageCancelId));
            bench::PressButton(dialog, "OK");
        }));
    std::string value;
    EXPECT_TRUE(dialog_watch::WithDialog(
        [&] { ShowPromptDialog(bench::texts::kNewFolder, bench::texts::kNewFolderPrompt, value); },
        [&](HWND dialog) {
            HWND label = GetDlgItem(dialog, kPromptLabelId);
            EXPECT_EQ(-MulDiv(9, dpi_, 72), FontOf(label).lfHeight);
            ExpectTextFits(label);
            ExpectTextFits(GetDlgItem(dialog, kPromptCancelId));
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }));

    ProgressWindow progress;
    ASSERT_TRUE(progress.Create(100, 100, "take1.wav", "take1.ogg"));
    RECT client;
    GetClientRect(progress.Handle(), &client);
    EXPECT_EQ(S(360), client.right);
    HWND stop = GetDlgItem(progress.Handle(), kProgressStopId);
    EXPECT_EQ(S(88), bench::WindowRect(stop).right - bench::WindowRect(stop).left);
    EXPECT_EQ(metrics.lfMessageFont.lfHeight, FontOf(stop).lfHeight);
    ExpectTextFits(stop);
}

TEST(AtDpi, EveryWindowIsLaidOutAt120And144And192) {
    for (int dpi : {120, 144, 192}) {
        EXPECT_EQ(0, bench::RunSelfAtDpi(dpi, "Scaled.*")) << "at " << dpi << " DPI";
    }
}

using DpiChange = bench::MadeMainWindow;

// Moved to a monitor of 144 DPI and back: the layout follows, and nothing
// else changes.
TEST_F(DpiChange, TheMainWindowTakesTheSuggestedRectangleAndComesBack) {
    HWND window = made_->Handle();
    made_->SetText(kTitleEditId, "take");
    SendMessageA(made_->Control(kBitrateListId), CB_SETCURSEL, 3, 0);
    SetFocus(made_->Control(kArtistEditId));
    const RECT before = bench::WindowRect(window);
    RECT suggested = {100, 80, 100 + MulDiv(before.right - before.left, 144, 96),
                      80 + MulDiv(before.bottom - before.top, 144, 96)};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));

    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(100, bench::WindowRect(window).left);
    EXPECT_EQ(80, bench::WindowRect(window).top);
    EXPECT_EQ(710, client.right);  // 473 x 1.5, halves up
    EXPECT_EQ(662, client.bottom);
    for (const auto& c : bench::kMainDesign) {
        const RECT r = ClientRectOf(made_->Control(c.id));
        EXPECT_NEAR(MulDiv(c.left, 3, 2), r.left, 1) << c.id;
        EXPECT_NEAR(MulDiv(c.top, 3, 2), r.top, 1) << c.id;
        EXPECT_NEAR(MulDiv(c.width, 3, 2), r.right - r.left, 1) << c.id;
    }
    EXPECT_EQ(-18, FontOf(made_->Control(kTitleEditId)).lfHeight);
    EXPECT_EQ(24, ItemHeight(made_->Control(kFolderListId)));
    EXPECT_EQ(24, PictureWidth(made_->Control(kFolderListId), 0));
    EXPECT_EQ(24,
              IconWidth(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0))));
    EXPECT_EQ("take", made_->Text(kTitleEditId));
    EXPECT_EQ(3, SendMessageA(made_->Control(kBitrateListId), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(made_->Control(kArtistEditId), GetFocus());

    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&before));
    const RECT after = bench::WindowRect(window);
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(before.right, after.right);
    EXPECT_EQ(before.bottom, after.bottom);
    for (const auto& c : bench::kMainDesign) {
        const RECT r = ClientRectOf(made_->Control(c.id));
        EXPECT_EQ(c.left, r.left) << c.id;
        EXPECT_EQ(c.width, r.right - r.left) << c.id;
    }
    EXPECT_EQ(-12, FontOf(made_->Control(kTitleEditId)).lfHeight);
    EXPECT_EQ(16, ItemHeight(made_->Control(kFolderListId)));
    EXPECT_EQ(16, PictureWidth(made_->Control(kFolderListId), 0));
    // The class's own icons again.
    EXPECT_EQ(0, SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
}

}  // namespace
