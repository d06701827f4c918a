#pragma once

#include <ostream>

#include "cli/invocation.h"

namespace rotaplex::cli {

// check: every problem the editor would meet, one a line; kProblemsFound when there is any.
int RunCheck(const Invocation& invocation, std::ostream& out);
// list: the rotation, one entry a line.
int RunList(const Invocation& invocation, std::ostream& out);
// scenarios: the catalogue, one scenario a line, optionally only those a filter finds.
int RunScenarios(const Invocation& invocation, std::ostream& out);

}  // namespace rotaplex::cli
