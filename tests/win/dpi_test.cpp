// Every window laid out at its DPI. The Scaled cases run in a process that
// AtDpi starts with the prefix at 120, 144 and 192 DPI; at the bench's 96
// they skip. Expected numbers are the design's, scaled here by MulDiv.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "dialog_watch.h"
#include "dialogs/about_ids.h"
#include "dialogs/about_window.h"
#include "dialogs/batch_ids.h"
#include "dialogs/batch_window.h"
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

int Width(HWND window) {
    const RECT r = bench::WindowRect(window);
    return r.right - r.left;
}

HFONT FontOf(HWND window) {
    return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

int FontHeight(HWND window) {
    LOGFONTA font{};
    GetObjectA(FontOf(window), sizeof font, &font);
    return font.lfHeight;
}

int MessageFontHeight() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics.lfMessageFont.lfHeight;
}

// The text's extent in one line in the control's font within its client
// area; for a label that clips its text by design, the width only.
void ExpectTextFits(HWND control, const std::string& text, bool heightToo = true) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, FontOf(control));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    RECT client;
    GetClientRect(control, &client);
    EXPECT_LE(size.cx, client.right) << text;
    EXPECT_TRUE(!heightToo || size.cy <= client.bottom) << text << ": " << size.cy;
}

void ExpectTextFits(HWND control) {
    ExpectTextFits(control, bench::WindowText(control));
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bits{};
    GetObjectA(info.hbmColor, sizeof bits, &bits);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bits.bmWidth;
}

// The first run of columns of the list's first item that are not the
// background: its picture, which stands before the text with a gap.
int FirstPictureWidth(HWND list) {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT item{};
    SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    HDC dc = GetDC(list);
    int left = -1, x = item.left;
    for (; x < item.right; ++x) {
        bool inked = false;
        for (int y = item.top; y < item.bottom && !inked; ++y) {
            inked = GetPixel(dc, x, y) != GetSysColor(COLOR_WINDOW);
        }
        if (inked && left < 0) left = x;
        if (!inked && left >= 0) break;
    }
    ReleaseDC(list, dc);
    return left < 0 ? 0 : x - left;
}

void SendDpiChange(HWND window, int dpi, RECT suggested) {
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
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

TEST_F(Scaled, MainWindowControlsFontListsPicturesAndTexts) {
    HWND window = made_->Handle();
    RECT client, work, outer = bench::WindowRect(window), both;
    GetClientRect(window, &client);
    EXPECT_NEAR(S(bench::kMainClientWidth), client.right, 1);
    EXPECT_NEAR(S(bench::kMainClientHeight), client.bottom, 1);
    // At its place (233, 132 scaled) as far as the work area allows.
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(IntersectRect(&both, &outer, &work) && EqualRect(&both, &outer));
    EXPECT_EQ(std::min(S(233), static_cast<int>(work.right - Width(window))), outer.left);
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
        EXPECT_EQ(-S(12), FontHeight(control));
        if (c.caption && *c.caption) ExpectTextFits(control);
    }
    EXPECT_EQ(S(16), SendMessageA(made_->Control(kFolderListId), LB_GETITEMHEIGHT, 0, 0));
    // The drive root's open folder, drawn at the size for the DPI.
    EXPECT_EQ(dpi_ <= 120   ? 20
              : dpi_ <= 144 ? 24
                            : 32,
              FirstPictureWidth(made_->Control(kFolderListId)));
    EXPECT_EQ(S(32), IconWidth(reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON))));
    EXPECT_EQ(S(16), IconWidth(reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM))));
    // The bit-rate items are as high as the font's characters, as designed.
    HWND bitrate = made_->Control(kBitrateListId);
    EXPECT_EQ(S(12), SendMessageA(bitrate, CB_GETITEMHEIGHT, 0, 0));
    for (int i = 0; i < 5; ++i) {
        char item[64] = {};
        SendMessageA(bitrate, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        ExpectTextFits(bitrate, item, false);
    }
}

TEST_F(Scaled, AboutMessagePromptAndProgressWindows) {
    AboutWindow about;
    ASSERT_TRUE(about.Create());
    const RECT outer = bench::WindowRect(about.Handle());
    EXPECT_NEAR(S(233), outer.right - outer.left, 1);
    EXPECT_NEAR(S(164), outer.bottom - outer.top, 1);
    const struct {
        int id, left, width, height, fontHeight;
    } aboutDesign[] = {{kAboutVersionNameId, 48, 129, 25, 13},
                       {kAboutCopyrightId, 24, 177, 17, 13},
                       {kAboutExpositionMessageId, 8, 209, 17, 12},
                       {kAboutForVerId, 40, 145, 9, 11},
                       {kAboutWindowCloseId, 76, 73, 25, 12}};
    for (const auto& c : aboutDesign) {
        SCOPED_TRACE(c.id);
        HWND control = GetDlgItem(about.Handle(), c.id);
        const RECT r = ClientRectOf(control);
        EXPECT_NEAR(S(c.left), r.left, 1);
        EXPECT_NEAR(S(c.width), r.right - r.left, 1);
        EXPECT_NEAR(S(c.height), r.bottom - r.top, 1);
        EXPECT_EQ(-S(c.fontHeight), FontHeight(control));
        // The encoder version's 9-pixel label clips its 11-pixel text by design.
        ExpectTextFits(control, bench::WindowText(control), c.id != kAboutForVerId);
    }

    EXPECT_TRUE(dialog_watch::WithDialog(
        [&] { ShowMessageDialog("\nfolder", MessageKind::Error, MessageButtons::OkCancel); },
        [&](HWND dialog) {
            EXPECT_EQ(S(32), Width(GetDlgItem(dialog, kMessageIconId)));
            EXPECT_EQ(S(32), IconWidth(dialog_watch::ShownIcon(dialog)));
            EXPECT_EQ(MessageFontHeight(), FontHeight(GetDlgItem(dialog, kMessageTextId)));
            ExpectTextFits(GetDlgItem(dialog, kMessageCancelId));
            bench::PressButton(dialog, "OK");
        }));
    std::string value;
    EXPECT_TRUE(dialog_watch::WithDialog(
        [&] { ShowPromptDialog(bench::texts::kNewFolder, bench::texts::kNewFolderPrompt, value); },
        [&](HWND dialog) {
            HWND label = GetDlgItem(dialog, kPromptLabelId);
            EXPECT_EQ(-MulDiv(9, dpi_, 72), FontHeight(label));  // 9 points
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
    EXPECT_EQ(S(88), Width(stop));
    EXPECT_EQ(MessageFontHeight(), FontHeight(stop));
    ExpectTextFits(stop);
}

// The look before a batch and the question of its existing files.
TEST_F(Scaled, TheLookBeforeABatchAndItsQuestion) {
    std::vector<BatchFile> files(2);
    files[0].name = "01 track.wav";
    files[1].name = "02 track.wav";
    const std::string folder = "C:\\Music\\ogg", leftOut = "-";
    const BatchView view{files, folder, " 160 kbps ( Default )", leftOut};
    EXPECT_TRUE(dialog_watch::WithDialog(
        [&] { ShowBatchWindow(view); },
        [&](HWND dialog) {
            RECT client;
            GetClientRect(dialog, &client);
            EXPECT_NEAR(S(560), client.right, 1);
            EXPECT_NEAR(S(384), client.bottom, 1);
            HWND list = GetDlgItem(dialog, kBatchListId);
            EXPECT_NEAR(S(74), ClientRectOf(list).top, 1);
            EXPECT_LE(-MessageFontHeight(), SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
            for (int id : {kBatchStartId, kBatchCancelId, kBatchOutputHeaderId, kBatchCountId}) {
                SCOPED_TRACE(id);
                EXPECT_EQ(MessageFontHeight(), FontHeight(GetDlgItem(dialog, id)));
                ExpectTextFits(GetDlgItem(dialog, id));
            }
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }));
    EXPECT_TRUE(dialog_watch::WithDialog(
        [&] { ShowMessageDialog("\nN", MessageKind::Confirmation, MessageButtons::YesNoCancel); },
        [&](HWND dialog) {
            for (int id : {kMessageOkId, kMessageNoId, kMessageCancelId}) {
                ExpectTextFits(GetDlgItem(dialog, id));
            }
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }));
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
    SendDpiChange(window, 144, {100, 80, 800, 850});

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
    HWND folders = made_->Control(kFolderListId);
    EXPECT_EQ(-18, FontHeight(made_->Control(kTitleEditId)));
    EXPECT_EQ(24, SendMessageA(folders, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(24, FirstPictureWidth(folders));
    EXPECT_EQ(24,
              IconWidth(reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0))));
    EXPECT_EQ("take", made_->Text(kTitleEditId));
    EXPECT_EQ(3, SendMessageA(made_->Control(kBitrateListId), CB_GETCURSEL, 0, 0));
    EXPECT_EQ(made_->Control(kArtistEditId), GetFocus());

    SendDpiChange(window, 96, before);
    const RECT after = bench::WindowRect(window);
    EXPECT_TRUE(EqualRect(&before, &after));
    for (const auto& c : bench::kMainDesign) {
        const RECT r = ClientRectOf(made_->Control(c.id));
        EXPECT_EQ(c.left, r.left) << c.id;
        EXPECT_EQ(c.width, r.right - r.left) << c.id;
    }
    EXPECT_EQ(-12, FontHeight(made_->Control(kTitleEditId)));
    EXPECT_EQ(16, SendMessageA(folders, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(16, FirstPictureWidth(folders));
    EXPECT_EQ(0, SendMessageA(window, WM_GETICON, ICON_SMALL, 0));  // the class's again
}

// The About, progress, message and prompt windows follow a change to 144
// DPI too, keeping what they show and what was typed.
TEST_F(DpiChange, TheOtherWindowsFollowIt) {
    AboutWindow about;
    ASSERT_TRUE(about.Create());
    SendDpiChange(about.Handle(), 144, {50, 60, 400, 300});
    EXPECT_EQ(50, bench::WindowRect(about.Handle()).left);
    EXPECT_EQ(MulDiv(73, 3, 2), Width(GetDlgItem(about.Handle(), kAboutWindowCloseId)));
    EXPECT_EQ(-20, FontHeight(GetDlgItem(about.Handle(), kAboutVersionNameId)));  // 13

    ProgressWindow progress;
    ASSERT_TRUE(progress.Create(100, 100, "take1.wav", "take1.ogg"));
    SendDpiChange(progress.Handle(), 144, {120, 110, 700, 400});
    RECT client;
    GetClientRect(progress.Handle(), &client);
    EXPECT_EQ(540, client.right);
    EXPECT_EQ(120, bench::WindowRect(progress.Handle()).left);
    EXPECT_BYTES(std::string(bench::texts::kInputPrefix) + "take1.wav",
                 bench::WindowText(GetDlgItem(progress.Handle(), kProgressInputId)));

    EXPECT_TRUE(dialog_watch::WithDialog(
        [&] { ShowMessageDialog("\nfolder", MessageKind::Error, MessageButtons::Ok); },
        [&](HWND dialog) {
            SendDpiChange(dialog, 144, {70, 90, 500, 300});
            EXPECT_EQ(70, bench::WindowRect(dialog).left);
            EXPECT_EQ(48, IconWidth(dialog_watch::ShownIcon(dialog)));
            EXPECT_EQ(MulDiv(MessageFontHeight(), 3, 2),
                      FontHeight(GetDlgItem(dialog, kMessageTextId)));
            bench::PressButton(dialog, "OK");
        }));
    std::string value = "take";
    EXPECT_TRUE(dialog_watch::WithDialog(
        [&] { ShowPromptDialog(bench::texts::kNewFolder, bench::texts::kNewFolderPrompt, value); },
        [&](HWND dialog) {
            HWND edit = GetDlgItem(dialog, kPromptEditId);
            SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("take2"));
            SendDpiChange(dialog, 144, {70, 90, 500, 300});
            EXPECT_EQ(-18, FontHeight(edit));  // 9 points at 144
            EXPECT_EQ("take2", bench::WindowText(edit));
            bench::PressButton(dialog, "OK");
        }));
    EXPECT_EQ("take2", value);
}

}  // namespace
