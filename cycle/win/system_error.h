#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace rotaplex {

// The system's own text for an error code (UTF-8), without the trailing line end.
std::string SystemMessage(DWORD code);

// A file that could not be read or written, with the system's reason.
class FileError : public std::runtime_error {
public:
    FileError(const std::string& path, DWORD code);
    // With a reason of our own where the system has none that fits.
    FileError(const std::string& path, DWORD code, const std::string& reason);
    const std::string& Path() const { return path_; }
    DWORD Code() const { return code_; }
    const std::string& Reason() const { return reason_; }

private:
    std::string path_;
    std::string reason_;
    DWORD code_;
};

}  // namespace rotaplex
