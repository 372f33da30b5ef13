// How a window finds the object of the program that serves it, by the role
// the object plays there. A window's own object (a form, an attached control,
// a dialog) is one role; an object that takes over a window served by another
// (the animator) has a role of its own, so that the two never meet. Unbind
// before the window goes.
#pragma once

#include <windows.h>

namespace wendle {

constexpr char kOwnObject[] = "WendleObject";

// A window's own object lives in its user data, which every window keeps for
// the program that made it and which is read without a trip to the system:
// a list box of ten thousand items sends its owner as many messages when it
// is emptied. Other roles are properties.
inline bool IsOwnRole(const char* role) {
    return lstrcmpA(role, kOwnObject) == 0;
}

inline void BindObject(HWND window, const char* role, void* object) {
    if (IsOwnRole(role)) {
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    } else {
        SetPropA(window, role, object);
    }
}

inline void UnbindObject(HWND window, const char* role) {
    if (IsOwnRole(role)) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    } else {
        RemovePropA(window, role);
    }
}

// Null for a window bound to nothing in that role.
template <class Object>
Object* BoundObject(HWND window, const char* role) {
    if (!window) return nullptr;
    if (IsOwnRole(role)) {
        return reinterpret_cast<Object*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    return static_cast<Object*>(GetPropA(window, role));
}

}  // namespace wendle
