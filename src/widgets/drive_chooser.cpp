#include "widgets/drive_chooser.h"

#include <vector>

#include "win/application.h"
#include "win/file_system.h"
#include "win/fonts.h"

namespace wendle {

namespace {

// In the order of DrivePicture.
const char* const kPictureNames[kDrivePictureCount] = {"FLOPPY", "HARD", "NETWORK", "CDROM", "RAM"};

// Posted by the drive text reader: an item's full text has come.
constexpr UINT kDriveTextMessage = WM_APP + 1;

HINSTANCE ResourceModule() {
    return App().Module() ? App().Module() : GetModuleHandleA(nullptr);
}

}  // namespace

DriveChooser::DriveChooser(DriveQueries& system) : DriveChooser(ReadCurrentDirectory(), system) {}

DriveChooser::DriveChooser(const std::string& currentDirectory, DriveQueries& system)
    : system_(system) {
    LoadPictures();
    drive_ = DriveOfDirectory(currentDirectory);
    MeasureItems();
}

DriveChooser::~DriveChooser() {
    texts_.Stop();
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
    if (Handle()) SizeDroppedList();
}

void DriveChooser::MeasureItems() {
    itemHeight_ = DriveItemHeight(ScreenMeasure(font_).CellHeight(), pictures_[0].Height());
    if (!Handle()) return;
    // The system asked the parent before this object was attached; tell it now.
    CallOriginal(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), itemHeight_);
    CallOriginal(CB_SETITEMHEIGHT, 0, itemHeight_);
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
    const std::vector<DriveItem> items = ListDrives(system_, textCase_);
    for (const DriveItem& item : items) {
        LRESULT index = CallOriginal(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
        if (index >= 0) {
            CallOriginal(CB_SETITEMDATA, static_cast<WPARAM>(index),
                         static_cast<LPARAM>(item.picture));
        }
    }
    SizeDroppedList();
    texts_.Start(system_, items, Handle(), kDriveTextMessage);
}

void DriveChooser::ShowFullText(WPARAM wParam, LPARAM lParam) {
    std::size_t index = 0;
    std::string text;
    if (!texts_.Take(wParam, lParam, &index, &text)) return;
    const auto item = static_cast<WPARAM>(index);
    if (item >= static_cast<WPARAM>(CallOriginal(CB_GETCOUNT, 0, 0))) return;
    // A combo box cannot change an item's text: the item is made anew in its
    // place, the full one put in before the short one goes, so that no drive
    // is lost when there is no room; the selection and scroll position come back.
    const LRESULT picture = CallOriginal(CB_GETITEMDATA, item, 0);
    const LRESULT selected = CallOriginal(CB_GETCURSEL, 0, 0);
    const LRESULT top = CallOriginal(CB_GETTOPINDEX, 0, 0);
    if (CallOriginal(CB_INSERTSTRING, item, reinterpret_cast<LPARAM>(text.c_str())) < 0) return;
    CallOriginal(CB_DELETESTRING, item + 1, 0);
    CallOriginal(CB_SETITEMDATA, item, picture);
    if (selected != CB_ERR) CallOriginal(CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    if (top != CB_ERR) CallOriginal(CB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
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
    if (message == kDriveTextMessage) {
        ShowFullText(wParam, lParam);
        return 0;
    }
    // A key posted while a job runs would show a drive the folder is not on.
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST && !TakesInput()) return 0;
    // Nothing is posted to a window that is gone.
    if (message == WM_DESTROY) texts_.Stop();
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
