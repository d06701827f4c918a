#pragma once

#include <windows.h>

namespace rotaplex {

// A multi-line text box that lets Tab, Enter and Esc go to its dialog rather than keeping them.
void LetDialogKeysLeave(HWND control);

}  // namespace rotaplex
