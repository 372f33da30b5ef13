#include "win/window.h"

#include "win/application.h"
#include "win/binding.h"
#include "win/fallback_box.h"

namespace wendle {

namespace {

bool ReflectToChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
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
    Window* object = BoundObject<Window>(child, kOwnObject);
    return object && object->OnReflected(message, wParam, lParam, result);
}

}  // namespace

Window::~Window() {
    DestroyUnbound();
    for (WindowedPart* part : parts_) part->ParentReleased();
}

void Window::Unbind() {
    // An attached window gets its own procedure back before this object goes.
    if (original_) SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    UnbindObject(handle_, kOwnObject);
}

void Window::DestroyUnbound() {
    if (!handle_) return;
    Unbind();
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

bool Window::OnReflected(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
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

void Window::Attach(HWND window) {
    handle_ = window;
    BindObject(window, kOwnObject, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::Procedure)));
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The main form is never minimized by itself: the application is, and
    // takes every form with it.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE && handle_ &&
        handle_ == App().MainForm()) {
        App().Minimize();
        return 0;
    }
    return CallOriginal(message, wParam, lParam);
}

LRESULT Window::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
    if (original_) return CallWindowProcA(original_, handle_, message, wParam, lParam);
    return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = BoundObject<Window>(window, kOwnObject);
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->handle_ = window;
        BindObject(window, kOwnObject, self);
    }
    if (message == WM_NCDESTROY) App().FormDestroyed(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    try {
        // Only a form's own window reflects: a system control's children
        // talk to the control itself.
        if (self->original_ || !ReflectToChild(window, message, wParam, lParam, &result)) {
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
        result = self->CallOriginal(message, wParam, lParam);
    }
    // The last message: unbound only now, so that the clean-up of the
    // procedure passed on to got the window's handle.
    if (message == WM_NCDESTROY) {
        self->Unbind();
        self->handle_ = nullptr;
    }
    return result;
}

}  // namespace wendle
