// A child control with a behaviour of its own (an owner-drawn list, a drive
// chooser): its parent reflects WM_COMMAND, WM_DRAWITEM and WM_MEASUREITEM back
// to it, and it subclasses its window for the messages it handles itself.
#pragma once

#include <windows.h>

namespace wendle {

class Control {
  public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    HWND Handle() const { return handle_; }

    // Called by the parent; true when the control handled the message.
    virtual bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  protected:
    // Binds the created window to this object and takes over its procedure.
    void Attach(HWND window);
    // The control's own messages; the default passes them to the original procedure.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    WNDPROC original_ = nullptr;
};

// For parents: hands WM_COMMAND, WM_DRAWITEM and WM_MEASUREITEM from a child to
// its Control object; true when the control handled it.
bool ReflectToControl(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

}  // namespace wendle
