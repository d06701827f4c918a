#pragma once

#include "cli/invocation.h"
#include "cli/output.h"

namespace rotaplex::cli {

// check: every problem the editor would meet, one a line; kProblemsFound when there is any.
int RunCheck(const Invocation& invocation, Output& out);
// list: the rotation, one entry a line.
int RunList(const Invocation& invocation, Output& out);
// scenarios: the catalogue, one scenario a line, optionally only those a filter finds.
int RunScenarios(const Invocation& invocation, Output& out);

}  // namespace rotaplex::cli
