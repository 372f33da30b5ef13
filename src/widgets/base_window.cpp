#include "widgets/base_window.h"

#include "app/application.h"
#include "widgets/control.h"
#include "widgets/fallback_box.h"

namespace wendle {

Window::~Window() {
    if (handle_) {
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

HWND Window::CreateBound(const ClassInfo& cls, DWORD exStyle, const char* caption, DWORD style,
                         const RECT& outer, HWND owner, HMENU menu) {
    HINSTANCE module = App().Module();
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(module, cls.name, &existing)) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = cls.style;
        wc.lpfnWndProc = &Window::Procedure;
        wc.hInstance = module;
        wc.hIcon = LoadIconA(module, "MAINICON");
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = GetSysColorBrush(cls.backgroundColour);
        wc.lpszClassName = cls.name;
        RegisterClassExA(&wc);
    }
    return CreateWindowExA(exStyle, cls.name, caption, style, outer.left, outer.top,
                           outer.right - outer.left, outer.bottom - outer.top, owner, menu, module,
                           this);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
    }
    try {
        LRESULT reflected = 0;
        if (ReflectToControl(window, message, wParam, lParam, &reflected)) return reflected;
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        ShowCaughtFailure();
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace wendle
