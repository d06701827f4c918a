#include "ui/framework/modal_window.h"

#include "ui/framework/display_scale.h"

namespace rotaplex {

void PlaceCentredOver(HWND window, HWND owner, int clientWidthTwips, int clientHeightTwips) {
    const TwipsPerPixel tpp = WindowTwipsPerPixel(window);
    RECT frame{0, 0, PixelsX(clientWidthTwips, tpp), PixelsY(clientHeightTwips, tpp)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
    RECT area{};
    GetWindowRect(owner ? owner : GetDesktopWindow(), &area);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceInWorkArea(window, area.left + (area.right - area.left - width) / 2,
                    area.top + (area.bottom - area.top - height) / 2);
}

void RunModalLoop(HWND window, const bool& done) {
    MSG msg;
    while (!done) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got == -1) return;
        if (!IsDialogMessageA(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

}  // namespace rotaplex
