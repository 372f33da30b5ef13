// Pixels per inch as the system gives them to a program that declares itself
// aware of each monitor's scale (the manifest does): where a window is made,
// what it is shown at, and the system's measures at a DPI. Where a function
// is missing (before Windows 10 1607) the older one serves, at the system's DPI.
#pragma once

#include <windows.h>

#include <utility>

#include "core/dpi_scaling.h"

namespace wendle {

// The DPI of the primary monitor as it was when the user signed in: what a
// window about to be made is laid out for.
int SystemDpi();
// The DPI a window is shown at: its monitor's where the system scales each
// monitor on its own (Windows 8.1 and later), else the system's.
int WindowDpi(HWND window);

// The outer rectangle around a client rectangle at a DPI.
RECT OuterRect(const RECT& client, DWORD style, bool menu, DWORD exStyle, int dpi);
int SystemMetric(int index, int dpi);
// The work area of the monitor that holds most of the rectangle.
PixelRect WorkAreaOf(const RECT& window);

// One of the system's standard icons (IDI_HAND, ...) drawn at a size, not
// stretched: the system's shared one at its own size, else a copy of its own.
class StandardIcon {
  public:
    StandardIcon() = default;
    StandardIcon(LPCSTR name, int size);
    ~StandardIcon() { Free(); }
    StandardIcon(const StandardIcon&) = delete;
    StandardIcon& operator=(const StandardIcon&) = delete;
    StandardIcon(StandardIcon&& other) noexcept { *this = std::move(other); }
    StandardIcon& operator=(StandardIcon&& other) noexcept;

    // Null when it could not be loaded.
    HICON Handle() const { return handle_; }

  private:
    void Free();

    HICON handle_ = nullptr;
    bool owned_ = false;
};

}  // namespace wendle
