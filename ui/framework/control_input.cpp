#include "ui/framework/control_input.h"

#include <commctrl.h>

namespace rotaplex {

namespace {

constexpr UINT_PTR kShowOnlyId = 1;
constexpr UINT_PTR kDialogKeysId = 2;
constexpr UINT_PTR kDownId = 3;

LRESULT CALLBACK ShowOnlyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetFocus(hwnd);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_MOUSEWHEEL:
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &ShowOnlyProc, id);
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK DialogKeysProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_GETDLGCODE)
        return DefSubclassProc(hwnd, message, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &DialogKeysProc, id);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK DownProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR target) {
    if (message == WM_KEYDOWN && wParam == VK_DOWN) {
        SetFocus(reinterpret_cast<HWND>(target));
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &DownProc, id);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void MakeShowOnly(HWND control) { SetWindowSubclass(control, &ShowOnlyProc, kShowOnlyId, 0); }

void LetDialogKeysLeave(HWND control) { SetWindowSubclass(control, &DialogKeysProc, kDialogKeysId, 0); }

void MoveFocusOnDown(HWND box, HWND target) {
    SetWindowSubclass(box, &DownProc, kDownId, reinterpret_cast<DWORD_PTR>(target));
}

}  // namespace rotaplex
