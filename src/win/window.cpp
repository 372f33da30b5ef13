#include "win/window.h"

#include "win/application.h"
#include "win/control.h"
#include "win/fallback_box.h"

namespace wendle {

Window::~Window() {
    DestroyUnbound();
    for (WindowedPart* part : parts_) part->ParentReleased();
}

void Window::DestroyUnbound() {
    if (!handle_) return;
    SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
    handle_ = nullptr;
}

void Window::AddPart(WindowedPart* part) {
    parts_.push_back(part);
}

void Window::RemovePart(WindowedPart* part) {
    for (auto i = parts_.begin(); i != parts_.end(); ++i) {
        if (*i == part) {
            parts_.erase(i);
            return;
        }
    }
}

HWND Window::CreateBound(const ClassInfo& cls, DWORD exStyle, const char* caption, DWORD style,
                         const RECT& outer, HWND owner, HMENU menu) {
    HINSTANCE module = App().Module();
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = cls.style;
    wc.lpfnWndProc = &Window::Procedure;
    wc.hInstance = module;
    wc.hIcon = LoadIconA(module, "MAINICON");
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = GetSysColorBrush(cls.backgroundColour);
    wc.lpszClassName = cls.name;
    if (!RegisterWindowClass(wc)) return nullptr;
    return CreateWindowExA(exStyle, cls.name, caption, style, outer.left, outer.top,
                           outer.right - outer.left, outer.bottom - outer.top, owner, menu, module,
                           this);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The main form is never minimized by itself: the application is, and
    // takes every form with it.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE && handle_ &&
        handle_ == App().MainForm()) {
        App().Minimize();
        return 0;
    }
    return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (message == WM_NCDESTROY) App().FormDestroyed(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    try {
        if (!ReflectToControl(window, message, wParam, lParam, &result)) {
            result = self->HandleMessage(message, wParam, lParam);
            // The parts' windows need the form's: a part may be added meanwhile.
            if (message == WM_CREATE && result != -1) {
                for (std::size_t i = 0; i < self->parts_.size(); ++i) {
                    self->parts_[i]->ParentCreated(window);
                }
            }
        }
    } catch (...) {
        ShowCaughtFailure();
        result = DefWindowProcA(window, message, wParam, lParam);
    }
    // The last message: unbound only now, so that the default procedure's
    // clean-up got the window's handle.
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
    }
    return result;
}

}  // namespace wendle
