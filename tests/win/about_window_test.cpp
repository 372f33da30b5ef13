#include "dialogs/about_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <vector>

#include "dialog_watch.h"
#include "support/bench.h"
#include "support/texts.h"
#include "support/windows.h"
#include "dialogs/about_ids.h"

namespace {

using namespace wendle;

// ＭＳ Ｐゴシック

// A window on the test thread that notes when a posted marker reaches it, so
// the helper knows every message posted before the marker has been handled.
class Marker {
  public:
    Marker() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &Procedure;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "AboutTestMarker";
        RegisterClassA(&wc);
        handle_ = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    }
    ~Marker() { DestroyWindow(handle_); }
    // Called from the helper thread: true once the test thread caught up.
    bool Flush() {
        reached = false;
        PostMessageA(handle_, WM_APP, 0, 0);
        return bench::WaitUntil([] { return reached.load(); }, 5000);
    }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_APP) reached = true;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    static std::atomic<bool> reached;
    HWND handle_;
};
std::atomic<bool> Marker::reached{false};

// Runs ShowModal here; `inspect` gets the shown window on a helper thread and
// must close it. Returns whether the window appeared.
bool WhileShown(AboutWindow& about, const std::function<void(HWND)>& inspect) {
    HWND window = about.Handle();
    std::atomic<bool> returned{false};
    std::atomic<bool> seen{false};
    bench::HelperThread helper([&] {
        bench::WaitUntil([&] { return IsWindowVisible(window) || returned; }, 60000);
        if (returned) return;
        seen = true;
        inspect(window);
        if (!bench::WaitUntil([&] { return returned.load(); }, 5000)) {
            ADD_FAILURE() << "still shown after the inspection";
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
    });
    about.ShowModal();
    returned = true;
    helper.Join();
    return seen;
}

RECT ClientRectOf(HWND control) {
    RECT r = bench::WindowRect(control);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int FocusId(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return GetDlgCtrlID(info.hwndFocus);
}

// Where a label shows ink (pixels not of the window colour), in its own pixels.
struct Ink {
    int left = -1, top = -1, right = -1, bottom = -1;  // inclusive; -1 when none
};

// A system colour as the screen shows it, which need not have 24 bits.
COLORREF AsShown(int colour) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 1, 1);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT one = {0, 0, 1, 1};
    FillRect(memory, &one, GetSysColorBrush(colour));
    COLORREF shown = GetPixel(memory, 0, 0);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shown;
}

// Only the rows from `firstRow` to the bottom less `skipBottom` count, so a
// later label lying over this one is left out.
Ink InkOf(HWND control, int skipColumns, int firstRow = 0, int skipBottom = 0) {
    RECT r = bench::WindowRect(control);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    const COLORREF face = AsShown(COLOR_BTNFACE);
    Ink ink;
    for (int y = firstRow; y < height - skipBottom; ++y) {
        for (int x = skipColumns; x < width - skipColumns; ++x) {
            if (GetPixel(memory, x, y) == face) continue;
            if (ink.left < 0 || x < ink.left) ink.left = x;
            if (ink.top < 0) ink.top = y;
            if (x > ink.right) ink.right = x;
            ink.bottom = y;
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ink;
}

COLORREF ScreenPixel(HWND control, int x, int y) {
    RECT r = bench::WindowRect(control);
    HDC screen = GetDC(nullptr);
    COLORREF pixel = GetPixel(screen, r.left + x, r.top + y);
    ReleaseDC(nullptr, screen);
    return pixel;
}

class AboutWindowTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { dialog_watch::SetUpApplication(); }
    void SetUp() override { about_.Create(); }

    AboutWindow about_;
};

TEST_F(AboutWindowTest, IsAHiddenResizableWindowOwnedByTheApplication) {
    HWND window = about_.Handle();
    ASSERT_TRUE(window);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_BYTES("About Wendle", bench::WindowText(window));
    EXPECT_EQ(App().Handle(), GetWindow(window, GW_OWNER));
    const LONG frame = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    EXPECT_EQ(frame, GetWindowLongA(window, GWL_STYLE) & frame);
    RECT outer = bench::WindowRect(window);
    EXPECT_EQ(507, outer.left);
    EXPECT_EQ(130, outer.top);
    EXPECT_EQ(233, outer.right - outer.left);
    EXPECT_EQ(164, outer.bottom - outer.top);
    EXPECT_TRUE(GetClassLongPtrA(window, GCLP_HICON));
}

TEST_F(AboutWindowTest, ControlsStandWhereDesignedWithTheirTextsAndFonts) {
    struct Row {
        int id;
        const char* className;
        RECT client;
        const char* text;
        int fontHeight;
    };
    const Row rows[] = {
        {kAboutVersionNameId, "Static", {48, 16, 177, 41}, "Wendle", 13},
        {kAboutCopyrightId, "Static", {24, 40, 201, 57}, "Copyright (C) 2026 Wendle", 13},
        {kAboutExpositionMessageId,
         "Static",
         {8, 64, 217, 81},
         "This is Ogg Vorbis Encoder Frontend.",
         12},
        {kAboutFrameId, "Static", {8, 8, 217, 97}, "", 0},
        {kAboutForVerId, "Static", {40, 32, 185, 41}, "(For OggEnc v0.0)", 11},
        {kAboutWindowCloseId, "Button", {76, 104, 149, 129}, "OK", 12},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "control id " << row.id);
        HWND control = GetDlgItem(about_.Handle(), row.id);
        ASSERT_TRUE(control);
        EXPECT_EQ(row.className, bench::ClassName(control));
        RECT got = ClientRectOf(control);
        EXPECT_EQ(row.client.left, got.left);
        EXPECT_EQ(row.client.top, got.top);
        EXPECT_EQ(row.client.right, got.right);
        EXPECT_EQ(row.client.bottom, got.bottom);
        EXPECT_BYTES(row.text, bench::WindowText(control));
        // Only the button takes the focus.
        EXPECT_EQ(row.id == kAboutWindowCloseId,
                  (GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP) != 0);
        if (!row.fontHeight) continue;
        LOGFONTA font{};
        HGDIOBJ handle = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
        ASSERT_EQ(static_cast<int>(sizeof font), GetObjectA(handle, sizeof font, &font));
        EXPECT_EQ(-row.fontHeight, font.lfHeight);
        EXPECT_EQ(SHIFTJIS_CHARSET, font.lfCharSet);
        EXPECT_BYTES(bench::texts::kUiFont, std::string(font.lfFaceName));
    }
    // Neither default nor cancel: a plain push button.
    HWND button = GetDlgItem(about_.Handle(), kAboutWindowCloseId);
    EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK);
}

TEST_F(AboutWindowTest, LabelsAreAlignedAndTheBevelEdgeLiesOverTheLabelInside) {
    Ink version, copyright, exposition, forVer;
    COLORREF bevelLeft = 0, bevelRight = 0;
    HWND inside = GetDlgItem(about_.Handle(), kAboutExpositionMessageId);
    ASSERT_TRUE(WhileShown(about_, [&](HWND window) {
        // Until every label has been painted: centred text leaves its first column blank.
        auto measure = [&] {
            // ForVer lies over the rows 16 to 24 of VersionName and the top row of Copyright.
            version = InkOf(GetDlgItem(window, kAboutVersionNameId), 0, 0, 9);
            copyright = InkOf(GetDlgItem(window, kAboutCopyrightId), 0, 1);
            exposition = InkOf(inside, 1);
            forVer = InkOf(GetDlgItem(window, kAboutForVerId), 0);
            return version.left > 0 && copyright.left > 0 && exposition.left > 1 && forVer.left > 0;
        };
        bench::WaitUntil(measure, 5000);
        bevelLeft = ScreenPixel(inside, 0, 8);
        bevelRight = ScreenPixel(inside, 208, 8);
        PostMessageA(window, WM_CLOSE, 0, 0);
    }));
    // VersionName: text at the top, centred (129 x 25).
    ASSERT_GE(version.top, 0);
    EXPECT_LE(version.top, 4);
    EXPECT_LE(version.bottom, 17);
    EXPECT_NEAR(version.left, 128 - version.right, 2);
    // Copyright and ExpositionMessage: text at the bottom edge, centred (17 high).
    ASSERT_GE(copyright.top, 0);
    EXPECT_GE(copyright.bottom, 13);
    EXPECT_GE(copyright.top, 2);
    EXPECT_NEAR(copyright.left, 176 - copyright.right, 2);
    ASSERT_GE(exposition.top, 0);
    EXPECT_GE(exposition.bottom, 13);
    EXPECT_GE(exposition.top, 2);
    EXPECT_NEAR(exposition.left, 208 - exposition.right, 2);
    // ForVer: centred both ways; its 9 rows clip the 11-pixel text at both ends.
    // Ink on all its rows also shows it lies over VersionName, created before it.
    EXPECT_EQ(0, forVer.top);
    EXPECT_EQ(8, forVer.bottom);
    EXPECT_NEAR(forVer.left, 144 - forVer.right, 2);
    // The bevel, painted after ExpositionMessage, shows its lit and shadowed edges on it.
    EXPECT_EQ(AsShown(COLOR_BTNHIGHLIGHT), bevelLeft);
    EXPECT_EQ(AsShown(COLOR_BTNSHADOW), bevelRight);
}

enum class Action { ClickOk, Enter, Space, CloseBox };

TEST_F(AboutWindowTest, OkEnterSpaceAndTheCloseBoxEndTheShowing) {
    const Action actions[] = {Action::ClickOk, Action::Enter, Action::Space, Action::CloseBox};
    for (Action action : actions) {
        SCOPED_TRACE(testing::Message() << "action " << static_cast<int>(action));
        int focus = 0;
        bool shown = WhileShown(about_, [&](HWND window) {
            bench::WaitUntil([&] { return FocusId(window) == kAboutWindowCloseId; }, 5000);
            focus = FocusId(window);
            switch (action) {
                case Action::ClickOk:
                    bench::PressButton(window, "OK");
                    break;
                case Action::Enter:
                    bench::PressKey(window, VK_RETURN);
                    break;
                case Action::Space:
                    bench::PressKey(window, VK_SPACE);
                    break;
                case Action::CloseBox:
                    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
                    break;
            }
        });
        EXPECT_TRUE(shown);
        EXPECT_EQ(kAboutWindowCloseId, focus);
        // Closed means hidden, not destroyed: it is shown again next time.
        EXPECT_TRUE(IsWindow(about_.Handle()));
        EXPECT_FALSE(IsWindowVisible(about_.Handle()));
    }
}

TEST_F(AboutWindowTest, EscapeDoesNothing) {
    Marker marker;
    bool stillShown = false;
    ASSERT_TRUE(WhileShown(about_, [&](HWND window) {
        bench::WaitUntil([&] { return FocusId(window) == kAboutWindowCloseId; }, 5000);
        bench::PressKey(window, VK_ESCAPE);
        EXPECT_TRUE(marker.Flush());
        stillShown = IsWindowVisible(window) != 0;
        bench::PressButton(window, "OK");
    }));
    EXPECT_TRUE(stillShown);
}

TEST_F(AboutWindowTest, OtherWindowsTakeNoInputUntilItIsClosed) {
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 10, 10, 100, 50,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(other);
    bool otherEnabled = true;
    bool applicationEnabled = true;
    bool selfEnabled = false;
    ASSERT_TRUE(WhileShown(about_, [&](HWND window) {
        otherEnabled = IsWindowEnabled(other) != 0;
        applicationEnabled = IsWindowEnabled(App().Handle()) != 0;
        selfEnabled = IsWindowEnabled(window) != 0;
        bench::PressButton(window, "OK");
    }));
    EXPECT_FALSE(otherEnabled);
    EXPECT_FALSE(applicationEnabled);
    EXPECT_TRUE(selfEnabled);
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_TRUE(IsWindowEnabled(App().Handle()));
    DestroyWindow(other);
}

TEST_F(AboutWindowTest, KeepsAResizedSizeButTakesEachNewPosition) {
    ASSERT_TRUE(WhileShown(about_, [&](HWND window) {
        // What dragging the frame does.
        SetWindowPos(window, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
        bench::PressButton(window, "OK");
    }));
    about_.MoveTo(100, 120);
    RECT second{};
    ASSERT_TRUE(WhileShown(about_, [&](HWND window) {
        second = bench::WindowRect(window);
        bench::PressButton(window, "OK");
    }));
    EXPECT_EQ(100, second.left);
    EXPECT_EQ(120, second.top);
    EXPECT_EQ(300, second.right - second.left);
    EXPECT_EQ(200, second.bottom - second.top);
}

TEST_F(AboutWindowTest, ClosedWhileMinimizedItComesBackRestoredWhereAsked) {
    bool minimized = false;
    ASSERT_TRUE(WhileShown(about_, [&](HWND window) {
        PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        minimized = bench::WaitUntil([&] { return IsIconic(window) != 0; }, 5000);
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }));
    ASSERT_TRUE(minimized);
    about_.MoveTo(150, 140);
    bool iconic = true;
    RECT shown{};
    ASSERT_TRUE(WhileShown(about_, [&](HWND window) {
        bench::WaitUntil([&] { return !IsIconic(window); }, 5000);
        iconic = IsIconic(window) != 0;
        shown = bench::WindowRect(window);
        bench::PressButton(window, "OK");
    }));
    EXPECT_FALSE(iconic);
    EXPECT_EQ(150, shown.left);
    EXPECT_EQ(140, shown.top);
    EXPECT_EQ(233, shown.right - shown.left);
    EXPECT_EQ(164, shown.bottom - shown.top);
}

TEST_F(AboutWindowTest, CaptionsSetBeforeShowingAreTheOnesShown) {
    about_.SetVersionName("Wendle v0.02");
    about_.SetForVer("(For OggEnc v0.5)");
    std::string version, forVer;
    ASSERT_TRUE(WhileShown(about_, [&](HWND window) {
        version = bench::WindowText(GetDlgItem(window, kAboutVersionNameId));
        forVer = bench::WindowText(GetDlgItem(window, kAboutForVerId));
        bench::PressButton(window, "OK");
    }));
    EXPECT_BYTES("Wendle v0.02", version);
    EXPECT_BYTES("(For OggEnc v0.5)", forVer);
}

// The version record and the icon, read back from the shipped program.
class VersionRecordTest : public testing::Test {
  protected:
    std::string program_ = bench::ProgramDir() + "\\wendle.exe";
};

TEST_F(VersionRecordTest, SaysVersion0020InJapaneseCodePage932) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(program_.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version record in " << program_;
    std::vector<char> record(size);
    ASSERT_TRUE(GetFileVersionInfoA(program_.c_str(), 0, size, record.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(0x00000000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00020000u, fixed->dwFileVersionLS);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(record.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x0411, translation[0]);
    EXPECT_EQ(932, translation[1]);

    char* text = nullptr;
    ASSERT_TRUE(VerQueryValueA(record.data(), "\\StringFileInfo\\041103A4\\FileVersion",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_BYTES("0.0.2.0", std::string(text));
}

// An image drawn for each DPI's icon sizes (small 16 to 32, large 32 to 64);
// at 96 DPI the 32 x 32 one is the window's icon.
TEST_F(VersionRecordTest, MainIconHasA16ColourImageForEachSize) {
    HMODULE module = LoadLibraryExA(program_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    HRSRC group = FindResourceA(module, "MAINICON", reinterpret_cast<LPCSTR>(RT_GROUP_ICON));
    ASSERT_TRUE(group);
    const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    ASSERT_TRUE(bytes);
    // GRPICONDIR: reserved, type, count; then 14-byte entries.
    const int sizes[] = {16, 20, 24, 32, 40, 48, 64};
    ASSERT_EQ(7, bytes[4] | bytes[5] << 8);
    for (int i = 0; i < 7; ++i) {
        const BYTE* entry = bytes + 6 + 14 * i;
        SCOPED_TRACE(sizes[i]);
        EXPECT_EQ(sizes[i], entry[0]);
        EXPECT_EQ(sizes[i], entry[1]);
        EXPECT_EQ(16, entry[2]);
        EXPECT_EQ(4, entry[6] | entry[7] << 8);
    }

    HICON icon = LoadIconA(module, "MAINICON");
    ASSERT_TRUE(icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(32, colour.bmWidth);
    EXPECT_EQ(32, colour.bmHeight);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    FreeLibrary(module);
}

}  // namespace
