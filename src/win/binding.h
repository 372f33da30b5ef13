// How a window finds the object of the program that serves it. A window's own
// object (a form, an attached control, a dialog) lives in its user data as a
// Binding that says which kind of object it is; an object that takes over a
// window served by another (the animator) finds itself by a role of its own,
// a property, so that the two never meet. Unbind before the window goes.
#pragma once

#include <windows.h>

namespace wendle {

enum class BoundKind {
    Form,     // a window of the program's own class
    Control,  // a system control taken over by the program
    Dialog,   // a modal dialog's
};

struct Binding {
    BoundKind kind;
    void* object;
};

// User data, which every window keeps for the program that made it and which
// is read without a trip to the system: a list box of ten thousand items sends
// its owner as many messages when it is emptied.
inline void BindWindow(HWND window, const Binding* binding) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(binding));
}

inline void UnbindWindow(HWND window) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

// Only for a window whose user data is the program's (its procedure is one of
// the program's): null when it is bound to nothing or to another kind.
template <class Object>
Object* BoundObject(HWND window, BoundKind kind) {
    if (!window) return nullptr;
    const auto* binding =
        reinterpret_cast<const Binding*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!binding || binding->kind != kind) return nullptr;
    return static_cast<Object*>(binding->object);
}

inline void BindRole(HWND window, const char* role, void* object) {
    SetPropA(window, role, object);
}

inline void UnbindRole(HWND window, const char* role) {
    RemovePropA(window, role);
}

// Null for a window bound to nothing in that role.
template <class Object>
Object* RoleObject(HWND window, const char* role) {
    return window ? static_cast<Object*>(GetPropA(window, role)) : nullptr;
}

}  // namespace wendle
