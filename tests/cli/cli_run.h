#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/run.h"
#include "cycle/posix/posix_file_system.h"

namespace rotaplex::test {

// One run of the program in this process: its exit status and what it wrote.
struct CliRun {
    int Status = 0;
    std::string Out;
    std::string Err;
};

inline CliRun RunCli(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int status = cli::RunCli(arguments, posix::PosixFileSystem(), out, err);
    return {status, out.str(), err.str()};
}

}  // namespace rotaplex::test
