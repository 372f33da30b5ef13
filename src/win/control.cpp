#include "win/control.h"

#include "win/fallback_box.h"

namespace wendle {

namespace {

const char kControlProperty[] = "WendleControl";

Control* ControlOf(HWND window) {
    return window ? static_cast<Control*>(GetPropA(window, kControlProperty)) : nullptr;
}

}  // namespace

Control::~Control() {
    if (handle_) {
        // Put the original procedure back before this object goes away.
        SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        RemovePropA(handle_, kControlProperty);
        DestroyWindow(handle_);
    }
}

bool Control::OnReflected(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
}

void Control::Attach(HWND window) {
    handle_ = window;
    SetPropA(window, kControlProperty, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::Procedure)));
}

LRESULT Control::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallOriginal(message, wParam, lParam);
}

LRESULT Control::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(original_, handle_, message, wParam, lParam);
}

LRESULT CALLBACK Control::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Control* self = ControlOf(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        WNDPROC original = self->original_;
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        RemovePropA(window, kControlProperty);
        self->handle_ = nullptr;
        return CallWindowProcA(original, window, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ShowCaughtFailure();
        return self->CallOriginal(message, wParam, lParam);
    }
}

bool ReflectToControl(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    HWND child = nullptr;
    switch (message) {
        case WM_COMMAND:
            child = reinterpret_cast<HWND>(lParam);
            break;
        case WM_DRAWITEM:
            child = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
            break;
        case WM_MEASUREITEM:
            child = GetDlgItem(parent, static_cast<int>(wParam));
            break;
        default:
            return false;
    }
    Control* control = ControlOf(child);
    return control && control->OnReflected(message, wParam, lParam, result);
}

}  // namespace wendle
