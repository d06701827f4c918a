#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace rotaplex::cli {

// The whole program: runs the command that the arguments (without the program name) name,
// writing its output to out and any error to err; returns the exit status.
int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace rotaplex::cli
