#pragma once

#include <stdexcept>
#include <string>

namespace rotaplex::cli {

// The program's exit statuses.
enum ExitStatus : int {
    kDone = 0,
    kProblemsFound = 1,  // check found problems
    kNothingFound = 1,   // scenarios: the filter found none
    kFileFailed = 2,     // the game folder or a file in it could not be read or written
    kBadRequest = 3,     // the command line asks for something that cannot be done
};

// Ends a command: the message goes to the error output, the status is the program's.
class CliError : public std::runtime_error {
public:
    CliError(ExitStatus status, const std::string& message)
        : std::runtime_error(message), status_(status) {}
    ExitStatus Status() const { return status_; }

private:
    ExitStatus status_;
};

}  // namespace rotaplex::cli
