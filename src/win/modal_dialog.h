// The program's own modal dialogs: an empty system dialog whose controls are
// made in pixels when it starts, laid out at its DPI and again when the DPI
// changes. The close box answers Cancel.
#pragma once

#include <windows.h>

#include <exception>

#include "core/dialog_metrics.h"
#include "win/binding.h"

namespace wendle {

class ModalDialog {
  public:
    // Shows the dialog over the program's windows, which take no input until
    // it closes, and returns the button's result: 1 (OK) or 2 (Cancel), 6 or
    // 7 (Yes, No). A failure in Build, OnCommand or OnMessage is raised here;
    // a dialog that could not be shown raises too.
    int Run();

  protected:
    ~ModalDialog() = default;

    // Makes the controls, lays them out (LayOut at the dialog's DPI) and sets
    // the focus.
    virtual void Build(HWND dialog) = 0;
    // Makes the font for the DPI, places the controls in it and sizes and
    // places the dialog. On a change of DPI the dialog then keeps the
    // top-left corner the system suggests; texts and focus stay.
    virtual void LayOut(HWND dialog, int dpi) = 0;
    // A WM_COMMAND from a control; true when handled.
    virtual bool OnCommand(HWND dialog, int id, int code, HWND control) = 0;
    // Any other message (an owner-drawn control's); true, with the dialog
    // procedure's result, when handled.
    virtual bool OnMessage(HWND, UINT, WPARAM, LPARAM, INT_PTR*) { return false; }

  private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    Binding binding_{BoundKind::Dialog, nullptr};
    std::exception_ptr failure_;
};

// Outer size minus client size of a dialog.
PixelSize FrameSize(HWND dialog);
// Moves the dialog's outer top-left corner to (left, top), sizes it around
// its client area and makes OK (IDOK) the default button.
void PlaceDialog(HWND dialog, int left, int top, PixelSize client, PixelSize frame);

// One control of such a dialog, at its place in pixels and in the dialog's font.
HWND AddDialogControl(HWND dialog, int id, DWORD exStyle, const char* windowClass, const char* text,
                      DWORD style, const PixelRect& at, HFONT font);
// Moves a control to its place and gives it the font.
void MoveDialogControl(HWND dialog, int id, const PixelRect& at, HFONT font);

}  // namespace wendle
