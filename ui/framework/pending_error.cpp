#include "ui/framework/pending_error.h"

#include <windows.h>

#include <utility>

namespace rotaplex {

namespace {
std::exception_ptr pending;
}

void KeepPendingError(std::exception_ptr error) {
    if (!pending) pending = error;
    PostQuitMessage(1);
}

void RethrowPendingError() {
    if (auto error = std::exchange(pending, nullptr)) std::rethrow_exception(error);
}

}  // namespace rotaplex
