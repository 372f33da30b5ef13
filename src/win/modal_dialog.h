// The modal loop shared by the program's own dialogs: an empty dialog whose
// procedure makes its controls in pixels in WM_INITDIALOG.
#pragma once

#include <windows.h>

#include <exception>

namespace wendle {

// Shows the dialog over the program's windows, which take no input until it
// closes, and returns 1 (OK) or 2 (Cancel). A failure that the procedure kept
// in `failure` is raised here; a dialog that could not be shown raises too.
int RunModalDialog(DLGPROC procedure, LPARAM request, const std::exception_ptr& failure);

// WM_INITDIALOG of such a dialog: keeps the request (which has a `failure`
// member) with the dialog and builds it; a failure ends the dialog and is kept
// for RunModalDialog to raise, so that none leaves the dialog procedure.
template <class Request>
Request* InitModalDialog(HWND dialog, LPARAM lParam, void (*build)(HWND, Request&)) {
    auto* request = reinterpret_cast<Request*>(lParam);
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    try {
        build(dialog, *request);
    } catch (...) {
        request->failure = std::current_exception();
        EndDialog(dialog, -1);
    }
    return request;
}

// A font made for one showing of a dialog and deleted after it.
class DialogFont {
  public:
    explicit DialogFont(const LOGFONTA& font) : handle_(CreateFontIndirectA(&font)) {}
    ~DialogFont() { DeleteObject(handle_); }
    DialogFont(const DialogFont&) = delete;
    DialogFont& operator=(const DialogFont&) = delete;
    HFONT Handle() const { return handle_; }

  private:
    HFONT handle_;
};

// The dialog measures: the width of "A".."Z" "a".."z" in one line / 52, and its height.
void MeasureLetters(HDC dc, int* charWidth, int* lineHeight);

// One control of such a dialog, at its place in pixels and in the dialog's font.
HWND AddDialogControl(HWND dialog, int id, DWORD exStyle, const char* windowClass, const char* text,
                      DWORD style, int left, int top, int width, int height, HFONT font);

}  // namespace wendle
