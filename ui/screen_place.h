#pragma once

#include <windows.h>

#include "cycle/window_place.h"

namespace rotaplex {

// Windows' rectangles as the core's place rules take them, and back.

inline ScreenRect WindowRectOf(HWND window) {
    RECT at{};
    GetWindowRect(window, &at);
    return {at.left, at.top, at.right, at.bottom};
}

// The work area of the monitor that shows most of place, else of the nearest one.
inline ScreenRect WorkAreaNear(const ScreenRect& place) {
    const RECT at{place.Left, place.Top, place.Right, place.Bottom};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&at, MONITOR_DEFAULTTONEAREST), &monitor)) return place;
    return {monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom};
}

inline void MoveWindowTo(HWND window, const ScreenRect& place) {
    SetWindowPos(window, nullptr, place.Left, place.Top, place.Width(), place.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace rotaplex
