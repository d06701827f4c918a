#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace rotaplex {

// The system's own text for an error code, without the trailing line end.
std::string SystemMessage(DWORD code);

// A file that could not be read or written, with the system's reason.
class FileError : public std::runtime_error {
public:
    FileError(const std::string& path, DWORD code);
    const std::string& Path() const { return path_; }
    DWORD Code() const { return code_; }

private:
    std::string path_;
    DWORD code_;
};

}  // namespace rotaplex
