#include "ui/framework/child_controls.h"

namespace rotaplex {

RECT PixelRect(const TwipsRect& place, TwipsPerPixel tpp) {
    const int left = PixelsX(place.Left, tpp), top = PixelsY(place.Top, tpp);
    return {left, top, left + PixelsX(place.Width, tpp), top + PixelsY(place.Height, tpp)};
}

void CreateControls(HWND parent, std::span<const ControlSpec> controls) {
    for (const ControlSpec& c : controls)
        CreateWindowExA(c.ExStyle, c.ClassName, c.Text, WS_CHILD | WS_VISIBLE | c.Style, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.Id)), GetModuleHandleA(nullptr), nullptr);
}

void LayOutControls(HWND parent, std::span<const ControlSpec> controls, TwipsPerPixel tpp, HFONT font) {
    for (const ControlSpec& c : controls) {
        HWND control = GetDlgItem(parent, c.Id);
        // The font first: a combo box fits its height to the font it has when it is placed.
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        const RECT r = PixelRect(c.Place, tpp);
        SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MoveControl(HWND control, SIZE moved, SIZE grown) {
    if (moved.cx == 0 && moved.cy == 0 && grown.cx == 0 && grown.cy == 0) return;
    RECT at{};
    GetWindowRect(control, &at);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&at), 2);
    SetWindowPos(control, nullptr, at.left + moved.cx, at.top + moved.cy, at.right - at.left + grown.cx,
                 at.bottom - at.top + grown.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace rotaplex
