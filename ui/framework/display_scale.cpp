#include "ui/framework/display_scale.h"

#include <algorithm>

namespace rotaplex {

namespace {

// Looked up at run time: older systems have neither call.
template <typename Function>
Function User32(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleA("user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiCall = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

RECT InsideWorkArea(const RECT& wanted) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) return wanted;
    return MovedInside(wanted, monitor.rcWork);
}

}  // namespace

unsigned ScreenDpi() {
    WindowDc screen(nullptr);
    return static_cast<unsigned>(GetDeviceCaps(screen.get(), LOGPIXELSY));
}

unsigned WindowDpi(HWND window) {
    static const auto forWindow = User32<GetDpiForWindowCall>("GetDpiForWindow");
    const unsigned dpi = forWindow ? forWindow(window) : 0;
    return dpi ? dpi : ScreenDpi();
}

unique_hfont MessageFont(unsigned dpi) {
    static const auto forDpi = User32<SystemParametersInfoForDpiCall>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        return unique_hfont(CreateFontIndirectW(&metrics.lfMessageFont));
    // Without the call the system gives the font at the screen's scale.
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMessageFont.lfHeight =
        MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(ScreenDpi()));
    return unique_hfont(CreateFontIndirectW(&metrics.lfMessageFont));
}

RECT MovedInside(const RECT& wanted, const RECT& area) {
    const LONG width = wanted.right - wanted.left, height = wanted.bottom - wanted.top;
    const LONG left = std::max(area.left, std::min(wanted.left, area.right - width));
    const LONG top = std::max(area.top, std::min(wanted.top, area.bottom - height));
    return {left, top, left + width, top + height};
}

void PlaceInWorkArea(HWND window, int left, int top) {
    RECT size{};
    GetWindowRect(window, &size);
    const RECT placed = InsideWorkArea({left, top, left + size.right - size.left, top + size.bottom - size.top});
    SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace rotaplex
