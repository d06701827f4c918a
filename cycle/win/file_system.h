#pragma once

#include <windows.h>

#include <cstdint>
#include <limits>
#include <string>

#include "cycle/file_rules.h"
#include "cycle/file_stamp.h"

namespace rotaplex {

// Paths are UTF-8 (see wide_path.h).

inline constexpr uint64_t kNoCap = std::numeric_limits<uint64_t>::max();

// One read of a file: its bytes, and what a later save compares to tell a change by another program.
struct FileRead {
    std::string Bytes;
    FileStamp Stamp;
};

// Reads an ordinary file on a disk whole, up to the size it had when opened. Throws FileError
// when it cannot be opened or read, names a device or is no disk file (a pipe, a console, a
// link to a device), is larger than cap (the reason names its size), or does not fit in memory.
FileRead ReadFileStamped(const std::string& path, uint64_t cap = kNoCap);
std::string ReadWholeFile(const std::string& path, uint64_t cap = kNoCap);
// At most the first `most` bytes; size becomes the file's whole size. Throws as above.
std::string ReadFileHead(const std::string& path, uint64_t most, uint64_t& size);

// The stamp of the file as it is now (Exists false when it is gone), to compare with known;
// the bytes are hashed only when the size is still the same. Throws FileError when it is
// there but cannot be read.
FileStamp CurrentStamp(const std::string& path, const FileStamp& known);

// The file operations a save is made of, so that tests can make each of them fail.
// Each returns ERROR_SUCCESS or the system's error code.
class SaveFileSystem {
public:
    virtual ~SaveFileSystem() = default;
    // A fresh name beside target for the temporary file of one attempt.
    virtual std::string TemporaryName(const std::string& target) = 0;
    // Creates a new file; fails if anything, a link included, is already at path.
    virtual DWORD CreateTemporary(const std::string& path, HANDLE& file) = 0;
    virtual DWORD Write(HANDLE file, const std::string& data) = 0;
    virtual DWORD Flush(HANDLE file) = 0;
    virtual DWORD Close(HANDLE file) = 0;
    // Puts from in place of the existing file to, which keeps its attributes, permissions and
    // streams; to's previous content becomes backup.
    virtual DWORD Replace(const std::string& from, const std::string& to, const std::string& backup) = 0;
    // Renames from to to, where nothing is yet.
    virtual DWORD Move(const std::string& from, const std::string& to) = 0;
    virtual DWORD Remove(const std::string& path) = 0;
};

// The real Win32 operations.
SaveFileSystem& Win32FileSystem();

enum class SaveStatus { Saved, ChangedOnDisk, Failed };

struct SaveResult {
    SaveStatus Status = SaveStatus::Saved;
    DWORD Code = ERROR_SUCCESS;
    std::string Reason;  // the system's text for Code
    FileStamp Written;   // the file as saved: what the next save compares against
    explicit operator bool() const { return Status == SaveStatus::Saved; }
};

// Writes content to a new temporary file beside path, flushes it and puts it in path's place in
// one step, the previous content going to the backup. Where path is a symbolic link, the file it
// points to is replaced and the link stays. On any failure path is left as it was and the
// temporary file is removed.
SaveResult SaveFileAtomically(const std::string& path, const std::string& content,
                              SaveFileSystem& fs = Win32FileSystem());

// The save for whoever read path before: unless overwriteChanged, a file that another program
// changed or removed since it was read (its stamp differs from read) is left alone and the
// answer is ChangedOnDisk. Otherwise as SaveFileAtomically.
SaveResult SaveFileGuarded(const std::string& path, const std::string& content, const FileStamp& read,
                           bool overwriteChanged, SaveFileSystem& fs = Win32FileSystem());

}  // namespace rotaplex
