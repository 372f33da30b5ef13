#include "win/modal_dialog.h"
#include "core/failure.h"

#include "win/application.h"
#include "win/other_windows_disabled.h"
#include "win/system_library.h"

namespace wendle {

namespace {

// An empty template: the controls are made in WM_INITDIALOG in pixels. The
// size is only there so that the frame can be measured before the layout.
struct alignas(4) EmptyDialogTemplate {
    DLGTEMPLATE dialog;
    WORD menu;
    WORD windowClass;
    WORD title;
};

[[noreturn]] void ThrowSystemError() {
    throw Failure{"ｳｨﾝﾄﾞｳを作成できません (" + std::to_string(GetLastError()) + ")"};
}

// Windows 10 1703 and later scale a dialog's template and children
// themselves; here the controls are made in pixels and laid out anew.
void KeepDialogManagerFromScaling(HWND dialog) {
    using Behavior = BOOL(WINAPI*)(HWND, int, int);
    static const auto setBehavior =
        SystemFunction<Behavior>("user32.dll", "SetDialogDpiChangeBehavior");
    const int disableAll = 1;  // DDC_DISABLE_ALL
    if (setBehavior) setBehavior(dialog, disableAll, disableAll);
}

}  // namespace

int ModalDialog::Run() {
    EmptyDialogTemplate dialogTemplate{};
    dialogTemplate.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    dialogTemplate.dialog.cx = 100;
    dialogTemplate.dialog.cy = 50;

    HWND owner = App().MainForm() ? App().MainForm() : App().Handle();
    INT_PTR result;
    {
        OtherWindowsDisabled others(owner);
        result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &dialogTemplate.dialog, owner,
                                         &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
    }
    if (failure_) std::rethrow_exception(failure_);
    // -1 and 0: the dialog could not be made, or its owner was gone.
    if (result <= 0) ThrowSystemError();
    return static_cast<int>(result);
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = BoundObject<ModalDialog>(dialog, BoundKind::Dialog);
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<ModalDialog*>(lParam);
        self->binding_ = {BoundKind::Dialog, self};
        BindWindow(dialog, &self->binding_);
    }
    if (!self) return FALSE;
    // A failure ends the dialog and is kept for Run to raise, so that none
    // leaves the dialog procedure.
    try {
        switch (message) {
            case WM_INITDIALOG:
                KeepDialogManagerFromScaling(dialog);
                self->Build(dialog);
                return FALSE;  // Build has set the focus
            case WM_DPICHANGED: {
                const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
                self->LayOut(dialog, HIWORD(wParam));
                SetWindowPos(dialog, nullptr, suggested.left, suggested.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
                return TRUE;
            }
            case WM_COMMAND:
                return self->OnCommand(dialog, LOWORD(wParam), HIWORD(wParam),
                                       reinterpret_cast<HWND>(lParam));
            case WM_CLOSE:
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            case WM_NCDESTROY:
                UnbindWindow(dialog);
                return FALSE;
        }
        INT_PTR result = FALSE;
        if (self->OnMessage(dialog, message, wParam, lParam, &result)) return result;
    } catch (...) {
        self->failure_ = std::current_exception();
        EndDialog(dialog, -1);
    }
    return FALSE;
}

PixelSize FrameSize(HWND dialog) {
    RECT outer;
    RECT client;
    GetWindowRect(dialog, &outer);
    GetClientRect(dialog, &client);
    return {(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
}

void PlaceDialog(HWND dialog, int left, int top, PixelSize client, PixelSize frame) {
    SetWindowPos(dialog, nullptr, left, top, client.width + frame.width,
                 client.height + frame.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(dialog, DM_SETDEFID, IDOK, 0);
}

HWND AddDialogControl(HWND dialog, int id, DWORD exStyle, const char* windowClass, const char* text,
                      DWORD style, const PixelRect& at, HFONT font) {
    HWND control = CreateWindowExA(
        exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, at.left, at.top, at.width,
        at.height, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
    if (!control) ThrowSystemError();
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void MoveDialogControl(HWND dialog, int id, const PixelRect& at, HFONT font) {
    HWND control = GetDlgItem(dialog, id);
    SetWindowPos(control, nullptr, at.left, at.top, at.width, at.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace wendle
