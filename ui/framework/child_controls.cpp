#include "ui/framework/child_controls.h"

namespace rotaplex {

void CreateControls(HWND parent, std::span<const ControlSpec> controls, TwipsPerPixel tpp) {
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlSpec& c : controls) {
        HWND control = CreateWindowExA(
            c.ExStyle, c.ClassName, c.Text, WS_CHILD | WS_VISIBLE | c.Style, PixelsX(c.Place.Left, tpp),
            PixelsY(c.Place.Top, tpp), PixelsX(c.Place.Width, tpp), PixelsY(c.Place.Height, tpp), parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.Id)), GetModuleHandleA(nullptr), nullptr);
        SendMessageA(control, WM_SETFONT, font, FALSE);
    }
}

}  // namespace rotaplex
