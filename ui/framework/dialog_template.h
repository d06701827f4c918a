#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "ui/framework/pending_error.h"

namespace rotaplex {

// An in-memory dialog template without controls: the controls are created at their pixel
// rectangles in WM_INITDIALOG, while the dialog manager still gives the modal loop, Tab and Esc.
std::vector<WORD> EmptyDialogTemplate(std::wstring_view caption, DWORD style);

// Takes the size and place the system suggests for a new display scale.
void TakeSuggestedRect(HWND dialog, const RECT& suggested);

// Shows dialog modally from such a template, owned by owner. Dialog has Load(HWND), which creates
// the controls and places the focus, LayOut(), which fits them to the dialog's display scale
// again when it changes, and Handle(UINT, WPARAM, LPARAM), which answers the rest as a dialog
// procedure does. An error escaping them ends the dialog and is kept for the program's start, as
// one from any window is.
template <typename Dialog>
void ShowModalDialog(HWND owner, std::wstring_view caption, DWORD style, Dialog& dialog) {
    const std::vector<WORD> words = EmptyDialogTemplate(caption, style);
    DialogBoxIndirectParamA(
        GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()), owner,
        [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
            try {
                if (message == WM_INITDIALOG) {
                    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
                    reinterpret_cast<Dialog*>(lParam)->Load(hwnd);
                    return FALSE;  // Load has placed the focus
                }
                auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
                if (!self) return FALSE;
                if (message == WM_DPICHANGED) {
                    TakeSuggestedRect(hwnd, *reinterpret_cast<const RECT*>(lParam));
                    self->LayOut();
                    return TRUE;
                }
                return self->Handle(message, wParam, lParam);
            } catch (...) {
                KeepPendingError(std::current_exception());
                EndDialog(hwnd, 0);
                return TRUE;
            }
        },
        reinterpret_cast<LPARAM>(&dialog));
}

}  // namespace rotaplex
