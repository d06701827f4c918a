#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace rotaplex {

// An in-memory dialog template without controls: the controls are created at their pixel
// rectangles in WM_INITDIALOG, while the dialog manager still gives the modal loop, Tab and Esc.
std::vector<WORD> EmptyDialogTemplate(std::wstring_view caption, DWORD style);

// Shows dialog modally from such a template, owned by owner. Dialog has Load(HWND), which creates
// the controls and places the focus, and Handle(UINT, WPARAM, LPARAM), which answers the rest as
// a dialog procedure does.
template <typename Dialog>
void ShowModalDialog(HWND owner, std::wstring_view caption, DWORD style, Dialog& dialog) {
    const std::vector<WORD> words = EmptyDialogTemplate(caption, style);
    DialogBoxIndirectParamA(
        GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner,
        [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
            if (message == WM_INITDIALOG) {
                SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
                reinterpret_cast<Dialog*>(lParam)->Load(hwnd);
                return FALSE;  // Load has placed the focus
            }
            auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
            return self ? self->Handle(message, wParam, lParam) : FALSE;
        },
        reinterpret_cast<LPARAM>(&dialog));
}

}  // namespace rotaplex
