#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "cycle/win/file_system.h"

namespace rotaplex::test {

// The real save operations, with one of them made to fail (or none, to let a retry through).
// The temporary names can be given in advance, to find something planted there.
class FailingFileSystem : public SaveFileSystem {
public:
    enum Step { FailNothing, FailCreate, FailWrite, FailFlush, FailClose, FailReplace, FailMove, FailReplacePartly };
    explicit FailingFileSystem(Step failing) : Failing(failing) {}

    std::string TemporaryName(const std::string& target) override {
        if (Names.empty()) return real_.TemporaryName(target);
        std::string name = Names.front();
        Names.erase(Names.begin());
        return name;
    }
    DWORD CreateTemporary(const std::string& path, HANDLE& file) override {
        return Failing == FailCreate ? ERROR_ACCESS_DENIED : real_.CreateTemporary(path, file);
    }
    DWORD Write(HANDLE file, const std::string& data) override {
        // Half the data reaches the disk first, as on a disk that fills up.
        if (Failing != FailWrite) return real_.Write(file, data);
        real_.Write(file, data.substr(0, data.size() / 2));
        return ERROR_DISK_FULL;
    }
    DWORD Flush(HANDLE file) override { return Failing == FailFlush ? ERROR_WRITE_FAULT : real_.Flush(file); }
    DWORD Close(HANDLE file) override {
        const DWORD code = real_.Close(file);
        return Failing == FailClose ? ERROR_WRITE_FAULT : code;
    }
    DWORD Replace(const std::string& from, const std::string& to, const std::string& backup) override {
        if (Failing == FailReplace) return ERROR_SHARING_VIOLATION;
        // As the system leaves it when the old file went to the backup and the new one could
        // not follow: nothing at to.
        if (Failing == FailReplacePartly) {
            real_.Remove(backup);
            MoveFileA(to.c_str(), backup.c_str());
            return ERROR_UNABLE_TO_MOVE_REPLACEMENT_2;
        }
        return real_.Replace(from, to, backup);
    }
    DWORD Move(const std::string& from, const std::string& to) override {
        // Only ours fails; putting the backup back is let through.
        return Failing == FailMove || (Failing == FailReplacePartly && from.ends_with(".tmp"))
                   ? ERROR_ACCESS_DENIED
                   : real_.Move(from, to);
    }
    DWORD Remove(const std::string& path) override { return real_.Remove(path); }

    Step Failing;
    std::vector<std::string> Names;

private:
    SaveFileSystem& real_ = Win32FileSystem();
};

}  // namespace rotaplex::test
