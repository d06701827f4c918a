#include "ui/framework/message_loop.h"

#include <windows.h>

#include "ui/framework/pending_error.h"

namespace rotaplex {

int RunMessageLoop(HWND window, HACCEL accelerators) {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (accelerators && TranslateAcceleratorA(window, accelerators, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    RethrowPendingError();
    return static_cast<int>(message.wParam);
}

}  // namespace rotaplex
