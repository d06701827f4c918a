#include "ui/framework/control_input.h"

#include <commctrl.h>

namespace rotaplex {

namespace {

constexpr UINT_PTR kDialogKeysId = 2;

LRESULT CALLBACK DialogKeysProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_GETDLGCODE)
        return DefSubclassProc(hwnd, message, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &DialogKeysProc, id);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void LetDialogKeysLeave(HWND control) { SetWindowSubclass(control, &DialogKeysProc, kDialogKeysId, 0); }

}  // namespace rotaplex
