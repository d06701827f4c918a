#include "ui/framework/message_loop.h"

#include <windows.h>

#include "ui/framework/pending_error.h"

namespace rotaplex {

namespace {

// Tab between the window's controls, and Enter on a push button that has the focus, which then
// presses it rather than running the command of the key.
bool IsDialogKey(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.wParam == VK_TAB) return true;
    return message.wParam == VK_RETURN && (SendMessageA(GetFocus(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
}

}  // namespace

int RunMessageLoop(HWND window, HACCEL accelerators) {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (window && IsDialogKey(message) && IsDialogMessageA(window, &message)) continue;
        if (accelerators && TranslateAcceleratorA(window, accelerators, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    RethrowPendingError();
    return static_cast<int>(message.wParam);
}

}  // namespace rotaplex
