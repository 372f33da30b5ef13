#include "win/modal_dialog.h"

#include <system_error>

#include "win/application.h"
#include "win/other_windows_disabled.h"

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

}  // namespace

int RunModalDialog(DLGPROC procedure, LPARAM request, const std::exception_ptr& failure) {
    EmptyDialogTemplate dialogTemplate{};
    dialogTemplate.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    dialogTemplate.dialog.cx = 100;
    dialogTemplate.dialog.cy = 50;

    HWND owner = App().MainForm() ? App().MainForm() : App().Handle();
    INT_PTR result;
    {
        OtherWindowsDisabled others(owner);
        result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &dialogTemplate.dialog, owner,
                                         procedure, request);
    }
    if (failure) std::rethrow_exception(failure);
    if (result != IDOK && result != IDCANCEL) {
        throw std::system_error(static_cast<int>(GetLastError()), std::system_category());
    }
    return static_cast<int>(result);
}

void MeasureLetters(HDC dc, int* charWidth, int* lineHeight) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE letters{};
    GetTextExtentPointA(dc, kLetters, 52, &letters);
    *charWidth = letters.cx / 52;
    *lineHeight = letters.cy;
}

HWND AddDialogControl(HWND dialog, int id, DWORD exStyle, const char* windowClass, const char* text,
                      DWORD style, int left, int top, int width, int height, HFONT font) {
    HWND control = CreateWindowExA(
        exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, left, top, width, height, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
    if (!control) throw std::system_error(static_cast<int>(GetLastError()), std::system_category());
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

}  // namespace wendle
