#pragma once

#include <windows.h>

namespace rotaplex {

// The program's one message loop: runs until WM_QUIT, then rethrows an error that escaped a
// handler, and returns the quit code. Keys of the accelerator table, if one is given, become
// WM_COMMAND messages to window. Tab moves between window's controls, and Enter presses the
// push button that has the focus.
int RunMessageLoop(HWND window = nullptr, HACCEL accelerators = nullptr);

}  // namespace rotaplex
