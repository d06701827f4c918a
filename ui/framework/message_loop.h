#pragma once

namespace rotaplex {

// The program's one message loop: runs until WM_QUIT, then rethrows an error that escaped a
// handler, and returns the quit code.
int RunMessageLoop();

}  // namespace rotaplex
