#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace rotaplex {

// An in-memory dialog template without controls: the controls are created at their pixel
// rectangles in WM_INITDIALOG, while the dialog manager still gives the modal loop, Tab and Esc.
std::vector<WORD> EmptyDialogTemplate(std::wstring_view caption, DWORD style);

}  // namespace rotaplex
