#pragma once

#include <exception>

namespace rotaplex {

// An error that escaped a window's handler. Exceptions must not unwind through the system's
// message dispatch, so the handler's caller keeps it, ends the message loop, and the program's
// start rethrows it to report it and end.
void KeepPendingError(std::exception_ptr error);
// Rethrows the kept error, if any, and forgets it.
void RethrowPendingError();

}  // namespace rotaplex
