#pragma once

#include <windows.h>

#include <string>

#include "cycle/win/file_system.h"

namespace rotaplex::test {

// The real save operations, with one of them made to fail (or none, to let a retry through).
class FailingFileSystem : public SaveFileSystem {
public:
    enum Step { FailNothing, FailCreate, FailWrite, FailFlush, FailClose, FailReplace };
    explicit FailingFileSystem(Step failing) : Failing(failing) {}

    DWORD CreateTemporary(const std::string& path, HANDLE& file) override {
        return Failing == FailCreate ? ERROR_ACCESS_DENIED : real_.CreateTemporary(path, file);
    }
    DWORD Write(HANDLE file, const std::string& data) override {
        // Half the data reaches the disk first, as on a disk that fills up.
        if (Failing != FailWrite) return real_.Write(file, data);
        real_.Write(file, data.substr(0, data.size() / 2));
        return ERROR_DISK_FULL;
    }
    DWORD Flush(HANDLE file) override {
        return Failing == FailFlush ? ERROR_WRITE_FAULT : real_.Flush(file);
    }
    DWORD Close(HANDLE file) override {
        const DWORD code = real_.Close(file);
        return Failing == FailClose ? ERROR_WRITE_FAULT : code;
    }
    DWORD Replace(const std::string& from, const std::string& to) override {
        return Failing == FailReplace ? ERROR_SHARING_VIOLATION : real_.Replace(from, to);
    }
    DWORD Remove(const std::string& path) override { return real_.Remove(path); }

    Step Failing;

private:
    SaveFileSystem& real_ = Win32FileSystem();
};

}  // namespace rotaplex::test
