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

// input: what the program finds on standard input.
inline CliRun RunCli(const std::vector<std::string>& arguments, const std::string& input = "",
                     FileSystem& files = posix::PosixFileSystem()) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = cli::RunCli(arguments, files, in, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace rotaplex::test
