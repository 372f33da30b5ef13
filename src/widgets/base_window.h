// The thin window every form and control class of the program derives from:
// the HWND is bound to its object once, in WM_NCCREATE, and messages go to
// HandleMessage. No failure leaves the window procedure.
#pragma once

#include <windows.h>

namespace wendle {

class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return handle_; }

  protected:
    struct ClassInfo {
        const char* name;
        UINT style;
        int backgroundColour;  // a COLOR_ index
    };

    // Registers the class on first use and creates the window bound to this.
    HWND CreateBound(const ClassInfo& cls, DWORD exStyle, const char* caption, DWORD style,
                     const RECT& outer, HWND owner, HMENU menu);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
};

}  // namespace wendle
