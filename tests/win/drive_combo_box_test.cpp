// The drive chooser on the bench's drives, hosted by a window of this thread.
#include "widgets/drive_chooser.h"

#include <winnetwk.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "dialog_watch.h"
#include "support/bench.h"
#include "support/late_label_drives.h"
#include "support/texts.h"
#include "support/windows.h"
#include "win/window.h"

namespace {

using namespace wendle;

constexpr int kChooserId = 101;
constexpr int kPictureHeight = 11;

// ＭＳ Ｐゴシック, the main window's font.

HFONT MakeFont(int height) {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, bench::texts::kUiFont);
}

// A plain form that reflects its children's notifications, as the main window does.
class Host : public Window {
  public:
    Host() : font_(MakeFont(-12)) {
        CreateBound({"WendleDriveTestHost", 0, COLOR_BTNFACE}, 0, "drive chooser",
                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{60, 60, 420, 340}, nullptr, nullptr);
    }
    ~Host() override {
        if (Handle()) DestroyWindow(Handle());
        DeleteObject(font_);
    }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(font_);
        return Window::HandleMessage(message, wParam, lParam);
    }

  private:
    HFONT font_;
};

struct Item {
    std::string text;
    DrivePicture picture;
};

// The bench (tools/winebench): A: floppy, C: fixed, N: network (Wine has no
// connection for it, so it shows its label), Q: CD-ROM "WENDLE CD", X: CD-ROM
// without a disc, Z: fixed (/). No drive has a label but Q:.
std::vector<Item> BenchItems(LetterCase textCase) {
    const bool upper = textCase == kUpperCase;
    return {
        {upper ? "A:" : "a:", DrivePicture::Floppy},
        {upper ? "C: []" : "c: []", DrivePicture::Hard},
        {upper ? "N: []" : "n: []", DrivePicture::Network},
        {upper ? "Q: [WENDLE CD]" : "q: [wendle cd]", DrivePicture::CdRom},
        {upper ? "X: []" : "x: []", DrivePicture::CdRom},
        {upper ? "Z: []" : "z: []", DrivePicture::Hard},
    };
}

std::vector<Item> ShownItems(HWND chooser) {
    std::vector<Item> items;
    const LRESULT count = SendMessageA(chooser, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[300] = {};
        SendMessageA(chooser, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        const LRESULT data = SendMessageA(chooser, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
        items.push_back({text, static_cast<DrivePicture>(data)});
    }
    return items;
}

void ExpectItems(const std::vector<Item>& expected, HWND chooser) {
    const std::vector<Item> got = ShownItems(chooser);
    ASSERT_EQ(expected.size(), got.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("item " + std::to_string(i));
        EXPECT_BYTES(expected[i].text, got[i].text);
        EXPECT_EQ(static_cast<int>(expected[i].picture), static_cast<int>(got[i].picture));
    }
}

LRESULT Selected(HWND chooser) {
    return SendMessageA(chooser, CB_GETCURSEL, 0, 0);
}

class DriveComboBox : public testing::Test {
  protected:
    // The application window comes first, as at start-up, before the host.
    static void SetUpTestSuite() { dialog_watch::SetUpApplication(); }

    void SetUp() override { startDirectory_ = bench::CurrentDirectory(); }
    void TearDown() override {
        chooser_.reset();
        SetCurrentDirectoryA(startDirectory_.c_str());
    }

    // A chooser as the main window makes one: constructed, upper case,
    // created; then its labels and network names have come.
    DriveChooser& Make(std::unique_ptr<DriveChooser> chooser = nullptr) {
        chooser_ = chooser ? std::move(chooser) : std::make_unique<DriveChooser>();
        chooser_->OnChange = [this] { changes_.push_back(chooser_->Drive()); };
        chooser_->SetTextCase(kUpperCase);
        chooser_->Create(host_.Handle(), kChooserId, 16, 16, 200);
        EXPECT_TRUE(bench::WaitForDriveTexts(Chooser()));
        return *chooser_;
    }
    HWND Chooser() const { return chooser_->Handle(); }

    Host host_;
    std::unique_ptr<DriveChooser> chooser_;
    std::vector<char> changes_;  // Drive as each OnChange saw it
    std::string startDirectory_;
};

TEST_F(DriveComboBox, ListsEveryDriveOfTheBenchInEitherCase) {
    ASSERT_TRUE(SetCurrentDirectoryA("q:\\"));
    const std::string start = bench::CurrentDirectory();
    // Only the label query may switch off critical-error prompts, and only for itself.
    const UINT errorMode = SEM_NOOPENFILEERRORBOX;
    const UINT previousMode = SetErrorMode(errorMode);
    DriveChooser& chooser = Make();
    EXPECT_EQ(errorMode, GetErrorMode());
    SetErrorMode(previousMode);
    ASSERT_TRUE(Chooser());

    ExpectItems(BenchItems(kUpperCase), Chooser());
    // N: shows its label because Wine maps the drive but knows no connection.
    char remote[261] = {};
    DWORD length = sizeof remote;
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_CONNECTED), WNetGetConnectionA("N:", remote, &length));
    EXPECT_EQ('Q', chooser.Drive());
    EXPECT_EQ(3, Selected(Chooser()));
    EXPECT_BYTES("Q: [WENDLE CD]", bench::WindowText(Chooser()));
    EXPECT_EQ(std::vector<char>{'Q'}, changes_);

    chooser.SetTextCase(kLowerCase);
    ASSERT_TRUE(bench::WaitForDriveTexts(Chooser()));
    ExpectItems(BenchItems(kLowerCase), Chooser());
    EXPECT_EQ('q', chooser.Drive());
    EXPECT_EQ(3, Selected(Chooser()));
    EXPECT_BYTES("q: [wendle cd]", bench::WindowText(Chooser()));
    EXPECT_EQ((std::vector<char>{'Q', 'q'}), changes_);

    // Reading the drives never moves the current directory.
    EXPECT_EQ(start, bench::CurrentDirectory());
}

// The bench's drives, with C:'s label held back until the test opens the gate.
class GatedDrive : public bench::LateLabelDrives {
  public:
    HANDLE gate = CreateEventA(nullptr, TRUE, FALSE, nullptr);

  protected:
    void HoldLabel(const std::string& root) override {
        if ((root[0] | 0x20) == 'c') WaitForSingleObject(gate, INFINITE);
    }
};

TEST_F(DriveComboBox, ItemsComeAtOnceAndTakeTheirTextsInPlace) {
    // Asked from the chooser's reading thread, which may outlive the test.
    static GatedDrive& gated = *new GatedDrive;
    ResetEvent(gated.gate);
    chooser_ = std::make_unique<DriveChooser>("C:\\", gated);
    chooser_->OnChange = [this] { changes_.push_back(chooser_->Drive()); };
    chooser_->SetTextCase(kUpperCase);
    ASSERT_TRUE(chooser_->Create(host_.Handle(), kChooserId, 16, 16, 200));

    // One drive at a time: every drive after C: waits with it.
    const std::vector<std::string> letters{"A:", "C:", "N:", "Q:", "X:", "Z:"};
    EXPECT_EQ(letters, bench::DriveItemTexts(Chooser()));
    EXPECT_EQ(1, Selected(Chooser()));
    EXPECT_BYTES("C:", bench::WindowText(Chooser()));

    // A new case while C: is asked: the answer in the old case is dropped.
    chooser_->SetTextCase(kLowerCase);
    chooser_->SetTextCase(kUpperCase);
    EXPECT_EQ(letters, bench::DriveItemTexts(Chooser()));
    // The answers come while the list is dropped.
    SetFocus(Chooser());
    SendMessageA(Chooser(), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(
        bench::WaitUntil([&] { return SendMessageA(Chooser(), CB_GETDROPPEDSTATE, 0, 0); }));
    SetEvent(gated.gate);
    ASSERT_TRUE(bench::WaitForDriveTexts(Chooser()));
    ExpectItems(BenchItems(kUpperCase), Chooser());
    // The selected item was made anew in its place: still selected, shown in
    // full, the list still dropped, and no change of drive reported for it.
    EXPECT_EQ(1, Selected(Chooser()));
    EXPECT_BYTES("C: []", bench::WindowText(Chooser()));
    EXPECT_TRUE(SendMessageA(Chooser(), CB_GETDROPPEDSTATE, 0, 0));
    SendMessageA(Chooser(), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ((std::vector<char>{'C', 'c', 'C'}), changes_);
}

TEST_F(DriveComboBox, DriveSetterCasesSelectsAndReports) {
    DriveChooser& chooser = Make(std::make_unique<DriveChooser>("C:\\Wave"));
    ASSERT_EQ(1, Selected(Chooser()));
    changes_.clear();

    chooser.SetDrive('c');  // the same drive in the other case
    EXPECT_EQ('C', chooser.Drive());
    EXPECT_TRUE(changes_.empty());

    chooser.SetDrive('x');
    EXPECT_EQ('X', chooser.Drive());
    EXPECT_EQ(4, Selected(Chooser()));
    EXPECT_BYTES("X: []", bench::WindowText(Chooser()));
    EXPECT_EQ(std::vector<char>{'X'}, changes_);

    // No item for the letter: Drive takes it, the selection stays.
    chooser.SetDrive('b');
    EXPECT_EQ('B', chooser.Drive());
    EXPECT_EQ(4, Selected(Chooser()));

    chooser.SetDrive('\0');
    EXPECT_EQ('\0', chooser.Drive());
    EXPECT_EQ(CB_ERR, Selected(Chooser()));
    EXPECT_BYTES("", bench::WindowText(Chooser()));
    EXPECT_EQ((std::vector<char>{'X', 'B', '\0'}), changes_);

    // Not a letter: kept as it is, never moved onto a drive (in lower case,
    // "upper-case plus 32" would make '1' a 'Q').
    chooser.SetTextCase(kLowerCase);
    chooser.SetDrive('1');
    EXPECT_EQ('1', chooser.Drive());
    EXPECT_EQ(CB_ERR, Selected(Chooser()));
}

TEST_F(DriveComboBox, CreatedOnANetworkPathSelectsNothing) {
    // Wine refuses a UNC current directory, so the chooser is given one.
    DriveChooser& chooser = Make(std::make_unique<DriveChooser>("\\\\server\\share\\wave"));
    EXPECT_EQ('\0', chooser.Drive());
    EXPECT_EQ(CB_ERR, Selected(Chooser()));
    EXPECT_BYTES("", bench::WindowText(Chooser()));
    EXPECT_EQ(std::vector<char>{'\0'}, changes_);
    ExpectItems(BenchItems(kUpperCase), Chooser());
}

TEST_F(DriveComboBox, ArrowKeyOnTheClosedChooserRaisesOnChangeTwice) {
    DriveChooser& chooser = Make(std::make_unique<DriveChooser>("Q:\\"));
    changes_.clear();
    SetFocus(Chooser());
    PostMessageA(Chooser(), WM_KEYDOWN, VK_DOWN, 1);
    ASSERT_TRUE(bench::WaitUntil([&] { return changes_.size() >= 2; }));

    EXPECT_EQ((std::vector<char>{'X', 'X'}), changes_);
    EXPECT_EQ('X', chooser.Drive());
    EXPECT_BYTES("X: []", bench::WindowText(Chooser()));
}

TEST_F(DriveComboBox, PickInTheDroppedListRaisesOnChangeTwice) {
    DriveChooser& chooser = Make(std::make_unique<DriveChooser>("C:\\"));
    changes_.clear();
    SetFocus(Chooser());
    SendMessageA(Chooser(), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(
        bench::WaitUntil([&] { return SendMessageA(Chooser(), CB_GETDROPPEDSTATE, 0, 0); }));

    // Up from C: picks A:, which is never asked for a medium.
    PostMessageA(Chooser(), WM_KEYDOWN, VK_UP, 1);
    ASSERT_TRUE(bench::WaitUntil([&] { return !changes_.empty(); }));
    PostMessageA(Chooser(), WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_TRUE(
        bench::WaitUntil([&] { return !SendMessageA(Chooser(), CB_GETDROPPEDSTATE, 0, 0); }));

    EXPECT_EQ((std::vector<char>{'A', 'A'}), changes_);
    EXPECT_EQ('A', chooser.Drive());
    EXPECT_BYTES("A:", bench::WindowText(Chooser()));
}

TEST_F(DriveComboBox, ItemsAndDroppedListFollowTheFont) {
    Make(std::make_unique<DriveChooser>("Z:\\"));
    const LRESULT count = SendMessageA(Chooser(), CB_GETCOUNT, 0, 0);
    ASSERT_EQ(6, count);

    // The font's height wins, then the picture's.
    for (int fontHeight : {-24, -5}) {
        SCOPED_TRACE("font height " + std::to_string(fontHeight));
        HFONT font = MakeFont(fontHeight);
        changes_.clear();
        SendMessageA(Chooser(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);

        HDC dc = GetDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        const int expected = metrics.tmHeight > kPictureHeight ? metrics.tmHeight : kPictureHeight;
        EXPECT_EQ(expected, SendMessageA(Chooser(), CB_GETITEMHEIGHT, 0, 0));

        // A new font reads the drives again and selects the drive again.
        EXPECT_EQ(std::vector<char>{'Z'}, changes_);
        EXPECT_EQ(5, Selected(Chooser()));

        // Six items fit: the list is exactly as high as they are.
        SendMessageA(Chooser(), CB_SHOWDROPDOWN, TRUE, 0);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(Chooser(), &info));
        RECT list{};
        GetClientRect(info.hwndList, &list);
        EXPECT_EQ(count * expected, list.bottom - list.top);
        SendMessageA(Chooser(), CB_SHOWDROPDOWN, FALSE, 0);

        SendMessageA(Chooser(), WM_SETFONT, 0, FALSE);
        DeleteObject(font);
    }
}

// What drawing an item shows at the picture's place, compared with the picture.
TEST_F(DriveComboBox, PicturesShowTheBackgroundThroughTheirTransparentColour) {
    Make(std::make_unique<DriveChooser>("C:\\"));
    const int width = 200;
    const int height = 20;
    HDC screen = GetDC(nullptr);
    HDC canvas = CreateCompatibleDC(screen);
    HBITMAP surface = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldSurface = SelectObject(canvas, surface);
    HDC pictureDc = CreateCompatibleDC(screen);

    // Items 0 to 3 (A:, C:, N:, Q:) show these; the bench has no RAM disk.
    const char* names[] = {"FLOPPY", "HARD", "NETWORK", "CDROM"};
    for (int kind = 0; kind < 4; ++kind) {
        for (bool selected : {false, true}) {
            SCOPED_TRACE(std::string(names[kind]) + (selected ? " selected" : ""));
            DRAWITEMSTRUCT item{};
            item.CtlType = ODT_COMBOBOX;
            item.CtlID = kChooserId;
            item.itemID = static_cast<UINT>(kind);
            item.itemAction = ODA_DRAWENTIRE;
            item.itemState = selected ? ODS_SELECTED : 0;
            item.hwndItem = Chooser();
            item.hDC = canvas;
            item.rcItem = RECT{0, 0, width, height};
            SendMessageA(host_.Handle(), WM_DRAWITEM, kChooserId, reinterpret_cast<LPARAM>(&item));

            HBITMAP picture = LoadBitmapA(GetModuleHandleA(nullptr), names[kind]);
            ASSERT_TRUE(picture);
            HGDIOBJ oldPicture = SelectObject(pictureDc, picture);
            const COLORREF background = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
            const COLORREF transparent = GetPixel(pictureDc, 0, kPictureHeight - 1);
            const int left = 2;
            const int top = (height - kPictureHeight) / 2;
            int wrong = 0;
            for (int y = 0; y < kPictureHeight; ++y) {
                for (int x = 0; x < 16; ++x) {
                    const COLORREF own = GetPixel(pictureDc, x, y);
                    const COLORREF expected = own == transparent ? background : own;
                    if (GetPixel(canvas, left + x, top + y) != expected) ++wrong;
                }
            }
            EXPECT_EQ(0, wrong);
            // The background fills the room between the picture and the text.
            EXPECT_EQ(background, GetPixel(canvas, left + 16 + 2, 0));
            SelectObject(pictureDc, oldPicture);
            DeleteObject(picture);
        }
    }
    DeleteDC(pictureDc);
    SelectObject(canvas, oldSurface);
    DeleteObject(surface);
    DeleteDC(canvas);
    ReleaseDC(nullptr, screen);
}

TEST(DriveComboBoxPictures, SixteenByElevenFourBitsUncompressed) {
    for (const char* name : {"FLOPPY", "HARD", "NETWORK", "CDROM", "RAM"}) {
        SCOPED_TRACE(name);
        HRSRC found = FindResourceA(nullptr, name, MAKEINTRESOURCEA(2));  // RT_BITMAP
        ASSERT_TRUE(found);
        const auto* info =
            static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(nullptr, found)));
        ASSERT_TRUE(info);
        EXPECT_EQ(16, info->biWidth);
        EXPECT_EQ(11, info->biHeight);
        EXPECT_EQ(4, info->biBitCount);
        EXPECT_EQ(static_cast<DWORD>(BI_RGB), info->biCompression);
    }
}

// Holds the list dropped for tools/drive-chooser-screenshot: writes the list's
// screen rectangle to the ready file, then waits for the done file.
TEST_F(DriveComboBox, DISABLED_HoldDroppedForScreenshot) {
    const char* ready = std::getenv("WENDLE_SCREENSHOT_READY");
    const char* done = std::getenv("WENDLE_SCREENSHOT_DONE");
    ASSERT_TRUE(ready && done);
    Make(std::make_unique<DriveChooser>("Q:\\"));
    // The list closes when the focus goes. Without a window manager X gives the
    // focus to the window under the pointer, so the pointer goes into the host.
    SetCursorPos(340, 300);
    SetForegroundWindow(host_.Handle());
    SetFocus(Chooser());
    ASSERT_TRUE(bench::WaitUntil(
        [&] { return GetForegroundWindow() == host_.Handle() && GetFocus() == Chooser(); }));
    SendMessageA(Chooser(), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(
        bench::WaitUntil([&] { return SendMessageA(Chooser(), CB_GETDROPPEDSTATE, 0, 0); }));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(Chooser(), &info));
    const RECT list = bench::WindowRect(info.hwndList);
    const std::string where = std::to_string(list.right - list.left) + " " +
                              std::to_string(list.bottom - list.top) + " " +
                              std::to_string(list.left) + " " + std::to_string(list.top) + "\n";
    ASSERT_TRUE(bench::WriteFileBytes(ready, where));
    EXPECT_TRUE(bench::WaitUntil([&] { return bench::Exists(done); }, 60000));
    EXPECT_TRUE(SendMessageA(Chooser(), CB_GETDROPPEDSTATE, 0, 0)) << "closed before the picture";
}

}  // namespace
