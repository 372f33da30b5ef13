#include "main/main_window.h"

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/message_dialog.h"
#include "win/application.h"
#include "win/dpi.h"
#include "core/bitrates.h"
#include "main/main_ids.h"
#include "main/main_layout.h"
#include "main/main_menu.h"
#include "win/file_system.h"
#include "win/system_rules.h"
#include "core/folder_items.h"
#include "core/version.h"
#include "core/wide_names.h"
#include "win/dropped_files.h"
#include "win/fallback_box.h"
#include "win/window_text.h"

namespace wendle {

namespace {

const DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

DWORD StyleOf(const ControlSpec& c) {
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (c.properties & kDisabled) style |= WS_DISABLED;
    if (c.tabOrder >= 0) style |= WS_TABSTOP;
    switch (c.kind) {
        case ControlKind::Label:
            return style | SS_NOPREFIX |
                   ((c.properties & kAlignBottom)  ? SS_OWNERDRAW
                    : (c.properties & kAlignRight) ? SS_RIGHT | SS_CENTERIMAGE
                                                   : SS_LEFT | SS_CENTERIMAGE);
        case ControlKind::Frame:
            return style | SS_OWNERDRAW;
        case ControlKind::Edit:
            return style | ES_AUTOHSCROLL | ((c.properties & kReadOnly) ? ES_READONLY : 0);
        case ControlKind::Button:
            return style | BS_PUSHBUTTON;
        case ControlKind::DropDownList:
            return style | CBS_DROPDOWNLIST | WS_VSCROLL;
        case ControlKind::DriveChooser:
        case ControlKind::FolderList:
            break;  // the controls make their own windows
    }
    return style;
}

const char* ClassOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
        case ControlKind::Frame:
            return "STATIC";
        case ControlKind::Edit:
            return "EDIT";
        case ControlKind::Button:
            return "BUTTON";
        case ControlKind::DropDownList:
            return "COMBOBOX";
        case ControlKind::DriveChooser:
        case ControlKind::FolderList:
            break;
    }
    return "STATIC";
}

void DrawOwnerDrawn(const DRAWITEMSTRUCT& item, const ControlSpec& c) {
    RECT r = item.rcItem;
    if (c.kind == ControlKind::Frame) {
        if (c.properties & kRaisedFrame) {
            // A ridge: a shadowed outline one pixel in, a lit one over it.
            RECT shadow = {r.left + 1, r.top + 1, r.right, r.bottom};
            RECT lit = {r.left, r.top, r.right - 1, r.bottom - 1};
            FrameRect(item.hDC, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
            FrameRect(item.hDC, &lit, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        } else {
            DrawEdge(item.hDC, &r, BDR_RAISEDINNER, BF_RECT);
        }
        return;
    }
    DrawLabelText(item, DT_LEFT | DT_BOTTOM);
}

const ControlSpec* SpecOf(int id) {
    for (std::size_t i = 0; i < kMainControlCount; ++i) {
        if (kMainControls[i].id == id) return &kMainControls[i];
    }
    return nullptr;
}

}  // namespace

MainWindow::~MainWindow() {
    // The controls go before the font they use.
    DestroyUnbound();
}

bool MainWindow::Create() {
    SetDpi(SystemDpi());
    const PixelRect designed =
        Scaled(PixelRect{kMainLeft, kMainTop, kMainClientWidth, kMainClientHeight});
    RECT outer = OuterRect({0, 0, designed.width, designed.height}, kFormStyle, true, 0, Dpi());
    OffsetRect(&outer, designed.left - outer.left, designed.top - outer.top);
    animator_.SetParent(this);
    HMENU menu = CreateMainMenu();
    // WS_EX_ACCEPTFILES is what DragAcceptFiles sets, without loading the shell.
    if (!CreateBound({kMainWindowClass, 0, COLOR_BTNFACE}, WS_EX_ACCEPTFILES, "Wendle", kFormStyle,
                     outer, App().Handle(), menu)) {
        // A window that got as far as taking the menu destroyed it with itself.
        const DWORD error = GetLastError();
        if (IsMenu(menu)) DestroyMenu(menu);
        SetLastError(error);
        return false;
    }
    FitClientArea(true);
    App().RegisterForm(Handle());
    if (!CreateControls()) return false;
    FollowMonitorDpi();
    FormCreate();
    ShowWindow(Handle(), SW_SHOWNORMAL);
    UpdateWindow(Handle());
    return true;
}

void MainWindow::FitClientArea(bool keepInWorkArea) {
    // A menu bar that wraps takes more room: keep the client area as designed.
    RECT client;
    GetClientRect(Handle(), &client);
    RECT now;
    GetWindowRect(Handle(), &now);
    PixelRect fitted = {now.left, now.top,
                        now.right - now.left + Scaled(kMainClientWidth) - client.right,
                        now.bottom - now.top + Scaled(kMainClientHeight) - client.bottom};
    if (keepInWorkArea) fitted = KeptInside(fitted, WorkAreaOf(now));
    // Moved only when it must: moving a top-level window is a trip to the display.
    if (fitted.left == now.left && fitted.top == now.top && fitted.width == now.right - now.left &&
        fitted.height == now.bottom - now.top) {
        return;
    }
    SetWindowPos(Handle(), nullptr, fitted.left, fitted.top, fitted.width, fitted.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::MakeFont() {
    // The controls take the new font before the old one goes.
    Font previous = std::move(font_);
    font_ = Font(PGothicFont(Scaled(kFontHeight)));
    const auto font = reinterpret_cast<WPARAM>(font_.Handle());
    SendMessageA(Handle(), WM_SETFONT, font, FALSE);
    for (std::size_t i = 0; i < kMainControlCount; ++i) {
        if (HWND control = Control(kMainControls[i].id)) {
            SendMessageA(control, WM_SETFONT, font, FALSE);
        }
    }
}

void MainWindow::ScaleLists() {
    folderList_.SetItemHeight(Scaled(kFolderItemHeight));
    // Set on the dropped list itself: a combo box passes the item height on
    // only when it draws its items itself.
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    if (GetComboBoxInfo(Control(kBitrateListId), &parts)) {
        SendMessageA(parts.hwndList, LB_SETITEMHEIGHT, 0, Scaled(kBitrateItemHeight));
    }
}

void MainWindow::DpiChanged() {
    // The lists' pictures first: the font change measures their items anew.
    folderList_.ScaleTo(Dpi());
    driveChooser_.ScaleTo(Dpi());
    MakeFont();
    ScaleLists();
    // Where the system put it: it may be on its way to another monitor.
    FitClientArea(false);
    InvalidateRect(Handle(), nullptr, TRUE);
}

bool MainWindow::CreateControls() {
    font_ = Font(PGothicFont(Scaled(kFontHeight)));
    const auto font = reinterpret_cast<WPARAM>(font_.Handle());
    SendMessageA(Handle(), WM_SETFONT, font, FALSE);
    // Windowed controls first, in tab order, so the z-order gives the tab
    // order and they lie above all labels and frames.
    std::vector<const ControlSpec*> order;
    for (std::size_t i = 0; i < kMainControlCount; ++i) order.push_back(&kMainControls[i]);
    std::stable_sort(order.begin(), order.end(), [](const ControlSpec* a, const ControlSpec* b) {
        return (a->tabOrder >= 0 && b->tabOrder < 0) ||
               (a->tabOrder >= 0 && b->tabOrder >= 0 && a->tabOrder < b->tabOrder);
    });
    for (const ControlSpec* c : order) {
        const PixelRect at = Scaled(c->at);
        if (c->kind == ControlKind::DriveChooser) {
            // Upper case before the window exists: the items are read once.
            driveChooser_.SetTextCase(kUpperCase);
            driveChooser_.ScaleTo(Dpi());
            if (!driveChooser_.Create(Handle(), c->id, at.left, at.top, at.width)) return false;
            KeepPlaced(driveChooser_.Handle(), c->at);
            continue;
        }
        if (c->kind == ControlKind::FolderList) {
            folderList_.ScaleTo(Dpi());
            if (!folderList_.Create(Handle(), c->id, at.left, at.top, at.width, at.height)) {
                return false;
            }
            KeepPlaced(folderList_.Handle(), c->at);
            SendMessageA(folderList_.Handle(), WM_SETFONT, font, FALSE);
            continue;
        }
        DWORD exStyle = c->kind == ControlKind::Edit ? WS_EX_CLIENTEDGE : 0;
        if (c->kind == ControlKind::Frame) exStyle |= WS_EX_TRANSPARENT;
        PixelRect designed = c->at;
        if (c->kind == ControlKind::DropDownList) designed.height += kBitrateDroppedHeight;
        HWND control =
            CreateChild(exStyle, ClassOf(c->kind), c->caption, StyleOf(*c), c->id, designed);
        if (!control) return false;
        SendMessageA(control, WM_SETFONT, font, FALSE);
        if (c->kind == ControlKind::Edit) SendMessageA(control, EM_LIMITTEXT, 0, 0);
        if (c->id == kOutputFileNameId) outputFileNameEdit_.Bind(control);
    }
    // Attached only now: the choosers' own start-up raises no handler.
    // A chooser's own change (a posted key or a reflected notification)
    // reaches no handler while a job runs, as the window's commands do not.
    folderList_.OnChange = [this] {
        if (!job_.Runs()) FolderListChange();
    };
    driveChooser_.OnChange = [this] {
        if (!job_.Runs()) DriveChooserChange();
    };
    folderList_.OnNameWithoutPath = [this] {
        ShowError(Handle(), std::string("\n") + kFolderNameUnwritable);
    };
    HWND bitrate = Control(kBitrateListId);
    for (std::size_t i = 0; i < kBitrateCount; ++i) {
        SendMessageA(bitrate, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kBitrates[i].label));
    }
    ScaleLists();
    return true;
}

void MainWindow::FormCreate() {
    SetWindowTextA(Handle(), kVersionName);
    SendMessageA(Control(kBitrateListId), CB_SETCURSEL, static_cast<WPARAM>(DefaultBitrateIndex()),
                 0);
    job_.FindEncoder();
}

std::string MainWindow::Text(int id) const {
    return WindowText(Control(id));
}

void MainWindow::SetText(int id, const std::string& text) {
    if (Text(id) == text) return;
    // The handler runs here, not from the edit's notification, so that its
    // failures reach the code that set the text.
    settingId_ = id;
    SetWindowTextA(Control(id), text.c_str());
    settingId_ = 0;
    OnFieldChanged(id);
}

void MainWindow::OnFieldChanged(int id) {
    std::string now = Text(id);
    auto seen =
        std::find_if(seenText_.begin(), seenText_.end(),
                     [id](const std::pair<int, std::string>& field) { return field.first == id; });
    if (seen == seenText_.end()) {
        seenText_.emplace_back(id, now);
    } else if (seen->second == now) {
        return;
    } else {
        seen->second = now;
    }
    if (id == kInputFileNameId) InputFileNameChange();
    if (id == kOutputFileNameId) OutputFileNameChange();
}

void MainWindow::SetStartControlsEnabled(bool enabled) {
    EnableWindow(Control(kStartEncodeId), enabled);
    EnableMenuItem(GetMenu(Handle()), kEncodeMenuId, enabled ? MF_ENABLED : MF_GRAYED);
}

void MainWindow::OnCommand(int id, int code) {
    if (code == EN_CHANGE) {
        if (id != settingId_) RunHandler([&] { OnFieldChanged(id); });
    } else if ((id == kStartEncodeId && code == BN_CLICKED) || id == kEncodeMenuId) {
        RunHandler([&] { StartEncodeClick(); });
    } else if (id == kExitMenuId) {
        RunHandler([&] { ProgramExitClick(); });
    } else if ((id == kInputFileOpenId && code == BN_CLICKED) || id == kOpenMenuId) {
        RunHandler([&] { InputFileOpenClick(); });
    } else if (id == kNewDirectoryId && code == BN_CLICKED) {
        RunHandler([&] { NewDirectoryClick(); });
    } else if (id == kAboutMenuId) {
        RunHandler([&] { AboutMenuClick(); });
    }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // No command and no drop while a job runs: a hidden, disabled window
    // still gets posted and sent messages. A drop is released all the same.
    if (job_.Runs() && (message == WM_COMMAND || message == WM_DROPFILES)) {
        if (message == WM_DROPFILES) ReleaseDrop(reinterpret_cast<HDROP>(wParam));
        return 0;
    }
    switch (message) {
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_.Handle());
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_DROPFILES: {
            const std::vector<std::u16string> names = DroppedNames(reinterpret_cast<HDROP>(wParam));
            RunHandler([&] { TakeDroppedNames(names); });
            return 0;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (const ControlSpec* c = SpecOf(static_cast<int>(item.CtlID))) {
                DrawOwnerDrawn(item, *c);
            }
            return TRUE;
        }
        case WM_CTLCOLORSTATIC: {
            // Read-only edits keep the window colour like editable ones.
            HWND control = reinterpret_cast<HWND>(lParam);
            const ControlSpec* c = SpecOf(GetDlgCtrlID(control));
            if (c && c->kind == ControlKind::Edit) {
                SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
            }
            break;
        }
        case WM_WINDOWPOSCHANGING:
            // The taskbar's restore shows a hidden main form: not while the
            // encoder runs, whose progress window stands in its place.
            if (job_.Encoding()) reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
            break;
        case WM_CLOSE:
            // The taskbar's close during a job stops the job, not the program.
            if (job_.Stop()) return 0;
            break;
        case WM_DESTROY:
            if (App().MainForm() == Handle()) PostQuitMessage(0);
            return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

EncodeFields MainWindow::Fields() const {
    EncodeFields fields;
    fields.bitrateIndex =
        static_cast<int>(SendMessageA(Control(kBitrateListId), CB_GETCURSEL, 0, 0));
    fields.title = Text(kTitleEditId);
    fields.artist = Text(kArtistEditId);
    fields.album = Text(kAlbumEditId);
    fields.comment = Text(kCommentEditId);
    fields.date = inputTags_.date;
    fields.genre = inputTags_.genre;
    fields.track = inputTags_.track;
    fields.outputFileName = Text(kOutputFileNameId);
    fields.inputFileName = Text(kInputFileNameId);
    return fields;
}

void MainWindow::StartEncodeClick() {
    job_.Run(Handle(), Fields(), Text(kOutputFilePathId));
}

}  // namespace wendle
