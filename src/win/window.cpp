#include "win/window.h"

#include "win/application.h"
#include "win/dpi.h"
#include "win/fallback_box.h"

namespace wendle {

Window* Window::ReflectedTo(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND child = nullptr;
    switch (message) {
        case WM_COMMAND:
            child = reinterpret_cast<HWND>(lParam);
            break;
        case WM_DRAWITEM: {
            // A menu's item names the menu, not a window, and has no id.
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (wParam == 0 || item->CtlType == ODT_MENU) return nullptr;
            child = item->hwndItem;
            break;
        }
        case WM_MEASUREITEM:
            // Id 0 would find the first child without one (the animator's hook).
            if (wParam == 0 ||
                reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlType == ODT_MENU) {
                return nullptr;
            }
            child = GetDlgItem(parent, static_cast<int>(wParam));
            break;
        default:
            return nullptr;
    }
    // Any other child's user data is its own business: only a procedure of
    // ours says that the user data is a Binding.
    if (!child ||
        GetWindowLongPtrA(child, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Window::Procedure)) {
        return nullptr;
    }
    return BoundObject<Window>(child, BoundKind::Control);
}

Window::~Window() {
    DestroyUnbound();
    for (WindowedPart* part : parts_) part->ParentReleased();
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
}

void Window::Unbind() {
    // An attached window gets its own procedure back before this object goes.
    if (original_) SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    UnbindWindow(handle_);
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

HWND Window::CreateChild(DWORD exStyle, const char* windowClass, const char* text, DWORD style,
                         int id, const PixelRect& designed) {
    const PixelRect at = Scaled(designed);
    HWND child = CreateWindowExA(
        exStyle, windowClass, text, WS_CHILD | style, at.left, at.top, at.width, at.height, handle_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), App().Module(), nullptr);
    if (child) placed_.push_back({child, designed});
    return child;
}

void Window::KeepPlaced(HWND child, const PixelRect& designed) {
    placed_.push_back({child, designed});
}

void Window::FollowMonitorDpi() {
    const int dpi = WindowDpi(handle_);
    if (dpi == dpi_) return;
    // What the system suggests when the window is moved there: its size
    // scaled, its top-left corner kept.
    RECT r;
    GetWindowRect(handle_, &r);
    r.right = r.left + MulDiv(r.right - r.left, dpi, dpi_);
    r.bottom = r.top + MulDiv(r.bottom - r.top, dpi, dpi_);
    SendMessageA(handle_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
}

void Window::ChangeDpi(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (const Placed& placed : placed_) {
        const PixelRect at = Scaled(placed.designed);
        SetWindowPos(placed.child, nullptr, at.left, at.top, at.width, at.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetIcons();
    DpiChanged();
}

void Window::SetIcons() {
    HICON big = nullptr;
    HICON little = nullptr;
    // The class's icons are drawn for the system's DPI; others from the
    // icon's images of the sizes for this one.
    if (dpi_ != SystemDpi()) {
        HINSTANCE module = App().Module();
        big = static_cast<HICON>(LoadImageA(module, "MAINICON", IMAGE_ICON,
                                            SystemMetric(SM_CXICON, dpi_),
                                            SystemMetric(SM_CYICON, dpi_), 0));
        little = static_cast<HICON>(LoadImageA(module, "MAINICON", IMAGE_ICON,
                                               SystemMetric(SM_CXSMICON, dpi_),
                                               SystemMetric(SM_CYSMICON, dpi_), 0));
    }
    if (!big && !bigIcon_) return;
    // Null gives the class's back.
    SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(handle_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(little));
    if (bigIcon_) DestroyIcon(bigIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    bigIcon_ = big;
    smallIcon_ = little;
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
    creationFailure_ = nullptr;
    HWND window = CreateWindowExA(exStyle, cls.name, caption, style, outer.left, outer.top,
                                  outer.right - outer.left, outer.bottom - outer.top, owner, menu,
                                  module, this);
    if (!window && creationFailure_) {
        std::exception_ptr failure = creationFailure_;
        creationFailure_ = nullptr;
        std::rethrow_exception(failure);
    }
    return window;
}

void Window::Attach(HWND window) {
    handle_ = window;
    binding_.kind = BoundKind::Control;
    BindWindow(window, &binding_);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::Procedure)));
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Only a top-level window hears of a new DPI: never an attached control.
    if (message == WM_DPICHANGED && !original_) {
        ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    // The main form is never minimized by itself: the application is, and
    // takes every form with it. Windows' rule: the low four bits masked off.
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
    Window* self = BoundObject<Window>(window, BoundKind::Form);
    if (!self) self = BoundObject<Window>(window, BoundKind::Control);
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->handle_ = window;
        BindWindow(window, &self->binding_);
    }
    if (message == WM_NCDESTROY) App().FormDestroyed(window);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    try {
        // Only a form's own window reflects: a system control's children
        // talk to the control itself.
        Window* child = self->original_ ? nullptr : ReflectedTo(window, message, wParam, lParam);
        if (!child || !child->OnReflected(message, wParam, lParam, &result)) {
            result = self->HandleMessage(message, wParam, lParam);
            // The parts' windows need the form's: a part may be added meanwhile.
            if (message == WM_CREATE && result != -1) {
                for (std::size_t i = 0; i < self->parts_.size(); ++i) {
                    self->parts_[i]->ParentCreated(window);
                }
            }
        }
    } catch (...) {
        if (message == WM_CREATE) {
            // No half-made window: the creation fails, and CreateBound raises this.
            self->creationFailure_ = std::current_exception();
            result = -1;
        } else {
            ShowCaughtFailure();
            result = self->CallOriginal(message, wParam, lParam);
        }
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
