#include "ui/framework/message_loop.h"

#include <windows.h>

#include "ui/framework/pending_error.h"

namespace rotaplex {

namespace {

// Tab and Shift+Tab between the window's controls, and Enter on a push button that has the focus,
// which presses it rather than running the command of the key; false for any other message.
bool TookDialogKey(HWND window, const MSG& message) {
    if (message.message != WM_KEYDOWN || !window || (message.hwnd != window && !IsChild(window, message.hwnd)))
        return false;
    const HWND focus = GetFocus();
    if (message.wParam == VK_TAB) {
        if (const HWND next = GetNextDlgTabItem(window, focus, GetKeyState(VK_SHIFT) < 0)) SetFocus(next);
        // From now on the keyboard is in use: focus rectangles show.
        SendMessageA(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        return true;
    }
    if (message.wParam != VK_RETURN || !(SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) return false;
    SendMessageA(focus, BM_CLICK, 0, 0);
    return true;
}

}  // namespace

int RunMessageLoop(HWND window, HACCEL accelerators) {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TookDialogKey(window, message)) continue;
        if (accelerators && TranslateAcceleratorA(window, accelerators, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    RethrowPendingError();
    return static_cast<int>(message.wParam);
}

}  // namespace rotaplex
