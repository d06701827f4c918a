#pragma once

#include "cli/edit_commands.h"
#include "cli/invocation.h"
#include "cli/output.h"

namespace rotaplex::cli {

// The named rotation sets in the game folder's "rotations" folder.
int RunSets(const Invocation& invocation, Output& out);
int RunSaveSet(const Invocation& invocation, Output& out);
int RunDeleteSet(const Invocation& invocation, Output& out);
int RunRenameSet(const Invocation& invocation, Output& out);
// activate: the rotation's entries become the set's, its other lines kept.
void ActivateStep(const Invocation& invocation, Edit& edit);

}  // namespace rotaplex::cli
