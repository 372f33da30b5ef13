// The folder list in a test window of its own: what it shows, where each
// change leaves the current directory, which changes raise OnChange, how it
// fails, and how its items are drawn. Folder trees are made per test.
#include "widgets/folder_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/failure.h"
#include "win/system_rules.h"
#include "dialog_watch.h"
#include "support/bench.h"
#include "support/texts.h"
#include "win/window.h"

namespace {

using wendle::FolderKind;
using wendle::FolderList;

const int kListId = 100;

bool MakeFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

// Folders that differ only in case cannot be made through Windows calls, so
// make them with the host's own mkdir.
bool MakeFolderOnHost(const std::string& path) {
    using UnixName = char* (*)(const wchar_t*);
    auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return false;
    // The parent's host name: the name itself would find its twin.
    const std::size_t cut = path.rfind('\\');
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.substr(0, cut).c_str(), -1, wide, MAX_PATH);
    char* host = unixName(wide);
    if (!host) return false;
    std::string command = std::string("Z:\\bin\\mkdir ") + host + "/" + path.substr(cut + 1);
    HeapFree(GetProcessHeap(), 0, host);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // A host process's handle is not signalled when it ends: wait for its work.
    const std::string name = path.substr(cut + 1);
    return bench::WaitUntil(
        [&] {
            WIN32_FIND_DATAA entry;
            HANDLE search = FindFirstFileA((path.substr(0, cut) + "\\*").c_str(), &entry);
            if (search == INVALID_HANDLE_VALUE) return false;
            bool found = false;
            do found = found || name == entry.cFileName;
            while (FindNextFileA(search, &entry));
            FindClose(search);
            return found;
        },
        10000);
}

// The code of the IoFailure the call raises, 0 when it raises none.
std::uint32_t FailureCode(const std::function<void()>& call) {
    try {
        call();
    } catch (const wendle::IoFailure& failure) {
        return failure.code;
    }
    return 0;
}

// A plain window hosting the list; it reflects the list's notifications.
class Host : public wendle::Window {
  public:
    void Create() {
        RECT outer{40, 40, 40 + 260, 40 + 340};
        CreateBound({"WendleFolderListHost", 0, COLOR_BTNFACE}, 0, "Folder list",
                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, outer, nullptr, nullptr);
    }
};

class FolderListTest : public testing::Test {
  protected:
    static void SetUpTestSuite() { dialog_watch::SetUpApplication(); }

    void SetUp() override {
        start_ = bench::CurrentDirectory();
        root_ = bench::FreshFolder();
    }

    void TearDown() override {
        list_.reset();
        host_.reset();
        DeleteObject(font_);
        SetCurrentDirectoryA(start_.c_str());
    }

    // The list as the main window makes it: constructed in `folder`, then created.
    void Open(const std::string& folder) {
        ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str())) << folder;
        host_ = std::make_unique<Host>();
        host_->Create();
        list_ = std::make_unique<FolderList>();
        list_->OnChange = [this] {
            ++changes_;
            cwdAtChange_ = bench::CurrentDirectory();
        };
        list_->Create(host_->Handle(), kListId, 8, 8, 230, 280);
        SendMessageA(List(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    }

    HWND List() const { return list_->Handle(); }
    int Count() const { return static_cast<int>(SendMessageA(List(), LB_GETCOUNT, 0, 0)); }
    int Selected() const { return static_cast<int>(SendMessageA(List(), LB_GETCURSEL, 0, 0)); }

    // The items, one line each: "O:" open, "C:" current, "S:" sub-folder
    // picture, then the text. What is drawn from them is checked below.
    std::vector<std::string> Shown() const {
        std::vector<std::string> shown;
        EXPECT_EQ(list_->Items().size(), static_cast<std::size_t>(Count()));
        for (const wendle::FolderItem& item : list_->Items()) {
            shown.push_back((item.kind == FolderKind::Open      ? "O:"
                             : item.kind == FolderKind::Current ? "C:"
                                                                : "S:") +
                            item.text);
        }
        return shown;
    }

    // The sub-folder texts only.
    std::vector<std::string> SubFolders() const {
        std::vector<std::string> names;
        for (const std::string& line : Shown()) {
            if (line.compare(0, 2, "S:") == 0) names.push_back(line.substr(2));
        }
        return names;
    }

    int IndexOf(const std::string& text) const {
        for (int i = 0; i < Count(); ++i) {
            if (list_->Items()[static_cast<std::size_t>(i)].text == text) return i;
        }
        return -1;
    }

    RECT ItemRect(int index) const {
        RECT r{};
        SendMessageA(List(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
        return r;
    }
    POINT ItemPoint(int index) const {
        RECT r = ItemRect(index);
        return {r.left + 40, (r.top + r.bottom) / 2};
    }

    // A double-click as the mouse makes it: down, up, double-click, up.
    void DoubleClick(int index) const {
        POINT p = ItemPoint(index);
        LPARAM at = MAKELPARAM(p.x, p.y);
        SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(List(), WM_LBUTTONUP, 0, at);
        SendMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(List(), WM_LBUTTONUP, 0, at);
    }

    void PressEnter(int index) const {
        SendMessageA(List(), LB_SETCURSEL, index, 0);
        SendMessageA(List(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        SendMessageA(List(), WM_CHAR, '\r', 0x001C0001);
        SendMessageA(List(), WM_KEYUP, VK_RETURN, 0xC01C0001);
    }

    std::string start_;
    std::string root_;
    std::unique_ptr<Host> host_;
    std::unique_ptr<FolderList> list_;
    int changes_ = 0;
    std::string cwdAtChange_;
    // The main window's font.
    HFONT font_ = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐゴシック");
};

// ---- What the list shows ----

TEST_F(FolderListTest, StartsOnTheCurrentDirectoryWithoutAnEvent) {
    ASSERT_TRUE(MakeFolder(root_ + "\\Music"));
    ASSERT_TRUE(MakeFolder(root_ + "\\Music\\Wav"));
    Open(root_ + "\\Music");
    EXPECT_EQ(root_ + "\\Music", list_->Folder());
    EXPECT_EQ('C', list_->Drive());
    EXPECT_EQ(0, changes_);
    // The picture sets the height under the main window's 12-pixel font, a larger font above it.
    EXPECT_EQ(16, SendMessageA(List(), LB_GETITEMHEIGHT, 0, 0));
    HFONT large = CreateFontA(-22, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, "IPAPGothic");
    SendMessageA(List(), WM_SETFONT, reinterpret_cast<WPARAM>(large), FALSE);
    EXPECT_GE(SendMessageA(List(), LB_GETITEMHEIGHT, 0, 0), 22);
    SendMessageA(List(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    DeleteObject(large);
    EXPECT_EQ(16, SendMessageA(List(), LB_GETITEMHEIGHT, 0, 0));
}

TEST_F(FolderListTest, DriveRootIsTheCurrentItemWithItsFoldersBelow) {
    Open("C:\\");
    std::vector<std::string> shown = Shown();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ("C:C:\\", shown[0]);
    EXPECT_EQ(0, Selected());
    EXPECT_EQ("C:\\", list_->ItemPath(0));
    int tests = IndexOf("wendle-tests");
    ASSERT_GT(tests, 0);
    EXPECT_EQ("S:wendle-tests", shown[static_cast<std::size_t>(tests)]);
    EXPECT_EQ("C:\\wendle-tests", list_->ItemPath(tests));
    for (std::size_t i = 1; i < shown.size(); ++i) {
        SCOPED_TRACE(shown[i]);
        EXPECT_EQ("S:", shown[i].substr(0, 2));
        EXPECT_EQ("C:\\" + shown[i].substr(2), list_->ItemPath(static_cast<int>(i)));
    }
}

TEST_F(FolderListTest, DeepFolderShowsItsAncestorsThenItsSubFolders) {
    const std::string wav = root_ + "\\Music\\Wav";
    ASSERT_TRUE(MakeFolder(root_ + "\\Music"));
    ASSERT_TRUE(MakeFolder(wav));
    for (const char* name : {"Studio", "live", "2024"}) ASSERT_TRUE(MakeFolder(wav + "\\" + name));
    ASSERT_TRUE(bench::WriteFileBytes(wav + "\\take1.wav", "RIFF"));
    Open(wav);
    const std::string test = root_.substr(root_.rfind('\\') + 1);
    EXPECT_EQ((std::vector<std::string>{"O:C:\\", "O:wendle-tests", "O:" + test, "O:Music", "C:Wav",
                                        "S:2024", "S:live", "S:Studio"}),
              Shown());
    EXPECT_EQ(4, Selected());
    const std::vector<std::string> paths = {
        "C:\\",         "C:\\wendle-tests", root_, root_ + "\\Music", wav, wav + "\\2024",
        wav + "\\live", wav + "\\Studio",   ""};
    for (std::size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(paths[i], list_->ItemPath(static_cast<int>(i))) << "item " << i;
    }
}

TEST_F(FolderListTest, HiddenSystemAndCaseTwinFoldersAppearOnce) {
    for (const char* name : {"Visible", "Hidden", "System", ".dot", "Take"}) {
        ASSERT_TRUE(MakeFolder(root_ + "\\" + name));
    }
    ASSERT_TRUE(SetFileAttributesA((root_ + "\\Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA((root_ + "\\System").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(MakeFolderOnHost(root_ + "\\TAKE"));  // same name but for case
    ASSERT_TRUE(bench::WriteFileBytes(root_ + "\\File", ""));
    Open(root_);
    std::vector<std::string> names = SubFolders();
    ASSERT_EQ(2u, names.size()) << testing::PrintToString(names);
    EXPECT_TRUE(names[0] == "Take" || names[0] == "TAKE") << names[0];
    EXPECT_EQ("Visible", names[1]);
}

TEST_F(FolderListTest, SubFoldersInTheLocalesOrderNotByteOrder) {
    // あ, ｶ (half-width), カ, き, ソ, 表: kana by sound, then kanji. Byte order
    // would put ｶ first and カ after き.
    const std::vector<std::string> expected = {
        "apple",    "Wav",      "\x82\xA0",        "\xB6",
        "\x83\x4A", "\x82\xAB", bench::texts::kSo, bench::texts::kHyou};
    for (const char* name : {"\x83\x4A", "Wav", bench::texts::kHyou, "\xB6", "\x82\xAB", "apple",
                             bench::texts::kSo, "\x82\xA0"}) {
        ASSERT_TRUE(MakeFolder(root_ + "\\" + name)) << bench::Hex(name);
    }
    Open(root_);
    std::vector<std::string> names = SubFolders();
    ASSERT_EQ(expected.size(), names.size());
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_BYTES(expected[i], names[i]);
    // Names ending in 0x5C are whole names, and their paths are whole paths.
    EXPECT_BYTES(root_ + "\\" + bench::texts::kSo, list_->ItemPath(IndexOf(bench::texts::kSo)));
}

// ---- Changes of the folder and the current directory ----

class FolderChanges : public FolderListTest {
  protected:
    // root\Music\Wav\Live, root\Music\Ogg, root\Other\Wav2, root\M\Wav.
    void SetUp() override {
        FolderListTest::SetUp();
        music_ = root_ + "\\Music";
        for (const std::string& f :
             {music_, music_ + "\\Wav", music_ + "\\Wav\\Live", music_ + "\\Ogg", root_ + "\\Other",
              root_ + "\\Other\\Wav2", root_ + "\\M", root_ + "\\M\\Wav"}) {
            ASSERT_TRUE(MakeFolder(f)) << f;
        }
        ASSERT_TRUE(bench::WriteFileBytes(music_ + "\\Wav\\take1.wav", "RIFF"));
        Open(music_);
    }

    // Assigns and checks Folder, the current directory and one more event.
    void ExpectAssignmentGoesTo(const std::string& value, const std::string& expected) {
        SCOPED_TRACE(value);
        int before = changes_;
        list_->AssignFolder(value);
        EXPECT_EQ(expected, list_->Folder());
        EXPECT_EQ(expected, bench::CurrentDirectory());
        EXPECT_EQ(before + 1, changes_);
        // The current directory had moved before the event ran.
        EXPECT_EQ(expected, cwdAtChange_);
        const std::string last =
            expected.back() == '\\' ? expected : expected.substr(expected.rfind('\\') + 1);
        EXPECT_EQ("C:" + last, Shown().at(static_cast<std::size_t>(Selected())));
    }

    std::string music_;
};

TEST_F(FolderChanges, AssignedPathsOpenTheFolderThatHoldsThem) {
    ExpectAssignmentGoesTo(music_ + "\\Wav", music_ + "\\Wav");
    EXPECT_EQ((std::vector<std::string>{"Live"}), SubFolders());
    // A file's path and a wildcard name open the folder that holds them.
    ExpectAssignmentGoesTo(music_ + "\\Ogg\\", music_ + "\\Ogg");
    ExpectAssignmentGoesTo(music_ + "\\Wav\\take1.wav", music_ + "\\Wav");
    ExpectAssignmentGoesTo(music_ + "\\*.wav", music_);
    ExpectAssignmentGoesTo(music_ + "\\Wav\\take?.wav", music_ + "\\Wav");
    // The drive root keeps its backslash; a folder never ends in one.
    ExpectAssignmentGoesTo("c:\\", "C:\\");
    EXPECT_EQ(0, Selected());
}

TEST_F(FolderChanges, RelativeNamesResolveAgainstTheCurrentDirectory) {
    // Other code has moved the current directory; a bare name is looked up there.
    ASSERT_TRUE(SetCurrentDirectoryA((root_ + "\\Other").c_str()));
    ExpectAssignmentGoesTo("Wav2", root_ + "\\Other\\Wav2");
    ExpectAssignmentGoesTo("[..]", root_ + "\\Other");
    // Deeper relative paths too, while the list still shows another folder.
    ASSERT_TRUE(SetCurrentDirectoryA(root_.c_str()));
    ExpectAssignmentGoesTo("Other\\Wav2", root_ + "\\Other\\Wav2");
    // A one-letter folder is still a folder, not the root.
    ASSERT_TRUE(SetCurrentDirectoryA(root_.c_str()));
    list_->AssignFolder(root_);
    ExpectAssignmentGoesTo("M\\Wav", root_ + "\\M\\Wav");
}

TEST_F(FolderChanges, TheShownFolderInAnyCaseIsNoChange) {
    ASSERT_FALSE(list_->CaseSensitive());
    ASSERT_TRUE(SetCurrentDirectoryA((root_ + "\\Other").c_str()));
    std::string upper = music_;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    list_->AssignFolder(upper);
    list_->AssignFolder(music_);
    list_->AssignFolder("");
    EXPECT_EQ(music_, list_->Folder());
    EXPECT_EQ(root_ + "\\Other", bench::CurrentDirectory());  // not even moved back
    EXPECT_EQ(0, changes_);
}

TEST_F(FolderChanges, DriveGoesToTheFolderTheSystemKeepsForIt) {
    // The same drive in either case is nothing.
    list_->SetDrive('C');
    list_->SetDrive('c');
    EXPECT_EQ(0, changes_);
    EXPECT_EQ(music_, list_->Folder());

    // A drive never used goes to its root; one the system keeps a folder for goes there.
    list_->SetDrive('Q');
    EXPECT_EQ("Q:\\", list_->Folder());
    EXPECT_EQ("Q:\\", bench::CurrentDirectory());
    EXPECT_EQ(1, changes_);
    EXPECT_EQ("C:Q:\\", Shown().at(0));

    ASSERT_TRUE(SetEnvironmentVariableA("=C:", music_.c_str()));
    list_->SetDrive('C');
    SetEnvironmentVariableA("=C:", nullptr);
    EXPECT_EQ(music_, list_->Folder());
    EXPECT_EQ(music_, bench::CurrentDirectory());
    EXPECT_EQ(2, changes_);
    EXPECT_EQ("C:Music", Shown().at(static_cast<std::size_t>(Selected())));
}

TEST_F(FolderChanges, DoubleClickAndEnterOpenTheItem) {
    // Folder items: C:\, wendle-tests, <test>, Music (current), Ogg, Wav.
    const int current = IndexOf("Music");
    ASSERT_EQ(current, Selected());

    // On the current folder: nothing, no event.
    DoubleClick(current);
    PressEnter(current);
    EXPECT_EQ(0, changes_);
    EXPECT_EQ(music_, list_->Folder());

    // A sub-folder is entered, an ancestor gone up to, the first item is the root.
    DoubleClick(IndexOf("Wav"));
    EXPECT_EQ(music_ + "\\Wav", list_->Folder());
    EXPECT_EQ(music_ + "\\Wav", bench::CurrentDirectory());
    EXPECT_EQ(1, changes_);
    DoubleClick(IndexOf("Music"));
    EXPECT_EQ(music_, list_->Folder());
    EXPECT_EQ(2, changes_);

    PressEnter(IndexOf("Ogg"));
    EXPECT_EQ(music_ + "\\Ogg", list_->Folder());
    EXPECT_EQ(music_ + "\\Ogg", bench::CurrentDirectory());
    PressEnter(2);
    EXPECT_EQ(root_, list_->Folder());
    PressEnter(0);
    EXPECT_EQ("C:\\", list_->Folder());
    EXPECT_EQ("C:\\", bench::CurrentDirectory());
    EXPECT_EQ(5, changes_);
}

TEST_F(FolderChanges, ClicksArrowsAndOtherKeysMoveOnlyTheSelection) {
    POINT p = ItemPoint(IndexOf("Wav"));
    SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(List(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    SendMessageA(List(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(IndexOf("Ogg"), Selected());
    SendMessageA(List(), WM_CHAR, ' ', 0);
    EXPECT_EQ(music_, list_->Folder());
    EXPECT_EQ(0, changes_);
    SendMessageA(List(), WM_CHAR, '\r', 0);
    EXPECT_EQ(music_ + "\\Ogg", list_->Folder());
    EXPECT_EQ(1, changes_);
}

TEST_F(FolderChanges, EnterReachesTheListInsideADialogLoop) {
    SendMessageA(List(), LB_SETCURSEL, IndexOf("Wav"), 0);
    MSG key{List(), WM_KEYDOWN, VK_RETURN, 0x001C0001, GetTickCount(), {}};
    EXPECT_TRUE(IsDialogMessageA(host_->Handle(), &key));
    EXPECT_TRUE(bench::WaitUntil([&] { return list_->Folder() == music_ + "\\Wav"; }, 5000));
    EXPECT_EQ(1, changes_);
}

TEST_F(FolderChanges, ReloadReadsAgainAndLeavesTheCurrentDirectoryAlone) {
    ASSERT_TRUE(MakeFolder(music_ + "\\Flac"));
    ASSERT_TRUE(SetCurrentDirectoryA((root_ + "\\Other").c_str()));
    list_->Reload();
    EXPECT_EQ(1, changes_);
    EXPECT_EQ((std::vector<std::string>{"Flac", "Ogg", "Wav"}), SubFolders());
    EXPECT_EQ(root_ + "\\Other", bench::CurrentDirectory());
    EXPECT_EQ(music_, list_->Folder());
    EXPECT_EQ(IndexOf("Music"), Selected());
    // Drawing and item paths do not move it either.
    RedrawWindow(List(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    list_->ItemPath(0);
    EXPECT_EQ(root_ + "\\Other", bench::CurrentDirectory());
    list_->Reload();
    EXPECT_EQ(2, changes_);
}

// ---- Drawing ----

// The list's client area as it paints it, read pixel by pixel.
class Picture {
  public:
    explicit Picture(HWND list) {
        GetClientRect(list, &client_);
        Capture([&](HDC dc) {
            SendMessageA(list, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            SendMessageA(list, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        });
    }
    // Text drawn the way the list would draw it, for comparison.
    Picture(HWND list, HFONT font, int x, int y, const std::string& text) {
        GetClientRect(list, &client_);
        Capture([&](HDC dc) {
            FillRect(dc, &client_, GetSysColorBrush(COLOR_WINDOW));
            HGDIOBJ old = SelectObject(dc, font);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            ExtTextOutA(dc, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
            SelectObject(dc, old);
        });
    }
    COLORREF At(int x, int y) const {
        if (x < 0 || y < 0 || x >= client_.right || y >= client_.bottom) return CLR_INVALID;
        RGBQUAD p = bits_[static_cast<std::size_t>(y) * client_.right + x];
        return RGB(p.rgbRed, p.rgbGreen, p.rgbBlue);
    }
    // The first column from x on, in rows top..bottom, that is not the colour.
    int FirstNot(COLORREF colour, int x, int top, int bottom) const {
        for (; x < client_.right; ++x) {
            for (int y = top; y < bottom; ++y) {
                if (At(x, y) != colour) return x;
            }
        }
        return -1;
    }
    bool SameRows(const Picture& other, int left, int top, int bottom) const {
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < client_.right; ++x) {
                if (At(x, y) != other.At(x, y)) return false;
            }
        }
        return true;
    }

    // A top-down 32-bit .bmp file of the picture.
    std::string AsBmp() const {
        BITMAPFILEHEADER file{};
        const std::size_t size = bits_.size() * sizeof(RGBQUAD);
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof file + sizeof header_;
        file.bfSize = static_cast<DWORD>(file.bfOffBits + size);
        std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
        bytes.append(reinterpret_cast<const char*>(&header_), sizeof header_);
        return bytes.append(reinterpret_cast<const char*>(bits_.data()), size);
    }

  private:
    template <class Paint>
    void Capture(Paint paint) {
        header_.biSize = sizeof header_;
        header_.biWidth = client_.right;
        header_.biHeight = -client_.bottom;
        header_.biPlanes = 1;
        header_.biBitCount = 32;
        BITMAPINFO info{};
        info.bmiHeader = header_;
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        paint(dc);
        GdiFlush();
        const auto* first = static_cast<const RGBQUAD*>(bits);
        bits_.assign(first, first + static_cast<std::size_t>(client_.right) * client_.bottom);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }

    RECT client_{};
    BITMAPINFOHEADER header_{};
    std::vector<RGBQUAD> bits_;
};

class FolderDrawing : public FolderChanges {
  protected:
    // The item's picture stands at the indent: its outline there, the
    // background just left of it and through its transparent corner, and the
    // text 4 pixels right of it.
    void ExpectDrawnAt(const Picture& picture, int index, int indent) const {
        SCOPED_TRACE("item " + std::to_string(index));
        const RECT r = ItemRect(index);
        const bool selected = index == Selected();
        const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        const int x = r.left + indent;
        const int y = (r.top + r.bottom - 15) / 2;
        EXPECT_EQ(RGB(0, 0, 0), picture.At(x, y + 4));          // outline
        EXPECT_EQ(RGB(255, 255, 0), picture.At(x + 2, y + 6));  // folder yellow
        EXPECT_EQ(back, picture.At(x, y));                      // transparent corner
        EXPECT_EQ(back, picture.At(x - 1, y + 4));
        EXPECT_EQ(x, picture.FirstNot(back, r.left, r.top, r.bottom));
        const int text = picture.FirstNot(back, x + 16, r.top, r.bottom);
        EXPECT_GE(text, x + 16 + 4);
        EXPECT_LE(text, x + 16 + 4 + 2);
    }
};

TEST_F(FolderDrawing, AncestorsStepByFourAndSubFoldersStandBelowTheFolder) {
    // C:\, wendle-tests, <test>, Music (current, selected), M, Ogg, Other, Wav:
    // Music is 3 levels deep, so its sub-folders stand at 4 x 4 + 2.
    Picture picture(List());
    ExpectDrawnAt(picture, 0, 2);
    ExpectDrawnAt(picture, 1, 6);
    ExpectDrawnAt(picture, 2, 10);
    ExpectDrawnAt(picture, 3, 14);
    ExpectDrawnAt(picture, IndexOf("Ogg"), 18);
    ExpectDrawnAt(picture, IndexOf("Wav"), 18);
}

TEST_F(FolderDrawing, AtADriveRootSubFoldersStandEightPixelsIn) {
    list_->AssignFolder("C:\\");
    Picture picture(List());
    ExpectDrawnAt(picture, 0, 2);
    ExpectDrawnAt(picture, 1, 10);
    ExpectDrawnAt(picture, IndexOf("wendle-tests"), 10);
}

TEST_F(FolderDrawing, NamesAreDrawnInLowerCaseOnlyWhereTheVolumeLosesCase) {
    // The bench's CD keeps no case; C: keeps it.
    const std::string cd = "Q:\\wendle-folder-list-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(MakeFolder(cd));
    ASSERT_TRUE(MakeFolder(cd + "\\ABC"));
    ASSERT_TRUE(MakeFolder(music_ + "\\ABC"));
    struct Cleanup {
        std::string cd;
        ~Cleanup() {
            SetCurrentDirectoryA("C:\\");
            RemoveDirectoryA((cd + "\\ABC").c_str());
            RemoveDirectoryA(cd.c_str());
        }
    } cleanup{cd};

    for (const std::string& folder : {music_, cd}) {
        SCOPED_TRACE(folder);
        list_->AssignFolder(folder);
        list_->Reload();  // ABC is newer than the list
        const bool keepsCase = folder == music_;
        EXPECT_EQ(keepsCase, list_->CasePreserving());
        const int index = IndexOf("ABC");
        ASSERT_GT(index, 0);
        SendMessageA(List(), LB_SETCURSEL, 0, 0);  // keep the item in window colours
        const RECT r = ItemRect(index);
        const int left =
            r.left + 4 * (wendle::FolderLevel(folder, wendle::SystemPathRules()) + 1) + 2 + 16 + 4;
        Picture drawn(List());
        Picture lower(List(), font_, left, r.top, "abc");
        Picture upper(List(), font_, left, r.top, "ABC");
        EXPECT_EQ(!keepsCase, drawn.SameRows(lower, left, r.top, r.bottom));
        EXPECT_EQ(keepsCase, drawn.SameRows(upper, left, r.top, r.bottom));
        // Only the drawing changes case.
        EXPECT_EQ("ABC", list_->Items()[static_cast<std::size_t>(index)].text);
        list_->AssignFolder(list_->ItemPath(index));
        EXPECT_EQ(folder + "\\ABC", list_->Folder());
    }
}

// Not a check of its own: the list as a person sees it, with the focus on the
// shown folder, kept for review as <build dir>/artifacts/folder_list.bmp.
TEST_F(FolderDrawing, PictureForReview) {
    const std::string wav = music_ + "\\Wav";
    for (const char* name : {"Studio", "\x95\x5C\x8E\xA6", "\x83\x5C\x83\x8D"}) {
        ASSERT_TRUE(MakeFolder(wav + "\\" + name));
    }
    list_->AssignFolder(wav);
    SetFocus(List());
    const std::string folder = bench::ProgramDir() + "\\..\\artifacts";
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_TRUE(bench::WriteFileBytes(folder + "\\folder_list.bmp", Picture(List()).AsBmp()));
}

// ---- Failures ----

class FolderFailures : public FolderChanges {
  protected:
    // Everything the list shows and the current directory, for before/after.
    struct State {
        std::string folder, cwd;
        std::vector<std::string> shown;
        int selected;
        bool operator==(const State& o) const {
            return folder == o.folder && cwd == o.cwd && shown == o.shown && selected == o.selected;
        }
    };
    State Now() const { return {list_->Folder(), bench::CurrentDirectory(), Shown(), Selected()}; }
};

TEST_F(FolderFailures, AFolderThatIsGoneChangesNothing) {
    const State before = Now();
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, FailureCode([&] { list_->AssignFolder(music_ + "\\Gone"); }));
    EXPECT_TRUE(before == Now());
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              FailureCode([&] { list_->AssignFolder(music_ + "\\Gone\\take1.wav"); }));
    EXPECT_TRUE(before == Now());
    // A sub-folder removed after the list was built.
    ASSERT_TRUE(RemoveDirectoryA((music_ + "\\Ogg").c_str()));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND,
              FailureCode([&] { list_->AssignFolder(list_->ItemPath(IndexOf("Ogg"))); }));
    EXPECT_TRUE(before == Now());
    EXPECT_EQ(0, changes_);
}

TEST_F(FolderFailures, ADriveThatIsNotReadyChangesNothing) {
    const State before = Now();
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, FailureCode([&] { list_->SetDrive('X'); }));
    EXPECT_TRUE(before == Now());
    EXPECT_EQ(ERROR_PATH_NOT_FOUND, FailureCode([&] { list_->AssignFolder("x:"); }));
    EXPECT_TRUE(before == Now());
    // No drive letter at all, on a lettered drive, is no drive either.
    EXPECT_EQ(ERROR_INVALID_DRIVE, FailureCode([&] { list_->SetDrive('\0'); }));
    EXPECT_TRUE(before == Now());
    EXPECT_EQ(0, changes_);
}

TEST_F(FolderFailures, ADoubleClickThatFailsIsShownAndTheGoneFolderUnlisted) {
    const int gone = IndexOf("Ogg");
    ASSERT_TRUE(RemoveDirectoryA((music_ + "\\Ogg").c_str()));
    bench::DialogView box;
    bool shown = dialog_watch::WithDialog([&] { DoubleClick(gone); },
                                          [&](HWND dialog) {
                                              box = bench::ReadDialog(dialog);
                                              bench::PressButton(dialog, "OK");
                                          });
    ASSERT_TRUE(shown);
    EXPECT_EQ("Wendle", box.title);
    // ﾌｧｲﾙが見つかりません. (the code of a missing folder)
    EXPECT_BYTES(
        "\xCC\xA7\xB2\xD9\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82\xF1.",
        box.message);
    EXPECT_EQ(music_, list_->Folder());
    EXPECT_EQ(music_, bench::CurrentDirectory());
    EXPECT_EQ(0, changes_);
    // Listed again from the disk: the gone folder is no longer there.
    EXPECT_EQ(-1, IndexOf("Ogg"));
    EXPECT_EQ(music_, list_->ItemPath(Selected()));
}

}  // namespace
