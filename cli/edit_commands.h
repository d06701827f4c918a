#pragma once

#include <ostream>

#include "cli/invocation.h"

namespace rotaplex::cli {

// The rotation document's edits, saved as the editor saves, or shown as a diff with --dry-run.
int RunAdd(const Invocation& invocation, std::ostream& out);
int RunRemove(const Invocation& invocation, std::ostream& out);
int RunMove(const Invocation& invocation, std::ostream& out);
int RunSet(const Invocation& invocation, std::ostream& out);

}  // namespace rotaplex::cli
