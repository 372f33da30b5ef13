// How a window finds the object of the program that serves it: a window
// property named for the role the object plays there. A window's own object
// (a form, an attached control, a dialog) is one role; an object that takes
// over a window served by another (the animator) has a role of its own, so
// that the two never meet. Unbind before the window goes.
#pragma once

#include <windows.h>

namespace wendle {

constexpr char kOwnObject[] = "WendleObject";

inline void BindObject(HWND window, const char* role, void* object) {
    SetPropA(window, role, object);
}

inline void UnbindObject(HWND window, const char* role) {
    RemovePropA(window, role);
}

// Null for a window bound to nothing in that role.
template <class Object>
Object* BoundObject(HWND window, const char* role) {
    return window ? static_cast<Object*>(GetPropA(window, role)) : nullptr;
}

}  // namespace wendle
