#include "win/dpi.h"

#include "win/system_library.h"

namespace wendle {

namespace {

// Looked up once each: older systems lack them and must still start.
using GetDpiForSystemFunction = UINT(WINAPI*)();
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using MetricForDpiFunction = int(WINAPI*)(int, UINT);
using LoadIconScaledFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

template <class Function>
Function User32(const char* name) {
    return SystemFunction<Function>("user32.dll", name);
}

}  // namespace

int SystemDpi() {
    static const auto getDpiForSystem = User32<GetDpiForSystemFunction>("GetDpiForSystem");
    if (getDpiForSystem) return static_cast<int>(getDpiForSystem());
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = User32<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi) return static_cast<int>(dpi);
    } else {
        // Windows 8.1 and 10 before 1607 tell a monitor's DPI only here.
        static const auto getDpiForMonitor =
            SystemFunction<GetDpiForMonitorFunction>("shcore.dll", "GetDpiForMonitor");
        UINT x = 0, y = 0;
        if (getDpiForMonitor &&
            SUCCEEDED(
                getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) &&
            y) {
            return static_cast<int>(y);
        }
    }
    return SystemDpi();
}

RECT OuterRect(const RECT& client, DWORD style, bool menu, DWORD exStyle, int dpi) {
    static const auto adjustForDpi = User32<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    RECT outer = client;
    if (adjustForDpi) {
        adjustForDpi(&outer, style, menu, exStyle, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&outer, style, menu, exStyle);
    }
    return outer;
}

int SystemMetric(int index, int dpi) {
    static const auto metricForDpi = User32<MetricForDpiFunction>("GetSystemMetricsForDpi");
    return metricForDpi ? metricForDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

PixelRect WorkAreaOf(const RECT& window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const RECT& work = monitor.rcWork;
    return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

StandardIcon::StandardIcon(LPCSTR name, int size) {
    if (size == GetSystemMetrics(SM_CXICON)) {
        handle_ = LoadIconA(nullptr, name);
        return;
    }
    // Vista's comctl32 draws it from the image of the nearest larger size,
    // scaled down; loaded only when a dialog needs it.
    static const auto loadScaled =
        SystemFunction<LoadIconScaledFunction>("comctl32.dll", "LoadIconWithScaleDown");
    owned_ = true;
    if (loadScaled &&
        SUCCEEDED(loadScaled(nullptr, reinterpret_cast<PCWSTR>(name), size, size, &handle_))) {
        return;
    }
    handle_ = static_cast<HICON>(LoadImageA(nullptr, name, IMAGE_ICON, size, size, 0));
}

StandardIcon& StandardIcon::operator=(StandardIcon&& other) noexcept {
    Free();
    handle_ = other.handle_;
    owned_ = other.owned_;
    other.handle_ = nullptr;
    return *this;
}

void StandardIcon::Free() {
    if (handle_ && owned_) DestroyIcon(handle_);
    handle_ = nullptr;
}

}  // namespace wendle
