#include "widgets/drive_chooser.h"

#include <winnetwk.h>

#include <cstring>
#include <vector>

#include "win/application.h"
#include "win/file_system.h"
#include "win/system_rules.h"
#include "win/critical_errors_quiet.h"
#include "win/fonts.h"
#include "win/system_library.h"
#include "win/system_names.h"

namespace wendle {

static_assert(kDriveRemovable == DRIVE_REMOVABLE && kDriveFixed == DRIVE_FIXED &&
              kDriveRemote == DRIVE_REMOTE && kDriveCdRom == DRIVE_CDROM &&
              kDriveRamDisk == DRIVE_RAMDISK && kDriveNoRoot == DRIVE_NO_ROOT_DIR);

namespace {

// In the order of DrivePicture.
const char* const kPictureNames[kDrivePictureCount] = {"FLOPPY", "HARD", "NETWORK", "CDROM", "RAM"};

// Volume names and remote names are read into buffers of this size.
constexpr DWORD kNameBuffer = 261;

// Read wide and shown with "?" for what the code page cannot write, never a
// look-alike.
std::string FromBuffer(const wchar_t* buffer) {
    return NarrowShownText(FromWide(buffer, wcsnlen(buffer, kNameBuffer)), '?');
}

class SystemDriveQueries : public DriveQueries {
  public:
    std::uint32_t LogicalDrives() override { return GetLogicalDrives(); }

    unsigned DriveType(const std::string& root) override { return GetDriveTypeA(root.c_str()); }

    std::string VolumeLabel(const std::string& root) override {
        wchar_t name[kNameBuffer] = {};
        CriticalErrorsQuiet quiet;
        BOOL ok = GetVolumeInformationW(ToWide(WideFromAnsi(root)).data(), name, kNameBuffer,
                                        nullptr, nullptr, nullptr, nullptr, 0);
        return ok ? FromBuffer(name) : std::string();
    }

    bool Connection(const std::string& device, std::string* remote) override {
        // Loaded when first asked: a network connection is rarely listed.
        static const auto getConnection =
            SystemFunction<decltype(&WNetGetConnectionW)>("mpr.dll", "WNetGetConnectionW");
        if (!getConnection) return false;
        wchar_t name[kNameBuffer] = {};
        DWORD length = kNameBuffer;
        if (getConnection(ToWide(WideFromAnsi(device)).data(), name, &length) != NO_ERROR)
            return false;
        *remote = FromBuffer(name);
        return true;
    }

    std::string LowerCase(const std::string& text) override { return LowerFileName(text); }
    std::string UpperCase(const std::string& text) override { return UpperFileName(text); }
};

HINSTANCE ResourceModule() {
    return App().Module() ? App().Module() : GetModuleHandleA(nullptr);
}

}  // namespace

DriveChooser::DriveChooser() : DriveChooser(ReadCurrentDirectory()) {}

DriveChooser::DriveChooser(const std::string& currentDirectory) {
    LoadPictures();
    drive_ = DriveOfDirectory(currentDirectory);
    MeasureItems();
}

DriveChooser::~DriveChooser() {
    // The window goes first, so that nothing draws with a freed picture.
    if (Handle()) DestroyWindow(Handle());
}

void DriveChooser::LoadPictures() {
    for (int i = 0; i < kDrivePictureCount; ++i)
        pictures_[i].Load(ResourceModule(), kPictureNames[i], Dpi());
}

void DriveChooser::ScaleTo(int dpi) {
    if (dpi == Dpi()) return;
    SetDpi(dpi);
    LoadPictures();
    MeasureItems();
}

void DriveChooser::MeasureItems() {
    itemHeight_ = DriveItemHeight(ScreenMeasure(font_).CellHeight(), pictures_[0].Height());
    if (!Handle()) return;
    // The system asked the parent before this object was attached; tell it now.
    CallOriginal(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight_);
    CallOriginal(CB_SETITEMHEIGHT, 0, itemHeight_);
    SizeDroppedList();
}

void DriveChooser::SizeDroppedList() {
    // A drop-down list's window rectangle is its closed face; the height it
    // is given is the closed face and the dropped list together.
    RECT closed{};
    GetWindowRect(Handle(), &closed);
    const int count = static_cast<int>(CallOriginal(CB_GETCOUNT, 0, 0));
    SetWindowPos(Handle(), nullptr, 0, 0, closed.right - closed.left,
                 DroppedHeight(count, itemHeight_, closed.bottom - closed.top),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool DriveChooser::Create(HWND parent, int id, int x, int y, int width) {
    HWND window =
        CreateWindowExA(0, "COMBOBOX", "",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                            CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                        x, y, width, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        ResourceModule(), nullptr);
    if (!window) return false;
    Attach(window);
    // Like any control, it takes its parent's font.
    auto parentFont = reinterpret_cast<HFONT>(SendMessageA(parent, WM_GETFONT, 0, 0));
    font_ = parentFont ? parentFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    CallOriginal(WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    MeasureItems();
    RebuildDrives();
    SetDrive(drive_);
    return true;
}

void DriveChooser::RebuildDrives() {
    if (!Handle()) return;
    CallOriginal(CB_RESETCONTENT, 0, 0);
    SystemDriveQueries system;
    for (const DriveItem& item : ListDrives(system, textCase_)) {
        LRESULT index = CallOriginal(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
        if (index >= 0) {
            CallOriginal(CB_SETITEMDATA, static_cast<WPARAM>(index),
                         static_cast<LPARAM>(item.picture));
        }
    }
    SizeDroppedList();
}

void DriveChooser::SetDrive(char ch) {
    const LRESULT selected = Handle() ? CallOriginal(CB_GETCURSEL, 0, 0) : CB_ERR;
    if (selected != CB_ERR && SameDrive(ch, drive_)) return;
    if (ch == '\0') {
        drive_ = '\0';
        if (Handle()) CallOriginal(CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    } else {
        drive_ = CasedDrive(ch, textCase_);
        if (Handle()) {
            std::vector<std::string> texts;
            const LRESULT count = CallOriginal(CB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < count; ++i) texts.push_back(ItemText(i));
            // With no item for the drive, the selection stays as it was.
            const int index = FindDriveItem(texts, drive_);
            if (index >= 0) CallOriginal(CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        }
    }
    Change();
}

void DriveChooser::SetTextCase(LetterCase textCase) {
    textCase_ = textCase;
    if (!Handle()) return;  // Create lists the drives in this case
    const char previous = drive_;
    RebuildDrives();
    SetDrive(previous);
}

void DriveChooser::Change() {
    if (OnChange) OnChange();
}

void DriveChooser::Click() {
    const LRESULT selected = CallOriginal(CB_GETCURSEL, 0, 0);
    if (selected != CB_ERR) SetDrive(ItemText(selected).c_str()[0]);
    Change();
}

std::string DriveChooser::ItemText(LRESULT index) const {
    const LRESULT length = SendMessageA(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return std::string();
    std::vector<char> text(static_cast<std::size_t>(length) + 1);
    SendMessageA(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}

bool DriveChooser::OnNotification(int code) {
    if (code != CBN_SELCHANGE) return false;
    Click();
    return true;
}

LRESULT DriveChooser::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFONT) {
        LRESULT result = CallOriginal(message, wParam, lParam);
        auto font = reinterpret_cast<HFONT>(wParam);
        if (font != font_) {
            // New measures mean new items, as when the window is made anew.
            font_ = font;
            MeasureItems();
            RebuildDrives();
            SetDrive(drive_);
        }
        return result;
    }
    return CallOriginal(message, wParam, lParam);
}

void DriveChooser::DrawItem(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const RECT& rc = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF fore = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const int saved = SaveDC(dc);

    HBRUSH brush = CreateSolidBrush(back);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);

    if (item.itemID != static_cast<UINT>(-1)) {
        const std::string text = ItemText(static_cast<LRESULT>(item.itemID));
        const LRESULT kind = SendMessageA(Handle(), CB_GETITEMDATA, item.itemID, 0);
        const TransparentPicture* picture =
            kind >= 0 && kind < kDrivePictureCount && pictures_[kind].Loaded() ? &pictures_[kind]
                                                                               : nullptr;
        const DriveItemLayout layout =
            LayoutDriveItem(rc.left, rc.top, rc.bottom, picture ? picture->Width() : 0,
                            picture ? picture->Height() : 0, Dpi());
        if (picture) picture->Draw(dc, layout.pictureLeft, layout.pictureTop);

        RECT textRect{layout.textLeft, rc.top, rc.right, rc.bottom};
        // A control without a font of its own draws in the system font.
        SelectObject(dc, font_ ? font_ : GetStockObject(SYSTEM_FONT));
        SetTextColor(dc, fore);
        SetBkColor(dc, back);
        SetBkMode(dc, OPAQUE);
        DrawTextA(dc, text.c_str(), -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    RestoreDC(dc, saved);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        DrawFocusRect(dc, &rc);
    }
}

}  // namespace wendle
