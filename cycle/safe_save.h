#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cycle/file_stamp.h"
#include "cycle/file_system.h"

namespace rotaplex {

// A read file's stamp: what a later save compares to tell a change by another program.
FileStamp StampOf(const FileBytes& read);

struct SaveOutcome {
    // ChangedOnDisk and RemovedOnDisk: another program changed (or created) the file, or removed
    // it, since it was read; nothing was written.
    enum class Status { Saved, ChangedOnDisk, RemovedOnDisk, Failed };
    Status Result = Status::Saved;
    std::string Path;    // Failed: the file the failure concerns (the target, or its backup)
    std::string Reason;  // Failed: the system's words, or ours
    FileStamp Written;   // Saved: the file as saved, what the next save compares against
    // Saved, but another program changed the file between the last check and the replace: the
    // backup holds its version rather than the one that was read.
    std::optional<std::string> OtherVersionIn;
    // Saved, but the folder could not be made durable afterwards: the system's words.
    std::optional<std::string> NotSynced;
    // Failed at the last step: the file is as it was, but its backup already holds that version.
    bool BackupReplaced = false;
    explicit operator bool() const { return Result == Status::Saved; }
};

// A save that failed on the file at path, for the reason given.
SaveOutcome SaveFailed(std::string path, std::string reason);

// Puts content at path in one step, so that a reader never finds the file missing and a kill at
// any moment leaves the old bytes or the new. Where path is a link, the file it leads to is
// replaced and the link stays. The replaced bytes are kept beside that file as its backup (under
// a fresh name first, so that nothing planted at the backup's name is written through). Unless
// overwriteChanged, a file whose stamp is no longer asRead (changed, created or removed by
// another program) is left alone: ChangedOnDisk, or RemovedOnDisk for one read and now gone. A
// file above cap is neither read nor replaced.
// Every failure leaves the file as it was and removes what the save created.
SaveOutcome SaveGuarded(FileSystem& fs, const std::string& path, const std::string& content,
                        const FileStamp& asRead, bool overwriteChanged, uint64_t cap);

}  // namespace rotaplex
