// Windows the program places itself stay where they can be seen.
#pragma once

#include <windows.h>

namespace wendle {

// The rectangle moved, its size kept, into the work area (the screen less
// the taskbar) of the monitor nearest its top-left corner.
inline RECT InWorkArea(RECT outer) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromPoint({outer.left, outer.top}, MONITOR_DEFAULTTONEAREST),
                         &monitor)) {
        return outer;
    }
    const RECT& work = monitor.rcWork;
    int dx = 0, dy = 0;
    if (outer.right > work.right) dx = work.right - outer.right;
    if (outer.bottom > work.bottom) dy = work.bottom - outer.bottom;
    if (outer.left + dx < work.left) dx = work.left - outer.left;
    if (outer.top + dy < work.top) dy = work.top - outer.top;
    OffsetRect(&outer, dx, dy);
    return outer;
}

}  // namespace wendle
