#pragma once

#include <windows.h>

#include <string>

namespace rotaplex {

// Reads a whole file; throws FileError when it cannot be opened or read.
std::string ReadWholeFile(const std::string& path);

// The file operations a save is made of, so that tests can make each of them fail.
// Each returns ERROR_SUCCESS or the system's error code.
class SaveFileSystem {
public:
    virtual ~SaveFileSystem() = default;
    virtual DWORD CreateTemporary(const std::string& path, HANDLE& file) = 0;
    virtual DWORD Write(HANDLE file, const std::string& data) = 0;
    virtual DWORD Flush(HANDLE file) = 0;
    virtual DWORD Close(HANDLE file) = 0;
    virtual DWORD Replace(const std::string& from, const std::string& to) = 0;
    virtual DWORD Remove(const std::string& path) = 0;
};

// The real Win32 operations.
SaveFileSystem& Win32FileSystem();

struct SaveResult {
    DWORD Code = ERROR_SUCCESS;
    std::string Reason;  // the system's text for Code
    explicit operator bool() const { return Code == ERROR_SUCCESS; }
};

// Writes content to a temporary file beside path, flushes it and puts it in path's place in one
// step. On any failure path is left exactly as it was and the temporary file is removed.
SaveResult SaveFileAtomically(const std::string& path, const std::string& content,
                              SaveFileSystem& fs = Win32FileSystem());

}  // namespace rotaplex
