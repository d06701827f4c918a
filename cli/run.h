#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cycle/file_system.h"

namespace rotaplex::cli {

// The whole program: runs the command that the arguments (without the program name) name on
// files, writing its output to out and any error to err; returns the exit status.
int RunCli(const std::vector<std::string>& arguments, FileSystem& files, std::ostream& out, std::ostream& err);

}  // namespace rotaplex::cli
