#include "widgets/folder_list.h"

#include <algorithm>
#include <cwchar>

#include "core/failure.h"
#include "core/latin_letters.h"
#include "win/file_system.h"
#include "win/system_names.h"
#include "win/system_rules.h"
#include "win/critical_errors_quiet.h"
#include "win/fonts.h"

namespace wendle {

namespace {

int LocaleCompare(DWORD flags, const std::string& a, const std::string& b) {
    // CSTR_LESS_THAN, CSTR_EQUAL, CSTR_GREATER_THAN are 1, 2, 3.
    return CompareStringA(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) -
           CSTR_EQUAL;
}

// Ends a rebuild with one redraw, also when it fails.
class RedrawSuspended {
  public:
    explicit RedrawSuspended(HWND window) : window_(window) {
        if (window_) SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawSuspended() {
        if (!window_) return;
        SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window_, nullptr, TRUE);
    }
    RedrawSuspended(const RedrawSuspended&) = delete;
    RedrawSuspended& operator=(const RedrawSuspended&) = delete;

  private:
    HWND window_;
};

}  // namespace

FolderList::FolderList() {
    LoadFolderBitmaps();
    folder_ = ReadCurrentDirectory();
    FitItemHeight(nullptr);
}

FolderList::~FolderList() {
    // The window goes first, so that nothing draws with a freed picture.
    if (Handle()) DestroyWindow(Handle());
}

bool FolderList::Create(HWND parent, int id, int x, int y, int width, int height) {
    HWND window = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                                      LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                                  x, y, width, height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (!window) return false;
    Attach(window);
    FitItemHeight(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    RebuildFolders();
    return true;
}

void FolderList::LoadFolderBitmaps() {
    HINSTANCE module = GetModuleHandleA(nullptr);
    open_.Load(module, "OPENFOLDER", Dpi());
    closed_.Load(module, "CLOSEDFOLDER", Dpi());
    current_.Load(module, "CURRENTFOLDER", Dpi());
}

void FolderList::ScaleTo(int dpi) {
    if (dpi == Dpi()) return;
    SetDpi(dpi);
    LoadFolderBitmaps();
    if (Handle()) InvalidateRect(Handle(), nullptr, TRUE);
}

void FolderList::FitItemHeight(HFONT font) {
    SetItemHeight(std::max<int>(ScreenMeasure(font).CellHeight(), open_.Height() + 1));
}

void FolderList::SetItemHeight(int height) {
    itemHeight_ = std::max(height, open_.Height() + 1);
    if (Handle()) SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(itemHeight_, 0));
}

const TransparentPicture& FolderList::PictureOf(FolderKind kind) const {
    switch (kind) {
        case FolderKind::Open:
            return open_;
        case FolderKind::Current:
            return current_;
        case FolderKind::Closed:
            break;
    }
    return closed_;
}

bool FolderList::SameFolder(const std::string& a, const std::string& b) const {
    if (caseSensitive_) return LocaleCompare(0, a, b) == 0;
    return LocaleCompare(0, LowerFileName(a), LowerFileName(b)) == 0;
}

void FolderList::AssignFolder(const std::string& value) {
    if (value.empty() || SameFolder(value, folder_)) return;
    const std::string before = ReadCurrentDirectory();
    const std::string shown = folder_;
    const Target target = SplitFolderPath(value);
    if (Drive() != target.drive) {
        inFolderAssignment_ = true;
        try {
            ChangeDrive(target.drive);
        } catch (...) {
            inFolderAssignment_ = false;
            throw;
        }
        inFolderAssignment_ = false;
    }
    // A drive change has already moved Folder. A failure from here on puts it
    // back, so that Folder keeps naming the folder the items show.
    try {
        if (FolderExists(folder_)) ChangeCurrentDirectory(folder_);
        ChangeCurrentDirectory(target.folderPart);
    } catch (const IoFailure&) {
        folder_ = shown;
        if (FolderExists(before)) SetCurrentDirectoryA(before.c_str());
        throw;
    }
    folder_ = ReadCurrentDirectory();
    RebuildFolders();
    NotifyChange();
}

FolderList::Target FolderList::SplitFolderPath(const std::string& text) const {
    const PathRules& rules = SystemPathRules();
    const std::string saved = ReadCurrentDirectory();
    FolderTarget target = ParseFolderText(text, saved, rules);

    // Whatever happens below, the current directory goes back where it was.
    struct Restore {
        const std::string& saved;
        ~Restore() {
            if (FolderExists(saved)) SetCurrentDirectoryA(saved.c_str());
        }
    } restore{saved};

    // For a bare drive such as X: this enters that drive's current folder.
    if (FolderExists(target.root)) ChangeCurrentDirectory(target.root);
    std::string filePart = rules.ExtractName(target.folderPart);
    std::string folderPart = CutLastName(target.folderPart, filePart);
    if (folderPart.empty()) {
        // A bare name: it names a folder in the current one.
        const std::string here = ReadCurrentDirectory();
        folderPart = here.substr(std::min(here.size(), DrivePart(here, rules).size()));
        if (folderPart.empty()) folderPart = "\\";
    }
    ChangeCurrentDirectory(folderPart);
    if (!filePart.empty() && filePart.find_first_of("*?") == std::string::npos &&
        !FileExists(filePart)) {
        ChangeCurrentDirectory(filePart);  // must be a folder
        folderPart = JoinPath(folderPart, filePart, rules);
    }
    if (target.drive == '\0') folderPart = target.root + folderPart;
    // The target is the folder found here. Entered again as a relative path
    // below Folder, it could be another folder or none when Folder is not the
    // current directory.
    const std::string found = ReadCurrentDirectory();
    return {target.drive, found.empty() ? folderPart : found};
}

void FolderList::ChangeDrive(char drive) {
    if (UpperLatin(drive) == UpperLatin(Drive())) return;
    if (drive != '\0') {
        ChangeCurrentDirectory(std::string(1, drive) + ":");
        folder_ = ReadCurrentDirectory();
    }
    if (!inFolderAssignment_) {
        RebuildFolders();
        NotifyChange();
    }
}

void FolderList::SetDrive(char drive) {
    if (UpperLatin(drive) == UpperLatin(Drive())) return;
    if (drive == '\0') {
        // No drive letter is what a network path has: stay on it. Anywhere
        // else "\0:" names no drive at all.
        if (Drive() == '\\') return;
        throw IoFailure{ERROR_INVALID_DRIVE};
    }
    AssignFolder(std::string(1, drive) + ":");
}

void FolderList::Reload() {
    RebuildFolders();
    NotifyChange();
}

void FolderList::NotifyChange() {
    if (OnChange) OnChange();
}

std::string FolderList::ItemPath(int index) const {
    return wendle::ItemPath(items_, index, folder_, SystemPathRules());
}

void FolderList::OpenSelected() {
    if (!Handle()) return;
    const int index = static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
    if (index >= 0 && static_cast<std::size_t>(index) < items_.size() &&
        items_[static_cast<std::size_t>(index)].text.find('?') != std::string::npos) {
        if (OnNameWithoutPath) OnNameWithoutPath();
        return;
    }
    try {
        AssignFolder(ItemPath(index));
    } catch (const IoFailure&) {
        // The folder may be gone from the disk: list what is there now.
        RebuildFolders();
        throw;
    }
}

void FolderList::RebuildFolders() {
    HWND window = Handle();
    int current = -1;
    {
        RedrawSuspended suspended(window);
        if (window) SendMessageA(window, LB_RESETCONTENT, 0, 0);
        items_.clear();

        const std::string root = DrivePart(folder_, SystemPathRules()) + "\\";
        DWORD flags = 0;
        BOOL queried;
        {
            CriticalErrorsQuiet quiet;
            queried = GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags,
                                            nullptr, 0);
        }
        const CaseRules rules = VolumeCaseRules(queried != FALSE, flags);
        casePreserving_ = rules.preserving;
        caseSensitive_ = rules.sensitive;

        items_ = FolderPathItems(folder_, SystemPathRules());
        folderLevel_ = FolderLevel(folder_, SystemPathRules());
        current = static_cast<int>(items_.size()) - 1;
        ReadSubFolders();

        // Each item's text as drawn is the list box's own string too, so
        // that screen readers and other programs can read it.
        if (window) {
            std::vector<std::string> texts;
            texts.reserve(items_.size());
            std::size_t bytes = 0;
            for (const FolderItem& item : items_) {
                texts.push_back(ShownText(item));
                bytes += texts.back().size() + 1;
            }
            // Straight to the list box's own procedure: ten thousand trips
            // through this object's subclass would cost more than the walk.
            CallOriginal(LB_INITSTORAGE, texts.size(), static_cast<LPARAM>(bytes));
            for (const std::string& text : texts) {
                CallOriginal(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            }
        }
    }
    if (window) SendMessageA(window, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
}

std::string FolderList::ShownText(const FolderItem& item) const {
    std::string text = item.text;
    // A volume that loses case shows every name in lower case.
    if (!casePreserving_ && !text.empty()) {
        CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    }
    return text;
}

void FolderList::ReadSubFolders() {
    std::vector<std::string> names;
    // Wide: the ANSI walk gives look-alikes (a\b for a¥b) that name other folders.
    const std::u16string folder = WideFromAnsi(folder_);
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(
        ToWide(WideFromAnsi(JoinPath(folder_, "*.*", SystemPathRules()))).data(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    const DWORD skipped = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 0x8;  // 0x8: volume label
    std::string name;
    do {
        if (entry.dwFileAttributes & skipped) continue;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        const wchar_t* wide = entry.cFileName;
        if (std::wcscmp(wide, L".") == 0 || std::wcscmp(wide, L"..") == 0) continue;
        // Nearly every name converts as it is; the others go by their short
        // names. Without a usable one it is shown with "?", which no folder
        // name holds: such an item is refused when opened.
        if (!ExactAnsi(wide, std::wcslen(wide), &name)) {
            const std::u16string entryName = FromWide(wide);
            if (!NarrowEntryName(folder, entryName, &name)) name = NarrowShownText(entryName, '?');
        }
        names.push_back(name);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    names = SortedUnique(std::move(names), &NameSortKey);
    items_.reserve(items_.size() + names.size());
    for (std::string& n : names) items_.push_back({std::move(n), FolderKind::Closed});
}

bool FolderList::OnNotification(int code) {
    if (code == LBN_DBLCLK) OpenSelected();
    return true;
}

LRESULT FolderList::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // A key posted while a job runs must not move the folder it writes to.
    if (message >= WM_KEYFIRST && message <= WM_KEYLAST && !TakesInput()) return 0;
    switch (message) {
        case WM_CHAR: {
            // One byte: the list box takes characters byte by byte.
            const auto key = static_cast<unsigned char>(wParam);
            if (key == '\r') {
                OpenSelected();
                return 0;
            }
            if (key == 0) return 0;
            return CallOriginal(message, key, lParam);
        }
        case WM_GETDLGCODE: {
            // Enter opens a folder here, not the dialog's default button.
            LRESULT code = CallOriginal(message, wParam, lParam);
            const MSG* msg = reinterpret_cast<const MSG*>(lParam);
            if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
                code |= DLGC_WANTMESSAGE;
            }
            return code;
        }
        case WM_SETFONT: {
            LRESULT done = CallOriginal(message, wParam, lParam);
            FitItemHeight(reinterpret_cast<HFONT>(wParam));
            return done;
        }
    }
    return Window::HandleMessage(message, wParam, lParam);
}

void FolderList::DrawItem(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const RECT& r = item.rcItem;
    if (item.itemID == static_cast<UINT>(-1) || item.itemAction == ODA_FOCUS) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
        return;
    }
    const int index = static_cast<int>(item.itemID);
    if (static_cast<std::size_t>(index) >= items_.size()) return;
    const FolderItem& folderItem = items_[static_cast<std::size_t>(index)];

    const int saved = SaveDC(dc);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    HBRUSH brush = GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    FillRect(dc, &r, brush);

    const TransparentPicture& picture = PictureOf(folderItem.kind);
    const int indent = ItemIndent(index, folderItem.kind, folderLevel_, Dpi());
    picture.Draw(dc, r.left + indent, (r.top + r.bottom - picture.Height()) / 2);

    const std::string text = ShownText(folderItem);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    ExtTextOutA(dc,
                r.left + TextLeft(indent, picture.Loaded() ? picture.Width() : Scaled(16), Dpi()),
                r.top, ETO_CLIPPED, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
    RestoreDC(dc, saved);

    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

}  // namespace wendle
