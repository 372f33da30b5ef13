// A system list (a list box, a drop-down list) whose items its object draws
// itself, all of one height: the parent's WM_MEASUREITEM and WM_DRAWITEM for
// it, and its WM_COMMAND notifications, come back to the object.
#pragma once

#include <windows.h>

#include "win/window.h"

namespace wendle {

class OwnerDrawnList : public Window {
  public:
    bool OnReflected(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        switch (message) {
            case WM_MEASUREITEM:
                reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight =
                    static_cast<UINT>(itemHeight_);
                *result = TRUE;
                return true;
            case WM_DRAWITEM:
                DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                *result = TRUE;
                return true;
            case WM_COMMAND:
                *result = 0;
                return OnNotification(HIWORD(wParam));
        }
        return false;
    }

  protected:
    virtual void DrawItem(const DRAWITEMSTRUCT& item) const = 0;
    // A notification code the list sent its parent; true when handled.
    virtual bool OnNotification(int code) = 0;

    int itemHeight_ = 0;
};

}  // namespace wendle
