// Showing a modal dialog on the test thread while a helper thread finds it,
// reads it and closes it.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "win/application.h"
#include "win/system_rules.h"
#include "support/bench.h"
#include "support/windows.h"

namespace dialog_watch {

// The application window and rules as start-up makes them; once per process.
inline void SetUpApplication() {
    if (wendle::App().Handle()) return;
    wendle::SetUpPathRules();
    wendle::App().SetTitle("Wendle");
    wendle::App().Initialize(GetModuleHandleA(nullptr));
}

inline BOOL CALLBACK TakeShownDialog(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || bench::ClassName(window) != "#32770") return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

inline HWND FindDialog(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(thread, &TakeShownDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs `show` here; `inspect` gets the dialog it opens on another thread and
// must close it. Returns whether a dialog appeared at all.
inline bool WithDialog(const std::function<void()>& show,
                       const std::function<void(HWND)>& inspect) {
    const DWORD thread = GetCurrentThreadId();
    std::atomic<bool> returned{false};
    std::atomic<bool> seen{false};
    bench::HelperThread helper([&] {
        HWND dialog = nullptr;
        bench::WaitUntil(
            [&] {
                dialog = FindDialog(thread);
                return dialog || returned;
            },
            60000);
        if (!dialog) return;
        seen = true;
        inspect(dialog);
        // Never leave the test thread blocked when the inspection did not close it.
        if (!bench::WaitUntil([&] { return !IsWindow(dialog); }, 5000)) {
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
    });
    show();
    returned = true;
    helper.Join();
    return seen;
}

// A visible static with SS_ICON: the icon the dialog shows.
inline HICON ShownIcon(HWND dialog) {
    for (HWND child : bench::Children(dialog, "Static")) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            return reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        }
    }
    return nullptr;
}

}  // namespace dialog_watch
