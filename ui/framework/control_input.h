#pragma once

#include <windows.h>

namespace rotaplex {

// A check box or a drop-down list that shows a value and takes no input: clicks, keys and the
// wheel leave it as it is. It still takes the focus, so Tab goes through it and it reads as usual.
void MakeShowOnly(HWND control);

// A multi-line text box that lets Tab, Enter and Esc go to its dialog rather than keeping them.
void LetDialogKeysLeave(HWND control);

// A text box whose Down key moves the focus on to target, the list it narrows.
void MoveFocusOnDown(HWND box, HWND target);

}  // namespace rotaplex
