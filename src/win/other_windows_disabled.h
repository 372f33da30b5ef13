// Keeps the program's other windows from taking input while a modal dialog
// is open: the system's modal loops disable only the dialog's owner.
#pragma once

#include <windows.h>

#include <vector>

namespace wendle {

class OtherWindowsDisabled {
  public:
    explicit OtherWindowsDisabled(HWND owner) : owner_(owner) {
        EnumThreadWindows(GetCurrentThreadId(), &Disable, reinterpret_cast<LPARAM>(this));
    }
    ~OtherWindowsDisabled() {
        for (HWND window : disabled_) EnableWindow(window, TRUE);
    }
    OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
    OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;

  private:
    static BOOL CALLBACK Disable(HWND window, LPARAM context) {
        auto* self = reinterpret_cast<OtherWindowsDisabled*>(context);
        if (window == self->owner_ || !IsWindowVisible(window) || !IsWindowEnabled(window)) {
            return TRUE;
        }
        try {
            self->disabled_.push_back(window);
        } catch (...) {
            return FALSE;
        }
        EnableWindow(window, FALSE);
        return TRUE;
    }

    HWND owner_;
    std::vector<HWND> disabled_;
};

}  // namespace wendle
