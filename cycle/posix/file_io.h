#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "cycle/file_stamp.h"

namespace rotaplex::posix {

// A file that could not be read or written, with the reason in words.
class FileError : public std::runtime_error {
public:
    FileError(const std::string& path, const std::string& reason);
    const std::string& Path() const { return path_; }
    const std::string& Reason() const { return reason_; }

private:
    std::string path_;
    std::string reason_;
};

// The system's text for an errno value.
std::string ErrnoText(int code);

// Reads an ordinary file whole, at most the size it had when opened, and refuses one larger than
// cap or one that is not an ordinary file (a device or a pipe could block or never end).
// Fills stamp when given. Throws FileError.
std::string ReadFileBounded(const std::string& path, std::uint64_t cap, FileStamp* stamp = nullptr);

// What path holds now, its bytes into content when given; Exists is false when nothing is there.
// Throws FileError when it cannot be read.
FileStamp StampOf(const std::string& path, std::uint64_t cap, std::string* content = nullptr);

// What a save does with a symbolic link at the path: replace the file it points to and keep the
// link, or replace the link itself (for files we own, where a planted link must not redirect us).
enum class AtLink { ReplaceTarget, ReplaceLink };

// Replaces the file at path with content so that a crash leaves either the old or the new file:
// a temporary file with a fresh name beside it (created exclusively, so nothing planted there is
// written through), written, synced, renamed over path, and the folder synced. The new file keeps
// the old one's permissions. On failure path is untouched and the temporary file is gone.
// Throws FileError.
void SaveFileAtomically(const std::string& path, const std::string& content, AtLink atLink);

}  // namespace rotaplex::posix
