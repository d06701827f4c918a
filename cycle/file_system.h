#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace rotaplex {

// The file system as the core needs it: the few calls a game folder's scan, load and save are
// made of. cycle/win and cycle/posix implement it with system calls and nothing else; every rule
// about which files count and how a save goes stands once, in the core, over these calls.
// Paths are UTF-8 on Windows and bytes elsewhere.

// Why a call failed, as far as the core decides anything by it; the words are in Reason.
enum class FileFault { Other, NotFound, Exists, NotAFile, TooLarge, OutOfMemory, Busy };

// A file that could not be read or written: its path and the system's reason (or ours).
class FileError : public std::runtime_error {
public:
    FileError(std::string path, std::string reason, FileFault fault = FileFault::Other);
    const std::string& Path() const { return path_; }
    const std::string& Reason() const { return reason_; }
    FileFault Fault() const { return fault_; }

private:
    std::string path_;
    std::string reason_;
    FileFault fault_;
};

// What a path leads to, links followed. Other is anything that is neither (a device, a pipe).
enum class PathKind { Missing, File, Folder, Other };

// One name of a folder's listing.
struct ListedName {
    std::string Name;  // as paths take it
    // As the rotation names it: the ANSI code page on Windows, the bytes elsewhere; nothing when
    // the code page cannot hold it, so no entry could ever name it.
    std::optional<std::string> InCodePage;
    PathKind Kind = PathKind::Other;
    bool Hidden = false;  // hidden or system on Windows, a leading "." elsewhere
    // As the listing gives them, in the units of FileBytes: what tells a changed file.
    uint64_t Size = 0;
    uint64_t WriteTime = 0;
};

// A file's bytes with its size and write time as they were when it was opened.
struct FileBytes {
    std::string Bytes;
    uint64_t Size = 0;       // the whole file's, even when only its head was read
    uint64_t WriteTime = 0;  // the platform's own clock value: only ever compared
};

// An open file being written; closed when destroyed.
class WrittenFile {
public:
    virtual ~WrittenFile() = default;
    virtual void Write(std::string_view bytes) = 0;
    // Flushes the bytes to the disk and closes the file.
    virtual void Finish() = 0;
};

// Held while a save runs; released when destroyed, or by the system if the program dies.
class FolderLock {
public:
    virtual ~FolderLock() = default;
};

// Where the lock file cannot be made, nothing can be saved there either: the save goes on to
// fail with its own reason.
class NoLock final : public FolderLock {};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // What ends a folder's path: "\" or "/".
    virtual char Separator() const = 0;
    virtual PathKind KindOf(const std::string& path) = 0;
    // The system's words for a path where nothing is.
    virtual std::string MissingReason() const = 0;
    // A path written inside a file (in the ANSI code page on Windows) as paths take it.
    virtual std::string PathFromCodePage(std::string_view text) const = 0;
    // The names a folder lists that end in `ending` in any letter case (the platform may list
    // others too), in the order the platform gives them. A missing folder lists nothing.
    virtual std::vector<ListedName> List(const std::string& folder, std::string_view ending) = 0;
    // Reads an ordinary file on a disk whole, never more than it held when opened. Throws
    // FileError: NotFound, NotAFile (a device name, a pipe, a folder), TooLarge (above cap, the
    // reason naming its size), OutOfMemory, or Other.
    virtual FileBytes Read(const std::string& path, uint64_t cap) = 0;
    // A file that the listing of its folder gave as listed, read whole, without asking again what
    // the listing told (that it is a file, its size), where a platform can save that. Throws as
    // Read.
    virtual FileBytes ReadListed(const std::string& path, const ListedName& /*listed*/, uint64_t cap) {
        return Read(path, cap);
    }
    // At most the first `most` bytes; Size is still the whole file's. Throws as Read.
    virtual FileBytes ReadHead(const std::string& path, uint64_t most) = 0;
    // What the path leads to once every link is resolved, in the form Read and the save take;
    // nothing when nothing is there. Throws FileError when it cannot be resolved.
    virtual std::optional<std::string> FinalPath(const std::string& path) = 0;
    // Whether the path's last part is itself a link (a symbolic link, or on Windows any reparse
    // point) rather than a file or folder.
    virtual bool IsLink(const std::string& path) = 0;

    // The steps of a save. A new file at path, failing with Exists when anything (a link
    // included) is there already; it gets the owner, permissions and attributes of like when
    // that is a file, else the usual ones for a new file.
    virtual std::unique_ptr<WrittenFile> Create(const std::string& path, const std::string& like) = 0;
    // A second name for an existing file, failing with Exists as Create does.
    virtual void Link(const std::string& existing, const std::string& path) = 0;
    // Puts from in to's place in one step: whatever was at to (a link included) is replaced.
    virtual void Rename(const std::string& from, const std::string& to) = 0;
    // Removes a file; false when it could not be removed.
    virtual bool Remove(const std::string& path) = 0;
    // Makes a folder (not its parents); nothing when one is there already. Throws FileError, Exists
    // when a file holds the name.
    virtual void MakeFolder(const std::string& path) = 0;
    // Makes the folder's new names durable.
    virtual void SyncFolder(const std::string& folder) = 0;
    // Takes the lock at path (created when missing) that every Rotaplex program takes before
    // writing; nothing when another holds it, a NoLock when the lock file cannot be made.
    virtual std::unique_ptr<FolderLock> TryLock(const std::string& path) = 0;
    // Waits a moment before the lock is tried again.
    virtual void Pause() = 0;
};

}  // namespace rotaplex
