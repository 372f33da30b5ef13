// The start-up benchmark's floor: wendle.exe's windows as its start-up makes
// them, with nothing behind them. The application window, the main window
// with its menu, font and every control of its table (the bit rates listed,
// the default one chosen), the animator's child of no size and the hidden
// About window; the drive chooser and the folder list stay empty. No drive
// or folder is read, no picture loaded, no window procedure taken over and
// no encoder looked for.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "core/bitrates.h"
#include "core/version.h"
#include "dialogs/about_window.h"
#include "main/main_ids.h"
#include "main/main_layout.h"
#include "main/main_menu.h"
#include "win/application.h"
#include "win/fonts.h"
#include "win/window.h"

namespace {

using namespace wendle;

const DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Each kind's window class and style, as the main window makes them.
struct Made {
    const char* windowClass;
    DWORD style;
    DWORD exStyle;
};

Made MadeAs(const ControlSpec& c) {
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (c.properties & kDisabled) style |= WS_DISABLED;
    if (c.tabOrder >= 0) style |= WS_TABSTOP;
    switch (c.kind) {
        case ControlKind::Label:
            return {"STATIC",
                    style | SS_NOPREFIX |
                        ((c.properties & kAlignBottom)  ? SS_OWNERDRAW
                         : (c.properties & kAlignRight) ? SS_RIGHT | SS_CENTERIMAGE
                                                        : SS_LEFT | SS_CENTERIMAGE),
                    0};
        case ControlKind::Frame:
            return {"STATIC", style | SS_OWNERDRAW, WS_EX_TRANSPARENT};
        case ControlKind::Edit:
            return {"EDIT", style | ES_AUTOHSCROLL | ((c.properties & kReadOnly) ? ES_READONLY : 0),
                    WS_EX_CLIENTEDGE};
        case ControlKind::Button:
            return {"BUTTON", style | BS_PUSHBUTTON, 0};
        case ControlKind::DropDownList:
            return {"COMBOBOX", style | CBS_DROPDOWNLIST | WS_VSCROLL, 0};
        case ControlKind::DriveChooser:
            return {"COMBOBOX",
                    style | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0};
        case ControlKind::FolderList:
            return {"LISTBOX",
                    style | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                        LBS_NOINTEGRALHEIGHT,
                    WS_EX_CLIENTEDGE};
    }
    return {"STATIC", style, 0};
}

class FloorWindow : public Window {
  public:
    bool Create() {
        RECT outer = {0, 0, kMainClientWidth, kMainClientHeight};
        AdjustWindowRectEx(&outer, kFormStyle, TRUE, 0);
        OffsetRect(&outer, kMainLeft - outer.left, kMainTop - outer.top);
        if (!CreateBound({kMainWindowClass, 0, COLOR_BTNFACE}, WS_EX_ACCEPTFILES, "Wendle",
                         kFormStyle, outer, App().Handle(), CreateMainMenu())) {
            return false;
        }
        App().RegisterForm(Handle());
        font_ = Font(PGothicFont(12));
        SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
        cellHeight_ = ScreenMeasure(font_.Handle()).CellHeight();
        std::vector<const ControlSpec*> order;
        for (std::size_t i = 0; i < kMainControlCount; ++i) order.push_back(&kMainControls[i]);
        std::stable_sort(
            order.begin(), order.end(), [](const ControlSpec* a, const ControlSpec* b) {
                return (a->tabOrder >= 0 && b->tabOrder < 0) ||
                       (a->tabOrder >= 0 && b->tabOrder >= 0 && a->tabOrder < b->tabOrder);
            });
        for (const ControlSpec* c : order) {
            const Made made = MadeAs(*c);
            const int height =
                c->kind == ControlKind::DropDownList ? c->at.height + 160 : c->at.height;
            HWND control = CreateWindowExA(made.exStyle, made.windowClass, c->caption, made.style,
                                           c->at.left, c->at.top, c->at.width, height, Handle(),
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(c->id)),
                                           App().Module(), nullptr);
            if (!control) return false;
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
        }
        // The animator's child: seen nowhere.
        CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, Handle(), nullptr,
                        App().Module(), nullptr);
        HWND bitrate = GetDlgItem(Handle(), kBitrateListId);
        for (std::size_t i = 0; i < kBitrateCount; ++i) {
            SendMessageA(bitrate, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kBitrates[i].label));
        }
        SetWindowTextA(Handle(), kVersionName);
        SendMessageA(bitrate, CB_SETCURSEL, static_cast<WPARAM>(DefaultBitrateIndex()), 0);
        ShowWindow(Handle(), SW_SHOWNORMAL);
        UpdateWindow(Handle());
        return true;
    }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_GETFONT:
                return reinterpret_cast<LRESULT>(font_.Handle());
            case WM_MEASUREITEM: {
                auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
                item.itemHeight =
                    static_cast<UINT>(item.CtlID == kFolderListId ? 16 : std::max(cellHeight_, 11));
                return TRUE;
            }
            case WM_DESTROY:
                PostQuitMessage(0);
                return 0;
        }
        return Window::HandleMessage(message, wParam, lParam);
    }

  private:
    Font font_;
    int cellHeight_ = 0;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    App().SetTitle("Wendle");
    if (!App().Initialize(instance)) return 1;
    FloorWindow floor;
    AboutWindow about;
    if (!floor.Create() || !about.Create()) return 1;
    return App().Run();
}
