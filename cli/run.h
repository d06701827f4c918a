#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/invocation.h"
#include "cycle/file_system.h"

namespace rotaplex::cli {

// The whole program: runs the command that the arguments (without the program name) name on
// files, reading what it reads from standard input from in, writing its output to out and any
// error to err; returns the exit status.
int RunCli(const std::vector<std::string>& arguments, FileSystem& files, std::FILE* in, std::FILE* out,
           std::FILE* err);

// Every command of the program.
const std::vector<CommandSpec>& CommandTable();

}  // namespace rotaplex::cli
